#pragma once
// A graph window: paints its graph and hands every mouse and key message to the library
// (the pointer position) and then to the application's graph procedure.
//
// The window keeps the picture it shows in a backing image. A paint redraws the whole
// graph into the picture from the objects' state unless everything it has to show was
// drawn into the picture a little at a time (drawIncrement): then it only copies those
// rectangles to the screen. So an object that changes often (a new trace segment, a
// needle) draws just its change and repaints just that rectangle, and anything else that
// asks for a repaint gets the whole graph drawn afresh as before.

#include <QImage>
#include <QRegion>
#include <QWidget>

#include <functional>

namespace plotbase {

class Environment;

class GraphWidget : public QWidget {
    Q_OBJECT
public:
    GraphWidget(Environment& env, int graph, QWidget* page);
    int graph() const { return graph_; }

    // Draws into the picture (painter in window coordinates) and repaints the rectangle the
    // drawing returns. Nothing is drawn, and false returned, while the picture is not
    // current (window hidden, never painted, resized, or a full repaint pending).
    bool drawIncrement(const std::function<QRectF(QPainter&)>& draw);
    // The next paint draws the whole graph afresh.
    void invalidatePicture();
    bool pictureCurrent() const;
    // How often the whole graph has been drawn into the picture (for tests and benchmarks).
    int fullPaintCount() const { return fullPaints_; }
    const QImage& picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void handOver(int kind, QMouseEvent* event);
    QSize pictureSize() const;
    void drawWholeGraph();

    Environment& env_;
    int graph_;
    QImage picture_;
    bool pictureCurrent_ = false;
    QRegion increments_;  // drawn into the picture since the last paint
    int fullPaints_ = 0;
};

}  // namespace plotbase
