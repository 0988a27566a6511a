#include "plotbase/graph_widget.h"

#include "plotbase/environment.h"
#include "plotbase/operations_window.h"
#include "plotbase/window_messages.h"

#include <QKeyEvent>
#include <QPainter>

namespace plotbase {

GraphWidget::GraphWidget(Environment& env, int graph, QWidget* page) : QWidget(page), env_(env), graph_(graph) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

void GraphWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    ObjectInterpreter(env_, graph_, painter, QRectF(rect()));
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
