// The exported functions of the dynamic grid, the legends and the automatic rescale.

#include "dynaview/datasets/dyn_data_set.h"
#include "dynaview/frame/api_guard.h"
#include "dynaview/frame/api_refusals.h"
#include "dynaview/frame/object_access.h"
#include "dynaview/frame/update_timer.h"
#include "dynaview/frame/error_texts.h"
#include "dynaview/include/dynaview.h"
#include "dynaview/scroll/scroll_graph.h"
#include "dynaview/timeaxis/time_axis_state.h"
#include "dynaview/timeaxis/dynamic_grid.h"
#include "dynaview/timeaxis/legend.h"
#include "dynaview/timeaxis/nice_range.h"
#include "dynaview/timeaxis/time_labels.h"
#include "plotbase/graph_layout.h"
#include "plotbase/operations_change.h"
#include "plotbase/operations_setup.h"

#include <QWidget>

#include <cmath>
#include <memory>

using namespace dynaview;
using api::Refuse;
using api::WithTop;

namespace {

const plotbase::Axis* axisOrReport(plotbase::Environment& env, const plotbase::Graph& g, int axis, const char* operation) {
    const auto* object = g.objects.as<plotbase::Axis>(axis, plotbase::AxisType);
    if (!object) ReportDynError(env, plotbase::NoSuchAxis, 2, std::string(" - ") + operation);
    return object;
}

DynamicGrid* gridOfAxis(const plotbase::Graph& g, int axis, int& index) {
    for (int i = 1; i <= g.objects.size(); ++i) {
        auto* grid = dynamic_cast<DynamicGrid*>(g.objects.at(i));
        if (grid && grid->axis() == axis) {
            index = i;
            return grid;
        }
    }
    return nullptr;
}

bool percentOk(double value) { return std::isfinite(value) && value >= 0.0 && value <= 100.0; }

int makeLegend(int graph, int object, double left, double top, int columns, const char* const* texts, const char* operation) {
    return WithTop(0, operation, [&](plotbase::Environment& env, RTTop& rt) {
        if (!CreatorAllowed(env)) return 0;
        if (!OpenGraph(env, graph)) return 0;
        const DynObject* source = FindDynObject(env, graph, object, std::string(" - ") + operation);
        if (!source) return 0;
        const DynDataSet* set = source->dataSet(&rt);
        if (!set) {
            ReportDynError(env, plotbase::NoSuchDataSet, 2, std::string(" - ") + operation);
            return 0;
        }
        if (!percentOk(left) || !percentOk(top) || columns < 1 || columns > MaxChannels) return Refuse(env, operation);
        auto legend = std::make_unique<Legend>();
        legend->source = object;
        legend->sourceRecord = source;
        legend->left = left;
        legend->top = top;
        legend->columns = columns;
        if (texts) {
            for (int channel = 0; channel < set->channels; ++channel) {
                const char* text = texts[channel];
                legend->names.push_back(text ? CutText(text, Legend::NameLength) : std::string());
            }
        }
        const int index = AddDynObject(env, graph, std::move(legend));
        if (index) plotbase::WGRedrawObject(env, graph, 0, 0);
        return index;
    });
}

// The axis the values of the object run along, of its linked axes (else the graph's
// current ones): for a scrolling graph the one across its direction of advance, for
// another object the vertical one unless that is a time axis.
int valueAxisOf(plotbase::Environment& env, int graph, const plotbase::Graph& g, const DynObject& object) {
    std::vector<int> candidates;
    for (int link : object.links)
        if (g.objects.as<plotbase::Axis>(link, plotbase::AxisType)) candidates.push_back(link);
    if (candidates.empty())
        for (int current : {g.currentYAxis, g.currentXAxis})
            if (g.objects.as<plotbase::Axis>(current, plotbase::AxisType)) candidates.push_back(current);
    const auto* scroll = dynamic_cast<const scroll::ScrollGraph*>(&object);
    int vertical = 0, horizontal = 0;
    for (int index : candidates) {
        const auto* axis = g.objects.as<plotbase::Axis>(index, plotbase::AxisType);
        if (!scroll && TimeAxisUnit(env, graph, index)) continue;
        int& slot = axis->vertical() ? vertical : horizontal;
        if (!slot) slot = index;
    }
    if (scroll && !scroll->isXY()) return scroll->params.direction == 1 ? vertical : horizontal;
    return vertical ? vertical : horizontal;
}

// The values the object's data set holds: its history when it keeps one, else its latest
// two samples.
bool valueSpan(const DynDataSet& set, double& low, double& high) {
    if (set.history.minMax(-1, low, high)) return true;
    low = high = set.current[0];
    for (int c = 0; c < set.copiedValues() && c < MaxChannels; ++c) {
        for (float v : {set.current[static_cast<std::size_t>(c)], set.previous[static_cast<std::size_t>(c)]}) {
            low = std::min(low, static_cast<double>(v));
            high = std::max(high, static_cast<double>(v));
        }
    }
    return std::isfinite(low) && std::isfinite(high);
}

}  // namespace

extern "C" {

DV_API int WRDynGrid(int graph, int axis, int which, int refreshPeriod) {
    return WithTop(0, "WRDynGrid", [&](plotbase::Environment& env, RTTop&) {
        plotbase::Graph* g = OpenGraph(env, graph);
        if (!g || !axisOrReport(env, *g, axis, "WRDynGrid")) return 0;
        if (which < 0 || which > 1 || refreshPeriod < 0 || refreshPeriod > 65535) return Refuse(env, "WRDynGrid");
        const DynamicGrid::Line line{true, g->current.pattern, g->current.width, g->current.colour};
        // One object per axis holds both grids: the second call adds to the first.
        int index = 0;
        DynamicGrid* grid = gridOfAxis(*g, axis, index);
        if (!grid) {
            if (!CreatorAllowed(env)) return 0;
            auto made = std::make_unique<DynamicGrid>();
            grid = made.get();
            index = AddDynObject(env, graph, std::move(made));
            if (!index) return 0;
            grid->links[0] = static_cast<std::uint16_t>(axis);
        }
        grid->grids[static_cast<std::size_t>(which)] = line;
        if (refreshPeriod > 0) {
            grid->refreshPeriod = refreshPeriod;
            RegisterTimerUpdate(env, graph, index, refreshPeriod);
        }
        plotbase::WGRedrawObject(env, graph, 0, 0);
        return index;
    });
}

DV_API int WRDynLegend(int graph, int object, double left, double top, int columns) {
    return makeLegend(graph, object, left, top, columns, nullptr, "WRDynLegend");
}

DV_API int WRDynLegendPtr(int graph, int object, double left, double top, int columns, const char* const* texts) {
    return makeLegend(graph, object, left, top, columns, texts, "WRDynLegendPtr");
}

DV_API int TextItemCoords(int graph, int object, int item, double* x, double* y) {
    return WithTop(0, "TextItemCoords", [&](plotbase::Environment& env, RTTop&) {
        plotbase::Graph* g = OpenGraph(env, graph);
        if (!g) return 0;
        const DynObject* d = FindDynObject(env, graph, object, " - TextItemCoords");
        if (!d) return 0;
        if (!x || !y) return Refuse(env, "TextItemCoords");
        // Laid out over the graph's window as it is now.
        const QWidget* window = plotbase::WGGetGraphWindow(env, graph);
        const QRectF r = window ? QRectF(window->rect()) : QRectF();
        if (r.isEmpty()) {
            ReportDynError(env, plotbase::InvalidRecord, 2, " - TextItemCoords");
            return 0;
        }
        const plotbase::Scaling scaling = plotbase::detail::GraphLayout::scalingFor(*g, r, *d);
        const plotbase::DrawContext context{env, graph, object, scaling, {r.left(), r.top(), r.width(), r.height()}, false};
        const auto* legend = dynamic_cast<const Legend*>(d);
        if (!legend) {
            ReportWrongType(env, *d, " - TextItemCoords");
            return 0;
        }
        const QRectF cell = legend->itemRect(context, item);
        if (cell.isNull()) {
            ReportDynError(env, plotbase::InvalidRecord, 2, " - TextItemCoords");
            return 0;
        }
        *x = (cell.left() - r.left()) / r.width() * 100.0;
        *y = (cell.top() - r.top()) / r.height() * 100.0;
        return 1;
    });
}

DV_API int WRAutoRescale(int graph, int object) {
    return WithTop(0, "WRAutoRescale", [&](plotbase::Environment& env, RTTop& rt) {
        plotbase::Graph* g = OpenGraph(env, graph);
        if (!g) return 0;
        const DynObject* d = FindDynObject(env, graph, object, " - WRAutoRescale");
        if (!d) return 0;
        const DynDataSet* set = d->dataSet(&rt);
        if (!set) {
            ReportDynError(env, plotbase::NoSuchDataSet, 2, " - WRAutoRescale");
            return 0;
        }
        DynObject* own = FindDynObject(env, graph, object);
        const int axisIndex = valueAxisOf(env, graph, *g, *d);
        if (!axisIndex) {
            ReportDynError(env, plotbase::NoSuchAxis, 2, " - WRAutoRescale");
            return 0;
        }
        double low = 0.0, high = 0.0;
        NiceRange range;
        if (!valueSpan(*set, low, high) || !NiceRangeFor(low, high, range)) return Refuse(env, "WRAutoRescale");
        // The objects linked to the axis are asked through the rescale hook; one that cannot
        // take the range puts the old one back (error 135). The object itself is asked too
        // when it is not linked to the axis (a scrolling graph's value axis never limits it).
        const bool linked = own->links[0] == axisIndex || own->links[1] == axisIndex;
        const bool scrolling = dynamic_cast<const scroll::ScrollGraph*>(own) != nullptr;
        if (!linked && !scrolling && !own->acceptsRange(range.max - range.min)) {
            ReportDynError(env, RangeTooLarge);
            return 0;
        }
        plotbase::WGChangeAxisRange(env, graph, axisIndex, range.min, range.max);
        const auto* axis = g->objects.as<plotbase::Axis>(axisIndex, plotbase::AxisType);
        if (!axis || axis->min != range.min || axis->max != range.max) return 0;
        if (!linked && FindDynObject(env, graph, object) == own) {
            (axis->vertical() ? own->yRange : own->xRange) = {range.min, range.max};
            own->rescaled(ObjectPlace{env, graph, object});
        }
        plotbase::WGChangeAxisTicks(env, graph, axisIndex, range.step, axis->tickCount, axis->side);
        return 1;
    });
}

}  // extern "C"
