#pragma once
// dynaview-demo's window: a plotbase page with two graphs (the tank's temperature and its
// level), each with its data set's alarm lines, marks and alarm text and a trend of the
// last minute drawn from the data set's history, and a graph of instruments beside them
// (meters, annunciator, the loop's mode); the alarm log below. The simulated tank
// feeds both data sets ten times a second. A double click on an object opens its editor;
// File > Save Page and File > Open Page write the page to a file and show one.

#include "dynaview/demo/tank_controls_panel.h"
#include "dynaview/demo/tank_instruments.h"
#include "dynaview/demo/tank_loop_panel.h"
#include "dynaview/demo/scroll_displays.h"
#include "dynaview/demo/feed_link.h"
#include "dynaview/demo/tank_process.h"
#include "platform/qt/qt_dialogs.h"
#include "platform/numbers.h"
#include "plotbase/plotbase.h"

#include <QMainWindow>
#include <QTimer>

#include <memory>
#include <vector>

class QLabel;
class QPlainTextEdit;

namespace dynaview::demo {

class PageFiles;

class DemoWindow : public QMainWindow {
    Q_OBJECT
public:
    DemoWindow();
    ~DemoWindow() override;

    // One step of the process (what the 10 Hz timer does).
    void FeedTimer();
    plotbase::Environment& environment() { return env_; }
    struct Graph {
        int handle = 0;
        int dataSet = 0;
        int yAxis = 0;
        int lines = 0;
        int marks = 0;
        int text = 0;
        int trend = 0;  // plotbase data set of the trend
        plotbase::DoubleBlock trendValues;
    };
    const Graph& temperature() const { return temperature_; }
    const Graph& level() const { return level_; }
    QPlainTextEdit* alarmLog() const { return AlarmLog; }
    // Takes the temperature (and with a second item the level) from the data link.
    bool useFeed(const FeedSpec& spec, QString* error);
    QString feedSummary() const { return feedLink_ ? feedLink_->summary() : QString(); }
    TankLoopPanel* tankLoop() const { return TankLoop; }
    PageFiles& pageFiles() const { return *pageFiles_; }
    ScrollDisplays* scrollDisplays() const { return scroll_; }
    TankControlsPanel* tankControls() const { return TankControls; }
    const TankInstruments* instruments() const { return instruments_.get(); }

private:
    void buildGraph(Graph& graph, double top, double bottom, const char* title, const char* units, double maximum, double spacing);
    void defineAlarms();
    void onAlarm(int dataSet, int channel, int kind, double value, int state);
    void onGraphMessage(int graph, const plotbase::WindowMessage& message);
    void refreshTrend(const Graph& graph);

    platform::QtDialogs dialogs_;
    platform::Numbers numbers_;
    plotbase::Environment env_;
    TankProcess process_;
    QTimer feed_;
    QWidget* PlantPage = nullptr;
    QPlainTextEdit* AlarmLog = nullptr;
    QLabel* ValuesLabel = nullptr;
    TankLoopPanel* TankLoop = nullptr;  // the PID loop that drives the heater
    TankControlsPanel* TankControls = nullptr;  // setpoint, start/stop, mode, alarm lamp
    int page_ = 0;
    Graph temperature_;
    Graph level_;
    plotbase::DoubleBlock trendTimes_;
    PageFiles* pageFiles_ = nullptr;
    ScrollDisplays* scroll_ = nullptr;
    std::unique_ptr<FeedLink> feedLink_;
    std::unique_ptr<TankInstruments> instruments_;  // meters, annunciator and mode message beside the trends
};

}  // namespace dynaview::demo
