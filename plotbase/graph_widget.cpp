#include "plotbase/graph_widget.h"

#include "plotbase/environment.h"
#include "plotbase/operations_window.h"
#include "plotbase/window_messages.h"

#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>

#include <cmath>

namespace plotbase {

GraphWidget::GraphWidget(Environment& env, int graph, QWidget* page) : QWidget(page), env_(env), graph_(graph) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

QSize GraphWidget::pictureSize() const {
    const qreal ratio = devicePixelRatioF();
    return QSize(static_cast<int>(std::ceil(width() * ratio)), static_cast<int>(std::ceil(height() * ratio)));
}

bool GraphWidget::pictureCurrent() const { return pictureCurrent_ && picture_.size() == pictureSize() && isVisible(); }

void GraphWidget::invalidatePicture() {
    pictureCurrent_ = false;
    update();
}

void GraphWidget::drawWholeGraph() {
    const QSize size = pictureSize();
    if (picture_.size() != size) picture_ = QImage(size, QImage::Format_ARGB32_Premultiplied);
    picture_.setDevicePixelRatio(devicePixelRatioF());
    QPainter painter(&picture_);
    ObjectInterpreter(env_, graph_, painter, QRectF(rect()));
    pictureCurrent_ = true;
    ++fullPaints_;
}

void GraphWidget::paintEvent(QPaintEvent* event) {
    if (size().isEmpty()) return;
    // Only what was drawn a little at a time may be copied without drawing the graph anew.
    if (!pictureCurrent() || !event->region().subtracted(increments_).isEmpty()) drawWholeGraph();
    increments_ = QRegion();
    QPainter painter(this);
    const qreal ratio = picture_.devicePixelRatio();
    for (const QRect& r : event->region())
        painter.drawImage(QRectF(r), picture_, QRectF(r.x() * ratio, r.y() * ratio, r.width() * ratio, r.height() * ratio));
}

void GraphWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    pictureCurrent_ = false;
}

bool GraphWidget::drawIncrement(const std::function<QRectF(QPainter&)>& draw) {
    if (!draw || !pictureCurrent()) return false;
    QRectF changed;
    {
        QPainter painter(&picture_);
        changed = draw(painter);
    }
    const QRect area = changed.toAlignedRect().intersected(rect());
    if (!area.isEmpty()) {
        increments_ += area;
        update(area);
    }
    return true;
}

void GraphWidget::handOver(int kind, QMouseEvent* event) {
    Graph* graph = env_.graph(graph_);
    if (!graph) return;
    graph->pointerX = event->position().x();
    graph->pointerY = event->position().y();
    if (env_.graphProcedure)
        env_.graphProcedure(env_, graph_, detail::mouseMessage(static_cast<WindowMessage::Kind>(kind), *event));
}

void GraphWidget::mousePressEvent(QMouseEvent* event) { handOver(WindowMessage::MousePress, event); }
void GraphWidget::mouseReleaseEvent(QMouseEvent* event) { handOver(WindowMessage::MouseRelease, event); }
void GraphWidget::mouseDoubleClickEvent(QMouseEvent* event) { handOver(WindowMessage::MouseDoubleClick, event); }
void GraphWidget::mouseMoveEvent(QMouseEvent* event) { handOver(WindowMessage::MouseMove, event); }

void GraphWidget::keyPressEvent(QKeyEvent* event) {
    if (!env_.graphProcedure || !env_.graph(graph_)) {
        QWidget::keyPressEvent(event);
        return;
    }
    WindowMessage message;
    message.kind = WindowMessage::KeyPress;
    message.key = event->key();
    env_.graphProcedure(env_, graph_, message);
}

}  // namespace plotbase
