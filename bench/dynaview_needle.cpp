// A meter's needle update against repainting its dial. A triangle needle (style 2) on a dial
// of radius 190 pixels swings back and forth by the step in degrees (the argument). Counters:
//   repaint_ratio  area the update repainted / box of the old and new needles grown by the
//                  pen width (target <= 1.2)
//   dial_share     area the update repainted / the dial's bounding box
// NeedleUpdate and WholeDialRepaint give the two times; their ratio is the saving.

#include "dynaview/frame/object_access.h"
#include "dynaview/include/dynaview.h"
#include "dynaview/include/dynaview_cxx.h"
#include "dynaview/meters/meter.h"
#include "platform/doubles/scripted_dialogs.h"
#include "platform/numbers.h"
#include "plotbase/graph_widget.h"
#include "plotbase/plotbase.h"

#include <QCoreApplication>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>

namespace {

struct MeterPage {
    MeterPage() {
        handle = dynaview::RegisterEnvironment(env);
        InitRTDll(handle);
        host.resize(640, 480);
        page = plotbase::InitPage(env, "P", &host, "Meter", 0, 15, 8, plotbase::ChildWindow | plotbase::VisibleWindow, {}, nullptr);
        graph = plotbase::InitGraph(env, page, 0.0, 0.0, 1.0, 1.0, 0, 0, 0, nullptr);
        set = WRDefineDynDataSet("Needle", 1, nullptr, nullptr, 0);
        // Radius 0.3 x 640 = 192 pixels; 0..180 on 0..180 degrees: one unit per degree.
        index = WRSetMeter(graph, set, 0, 0.0, 180.0, 0.5, 0.55, 0.6, 0, 180, 2, nullptr, 0.08, 20.0, 1, 0, 0, 0, 1, 0, 1.0, nullptr);
        meter = dynamic_cast<dynaview::Meter*>(env.graph(graph)->objects.at(index));
        host.show();
        window = static_cast<plotbase::GraphWidget*>(plotbase::WGGetGraphWindow(env, graph));
        push(90.0);
        window->repaint();
        QCoreApplication::processEvents();
    }
    ~MeterPage() {
        KillRTPage(page);
        RTCleanup(handle);
        dynaview::ForgetEnvironment(env);
    }
    void push(double value) { WRUpdateData(set, &value, 0); }

    // The box of the needle at `degrees` (value = 180 - degrees), grown by the pen width.
    QRectF needleBox(double degrees) const {
        const plotbase::DrawContext context{env, graph, index, *plotbase::WGGetScaling(env, graph), {0, 0, 640, 480}, false};
        const dynaview::Meter::Geometry g = meter->geometry(context);
        const dynaview::NeedleSizes sizes = dynaview::NeedleSizesOf(meter->needleStyle, meter->attributes.width, g.radius);
        const auto& needle = meter->needles[0];
        const auto outline = dynaview::NeedleOutline(meter->needleStyle, g.centre, needle.length, needle.tail, sizes.base,
                                                     dynaview::InterpolatedSineCosine(degrees));
        double l = outline[0].x, r = l, t = outline[0].y, b = t;
        for (const auto& p : outline) l = std::min(l, p.x), r = std::max(r, p.x), t = std::min(t, p.y), b = std::max(b, p.y);
        return QRectF(QPointF(l, t), QPointF(r, b)).adjusted(-sizes.pen, -sizes.pen, sizes.pen, sizes.pen);
    }

    platform::ScriptedDialogs dialogs;
    platform::Numbers numbers;
    mutable plotbase::Environment env{dialogs, numbers};
    DVEnvironment* handle = nullptr;
    QWidget host;
    int page = 0, graph = 0, set = 0, index = 0;
    dynaview::Meter* meter = nullptr;
    plotbase::GraphWidget* window = nullptr;
};

void NeedleUpdate(benchmark::State& state) {
    MeterPage m;
    const double step = static_cast<double>(state.range(0));
    double value = 90.0, area = 0.0, box = 0.0, dial = 0.0;
    for (auto _ : state) {
        const double old = value;
        value = value == 90.0 ? 90.0 + step : 90.0;
        m.push(value);
        QCoreApplication::processEvents();
        const QRectF repainted = m.meter->lastRepaint();
        const QRectF ideal = m.needleBox(180.0 - old).united(m.needleBox(180.0 - value));
        area += repainted.width() * repainted.height();
        box += ideal.width() * ideal.height();
        const plotbase::DrawContext context{m.env, m.graph, m.index, *plotbase::WGGetScaling(m.env, m.graph), {0, 0, 640, 480}, false};
        const QRectF d = m.meter->geometry(context).dial;
        dial += d.width() * d.height();
    }
    state.counters["repaint_ratio"] = area / std::max(1.0, box);
    state.counters["dial_share"] = area / std::max(1.0, dial);
    state.counters["full_paints"] = m.window->fullPaintCount();
}
BENCHMARK(NeedleUpdate)->Arg(1)->Arg(5)->Arg(20)->Arg(60)->Unit(benchmark::kMicrosecond);

void WholeDialRepaint(benchmark::State& state) {
    MeterPage m;
    for (auto _ : state) {
        m.meter->dialChanged();
        m.window->invalidatePicture();
        m.window->repaint();
    }
}
BENCHMARK(WholeDialRepaint)->Unit(benchmark::kMicrosecond);

}  // namespace
