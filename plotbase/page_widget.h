#pragma once
// The page window: a child of the application's host window holding the graph windows.
// It hands its mouse messages to the application's page procedure and, when placed to
// fill its host, follows the host's size.

#include <QWidget>

namespace plotbase {

class Environment;

class PageWidget : public QWidget {
    Q_OBJECT
public:
    PageWidget(Environment& env, int page, QWidget* host, bool fillHost);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void handToProcedure(int kind, QMouseEvent* event);

    Environment& env_;
    int page_;
    bool fillHost_;
};

}  // namespace plotbase
