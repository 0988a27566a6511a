// The records of live objects and the objects of records, type by type. Restoring goes
// through the exported creators, so a restored object is made exactly as an application
// would make it, with the same checks and reports.

#include "dynaview/alarms/alarm_displays.h"
#include "dynaview/datasets/dyn_data_set.h"
#include "dynaview/frame/library.h"
#include "dynaview/frame/rt_top.h"
#include "dynaview/include/dynaview.h"
#include "dynaview/saverestore/grid_and_text_records.h"
#include "dynaview/saverestore/page_handlers.h"
#include "dynaview/scroll/scroll_graph.h"
#include "dynaview/text/dynamic_text.h"
#include "dynaview/timeaxis/dynamic_grid.h"
#include "plotbase/graph_objects.h"

#include <algorithm>
#include <cstring>

namespace dynaview {

namespace {

AlarmLinesRecord recordOf(const AlarmLines& lines) {
    AlarmLinesRecord d;
    d.subtype = lines.subtype;
    d.dataSet = lines.dataSetIndex;
    d.enables = lines.enables;
    // The period the object is refreshed under, which the timer may have been given since.
    d.refreshPeriod = lines.period;
    d.direction = lines.direction;
    d.widths = lines.widths;
    d.colours = lines.colours;
    d.patterns = lines.patterns;
    return d;
}

AlarmMarksRecord recordOf(const AlarmMarks& marks) {
    AlarmMarksRecord d;
    d.subtype = marks.subtype;
    d.dataSet = marks.dataSetIndex;
    d.enables = marks.enables;
    d.lineWidth = marks.lineWidth;
    d.axis = static_cast<std::int16_t>(marks.axis());
    d.position = marks.position;
    d.markSize = marks.markSize;
    std::copy(marks.names.begin(), marks.names.end(), d.names.begin());
    d.colours = marks.colours;
    return d;
}

TextRecord recordOf(const AlarmText& text, const RTTop* top) {
    TextRecord d = TextRecordFrame(text, records::AlarmText);
    if (const DynDataSet* set = text.dataSet(top)) d.normalMessage = AlarmMessage(set->alarm, NormalAlarm);
    d.textAttributes = text.textStyle;
    d.colours.assign(text.colours.begin(), text.colours.end());
    return d;
}

ScrollRecord recordOf(const scroll::ScrollGraph& g) {
    const scroll::ScrollGraphParams& p = g.params;
    ScrollRecord d;
    d.subtype = g.subtype;
    d.dataSet = g.dataSetIndex;
    d.sampleInterval = p.sampleInterval;
    d.relativeReset = static_cast<float>(p.relativeResetAsked);
    d.direction = static_cast<std::int16_t>(p.direction);
    d.scrollStyle = static_cast<std::int16_t>(p.scrollStyle);
    d.traceCount = static_cast<std::int16_t>(g.traceCount);
    if (g.isBars()) {
        d.barArgument3 = static_cast<std::int16_t>(p.barChannel);
        d.barWidth = p.barWidth;
        d.barArgument8 = p.hatchStyle;
        d.barColour = p.barColour;
        return d;
    }
    if (g.isSweep()) d.sweepColour = p.sweepLineColour;
    const auto n = static_cast<std::size_t>(g.traceCount);
    d.colours.assign(p.colours.begin(), p.colours.begin() + n);
    d.patterns.assign(p.patterns.begin(), p.patterns.begin() + n);
    d.widths.assign(p.widths.begin(), p.widths.begin() + n);
    return d;
}

// The creators read one entry per channel of the data set as it is now: entries beyond
// the stored traces take the graph's defaults.
struct TraceArrays {
    std::array<int, scroll::MaxTraces> patterns{}, widths{}, colours{};
    explicit TraceArrays(const ScrollRecord& d) {
        for (std::size_t t = 0; t < scroll::MaxTraces; ++t) {
            const bool stored = t < d.colours.size();
            patterns[t] = stored ? d.patterns[t] : plotbase::SolidLine;
            widths[t] = stored ? d.widths[t] : 1;
            colours[t] = stored ? d.colours[t] : static_cast<int>(1 + t % 15);
        }
    }
};

int restore(plotbase::Environment&, int graph, const ScrollRecord& d) {
    const TraceArrays t(d);
    switch (d.subtype) {
    case records::ScrollingGraph:
        return WRSetScrollGraph(graph, d.dataSet, d.sampleInterval, d.relativeReset, d.direction, d.scrollStyle, t.patterns.data(),
                                t.widths.data(), t.colours.data());
    case records::ScrollingBars:
        return WRSetScrollBargraph(graph, d.dataSet, d.barArgument3, d.sampleInterval, d.relativeReset, d.direction, d.barWidth,
                                   d.barArgument8, d.barColour);
    case records::SweepGraph:
        return WRSetSweepGraph(graph, d.dataSet, d.sampleInterval, d.direction, d.scrollStyle, d.sweepColour, t.patterns.data(),
                               t.widths.data(), t.colours.data());
    case records::LogicGraph:
        return WRSetLogicGraph(graph, d.dataSet, d.sampleInterval, d.relativeReset, d.direction, d.scrollStyle, t.patterns.data(),
                               t.widths.data(), t.colours.data());
    case records::VariableScroll:
        return WRSetVarScroll(graph, d.dataSet, d.relativeReset, d.direction, d.scrollStyle, t.patterns.data(), t.widths.data(),
                              t.colours.data());
    case records::StackedGraph:
        return WRSetStackedGraph(graph, d.dataSet, d.sampleInterval, d.relativeReset, d.direction, d.scrollStyle, t.patterns.data(),
                                 t.widths.data(), t.colours.data());
    default: return 0;
    }
}

int restore(plotbase::Environment&, int graph, const AlarmLinesRecord& d) {
    return WRSetAlarmLines(graph, d.dataSet, d.refreshPeriod, d.direction, d.enables.data(), d.patterns.data(), d.widths.data(),
                           d.colours.data());
}

int restore(plotbase::Environment&, int graph, const AlarmMarksRecord& d) {
    char names[records::EntryCount * records::MarkNameSize] = {};
    for (std::size_t i = 0; i < d.names.size(); ++i)
        std::memcpy(names + records::MarkNameSize * i, d.names[i].data(), std::min(d.names[i].size(), records::MarkNameSize - 1));
    return WRSetAlarmMarks(graph, d.dataSet, d.axis, d.position, d.markSize, d.enables.data(), d.lineWidth, d.colours.data(), names);
}

int restore(plotbase::Environment& env, int graph, const TextRecord& d) {
    if (d.subtype == records::AlarmText)
        return WRSetAlarmText(graph, d.dataSet, d.channel, d.left, d.top, d.width, d.height, d.borderPattern, d.borderWidth,
                              d.background, d.layout, d.normalMessage.c_str(), d.colours.data(), d.textAttributes, d.argument62);
    return RestoreDynamicText(env, graph, d);
}

int restore(plotbase::Environment& env, int graph, const DynamicGridRecord& d) { return RestoreGrid(env, graph, d); }

}  // namespace

std::optional<PageRecord> RecordOf(plotbase::Environment& env, int graph, const DynObject& object) {
    if (const auto* lines = dynamic_cast<const AlarmLines*>(&object)) return recordOf(*lines);
    if (const auto* marks = dynamic_cast<const AlarmMarks*>(&object)) return recordOf(*marks);
    if (const auto* text = dynamic_cast<const AlarmText*>(&object)) return recordOf(*text, TopOf(env));
    if (const auto* text = dynamic_cast<const DynamicText*>(&object)) return RecordOfDynamicText(env, graph, *text);
    if (const auto* grid = dynamic_cast<const DynamicGrid*>(&object)) return RecordOfGrid(*grid);
    // XY graphs (type 104) have no saved form.
    if (const auto* g = dynamic_cast<const scroll::ScrollGraph*>(&object); g && g->type == ScrollGraphType) return recordOf(*g);
    return std::nullopt;
}

int RestoreRecord(plotbase::Environment& env, int graph, const PageRecord& record) {
    // The creators work on the current environment: the one whose page is being read.
    Library& library = Library::instance();
    plotbase::Environment* previous = library.current;
    library.current = &env;
    const int index = std::visit([&env, graph](const auto& d) { return restore(env, graph, d); }, record);
    library.current = previous;
    return index;
}

}  // namespace dynaview
