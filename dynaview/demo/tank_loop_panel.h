#pragma once
// The demo's PID loop: it holds the tank's temperature by driving the heater. The panel
// shows the loop as a PID bar graph pair (process value and setpoint, heater output)
// beside a bar graph of the tank's readings, with a button that opens the loop's
// "PID Parameters" dialog (setpoint, automatic or manual, tuning).

#include "dynaview/demo/tank_process.h"

#include <QWidget>

class QLabel;
class QPushButton;

namespace plotbase {
class Environment;
}

namespace dynaview::demo {

class TankLoopPanel : public QWidget {
    Q_OBJECT
public:
    TankLoopPanel(plotbase::Environment& env, double sampleSeconds, QWidget* parent = nullptr);
    ~TankLoopPanel() override;

    // The heater power the loop asks for now, 0 to 100 %.
    double heaterOutput() const { return output_; }
    // One loop step on a new sample of the tank; the displays follow. Without a measured
    // temperature (a failed feed) the loop holds its output.
    void feed(const TankProcess::Sample& sample, bool measured = true);
    // The process values the loop has computed on and how often it held.
    QString summary() const;
    int loop() const { return loop_; }
    // The loop's output data set; its binary word holds the mode (bit 0 automatic, bit 1 manual).
    int outputSet() const { return outputSet_; }
    int pidGraph() const { return pidGraph_; }
    int overviewGraph() const { return overviewGraph_; }
    int overviewBars() const { return overviewBars_; }

    void PidParametersBtnClick();

private:
    void showMode();

    plotbase::Environment& env_;
    QWidget* LoopPage = nullptr;
    QPushButton* PidParametersBtn = nullptr;
    QLabel* ModeLabel = nullptr;
    int page_ = 0;
    int loop_ = 0;
    int outputSet_ = 0;
    int overview_ = 0;  // data set: temperature, level, heater, setpoint
    int pidGraph_ = 0;
    int overviewGraph_ = 0;
    int overviewBars_ = 0;
    double output_ = 0.0;
    long steps_ = 0, held_ = 0;
    double lowest_ = 0.0, highest_ = 0.0;
};

}  // namespace dynaview::demo
