// The waveform graph's drawing cost: a 2048-point DrawWaveform (new data set, distance axis)
// followed by the repaint of the page into an image of the main window's size (target:
// under 5 ms together), and the two halves on their own.

#include "graph/gallery/synthetic_waveform.h"
#include "graph/tdr_gfx.h"
#include "platform/doubles/scripted_dialogs.h"
#include "platform/numbers.h"
#include "plotbase/plotbase.h"

#include <QImage>
#include <QWidget>

#include <benchmark/benchmark.h>

namespace {

constexpr int Points = 2048;

struct GraphOnPage {
    GraphOnPage() : store(graph::gallery::makeReflectionWaveform({})), gfx(dialogs, numbers, store) {
        host.resize(472, 318);
        gfx.CreateGraphPage(&host);
        gfx.SetValueAxis(-1.0f, 1.0f);
        const auto& trace = store.trace();
        gfx.MoveMarkers(Points, false, 10.0f, 0.0f, trace.marker1, trace.marker2);
        gfx.DrawDerivative(Points, 0.0f, 10.0f);
        gfx.DrawSavedData(Points, trace.waveform, 0.0f, 10.0f);
    }
    platform::ScriptedDialogs dialogs;
    platform::Numbers numbers;
    graph::gallery::SyntheticStore store;
    QWidget host;
    graph::TDRGFX gfx;
};

void DrawWaveformAndRepaint(benchmark::State& state) {
    GraphOnPage page;
    QImage image(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        page.gfx.DrawWaveform(Points, 0.0f, 10.0f);
        plotbase::RenderPage(page.gfx.environment(), page.gfx.handles().page, image);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(DrawWaveformAndRepaint)->Args({640, 482})->Args({472, 318})->Unit(benchmark::kMillisecond);

void DrawWaveformOnly(benchmark::State& state) {
    GraphOnPage page;
    for (auto _ : state) benchmark::DoNotOptimize(page.gfx.DrawWaveform(Points, 0.0f, 10.0f));
}
BENCHMARK(DrawWaveformOnly)->Unit(benchmark::kMicrosecond);

void RepaintOnly(benchmark::State& state) {
    GraphOnPage page;
    page.gfx.DrawWaveform(Points, 0.0f, 10.0f);
    QImage image(640, 482, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        plotbase::RenderPage(page.gfx.environment(), page.gfx.handles().page, image);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(RepaintOnly)->Unit(benchmark::kMillisecond);

}  // namespace
