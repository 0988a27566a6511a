#pragma once
// A control in a graph: a real Qt widget (scroll bar, button, group of buttons, lamp) kept
// as a child of the graph's window over the rectangle the application gave in the graph's
// world coordinates. It moves with the graph when the window is resized or the graph
// rescaled, goes with its object, appears in pictures and prints of the page, and reports
// what the user does to the application's graph procedure (a DV_MSG_CONTROL message).

#include "dynaview/controls/control_specs.h"
#include "dynaview/frame/dyn_object.h"

#include <QPointer>
#include <QRectF>
#include <QWidget>

namespace plotbase {
class Environment;
}

namespace dynaview {

class ControlFollower;

class ControlObject : public DynObject {
public:
    ~ControlObject() override;

    // Makes the widget in the graph's window and places it; false when the graph has no
    // window.
    bool attach(plotbase::Environment& env, int graph, int index);
    QWidget* window() const { return widget_.data(); }
    int index() const { return index_; }

    // Moves the widget over its rectangle on the graph's present scale and size.
    void follow();
    // Where the control lies on a device with this scaling.
    virtual QRectF deviceRect(const plotbase::Scaling& scaling) const;

    // The state of an item (0 for the whole control); nothing for an item it has not.
    virtual std::optional<int> state(int item) const = 0;

    // The widget itself shows on screen; a picture or a print of the page gets its image.
    void paint(QPainter& painter, const plotbase::DrawContext& context) override;

    // True while the application's procedure is being told of a user action: a control
    // deleted then keeps its widget until control returns to the event loop.
    static bool reporting();

protected:
    ControlObject(ControlKind kind, const WorldBox& box);
    virtual QWidget* makeWidget(QWidget* parent) = 0;
    virtual QString nameOf() const = 0;
    // Tells the application's graph procedure: value, and the item of a group.
    void report(double value, int item) const;

    WorldBox box_;
    QPointer<QWidget> widget_;

private:
    plotbase::Environment* env_ = nullptr;
    int graph_ = 0;
    int index_ = 0;
    QPointer<ControlFollower> follower_;
};

// Watches the graph window for resizes and carries queued moves; knows its control only
// while the control lives.
class ControlFollower : public QObject {
    Q_OBJECT
public:
    ControlFollower(ControlObject& control, QWidget* graphWindow);
    void forget() { control_ = nullptr; }
    // Moves the control once the event loop runs (from inside a paint).
    void followLater();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ControlObject* control_;
    QPointer<QWidget> graphWindow_;
    bool queued_ = false;
};

}  // namespace dynaview
