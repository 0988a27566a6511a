#include "dynaview/demo/tank_loop_panel.h"

#include "dynaview/include/dynaview.h"
#include "plotbase/plotbase.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace dynaview::demo {

namespace {

constexpr double Setpoint = 57.5;  // degC
constexpr double LevelSpan = 5.0;  // m

}  // namespace

TankLoopPanel::TankLoopPanel(plotbase::Environment& env, double sampleSeconds, QWidget* parent) : QWidget(parent), env_(env) {
    setObjectName(QStringLiteral("TankLoopPanel"));
    setAccessibleName(QStringLiteral("Temperature Loop"));
    LoopPage = new QWidget;
    LoopPage->setObjectName(QStringLiteral("LoopPage"));
    LoopPage->setAccessibleName(QStringLiteral("Temperature Loop Displays"));
    LoopPage->setMinimumSize(300, 200);
    PidParametersBtn = new QPushButton(QStringLiteral("&PID Parameters..."));
    PidParametersBtn->setObjectName(QStringLiteral("PidParametersBtn"));
    PidParametersBtn->setAccessibleName(QStringLiteral("PID Parameters"));
    connect(PidParametersBtn, &QPushButton::clicked, this, &TankLoopPanel::PidParametersBtnClick);
    ModeLabel = new QLabel;
    ModeLabel->setObjectName(QStringLiteral("ModeLabel"));
    ModeLabel->setAccessibleName(QStringLiteral("Loop Mode"));
    auto* row = new QHBoxLayout;
    row->addWidget(ModeLabel, 1);
    row->addWidget(PidParametersBtn);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(LoopPage, 1);
    layout->addLayout(row);

    // The loop: process 0..100 degC onto the heater 0..100 %, 20 % per second at most.
    const char loopTags[2][16] = {"PV", "SP"};
    const int input = WRDefineDynDataSet("Tank loop input", 2, "degC", loopTags[0], 0);
    const int output = outputSet_ = WRDefineDynDataSet("Tank loop output", 1, "%", nullptr, 0);
    loop_ = WRDefinePID(input, output, "Tank temperature", Setpoint, 3.0, 0.05, 0.0, 47.5, 100.0, 0.0, 0.0, 100.0, 100.0, 0.0,
                        20.0, sampleSeconds, 0.0, 0);
    output_ = 47.5;
    overview_ = WRDefineDynDataSet("Tank overview", 4, "%", nullptr, 0);

    page_ = plotbase::InitPage(env, "LOOP", LoopPage, "Temperature loop", 0, 15, 8,
                               plotbase::ChildWindow | plotbase::VisibleWindow | plotbase::ClipChildren, {}, nullptr);
    pidGraph_ = plotbase::InitGraph(env, page_, 0.0, 0.0, 0.5, 1.0, 11, 1, 0, nullptr);
    plotbase::WGSetTextParams(env, pidGraph_, 0, plotbase::SansFamily, 7, 0);
    WRSetPIDBargraph(pidGraph_, loop_);

    const int g = overviewGraph_ = plotbase::InitGraph(env, page_, 0.5, 0.0, 1.0, 1.0, 11, 1, 0, nullptr);
    plotbase::WGSetTextParams(env, g, 0, plotbase::SansFamily, 7, 0);
    plotbase::WGSetPlotArea(env, g, 0.16, 0.14, 0.95, 0.86, plotbase::ClipToPlotArea);
    plotbase::WGScalePlotArea(env, g, 0.0, 0.0, 5.0, 100.0);
    plotbase::WGDrawXAxis(env, g, 5.0, 0, 0);
    const int yAxis = plotbase::WGDrawYAxis(env, g, 20.0, 1, 1);
    plotbase::WGLabelAxis(env, g, yAxis, 0);
    plotbase::WGSetLineStyle(env, g, plotbase::SolidLine, 1, 3);
    plotbase::WGDrawGrid(env, g, yAxis, 0);
    plotbase::WGSetLineStyle(env, g, plotbase::SolidLine, 1, 0);
    const int fills[4] = {0xD62728, 0x4F86E8, 0xF07F0F, 0x1B7F3B};
    const int hatches[4] = {255, 255, 4, 2};
    const int outlines[4] = {0, 0, 0, 0};
    overviewBars_ = WRSetBargraph(g, overview_, 0.0, 1, 1.0, 4.0, -1.0, fills, hatches, outlines);
    plotbase::WGTextNorm(env, g, "Tank readings (%)", 0.16, 0.03, plotbase::AlignLeft + plotbase::AlignTop, 0);
    const char* names[4] = {"Temp", "Lvl", "Heat", "SP"};
    for (int i = 0; i < 4; ++i)
        plotbase::WGTextNorm(env, g, names[i], 0.16 + (i + 1) / 5.0 * 0.79, 0.9, plotbase::AlignCentre + plotbase::AlignTop, 0);
    showMode();
}

TankLoopPanel::~TankLoopPanel() {
    KillRTPage(page_);
    WRDeletePID(loop_, 1);
}

void TankLoopPanel::feed(const TankProcess::Sample& sample, bool measured) {
    if (measured) {
        WRCalcPID(loop_, sample.temperature, &output_);
        lowest_ = steps_ == 0 ? sample.temperature : std::min(lowest_, sample.temperature);
        highest_ = steps_ == 0 ? sample.temperature : std::max(highest_, sample.temperature);
        ++steps_;
    } else {
        ++held_;
    }
    double setpoint = 0.0;
    WRGetPIDSetp(loop_, &setpoint);
    const double values[4]{sample.temperature, sample.level / LevelSpan * 100.0, sample.power, setpoint};
    WRUpdateData(overview_, values, 0);
    showMode();
}

QString TankLoopPanel::summary() const {
    return QStringLiteral("loop: %1 steps on process values from %2 to %3, held %4")
        .arg(steps_)
        .arg(lowest_, 0, 'f', 3)
        .arg(highest_, 0, 'f', 3)
        .arg(held_);
}

void TankLoopPanel::showMode() {
    ModeLabel->setText(WRGetPIDAutoState(loop_) ? QStringLiteral("Loop: automatic, heater %1 %").arg(output_, 0, 'f', 1)
                                                : QStringLiteral("Loop: manual, heater %1 %").arg(output_, 0, 'f', 1));
}

void TankLoopPanel::PidParametersBtnClick() {
    WREditPIDDlg(loop_);
    showMode();
}

}  // namespace dynaview::demo
