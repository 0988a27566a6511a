#include "plotbase/page_widget.h"

#include "plotbase/environment.h"
#include "plotbase/operations_setup.h"
#include "plotbase/palette.h"
#include "plotbase/window_messages.h"

#include <QPainter>
#include <QResizeEvent>

namespace plotbase {

PageWidget::PageWidget(Environment& env, int page, QWidget* host, bool fillHost)
    : QWidget(host), env_(env), page_(page), fillHost_(fillHost) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    if (fillHost_ && host) {
        setGeometry(host->rect());
        host->installEventFilter(this);
    }
}

void PageWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const Rgb c = PageBackground;
    painter.fillRect(rect(), QColor(c.red, c.green, c.blue));
}

void PageWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    ResizePage(env_, page_);
}

void PageWidget::handToProcedure(int kind, QMouseEvent* event) {
    if (env_.pageProcedure)
        env_.pageProcedure(env_, page_, detail::mouseMessage(static_cast<WindowMessage::Kind>(kind), *event));
}

void PageWidget::mousePressEvent(QMouseEvent* event) { handToProcedure(WindowMessage::MousePress, event); }

void PageWidget::mouseDoubleClickEvent(QMouseEvent* event) { handToProcedure(WindowMessage::MouseDoubleClick, event); }

bool PageWidget::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parent() && event->type() == QEvent::Resize) setGeometry(static_cast<QWidget*>(watched)->rect());
    return QWidget::eventFilter(watched, event);
}

}  // namespace plotbase
