#include "dynaview/demo/tank_controls_panel.h"

#include "dynaview/include/dynaview.h"
#include "plotbase/plotbase.h"

#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace dynaview::demo {

namespace {

// The scroll bar holds the setpoint in tenths of a degree.
constexpr int SetpointLow = 200, SetpointHigh = 900;
constexpr int ManualItem = 1, AutoItem = 2;

int tenths(double degrees) { return static_cast<int>(std::lround(degrees * 10.0)); }

}  // namespace

TankControlsPanel::TankControlsPanel(plotbase::Environment& env, int loop, QTimer& feed, QWidget* parent)
    : QWidget(parent), env_(env), loop_(loop), feed_(feed) {
    setObjectName(QStringLiteral("TankControlsPanel"));
    setAccessibleName(QStringLiteral("Tank Controls"));
    ControlsPage = new QWidget;
    ControlsPage->setObjectName(QStringLiteral("ControlsPage"));
    ControlsPage->setAccessibleName(QStringLiteral("Tank Controls Page"));
    ControlsPage->setMinimumHeight(64);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(ControlsPage);

    page_ = plotbase::InitPage(env, "CONTROLS", ControlsPage, "Tank controls", 0, 15, 8,
                               plotbase::ChildWindow | plotbase::VisibleWindow | plotbase::ClipChildren, {}, nullptr);
    const int g = graph_ = plotbase::InitGraph(env, page_, 0.0, 0.0, 1.0, 1.0, 11, 1, 0, nullptr);
    // A world of 100 x 10 over the whole graph: the controls are placed in it.
    plotbase::WGSetPlotArea(env, g, 0.0, 0.0, 1.0, 1.0, 0);
    plotbase::WGScalePlotArea(env, g, 0.0, 0.0, 100.0, 10.0);
    plotbase::WGSetTextParams(env, g, 0, plotbase::SansFamily, 6, 0);
    plotbase::WGTextNorm(env, g, "Setpoint 20 to 90 degC", 0.02, 0.08, plotbase::AlignLeft + plotbase::AlignTop, 0);
    plotbase::WGTextNorm(env, g, "Process", 0.42, 0.08, plotbase::AlignLeft + plotbase::AlignTop, 0);
    plotbase::WGTextNorm(env, g, "Loop mode", 0.66, 0.08, plotbase::AlignLeft + plotbase::AlignTop, 0);
    plotbase::WGTextNorm(env, g, "Too hot", 0.955, 0.08, plotbase::AlignCentre + plotbase::AlignTop, 0);

    double setpoint = 0.0;
    WRGetPIDSetp(loop_, &setpoint);
    setpointBar_ = WRSetScrBarControl(g, 2.0, 5.5, 36.0, 4.0, 0, SetpointLow, SetpointHigh, tenths(setpoint));
    start_ = WRSetButtonControl(g, "&Start", 42.0, 6.0, 9.0, 5.0, DV_BUTTON_PUSH, 10);
    stop_ = WRSetButtonControl(g, "St&op", 52.0, 6.0, 9.0, 5.0, DV_BUTTON_LATCH, 4);
    mode_ = WRSetButtonGroup(g, 2, "&Manual|&Auto", 66.0, 6.0, 24.0, 5.0, 0);
    // The diameter is measured along x: small enough to stay below its caption in a wide window.
    lamp_ = WRSetLEDControl(g, 95.5, 3.8, 1.6, 4, 8);
    follow();
}

TankControlsPanel::~TankControlsPanel() { KillRTPage(page_); }

void TankControlsPanel::controlChanged(int graph, const plotbase::WindowMessage& message) {
    if (graph != graph_) return;
    const int object = message.button;
    if (object == setpointBar_) {
        WRChangePIDSetp(loop_, message.x / 10.0);
    } else if (object == stop_) {
        feed_.stop();  // stays down until Start
    } else if (object == start_) {
        ButtonDelayEnd(graph_, stop_);
        feed_.start();
    } else if (object == mode_) {
        WRChangePIDAutoState(loop_, static_cast<int>(message.x) == AutoItem ? 1 : 0);
    }
}

void TankControlsPanel::follow() {
    double setpoint = 0.0;
    if (WRGetPIDSetp(loop_, &setpoint) && WRGetScrollPos(graph_, setpointBar_) != tenths(setpoint))
        WRSetScrollPos(graph_, setpointBar_, std::clamp(tenths(setpoint), SetpointLow, SetpointHigh));
    const int item = WRGetPIDAutoState(loop_) ? AutoItem : ManualItem;
    if (WRGetButtonState(graph_, mode_, 0) != item) WRChangeButtonState(graph_, mode_, 0, item);
}

void TankControlsPanel::showAlarm(bool on) { WRChangeButtonState(graph_, lamp_, 0, on ? 1 : 0); }

}  // namespace dynaview::demo
