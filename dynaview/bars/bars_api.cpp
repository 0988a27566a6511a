// The bar graphs' exported functions.

#include "dynaview/bars/bars_api.h"

#include "dynaview/bars/bar_graph.h"
#include "dynaview/datasets/dyn_data_set.h"
#include "dynaview/frame/api_guard.h"
#include "dynaview/frame/api_refusals.h"
#include "dynaview/frame/object_access.h"
#include "dynaview/include/dynaview.h"
#include "plotbase/operations_change.h"
#include "plotbase/palette.h"

#include <cmath>

namespace dynaview {

namespace {

constexpr std::uint32_t GraphBackgroundRgb = 0xFFFFFFu;

const plotbase::Axis* axisOf(const plotbase::Graph& g, int index) { return g.objects.as<plotbase::Axis>(index, plotbase::AxisType); }

// The caller's per-bar arrays, each checked before anything is taken.
bool readBarArrays(const BarGraphRequest& r, BarGraph& bars) {
    const auto n = static_cast<std::size_t>(bars.barCount);
    bars.fills.fill(GraphBackgroundRgb);
    bars.hatches.fill(BarGraph::SolidHatch);
    bars.outlines.fill(-1);
    for (std::size_t i = 0; i < n; ++i) {
        if (r.fillColours && (r.fillColours[i] < 0 || r.fillColours[i] > 0xFFFFFF)) return false;
        if (r.hatchStyles && r.hatchStyles[i] != BarGraph::SolidHatch && (r.hatchStyles[i] < 0 || r.hatchStyles[i] >= BarGraph::HatchStyles))
            return false;
        if (r.outlineColours && r.outlineColours[i] >= plotbase::PaletteSize) return false;
    }
    for (std::size_t i = 0; i < n; ++i) {
        if (r.fillColours) bars.fills[i] = static_cast<std::uint32_t>(r.fillColours[i]);
        if (r.hatchStyles) bars.hatches[i] = static_cast<std::uint8_t>(r.hatchStyles[i]);
        if (r.outlineColours) bars.outlines[i] = r.outlineColours[i] < 0 ? -1 : r.outlineColours[i];
    }
    return true;
}

}  // namespace

int CreateBarGraph(plotbase::Environment& env, RTTop& top, const BarGraphRequest& r, const char* operation) {
    if (!CreatorAllowed(env)) return 0;
    plotbase::Graph* g = OpenGraph(env, r.graph);
    if (!g) return 0;
    const DynDataSet* set = api::DataSetOrReport(env, top, r.dataSet, operation);
    if (!set) return 0;
    if (!std::isfinite(r.baseValue) || !std::isfinite(r.firstPosition) || !std::isfinite(r.lastPosition) || !std::isfinite(r.barWidth))
        return api::Refuse(env, operation);

    auto bars = std::make_unique<BarGraph>();
    bars->orientation = r.orientationSwitch == 1 ? 0 : 1;
    bars->base = r.baseValue;
    bars->first = r.firstPosition;
    bars->last = r.lastPosition;
    bars->barCount = std::min(set->channels, BarGraph::MaxBars);
    bars->shown.fill(r.baseValue);
    const plotbase::Axis* xAxis = axisOf(*g, g->currentXAxis);
    const plotbase::Axis* yAxis = axisOf(*g, g->currentYAxis);
    bars->xRange = xAxis ? plotbase::WorldRange{xAxis->min, xAxis->max} : plotbase::WorldRange{g->xmin, g->xmax};
    bars->yRange = yAxis ? plotbase::WorldRange{yAxis->min, yAxis->max} : plotbase::WorldRange{g->ymin, g->ymax};
    const plotbase::WorldRange& positions = bars->orientation == 0 ? bars->xRange : bars->yRange;
    const double range = std::fabs(positions.max - positions.min);
    const double fraction = BarWidthFraction(r.barWidth, r.firstPosition, r.lastPosition, bars->barCount, range);
    if (!(range > 0.0) || !std::isfinite(fraction) || !readBarArrays(r, *bars)) return api::Refuse(env, operation);
    bars->widthFraction = static_cast<float>(fraction);

    BarGraph* record = bars.get();
    const int index = AddDynObject(env, r.graph, std::move(bars));
    if (!index) return 0;
    record->links[0] = static_cast<std::uint16_t>(xAxis ? g->currentXAxis : 0);
    record->links[1] = static_cast<std::uint16_t>(yAxis ? g->currentYAxis : 0);
    BindDataSet(top, *record, r.dataSet);
    plotbase::WGRedrawObject(env, r.graph, 0, 0);
    return index;
}

}  // namespace dynaview

using namespace dynaview;

extern "C" {

DV_API int WRSetBargraph(int graph, int dataSet, double baseValue, int orientationSwitch, double firstPosition,
                         double lastPosition, double barWidth, const int* fillColours, const int* hatchStyles,
                         const int* outlineColours) {
    return api::WithTop(0, "WRSetBargraph", [&](plotbase::Environment& env, RTTop& top) {
        const BarGraphRequest request{graph, dataSet, baseValue, orientationSwitch, firstPosition, lastPosition,
                                      barWidth, fillColours, hatchStyles, outlineColours};
        return CreateBarGraph(env, top, request, "WRSetBargraph");
    });
}

}  // extern "C"
