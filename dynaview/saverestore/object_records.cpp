// The records of live objects and the objects of records, type by type. Restoring goes
// through the exported creators, so a restored object is made exactly as an application
// would make it, with the same checks and reports.

#include "dynaview/alarms/alarm_displays.h"
#include "dynaview/datasets/dyn_data_set.h"
#include "dynaview/frame/library.h"
#include "dynaview/frame/rt_top.h"
#include "dynaview/include/dynaview.h"
#include "dynaview/saverestore/page_handlers.h"

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
    TextRecord d;
    d.subtype = records::AlarmText;
    d.dataSet = text.dataSetIndex;
    d.channel = text.channel;
    d.left = text.left;
    d.top = text.top;
    d.width = text.width;
    d.height = text.height;
    d.borderPattern = text.borderPattern;
    d.borderWidth = text.borderWidth;
    d.background = text.background;
    d.layout = text.layout;
    d.argument62 = text.textSize;
    if (const DynDataSet* set = text.dataSet(top)) d.normalMessage = AlarmMessage(set->alarm, NormalAlarm);
    d.textAttributes = text.textStyle;
    d.colours.assign(text.colours.begin(), text.colours.end());
    return d;
}

int restore(int graph, const AlarmLinesRecord& d) {
    return WRSetAlarmLines(graph, d.dataSet, d.refreshPeriod, d.direction, d.enables.data(), d.patterns.data(), d.widths.data(),
                           d.colours.data());
}

int restore(int graph, const AlarmMarksRecord& d) {
    char names[records::EntryCount * records::MarkNameSize] = {};
    for (std::size_t i = 0; i < d.names.size(); ++i)
        std::memcpy(names + records::MarkNameSize * i, d.names[i].data(), std::min(d.names[i].size(), records::MarkNameSize - 1));
    return WRSetAlarmMarks(graph, d.dataSet, d.axis, d.position, d.markSize, d.enables.data(), d.lineWidth, d.colours.data(), names);
}

int restore(int graph, const TextRecord& d) {
    if (d.subtype == records::AlarmText)
        return WRSetAlarmText(graph, d.dataSet, d.channel, d.left, d.top, d.width, d.height, d.borderPattern, d.borderWidth,
                              d.background, d.layout, d.normalMessage.c_str(), d.colours.data(), d.textAttributes, d.argument62);
    return 0;
}

int restore(int, const DynamicGridRecord&) { return 0; }
int restore(int, const ScrollRecord&) { return 0; }

}  // namespace

std::optional<PageRecord> RecordOf(plotbase::Environment& env, int, const DynObject& object) {
    if (const auto* lines = dynamic_cast<const AlarmLines*>(&object)) return recordOf(*lines);
    if (const auto* marks = dynamic_cast<const AlarmMarks*>(&object)) return recordOf(*marks);
    if (const auto* text = dynamic_cast<const AlarmText*>(&object)) return recordOf(*text, TopOf(env));
    return std::nullopt;
}

int RestoreRecord(plotbase::Environment& env, int graph, const PageRecord& record) {
    // The creators work on the current environment: the one whose page is being read.
    Library& library = Library::instance();
    plotbase::Environment* previous = library.current;
    library.current = &env;
    const int index = std::visit([graph](const auto& d) { return restore(graph, d); }, record);
    library.current = previous;
    return index;
}

}  // namespace dynaview
