// The scrolling graphs' exported functions: the creators, history view, reset, change and
// query, and the logic graphs' bit names.

#include "dynaview/alarms/alarm_block.h"
#include "dynaview/datasets/dyn_data_set.h"
#include "dynaview/frame/api_guard.h"
#include "dynaview/frame/api_refusals.h"
#include "dynaview/frame/error_texts.h"
#include "dynaview/frame/object_access.h"
#include "dynaview/include/dynaview.h"
#include "dynaview/scroll/scroll_graph.h"
#include "plotbase/operations_change.h"
#include "plotbase/palette.h"

#include <cmath>
#include <cstring>
#include <string>

using namespace dynaview;
using namespace dynaview::scroll;
using api::DataSetOrReport;
using api::Refuse;
using api::WithTop;

namespace {

struct Traces {
    const int* patterns;
    const int* widths;
    const int* colours;
};

// The caller's trace attributes (each array may be null: the defaults stay), checked.
bool readTraces(ScrollGraph& g, const Traces& t) {
    for (int i = 0; i < g.traceCount; ++i) {
        const auto k = static_cast<std::size_t>(i);
        if (t.patterns) {
            if (t.patterns[i] < plotbase::SolidLine || t.patterns[i] > plotbase::NoLine) return false;
            g.params.patterns[k] = t.patterns[i];
        }
        if (t.widths) {
            if (t.widths[i] < 0 || t.widths[i] > 50) return false;
            g.params.widths[k] = t.widths[i];
        }
        if (t.colours) {
            if (t.colours[i] < 0 || t.colours[i] >= plotbase::PaletteSize) return false;
            g.params.colours[k] = t.colours[i];
        }
    }
    return true;
}

plotbase::WorldRange axisRange(const plotbase::Graph& g, int axisIndex, bool vertical) {
    if (const auto* axis = g.objects.as<plotbase::Axis>(axisIndex, plotbase::AxisType)) return {axis->min, axis->max};
    return vertical ? plotbase::WorldRange{g.ymin, g.ymax} : plotbase::WorldRange{g.xmin, g.xmax};
}

struct Creation {
    const char* operation;  // the name in the reports
    std::int16_t type;
    std::int16_t subtype;
    double sampleInterval;
    double relativeReset;
    int direction;
    int scrollStyle;
    Traces traces;
    int xyPoints = 0;
};

// The shared steps of every creator; `fill` sets what the subtype adds (before the
// geometry). Returns the object's index or 0.
template <typename Fill>
int create(const Creation& c, int graph, int dataSet, Fill&& fill) {
    return WithTop(0, c.operation, [&](plotbase::Environment& env, RTTop& top) -> int {
        if (!CreatorAllowed(env)) return 0;
        plotbase::Graph* g = OpenGraph(env, graph);
        if (!g) return 0;
        DynDataSet* set = DataSetOrReport(env, top, dataSet, c.operation);
        if (!set) return 0;
        auto object = std::make_unique<ScrollGraph>(c.type, c.subtype);
        ScrollGraph& s = *object;
        s.xRange = axisRange(*g, g->currentXAxis, false);
        s.yRange = axisRange(*g, g->currentYAxis, true);
        s.params.direction = c.direction;
        s.params.scrollStyle = c.scrollStyle;
        s.params.relativeResetAsked = c.relativeReset;
        s.params.patterns.fill(g->current.pattern);
        s.params.widths.fill(std::max(g->current.width, 1));
        s.traceCount = TracesFor(c.type, c.subtype, set->channels);
        if (c.scrollStyle < NoStep || c.scrollStyle > StepEnd || !std::isfinite(c.relativeReset) || c.relativeReset < 0.0 ||
            !readTraces(s, c.traces) || !fill(s, *set))
            return Refuse(env, c.operation);
        const double range = s.range();
        int points = 0;
        double reset = c.relativeReset;
        if (c.type == XYGraphType) {
            if (c.xyPoints < 2 || c.xyPoints > MaxPoints + 1 || set->channels < 2) return Refuse(env, c.operation);
            points = c.xyPoints;
            reset = 0.999;
            s.params.sampleInterval = 1.0;
        } else {
            if (c.subtype == VariableSubtype) s.params.sampleInterval = range / 30.0;
            else s.params.sampleInterval = c.sampleInterval;
            if (!IntervalFits(range, s.params.sampleInterval)) return Refuse(env, c.operation);
            points = c.subtype == VariableSubtype ? 31 : PointsAcross(range, s.params.sampleInterval);
            reset = c.subtype == SweepSubtype ? 0.0 : ReducedReset(reset, s.params.sampleInterval, range);
        }
        s.window = Geometry(points, reset, range);
        s.allocate(points);
        if (c.type == XYGraphType && !set->markXY()) return Refuse(env, c.operation);
        const int index = AddDynObject(env, graph, std::move(object));
        if (!index) return 0;
        auto* added = static_cast<ScrollGraph*>(g->objects.at(index));
        // The axes that scale it (plotbase clears the links of an object it takes in).
        added->links = {static_cast<std::uint16_t>(g->currentXAxis), static_cast<std::uint16_t>(g->currentYAxis)};
        BindDataSet(top, *added, dataSet);
        added->refillFromLive(set);
        plotbase::WGRedrawObject(env, graph, 0, 0);
        return index;
    });
}

auto noFill = [](ScrollGraph&, const DynDataSet&) { return true; };

// The scrolling or XY graph at the index; another object is refused as of the wrong type.
ScrollGraph* scrollGraphOrReport(plotbase::Environment& env, int graph, int object, const std::string& suffix, int wrongTypeCode = 0) {
    DynObject* d = FindDynObject(env, graph, object, suffix);
    if (!d) return nullptr;
    auto* s = (d->type == ScrollGraphType || d->type == XYGraphType) ? dynamic_cast<ScrollGraph*>(d) : nullptr;
    if (!s) {
        if (wrongTypeCode) ReportDynError(env, wrongTypeCode, 2, suffix);
        else ReportWrongType(env, *d, suffix);
    }
    return s;
}

}  // namespace

extern "C" {

DV_API int WRSetScrollGraph(int graph, int dataSet, double sampleInterval, double relativeReset, int direction, int scrollStyle,
                            const int* patterns, const int* widths, const int* colours) {
    return create({"WRSetScrollGraph", ScrollGraphType, LinesSubtype, sampleInterval, relativeReset, direction, scrollStyle,
                   {patterns, widths, colours}},
                  graph, dataSet, noFill);
}

DV_API int WRSetStackedGraph(int graph, int dataSet, double sampleInterval, double relativeReset, int direction, int scrollStyle,
                             const int* patterns, const int* widths, const int* colours) {
    return create({"WRSetScrollGraph", ScrollGraphType, StackedSubtype, sampleInterval, relativeReset, direction, scrollStyle,
                   {patterns, widths, colours}},
                  graph, dataSet, noFill);
}

DV_API int WRSetLogicGraph(int graph, int dataSet, double sampleInterval, double relativeReset, int direction, int scrollStyle,
                           const int* patterns, const int* widths, const int* colours) {
    return create({"WRSetScrollGraph", ScrollGraphType, LogicSubtype, sampleInterval, relativeReset, direction, scrollStyle,
                   {patterns, widths, colours}},
                  graph, dataSet, noFill);
}

DV_API int WRSetSweepGraph(int graph, int dataSet, double sampleInterval, int direction, int scrollStyle, int sweepLineColour,
                           const int* patterns, const int* widths, const int* colours) {
    return create({"WRSetSweepGraph", ScrollGraphType, SweepSubtype, sampleInterval, 0.0, direction, scrollStyle, {patterns, widths, colours}},
                  graph, dataSet, [&](ScrollGraph& s, const DynDataSet&) {
                      if (sweepLineColour >= plotbase::PaletteSize) return false;
                      s.params.sweepLineColour = sweepLineColour < 0 ? -1 : sweepLineColour;
                      return true;
                  });
}

DV_API int WRSetVarScroll(int graph, int dataSet, double relativeReset, int direction, int scrollStyle, const int* patterns,
                          const int* widths, const int* colours) {
    return create({"WRSetVarScroll", ScrollGraphType, VariableSubtype, 0.0, relativeReset, direction, scrollStyle, {patterns, widths, colours}},
                  graph, dataSet, [](ScrollGraph&, const DynDataSet& set) { return set.channels >= 2; });
}

DV_API int WRSetXYGraph(int graph, int dataSet, int points, const int* patterns, const int* widths, const int* colours) {
    Creation c{"WRSetXYGraph", XYGraphType, XYSubtype, 1.0, 0.999, 1, NoStep, {patterns, widths, colours}};
    c.xyPoints = points;
    return create(c, graph, dataSet, noFill);
}

DV_API int WRSetScrollBargraph(int graph, int dataSet, int channel, double sampleInterval, double relativeReset, int direction,
                               double barWidth, int hatchStyle, int colour) {
    return create({"WRSetScrollGraph", ScrollGraphType, BarsSubtype, sampleInterval, relativeReset, direction, NoStep, {nullptr, nullptr, nullptr}},
                  graph, dataSet, [&](ScrollGraph& s, const DynDataSet& set) {
                      if (channel < 0 || channel >= set.channels || !std::isfinite(barWidth) || barWidth < 0.0 || hatchStyle < -1 ||
                          hatchStyle > 5 || colour < 0 || colour >= plotbase::PaletteSize)
                          return false;
                      s.params.barChannel = channel;
                      s.params.barWidth = barWidth;
                      s.params.hatchStyle = hatchStyle;
                      s.params.barColour = colour;
                      s.params.colours[0] = colour;
                      return true;
                  });
}

DV_API int WRShowHist(int graph, int object, double timeBack, double* shownTimeBack) {
    return WithTop(0, "WRShowHist", [&](plotbase::Environment& env, RTTop& top) {
        ScrollGraph* s = scrollGraphOrReport(env, graph, object, " - WRShowHist");
        if (!s) return 0;
        if (std::isnan(timeBack)) return Refuse(env, "WRShowHist");
        const DynDataSet* set = s->dataSet(&top);
        if (!set) return 0;
        double shown = 0.0;
        switch (s->showHistory(ObjectPlace{env, graph, object}, *set, timeBack, shown)) {
        case ScrollGraph::HistoryRefusal::None: break;
        case ScrollGraph::HistoryRefusal::NoHistory: ReportDynError(env, NoHistory, 2, set->name); return 0;
        default: return 0;
        }
        if (shownTimeBack) *shownTimeBack = shown;
        return 1;
    });
}

DV_API int WRMoveHistScroll(int graph, int object, double deltaTime, double* movedTime) {
    return WithTop(0, "WRMoveHistScroll", [&](plotbase::Environment& env, RTTop&) {
        ScrollGraph* s = scrollGraphOrReport(env, graph, object, " - WRMoveHistScroll");
        if (!s) return 0;
        if (std::isnan(deltaTime)) return Refuse(env, "WRMoveHistScroll");
        if (!s->historyShown()) return 0;
        const double moved = s->moveHistory(ObjectPlace{env, graph, object}, deltaTime);
        if (movedTime) *movedTime = moved;
        return 1;
    });
}

DV_API int WRResumeScroll(int graph, int object) {
    return WithTop(0, "WRResumeScroll", [&](plotbase::Environment& env, RTTop& top) {
        ScrollGraph* s = scrollGraphOrReport(env, graph, object, " - WRResumeScroll");
        if (!s || !s->historyShown()) return 0;
        const DynDataSet* set = s->dataSet(&top);
        if (!set) {
            s->dropHistory();
            return 0;
        }
        s->resume(ObjectPlace{env, graph, object}, *set);
        return 1;
    });
}

DV_API int WRResetScroll(int graph, int object) {
    return WithTop(0, "WRResetScroll", [&](plotbase::Environment& env, RTTop&) {
        ScrollGraph* s = scrollGraphOrReport(env, graph, object, " - WRResetScroll", plotbase::InvalidRecord);
        if (!s) return 0;
        s->dropHistory();
        s->clear();
        plotbase::WGRedrawObject(env, graph, 0, 0);
        return 1;
    });
}

DV_API int WRChangeScrollGraph(int graph, int object, double sampleInterval, double relativeReset, int scrollStyle) {
    return WithTop(0, "WRChangeScrollGraph", [&](plotbase::Environment& env, RTTop& top) {
        ScrollGraph* s = scrollGraphOrReport(env, graph, object, " - WRChangeScrollGraph");
        if (!s) return 0;
        const bool newInterval = !s->isXY() && !s->isVariable() && sampleInterval != s->params.sampleInterval;
        if (scrollStyle < NoStep || scrollStyle > StepEnd || !std::isfinite(relativeReset) || relativeReset < 0.0 || relativeReset > 1.0 ||
            (newInterval && !IntervalFits(s->range(), sampleInterval)))
            return Refuse(env, "WRChangeScrollGraph");
        if (!s->isSweep()) {
            s->params.relativeResetAsked = relativeReset;
            s->setRelativeReset(relativeReset);
        }
        s->params.scrollStyle = scrollStyle;
        if (newInterval) {
            s->dropHistory();
            s->setSampleInterval(sampleInterval);
            s->refillFromLive(s->dataSet(&top));
        }
        plotbase::WGRedrawObject(env, graph, 0, 0);
        return 1;
    });
}

DV_API int WRGetScrollGraphParams(int graph, int object, double* sampleInterval, double* relativeReset, int* scrollStyle) {
    return WithTop(0, "WRGetScrollGraph", [&](plotbase::Environment& env, RTTop&) {
        ScrollGraph* s = scrollGraphOrReport(env, graph, object, " - WRGetScrollGraph");
        if (!s) return 0;
        if (sampleInterval && !s->isVariable()) *sampleInterval = s->params.sampleInterval;
        if (relativeReset) *relativeReset = s->window.relativeReset;
        if (scrollStyle) *scrollStyle = s->params.scrollStyle;
        return 1;
    });
}

DV_API int WRLogicTags(int graph, int object, const char* tags) {
    return WithTop(0, "WRLogicTags", [&](plotbase::Environment& env, RTTop&) {
        ScrollGraph* s = scrollGraphOrReport(env, graph, object, " - WRLogicTags");
        if (!s) return 0;
        if (!s->isLogic()) {
            ReportWrongType(env, *s, " - WRLogicTags");
            return 0;
        }
        // One 16-byte entry per bit shown, each cut to 15 characters.
        for (int bit = 0; bit < LogicBits; ++bit)
            s->logicTags[static_cast<std::size_t>(bit)] = tags && bit < s->traceCount ? CutText(tags + 16 * bit, 15) : std::string();
        plotbase::WGRedrawObject(env, graph, 0, 0);
        return 1;
    });
}

DV_API int WRLogicTagsPtr(int graph, int object, const char* const* tags) {
    return WithTop(0, "WRLogicTagsPtr", [&](plotbase::Environment& env, RTTop&) {
        ScrollGraph* s = scrollGraphOrReport(env, graph, object, " - WRLogicTagsPtr");
        if (!s) return 0;
        if (!s->isLogic()) {
            ReportWrongType(env, *s, " - WRLogicTagsPtr");
            return 0;
        }
        for (int bit = 0; bit < LogicBits; ++bit)
            s->logicTags[static_cast<std::size_t>(bit)] = tags && bit < s->traceCount ? CutText(tags[bit], 15) : std::string();
        plotbase::WGRedrawObject(env, graph, 0, 0);
        return 1;
    });
}

}  // extern "C"
