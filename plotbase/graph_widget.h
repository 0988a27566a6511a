#pragma once
// A graph window: paints its graph and hands every mouse and key message to the library
// (the pointer position) and then to the application's graph procedure.

#include <QWidget>

namespace plotbase {

class Environment;

class GraphWidget : public QWidget {
    Q_OBJECT
public:
    GraphWidget(Environment& env, int graph, QWidget* page);
    int graph() const { return graph_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void handOver(int kind, QMouseEvent* event);

    Environment& env_;
    int graph_;
};

}  // namespace plotbase
