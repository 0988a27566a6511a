#include "dynaview/demo/scroll_displays.h"

#include "dynaview/include/dynaview.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTime>
#include <QVBoxLayout>

namespace dynaview::demo {

namespace {

constexpr double SampleSeconds = 0.1;
constexpr int ProcessHistory = 3000;  // five minutes
constexpr double StripSeconds = 60.0;
// The demo's alarm limits, for the binary word.
constexpr double TemperatureHigh = 80.0, LevelHigh = 4.2, LevelLow = 0.8;

QPushButton* button(const char* name, const char* caption, QWidget* parent) {
    auto* b = new QPushButton(QString::fromLatin1(caption), parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAccessibleName(QString(QString::fromLatin1(caption)).remove(QLatin1Char('&')));
    return b;
}

}  // namespace

ScrollDisplays::ScrollDisplays(plotbase::Environment& env, int levelSet, QWidget* parent)
    : ScrollDisplays(env, levelSet, QTime::currentTime(), parent) {}

ScrollDisplays::ScrollDisplays(plotbase::Environment& env, int levelSet, QTime start, QWidget* parent)
    : QWidget(parent), env_(env) {
    setObjectName(QStringLiteral("ScrollDisplays"));
    ScrollPage = new QWidget;
    ScrollPage->setObjectName(QStringLiteral("ScrollPage"));
    ScrollPage->setAccessibleName(QStringLiteral("Trends"));
    ScrollPage->setMinimumSize(560, 440);
    auto* buttons = new QHBoxLayout;
    QPushButton* back = button("BackBtn", "&Back 30 s", this);
    QPushButton* move = button("MoveBtn", "&Move on 10 s", this);
    QPushButton* resume = button("ResumeBtn", "&Resume", this);
    HistoryLabel = new QLabel(QStringLiteral("Live"), this);
    HistoryLabel->setObjectName(QStringLiteral("HistoryLabel"));
    HistoryLabel->setAccessibleName(QStringLiteral("History View"));
    for (QWidget* w : {static_cast<QWidget*>(back), static_cast<QWidget*>(move), static_cast<QWidget*>(resume)}) buttons->addWidget(w);
    buttons->addWidget(HistoryLabel, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(ScrollPage, 1);
    layout->addLayout(buttons);
    connect(back, &QPushButton::clicked, this, &ScrollDisplays::BackBtnClick);
    connect(move, &QPushButton::clicked, this, &ScrollDisplays::MoveBtnClick);
    connect(resume, &QPushButton::clicked, this, &ScrollDisplays::ResumeBtnClick);

    char bitTags[4][16] = {"Heater", "Temp alarm", "Level high", "Level low"};
    binarySet_ = WRDefineDynDataSet("Process states", 4, nullptr, &bitTags[0][0], 0);
    char processTags[2][16] = {"Temperature", "Level %"};
    processSet_ = WRDefineDynDataSet("Tank", 2, nullptr, &processTags[0][0], ProcessHistory);
    xySet_ = WRDefineDynDataSet("Level against temperature", 2, nullptr, nullptr, 0);
    page_ = plotbase::InitPage(env_, "TRENDS", ScrollPage, "Trends", 0, 15, 8,
                               plotbase::ChildWindow | plotbase::VisibleWindow | plotbase::ClipChildren, {}, nullptr);

    // The strip chart: the last minute, the window jumping by half, under clock times that
    // move on with each jump and with history view.
    strip_ = buildGraph(0.0, 0.0, 1.0, 0.4, "Temperature (degC, red) and level (%, blue), last minute", 0.0, StripSeconds, 0.0, 100.0, 10.0, 20.0,
                        true);
    const int stripColours[2] = {4, 14}, two[2] = {2, 2};
    stripObject_ = WRSetScrollGraph(strip_, processSet_, SampleSeconds, 0.5, 1, 0, nullptr, two, stripColours);
    stripLabels_ = WRLabelTimeAxis(strip_, stripTimeAxis_, 3, 1, -1, start.hour(), start.minute(), start.second(), 0.0, 0, nullptr);
    WRStartTimeLabelsUpdate(strip_, stripLabels_, stripObject_);
    // The level swept over 20 s behind a green line.
    sweep_ = buildGraph(0.0, 0.4, 0.5, 0.7, "Level sweep (s)", 0.0, 20.0, 0.0, 5.0, 5.0, 1.0);
    const int blue[1] = {14};
    WRSetSweepGraph(sweep_, levelSet, SampleSeconds, 1, 0, 10, nullptr, two, blue);
    // The binary word's bits, one lane each.
    logic_ = buildGraph(0.5, 0.4, 1.0, 0.7, "Process states (s)", 0.0, 20.0, 0.0, 4.0, 5.0, 1.0);
    const int colours[4] = {15, 4, 12, 1};
    const int logic = WRSetLogicGraph(logic_, binarySet_, SampleSeconds, 0.5, 1, 2, nullptr, nullptr, colours);
    const char* tags[4] = {"Heater", "Temp alarm", "Level high", "Level low"};
    WRLogicTagsPtr(logic_, logic, tags);
    // The level against the temperature: the last 30 s as a curve.
    xy_ = buildGraph(0.0, 0.7, 1.0, 1.0, "Level (m) against temperature (degC)", 0.0, 100.0, 0.0, 5.0, 20.0, 1.0);
    const int purple[1] = {5};
    WRSetXYGraph(xy_, xySet_, 300, nullptr, nullptr, purple);
}

ScrollDisplays::~ScrollDisplays() { KillRTPage(page_); }

int ScrollDisplays::buildGraph(double left, double top, double right, double bottom, const char* title, double xmin, double xmax, double ymin,
                               double ymax, double xSpacing, double ySpacing, bool clockAxis) {
    const int h = plotbase::InitGraph(env_, page_, left, top, right, bottom, 11, 1, 0, nullptr);
    plotbase::WGSetLineStyle(env_, h, plotbase::SolidLine, 1, 0);
    plotbase::WGSetPlotArea(env_, h, 0.1, 0.2, 0.95, 0.8, plotbase::FramePlotArea | plotbase::ClipToPlotArea);
    plotbase::WGScalePlotArea(env_, h, xmin, ymin, xmax, ymax);
    plotbase::WGSetXYIntercepts(env_, h, xmin, ymin);
    plotbase::WGSetTextParams(env_, h, 0, plotbase::SansFamily, 7, plotbase::BoldText);
    plotbase::WGTextNorm(env_, h, title, 0.1, 0.03, plotbase::AlignLeft + plotbase::AlignTop, 0);
    plotbase::WGSetTextParams(env_, h, 0, plotbase::SansFamily, 6, 0);
    if (clockAxis)
        stripTimeAxis_ = WRDrawTimeAxis(h, xSpacing, 1, 0, ymin, 1, 0);
    else
        plotbase::WGLabelAxis(env_, h, plotbase::WGDrawXAxis(env_, h, xSpacing, 1, 0), 0);
    const int yAxis = plotbase::WGDrawYAxis(env_, h, ySpacing, 1, 1);
    plotbase::WGLabelAxis(env_, h, yAxis, 0);
    plotbase::WGSetLineStyle(env_, h, plotbase::SolidLine, 1, 3);
    plotbase::WGDrawGrid(env_, h, yAxis, 0);
    plotbase::WGToggleGridsOrder(env_, h);
    plotbase::WGSetLineStyle(env_, h, plotbase::SolidLine, 1, 0);
    return h;
}

void ScrollDisplays::feed(double temperature, double level, bool heater) {
    const double process[2] = {temperature, level / 5.0 * 100.0};
    WRUpdateData(processSet_, process, strip_);
    ++stripSamples_;
    const double pair[2] = {temperature, level};
    WRUpdateData(xySet_, pair, xy_);
    const unsigned word = (heater ? 1u : 0u) | (temperature >= TemperatureHigh ? 2u : 0u) | (level >= LevelHigh ? 4u : 0u) |
                          (level <= LevelLow ? 8u : 0u);
    WRUpdateBinaryData(binarySet_, word, logic_);
}

// One sample more than the window's points: the sample that makes it jump.
bool ScrollDisplays::stripFilled() const { return stripSamples_ > static_cast<long>(StripSeconds / SampleSeconds + 1.5); }

void ScrollDisplays::BackBtnClick() {
    double shown = 0.0;
    if (WRShowHist(strip_, stripObject_, shownBack_ + 30.0, &shown)) {
        shownBack_ = shown;
        inHistory_ = true;
    }
    showHistoryState();
}

void ScrollDisplays::MoveBtnClick() {
    double moved = 0.0;
    if (WRMoveHistScroll(strip_, stripObject_, 10.0, &moved)) shownBack_ -= moved;
    showHistoryState();
}

void ScrollDisplays::ResumeBtnClick() {
    WRResumeScroll(strip_, stripObject_);
    shownBack_ = 0.0;
    inHistory_ = false;
    showHistoryState();
}

void ScrollDisplays::showHistoryState() {
    HistoryLabel->setText(inHistory_ ? QStringLiteral("History: %1 s back").arg(shownBack_, 0, 'f', 1) : QStringLiteral("Live"));
}

}  // namespace dynaview::demo
