#include "dynaview/demo/demo_window.h"

#include "dynaview/demo/page_files.h"

#include "dynaview/include/dynaview.h"
#include "dynaview/include/dynaview_cxx.h"
#include "platform/qt/system_numbers.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QStatusBar>
#include <QVBoxLayout>

#include <cmath>
#include <limits>

namespace dynaview::demo {

namespace {

constexpr int HistoryRows = 600;  // one minute at 10 Hz
constexpr double SampleSeconds = 0.1;
constexpr int TrendEvery = 5;  // the trend is redrawn twice a second
constexpr double TrendWidth = 0.7;  // of the page; the instruments take the rest

const char* kindName(int kind) {
    static constexpr const char* names[] = {"Normal", "High", "Low", "High-high", "Low-low", "Rate", "Deviation", "Fail"};
    return kind >= 0 && kind <= 7 ? names[kind] : "?";
}

}  // namespace

DemoWindow::DemoWindow()
    : dialogs_("dynaview demo"), numbers_(platform::systemNumbers()), env_(dialogs_, numbers_) {
    setObjectName(QStringLiteral("DynaviewDemo"));
    setWindowTitle(QStringLiteral("dynaview demo - heated tank"));
    setAccessibleName(windowTitle());

    auto* split = new QSplitter(Qt::Vertical);
    PlantPage = new QWidget;
    PlantPage->setObjectName(QStringLiteral("PlantPage"));
    PlantPage->setAccessibleName(QStringLiteral("Plant"));
    PlantPage->setMinimumSize(860, 440);
    AlarmLog = new QPlainTextEdit;
    AlarmLog->setObjectName(QStringLiteral("AlarmLog"));
    AlarmLog->setAccessibleName(QStringLiteral("Alarm Log"));
    AlarmLog->setReadOnly(true);
    AlarmLog->setMaximumBlockCount(1000);
    AlarmLog->setPlaceholderText(QStringLiteral("The application's alarm procedure writes here."));
    auto* plant = new QSplitter(Qt::Horizontal);
    plant->addWidget(PlantPage);
    split->addWidget(plant);
    split->addWidget(AlarmLog);
    split->setStretchFactor(0, 4);
    split->setStretchFactor(1, 1);
    setCentralWidget(split);
    ValuesLabel = new QLabel;
    ValuesLabel->setObjectName(QStringLiteral("ValuesLabel"));
    ValuesLabel->setAccessibleName(QStringLiteral("Process Values"));
    statusBar()->addWidget(ValuesLabel, 1);
    statusBar()->addPermanentWidget(new QLabel(QStringLiteral("Double-click a line, mark, alarm text, bar or axis to edit it.")));
    QMenu* fileMenu = menuBar()->addMenu(QStringLiteral("&File"));
    QAction* exitItem = fileMenu->addAction(QStringLiteral("E&xit"), this, &QWidget::close);
    exitItem->setObjectName(QStringLiteral("ExitItem"));

    // 1. The environment, handed to dynaview.
    DVEnvironment* handle = RegisterEnvironment(env_);
    if (!InitRTDll(handle)) return;
    plotbase::InitTop(
        env_, nullptr, [this](plotbase::Environment&, int graph, const plotbase::WindowMessage& m) { onGraphMessage(graph, m); },
        plotbase::Revision);
    // 2. The data sets and their alarms; the alarm procedure.
    char temperatureTag[16] = "TT-101", levelTag[16] = "LT-102";
    temperature_.dataSet = WRDefineDynDataSet("Tank temperature", 1, "degC", temperatureTag, HistoryRows);
    level_.dataSet = WRDefineDynDataSet("Tank level", 1, "m", levelTag, HistoryRows);
    defineAlarms();
    SetAlarmProcedure([this](int set, int channel, int kind, double value, int state) { onAlarm(set, channel, kind, value, state); });
    // 3. The page and its graphs with the objects that show the data sets.
    trendTimes_ = plotbase::AllocateBlock(HistoryRows);
    for (int i = 0; i < HistoryRows; ++i) (*trendTimes_)[static_cast<std::size_t>(i)] = (i - HistoryRows + 1) * SampleSeconds;
    page_ = plotbase::InitPage(env_, "PAGE1", PlantPage, "Tank", 0, 15, 8,
                               plotbase::ChildWindow | plotbase::VisibleWindow | plotbase::ClipChildren, {}, nullptr);
    buildGraph(temperature_, 0.0, 0.5, "Temperature", "degC", 100.0, 20.0);
    buildGraph(level_, 0.5, 1.0, "Level", "m", 5.0, 1.0);
    TankLoop = new TankLoopPanel(env_, SampleSeconds);
    plant->addWidget(TankLoop);
    instruments_ = std::make_unique<TankInstruments>(env_, page_, temperature_.dataSet, TankLoop->outputSet(), TrendWidth, 0.0, 1.0, 1.0);
    scroll_ = new ScrollDisplays(env_, level_.dataSet);
    plant->addWidget(scroll_);
    pageFiles_ = new PageFiles(*fileMenu, env_, dialogs_, *PlantPage, page_, {&temperature_, &level_});
    TankControls = new TankControlsPanel(env_, TankLoop->loop(), feed_);
    split->insertWidget(1, TankControls);
    // 4. The feed: the simulated process, ten times a second.
    connect(&feed_, &QTimer::timeout, this, &DemoWindow::FeedTimer);
    feed_.start(100);
    resize(1720, 680);
}

DemoWindow::~DemoWindow() {
    feed_.stop();
    delete TankControls;
    delete TankLoop;
    delete scroll_;
    KillRTPage(page_);
    RTCleanup(reinterpret_cast<DVEnvironment*>(&env_));
    ForgetEnvironment(env_);
}

void DemoWindow::defineAlarms() {
    const int t = temperature_.dataSet, l = level_.dataSet;
    WRSetAlarm(t, DV_ALARM_HIGH, 80.0, "Too hot");
    WRSetAlarm(t, DV_ALARM_HIGH_HIGH, 90.0, "Overheating - heater stuck?");
    WRSetAlarm(t, DV_ALARM_LOW, 20.0, "Too cold");
    WRSetAlarm(t, DV_ALARM_NORMAL, 0.0, "Normal");
    WRSetSetpoint(t, 57.5);
    WRSetAlarmHyst(t, 3.0, 0.0);
    WRSetAlarm(l, DV_ALARM_HIGH, 4.2, "Overflow risk");
    WRSetAlarm(l, DV_ALARM_LOW, 0.8, "Pump dry-run risk");
    WRSetAlarm(l, DV_ALARM_NORMAL, 0.0, "Level OK");
    WRSetSetpoint(l, 2.5);
    WRSetAlarmHyst(l, 0.1, 0.0);
}

void DemoWindow::buildGraph(Graph& g, double top, double bottom, const char* title, const char* units, double maximum, double spacing) {
    g.handle = plotbase::InitGraph(env_, page_, 0.0, top, TrendWidth, bottom, 11, 1, 0, nullptr);
    const int h = g.handle;
    plotbase::WGSetLineStyle(env_, h, plotbase::SolidLine, 1, 0);
    plotbase::WGSetPlotArea(env_, h, 0.1, 0.16, 0.95, 0.84, plotbase::FramePlotArea | plotbase::ClipToPlotArea);
    plotbase::WGScalePlotArea(env_, h, -60.0, 0.0, 0.0, maximum);
    plotbase::WGSetXYIntercepts(env_, h, -60.0, 0.0);
    plotbase::WGSetTextParams(env_, h, 0, plotbase::SansFamily, 8, plotbase::BoldText);
    plotbase::WGTextNorm(env_, h, title, 0.1, 0.03, plotbase::AlignLeft + plotbase::AlignTop, 0);
    plotbase::WGSetTextParams(env_, h, 0, plotbase::SansFamily, 6, 0);
    const int xAxis = plotbase::WGDrawXAxis(env_, h, 10.0, 1, 0);
    plotbase::WGLabelAxis(env_, h, xAxis, 0);
    g.yAxis = plotbase::WGDrawYAxis(env_, h, spacing, 1, 1);
    plotbase::WGLabelAxis(env_, h, g.yAxis, spacing < 1.0 ? 1 : 0);
    plotbase::WGTitleAxis(env_, h, g.yAxis, 1, units);
    plotbase::WGSetLineStyle(env_, h, plotbase::SolidLine, 1, 3);
    plotbase::WGDrawGrid(env_, h, g.yAxis, 0);
    plotbase::WGToggleGridsOrder(env_, h);

    // The last minute from the data set's history (a plain plot until the scrolling graphs come).
    g.trendValues = plotbase::AllocateBlock(HistoryRows);
    std::fill(g.trendValues->begin(), g.trendValues->end(), std::numeric_limits<double>::quiet_NaN());
    plotbase::WGSetLineStyle(env_, h, plotbase::SolidLine, 2, 14);
    g.trend = plotbase::WGDefineDataSet(env_, h, "trend", trendTimes_, g.trendValues, HistoryRows);
    plotbase::WGLinePlot(env_, h, g.trend);

    // dynaview's objects: the limits across the plot, marks on the value axis, the state.
    const int enables[5] = {1, 1, 1, 1, 1};
    const int patterns[5] = {plotbase::DotLine, plotbase::DashLine, plotbase::DashLine, plotbase::SolidLine, plotbase::SolidLine};
    const int widths[5] = {1, 1, 1, 2, 2};
    g.lines = WRSetAlarmLines(h, g.dataSet, 0, 1, enables, patterns, widths, nullptr);
    g.marks = WRSetAlarmMarks(h, g.dataSet, g.yAxis, 0, 7, enables, 1, nullptr, nullptr);
    plotbase::WGSetTextParams(env_, h, 0, plotbase::SansFamily, 7, 0);
    g.text = WRSetAlarmText(h, g.dataSet, 0, 58.0, 2.0, 37.0, 11.0, 0, 1, 3, 0, nullptr, nullptr, plotbase::BoldText, 0);
}

bool DemoWindow::useFeed(const FeedSpec& spec, QString* error) {
    std::vector<FeedLink::Source> sources;
    for (const Graph* g : {&temperature_, &level_}) sources.push_back({g->dataSet, g->handle, g->trend, g->trendValues, {}});
    feedLink_ = std::make_unique<FeedLink>();
    return feedLink_->connect(spec, std::move(sources), error);
}

void DemoWindow::FeedTimer() {
    TankProcess::Sample sample = process_.stepControlled(SampleSeconds, TankLoop ? TankLoop->heaterOutput() : 0.0);
    // Fed, the loop works on the fed temperature and holds while its item fails.
    bool measured = true;
    if (feedLink_) sample = feedLink_->fed(env_, sample, measured);
    if (TankLoop) TankLoop->feed(sample, measured);
    if (TankControls) TankControls->follow();
    if (feedLink_) {
        if (scroll_ && measured) scroll_->feed(sample.temperature, sample.level, sample.heater);
        if (!feedLink_->feeds(level_.dataSet)) {  // one item: the level stays simulated
            WRUpdateData(level_.dataSet, &sample.level, 0);
            if (std::lround(process_.time() / SampleSeconds) % TrendEvery == 0) refreshTrend(level_);
        }
        ValuesLabel->setText(feedLink_->tick(env_, HistoryRows, TrendEvery));
        return;
    }
    WRUpdateData(temperature_.dataSet, &sample.temperature, 0);
    WRUpdateData(level_.dataSet, &sample.level, 0);
    if (scroll_) scroll_->feed(sample.temperature, sample.level, sample.heater);
    const long step = std::lround(process_.time() / SampleSeconds);
    if (step % TrendEvery == 0) {
        refreshTrend(temperature_);
        refreshTrend(level_);
    }
    ValuesLabel->setText(QStringLiteral("t = %1 s   temperature %2 degC   level %3 m   heater %4 %")
                             .arg(process_.time(), 0, 'f', 1)
                             .arg(sample.temperature, 0, 'f', 1)
                             .arg(sample.level, 0, 'f', 2)
                             .arg(sample.power, 0, 'f', 0));
}

void DemoWindow::refreshTrend(const Graph& g) {
    if (!g.trendValues) return;  // an opened page without the trend
    std::vector<double> history(HistoryRows);
    const int n = std::min<int>(WRGetHistData(g.dataSet, 0, history.data(), HistoryRows, HistoryRows), static_cast<int>(g.trendValues->size()));
    if (n <= 0) return;
    std::vector<double>& values = *g.trendValues;
    std::fill(values.begin(), values.end() - n, std::numeric_limits<double>::quiet_NaN());
    std::copy_n(history.begin(), n, values.end() - n);
    plotbase::WGRedrawObject(env_, g.handle, g.trend, 0);
}

void DemoWindow::onAlarm(int dataSet, int, int kind, double value, int state) {
    const bool isTemperature = dataSet == temperature_.dataSet;
    if (TankControls && isTemperature && kind == DV_ALARM_HIGH) TankControls->showAlarm(state != 0);
    const char* message = nullptr;
    WRGetAlarm(dataSet, kind, nullptr, nullptr, &message);
    AlarmLog->appendPlainText(QStringLiteral("%1 s   %2: %3 %4 at %5 %6%7")
                                  .arg(process_.time(), 6, 'f', 1)
                                  .arg(isTemperature ? QStringLiteral("Tank temperature") : QStringLiteral("Tank level"))
                                  .arg(QString::fromLatin1(kindName(kind)))
                                  .arg(state ? QStringLiteral("entered") : QStringLiteral("left"))
                                  .arg(value, 0, 'f', isTemperature ? 1 : 2)
                                  .arg(isTemperature ? QStringLiteral("degC") : QStringLiteral("m"))
                                  .arg(state && message && *message ? QStringLiteral(" - ") + QString::fromUtf8(message) : QString()));
}

void DemoWindow::onGraphMessage(int graph, const plotbase::WindowMessage& message) {
    if (static_cast<int>(message.kind) == DV_MSG_CONTROL) {
        if (TankControls) TankControls->controlChanged(graph, message);
        return;
    }
    if (message.kind != plotbase::WindowMessage::MouseDoubleClick) return;
    QWidget* window = plotbase::WGGetGraphWindow(env_, graph);
    rtObjFind(window);
    rtDefEditObject(window, graph);
}

}  // namespace dynaview::demo
