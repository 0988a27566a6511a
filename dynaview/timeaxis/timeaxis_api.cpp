// The exported functions of the time axes and labels, and their link to the scrolling
// graphs (which labels a graph moves on when it jumps).

#include "dynaview/frame/api_guard.h"
#include "dynaview/frame/api_refusals.h"
#include "dynaview/frame/object_access.h"
#include "dynaview/frame/time_label_link.h"
#include "dynaview/include/dynaview.h"
#include "dynaview/timeaxis/time_axis_state.h"
#include "dynaview/timeaxis/time_labels.h"
#include "plotbase/operations_build.h"
#include "plotbase/operations_change.h"

#include <cmath>
#include <memory>

using namespace dynaview;
using api::Refuse;
using api::WithTop;

namespace {

// The labels' settings changed from `before`: show them again.
void changed(plotbase::Environment& env, int graph, int index, TimeLabels& labels, const TimeLabelSettings& before) {
    labels.redraw(ObjectPlace{env, graph, index}, before);
}

// The labels and the scrolling graph of an attach or detach: both must exist (error 56);
// labels of another type, or an object that holds no labels, are refused with error 30.
struct LinkEnds {
    TimeLabels* labels = nullptr;
    TimeLabelSlots* holder = nullptr;
};

LinkEnds linkEnds(plotbase::Environment& env, int graph, int labelsIndex, int scrollIndex, const char* operation) {
    const std::string suffix = std::string(" - ") + operation;
    DynObject* labels = FindDynObject(env, graph, labelsIndex, suffix);
    DynObject* scroll = labels ? FindDynObject(env, graph, scrollIndex, suffix) : nullptr;
    if (!labels || !scroll) return {};
    auto* timeLabels = dynamic_cast<TimeLabels*>(labels);
    TimeLabelSlots* holder = scroll->timeLabelSlots();
    if (!timeLabels || !holder) {
        ReportDynError(env, plotbase::InvalidRecord, 2, suffix);
        return {};
    }
    return {timeLabels, holder};
}

}  // namespace

extern "C" {

DV_API int WRDrawTimeAxis(int graph, double tickSpacing, int minorTicks, int side, double intercept, int direction, int unit) {
    return WithTop(0, "WRDrawTimeAxis", [&](plotbase::Environment& env, RTTop&) {
        plotbase::Graph* g = OpenGraph(env, graph);
        if (!g) return 0;
        if (unit < Seconds || unit > Hours || !std::isfinite(intercept)) return Refuse(env, "WRDrawTimeAxis");
        const int index = direction == 1 ? plotbase::WGDrawXAxis(env, graph, tickSpacing, minorTicks, side)
                                         : plotbase::WGDrawYAxis(env, graph, tickSpacing, minorTicks, side);
        auto* axis = index ? g->objects.as<plotbase::Axis>(index, plotbase::AxisType) : nullptr;
        if (!axis) return 0;
        axis->intercept = intercept;
        if (!axis->vertical()) axis->subtype = TimeAxisSubtype;
        if (TimeAxisState* state = TimeAxisStateOf(env)) state->markTimeAxis(graph, index, axis, unit);
        plotbase::WGRedrawObject(env, graph, 0, 0);
        return index;
    });
}

DV_API int WRLabelTimeAxis(int graph, int axis, int position, int format, int decimals, int hours, int minutes, int seconds,
                           double numericStart, int lastLabelMode, const char* fixedText) {
    return WithTop(0, "WRLabelTimeAxis", [&](plotbase::Environment& env, RTTop&) {
        if (!CreatorAllowed(env)) return 0;
        plotbase::Graph* g = OpenGraph(env, graph);
        if (!g) return 0;
        const plotbase::GraphObject* object = axis >= 1 && axis <= g->objects.size() ? g->objects.at(axis) : nullptr;
        if (!object) {
            ReportDynError(env, plotbase::NoSuchAxis, 2, " - WRLabelTimeAxis");
            return 0;
        }
        if (object->type != plotbase::AxisType) {
            ReportDynError(env, plotbase::InvalidRecord, 2, " - WRLabelTimeAxis");
            return 0;
        }
        const auto& axisObject = static_cast<const plotbase::Axis&>(*object);
        auto labels = std::make_unique<TimeLabels>();
        labels->vertical = axisObject.vertical();
        labels->position = ResolveLabelPosition(position, labels->vertical);
        const int unit = TimeAxisUnit(env, graph, axis).value_or(Seconds);
        if (labels->position < 0 ||
            !MakeTimeLabelSettings(format, decimals, hours, minutes, seconds, numericStart, lastLabelMode, fixedText, unit, labels->settings))
            return Refuse(env, "WRLabelTimeAxis");
        (labels->vertical ? labels->yRange : labels->xRange) = {axisObject.min, axisObject.max};
        TimeLabels* record = labels.get();
        const int index = AddDynObject(env, graph, std::move(labels));
        if (!index) return 0;
        record->links[0] = static_cast<std::uint16_t>(axis);
        plotbase::WGRedrawObject(env, graph, 0, 0);
        return index;
    });
}

DV_API int WRUpdateTimeLabels(int graph, int labels, double delta) {
    return WithTop(0, "WRUpdateTimeLabels", [&](plotbase::Environment& env, RTTop&) {
        TimeLabels* object = TimeLabelsOrReport(env, graph, labels, "WRUpdateTimeLabels");
        if (!object) return 0;
        if (!std::isfinite(delta)) return Refuse(env, "WRUpdateTimeLabels");
        const TimeLabelSettings before = object->settings;
        object->settings.moveOn(delta);
        changed(env, graph, labels, *object, before);
        return 1;
    });
}

DV_API int WRResetTimeLabels(int graph, int labels, double start) {
    return WithTop(0, "WRResetTimeLabels", [&](plotbase::Environment& env, RTTop&) {
        TimeLabels* object = TimeLabelsOrReport(env, graph, labels, "WRResetTimeLabels");
        if (!object) return 0;
        if (!std::isfinite(start)) return Refuse(env, "WRResetTimeLabels");
        const TimeLabelSettings before = object->settings;
        object->settings.reset(start);
        changed(env, graph, labels, *object, before);
        return 1;
    });
}

DV_API int WRChangeTimeLabelsFormat(int graph, int labels, int format) {
    return WithTop(0, "WRChangeTimeLabelsFormat", [&](plotbase::Environment& env, RTTop&) {
        TimeLabels* object = TimeLabelsOrReport(env, graph, labels, "WRChangeTimeLAbelsFormat");
        if (!object) return 0;
        const TimeLabelSettings before = object->settings;
        object->settings.changeFormat(format);
        changed(env, graph, labels, *object, before);
        return 1;
    });
}

DV_API int WRStartTimeLabelsUpdate(int graph, int labels, int scrollGraph) {
    return WithTop(0, "WRStartTimeLabelsUpdate", [&](plotbase::Environment& env, RTTop&) {
        const LinkEnds ends = linkEnds(env, graph, labels, scrollGraph, "WRStartTimeLabelsUpdate");
        if (!ends.holder) return 0;
        // Labels deleted since they were attached give up their slots first.
        if (const plotbase::Graph* g = GraphIfOpen(env, graph)) ends.holder->prune(*g);
        // Attached once only: a second slot would move the labels on twice per jump.
        if (ends.holder->attached(labels)) return 1;
        return ends.holder->attach(labels, ends.labels->identity) ? 1 : 0;
    });
}

DV_API int WRStopTimeLabelsUpdate(int graph, int labels, int scrollGraph) {
    return WithTop(0, "WRStopTimeLabelsUpdate", [&](plotbase::Environment& env, RTTop&) {
        const LinkEnds ends = linkEnds(env, graph, labels, scrollGraph, "WRStopTimeLabelsUpdate");
        if (!ends.holder) return 0;
        if (const plotbase::Graph* g = GraphIfOpen(env, graph)) ends.holder->prune(*g);
        return ends.holder->detach(labels) ? 1 : 0;
    });
}

}  // extern "C"
