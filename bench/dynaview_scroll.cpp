// The cost of one sample pushed into a live chart, with 3 channels across 1000 and 10000
// points: dynaview's scrolling graph (which draws only the new segments into the graph
// window's picture and repaints their rectangle) against QCustomPlot appending the same
// sample to 3 graphs and replotting its window. Both windows are 1000 x 400 on the offscreen
// platform and have their paint events processed after every sample.
//
//   build/release/bench/bench_dynaview_scroll --benchmark_min_time=2

#include "dynaview/include/dynaview.h"

#include <QWidget>
#include <qcustomplot.h>

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

constexpr int Width = 1000;
constexpr int Height = 400;
constexpr int Channels = 3;

double sampleValue(long long k, int channel) { return 50.0 + 40.0 * std::sin(0.01 * static_cast<double>(k) + channel); }

void DynaviewScrollSample(benchmark::State& state) {
    const int points = static_cast<int>(state.range(0));
    DVEnvironment* env = dvCreateEnvironment("bench");
    auto* host = static_cast<QWidget*>(dvCreateHostWindow(env, "bench", Width, Height));
    InitRTDll(env);
    const int set = WRDefineDynDataSet("Bench", Channels, nullptr, nullptr, 0);
    const int page = dvCreatePage(env, host, "Bench");
    const int graph = dvCreateGraph(env, page, 0.0, 0.0, 1.0, 1.0);
    dvSetPlotArea(env, graph, 0.08, 0.05, 0.98, 0.9);
    dvScalePlotArea(env, graph, 0.0, 0.0, points - 1, 100.0);
    dvLabelAxis(env, graph, dvDrawXAxis(env, graph, (points - 1) / 5.0, 1, 0), 0);
    dvLabelAxis(env, graph, dvDrawYAxis(env, graph, 20.0, 1, 1), 0);
    const int colours[Channels] = {4, 14, 2};
    WRSetScrollGraph(graph, set, 1.0, 0.5, 1, 0, nullptr, nullptr, colours);
    host->repaint();
    long long k = 0;
    double sample[Channels];
    auto push = [&] {
        for (int c = 0; c < Channels; ++c) sample[c] = sampleValue(k, c);
        ++k;
        WRUpdateData(set, sample, graph);
    };
    // A full window first, so that the loop runs in the steady state with its jumps.
    for (int i = 0; i < points; ++i) push();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        push();
        QCoreApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations());
    KillRTPage(page);
    RTCleanup(env);
    dvDestroyEnvironment(env);
}
BENCHMARK(DynaviewScrollSample)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

void QCustomPlotAppendAndReplot(benchmark::State& state) {
    const int points = static_cast<int>(state.range(0));
    QCustomPlot plot;
    plot.resize(Width, Height);
    const QColor colours[Channels] = {Qt::red, Qt::blue, Qt::darkGreen};
    for (int c = 0; c < Channels; ++c) plot.addGraph()->setPen(QPen(colours[c]));
    plot.yAxis->setRange(0.0, 100.0);
    plot.show();
    long long k = 0;
    auto push = [&] {
        const double key = static_cast<double>(k);
        for (int c = 0; c < Channels; ++c) {
            QCPGraph* g = plot.graph(c);
            g->addData(key, sampleValue(k, c));
            g->data()->removeBefore(key - (points - 1));
        }
        ++k;
        plot.xAxis->setRange(key - (points - 1), key);
        plot.replot();
    };
    for (int i = 0; i < points; ++i) {
        const double key = static_cast<double>(k);
        for (int c = 0; c < Channels; ++c) plot.graph(c)->addData(key, sampleValue(k, c));
        ++k;
    }
    plot.replot();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        push();
        QCoreApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(QCustomPlotAppendAndReplot)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

}  // namespace
