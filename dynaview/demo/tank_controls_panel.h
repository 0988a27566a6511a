#pragma once
// The demo's row of controls, dynaview controls in a graph of their own: a scroll bar for
// the temperature setpoint, Start and Stop for the process (Stop latches until Start), a
// Manual/Auto group for the loop's mode, and a lamp lit while the tank is too hot.

#include <QWidget>

class QTimer;

namespace plotbase {
class Environment;
struct WindowMessage;
}  // namespace plotbase

namespace dynaview::demo {

class TankControlsPanel : public QWidget {
    Q_OBJECT
public:
    TankControlsPanel(plotbase::Environment& env, int loop, QTimer& feed, QWidget* parent = nullptr);
    ~TankControlsPanel() override;

    int graph() const { return graph_; }
    int setpointBar() const { return setpointBar_; }
    int startButton() const { return start_; }
    int stopButton() const { return stop_; }
    int modeGroup() const { return mode_; }
    int alarmLamp() const { return lamp_; }

    // What the user did with a control (the graph procedure's DV_MSG_CONTROL).
    void controlChanged(int graph, const plotbase::WindowMessage& message);
    // The loop's setpoint and mode as they are now (the PID dialog may have changed them).
    void follow();
    // The tank's High or High-high alarm entered (on) or left.
    void showAlarm(bool on);

private:
    plotbase::Environment& env_;
    int loop_;
    QTimer& feed_;
    QWidget* ControlsPage = nullptr;
    int page_ = 0;
    int graph_ = 0;
    int setpointBar_ = 0;
    int start_ = 0;
    int stop_ = 0;
    int mode_ = 0;
    int lamp_ = 0;
};

}  // namespace dynaview::demo
