// A bar graph update repaints the strip between each bar's old and new end. This measures,
// per update of a five-channel bar graph in a 640 x 400 window, the pixels repainted
// (the strips handed to the window) against the pixels whose colour changed (target:
// at most 1.2 times), and the time of an update against a full paint of the graph.

#include "dynaview/bars/bar_graph.h"
#include "dynaview/frame/object_access.h"
#include "dynaview/include/dynaview.h"
#include "dynaview/include/dynaview_cxx.h"
#include "platform/doubles/scripted_dialogs.h"
#include "platform/numbers.h"
#include "platform/virtual_clock.h"
#include "plotbase/graph_widget.h"
#include "plotbase/plotbase.h"

#include <QImage>
#include <QPainter>
#include <QTest>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <array>
#include <random>

namespace {

constexpr int Bars = 5;

struct BarDisplay {
    explicit BarDisplay(bool outlined) : clock(0) {
        dynaview::ResetLibrary();
        dynaview::UseClock(&clock);
        handle = dynaview::RegisterEnvironment(env);
        InitRTDll(handle);
        host.resize(640, 400);
        const int page = plotbase::InitPage(env, "BARS", &host, "Bars", 0, 15, 8, plotbase::ChildWindow | plotbase::VisibleWindow, {}, nullptr);
        graph = plotbase::InitGraph(env, page, 0.0, 0.0, 1.0, 1.0, 0, 0, 0, nullptr);
        plotbase::WGSetPlotArea(env, graph, 0.1, 0.1, 0.9, 0.9, plotbase::ClipToPlotArea);
        plotbase::WGScalePlotArea(env, graph, 0.0, 0.0, 6.0, 100.0);
        plotbase::WGDrawXAxis(env, graph, 1.0, 0, 0);
        const int yAxis = plotbase::WGDrawYAxis(env, graph, 20.0, 1, 1);
        plotbase::WGLabelAxis(env, graph, yAxis, 0);
        plotbase::WGDrawGrid(env, graph, yAxis, 0);
        set = WRDefineDynDataSet("Levels", Bars, "%", nullptr, 0);
        const int fills[Bars] = {0xD62728, 0x1F4E9C, 0x22B14C, 0xF07F0F, 0x8E3FA8};
        const int outlines[Bars] = {0, 0, 0, 0, 0};
        index = WRSetBargraph(graph, set, 0.0, 1, 1.0, 5.0, -1.0, fills, nullptr, outlined ? outlines : nullptr);
        host.show();
        (void)QTest::qWaitForWindowExposed(&host);
        window = static_cast<plotbase::GraphWidget*>(plotbase::WGGetGraphWindow(env, graph));
        window->repaint();
        values.fill(50.0);
    }
    ~BarDisplay() {
        dynaview::ForgetEnvironment(env);
        dynaview::ResetLibrary();
    }
    // A random walk of every channel, a few percent a step.
    void step() {
        for (double& v : values) v = std::clamp(v + walk(random), 0.0, 100.0);
        WRUpdateData(set, values.data(), 0);
    }
    dynaview::BarGraph& bars() { return *dynaview::FindDynObjectOf<dynaview::BarGraph>(env, graph, index, dynaview::BarGraphType); }

    platform::ScriptedDialogs dialogs;
    platform::Numbers numbers;
    platform::VirtualClock clock;
    QWidget host;
    plotbase::Environment env{dialogs, numbers};
    DVEnvironment* handle = nullptr;
    int graph = 0, set = 0, index = 0;
    plotbase::GraphWidget* window = nullptr;
    std::array<double, Bars> values{};
    std::mt19937 random{7};
    std::uniform_real_distribution<double> walk{-5.0, 5.0};
};

long long changedPixels(const QImage& before, const QImage& after) {
    long long n = 0;
    for (int y = 0; y < before.height(); ++y) {
        const auto* a = reinterpret_cast<const QRgb*>(before.constScanLine(y));
        const auto* b = reinterpret_cast<const QRgb*>(after.constScanLine(y));
        for (int x = 0; x < before.width(); ++x) n += a[x] != b[x];
    }
    return n;
}

// Pixels repainted against pixels changed, over many updates.
void BarUpdatePixels(benchmark::State& state) {
    BarDisplay display(state.range(0) != 0);
    long long repainted = 0, changed = 0, updates = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const QImage before = display.window->picture().copy();
        state.ResumeTiming();
        display.step();
        state.PauseTiming();
        for (const QRect& strip : display.bars().lastStrips) repainted += static_cast<long long>(strip.width()) * strip.height();
        changed += changedPixels(before, display.window->picture());
        ++updates;
        state.ResumeTiming();
    }
    state.counters["repainted_px"] = benchmark::Counter(static_cast<double>(repainted) / static_cast<double>(updates));
    state.counters["changed_px"] = benchmark::Counter(static_cast<double>(changed) / static_cast<double>(updates));
    state.counters["ratio"] = benchmark::Counter(changed ? static_cast<double>(repainted) / static_cast<double>(changed) : 0.0);
    state.counters["window_px"] = benchmark::Counter(640.0 * 400.0);
}
BENCHMARK(BarUpdatePixels)->ArgName("outlined")->Arg(0)->Arg(1)->Iterations(2000)->Unit(benchmark::kMicrosecond);

// The time of one update (five strips) ...
void BarUpdate(benchmark::State& state) {
    BarDisplay display(false);
    for (auto _ : state) display.step();
}
BENCHMARK(BarUpdate)->Unit(benchmark::kMicrosecond);

// ... against drawing the whole graph once.
void FullPaint(benchmark::State& state) {
    BarDisplay display(false);
    display.step();
    QImage image(display.window->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&image);
        plotbase::ObjectInterpreter(display.env, display.graph, painter, QRectF(image.rect()));
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(FullPaint)->Unit(benchmark::kMicrosecond);

}  // namespace
