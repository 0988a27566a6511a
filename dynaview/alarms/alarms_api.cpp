// The alarms' exported functions: the definition on a data set, and the three displays.

#include "dynaview/alarms/alarm_displays.h"
#include "dynaview/datasets/dyn_data_set.h"
#include "dynaview/frame/api_guard.h"
#include "dynaview/frame/api_refusals.h"
#include "dynaview/frame/object_access.h"
#include "dynaview/frame/update_timer.h"
#include "plotbase/operations_change.h"
#include "dynaview/include/dynaview.h"
#include "plotbase/palette.h"

#include <cmath>
#include <cstring>
#include <limits>

using namespace dynaview;
using api::DataSetOrReport;
using api::Refuse;
using api::WithTop;

namespace {

bool kindOk(int kind) { return kind >= NormalAlarm && kind <= FailAlarm; }

// Five caller entries checked against a range; null keeps the defaults.
bool readLineInts(const int* given, LineInts& into, int low, int high) {
    if (!given) return true;
    for (int i = 0; i < AlarmLineCount; ++i)
        if (given[i] < low || given[i] > high) return false;
    std::copy_n(given, AlarmLineCount, into.begin());
    return true;
}

// Names: five entries of 12 bytes, each cut to 11 characters.
void readNames(const char* given, std::array<std::string, AlarmLineCount>& into) {
    if (!given) return;
    for (int i = 0; i < AlarmLineCount; ++i) into[static_cast<std::size_t>(i)] = CutText(given + 12 * i, AlarmMarks::NameLength);
}

// The alarm lines or marks at the index; anything else refused.
AlarmLineSet* lineSetOrReport(plotbase::Environment& env, int graph, int object, const char* suffix) {
    DynObject* d = FindDynObject(env, graph, object, suffix);
    if (!d) return nullptr;
    auto* lines = dynamic_cast<AlarmLineSet*>(d);
    if (!lines) ReportWrongType(env, *d, suffix);
    return lines;
}

int changeAlarm(plotbase::Environment& env, RTTop& top, int dataSet, int kind, double limit, bool define, const char* message,
                const char* operation) {
    DynDataSet* set = DataSetOrReport(env, top, dataSet, operation);
    if (!set) return 0;
    if (!kindOk(kind) || std::isnan(limit)) return Refuse(env, operation);
    if (kind == NormalAlarm || define)
        SetAlarm(set->alarm, kind, limit, message);
    else
        RemoveAlarm(set->alarm, kind);
    RefreshAlarmDisplays(env, dataSet);
    return 1;
}

}  // namespace

extern "C" {

DV_API int WRSetAlarm(int dataSet, int kind, double limit, const char* message) {
    return WithTop(0, "WRSetAlarm", [&](plotbase::Environment& env, RTTop& top) {
        return changeAlarm(env, top, dataSet, kind, limit, true, message, "WRSetAlarm");
    });
}

DV_API int WRChangeAlarm(int dataSet, int kind, double limit, int defined, const char* message) {
    return WithTop(0, "WRChangeAlarm", [&](plotbase::Environment& env, RTTop& top) {
        return changeAlarm(env, top, dataSet, kind, limit, defined != 0, message, "WRChangeAlarm");
    });
}

DV_API int WRSetSetpoint(int dataSet, double setpoint) {
    return WithTop(0, "WRSetSetpoint", [&](plotbase::Environment& env, RTTop& top) {
        DynDataSet* set = DataSetOrReport(env, top, dataSet, "WRSetSetpoint");
        if (!set) return 0;
        if (std::isnan(setpoint)) return Refuse(env, "WRSetSetpoint");
        set->alarm.setpoint = setpoint;
        RefreshAlarmDisplays(env, dataSet);
        return 1;
    });
}

DV_API int WRSetAlarmHyst(int dataSet, double deadBandHighLow, double deadBandDeviation) {
    return WithTop(0, "WRSetAlarmHyst", [&](plotbase::Environment& env, RTTop& top) {
        DynDataSet* set = DataSetOrReport(env, top, dataSet, "WRSetAlarmHyst");
        if (!set) return 0;
        if (std::isnan(deadBandHighLow) || std::isnan(deadBandDeviation)) return Refuse(env, "WRSetAlarmHyst");
        set->alarm.deadBandHighLow = deadBandHighLow;
        set->alarm.deadBandDeviation = deadBandDeviation;
        return 1;
    });
}

DV_API int WREnableAlarmCheck(int dataSet, int on) {
    return WithTop(0, "WREnableAlarmCheck", [&](plotbase::Environment& env, RTTop& top) {
        DynDataSet* set = DataSetOrReport(env, top, dataSet, "WREnableAlarmCheck");
        if (!set) return 0;
        EnableAlarmCheck(set->alarm, on != 0);
        return 1;
    });
}

DV_API int WRSetAlarmProc(DVAlarmProc proc) {
    return WithTop(0, "WRSetAlarmProc", [&](plotbase::Environment&, RTTop& top) {
        top.alarmProcedure = proc ? AlarmProcedure(proc) : AlarmProcedure();
        return 1;
    });
}

DV_API int WRGetAlarm(int dataSet, int kind, double* limit, int* defined, const char** message) {
    return WithTop(0, "WRGetAlarm", [&](plotbase::Environment& env, RTTop& top) {
        const DynDataSet* set = DataSetOrReport(env, top, dataSet, "WRGetAlarm");
        if (!set) return 0;
        if (!kindOk(kind)) return Refuse(env, "WRGetAlarm");
        if (message) *message = AlarmMessage(set->alarm, kind).c_str();
        if (kind != NormalAlarm) {
            if (limit) *limit = set->alarm.limit(kind).limit;
            if (defined) *defined = set->alarm.isDefined(kind) ? AlarmBit(kind) : 0;
        }
        return 1;
    });
}

DV_API int WRSetAlarmLines(int graph, int dataSet, int refreshPeriod, int direction, const int* enables, const int* patterns,
                           const int* widths, const int* colours) {
    return WithTop(0, "WRSetAlarmLines", [&](plotbase::Environment& env, RTTop& top) {
        if (!CreatorAllowed(env)) return 0;
        const plotbase::Graph* g = OpenGraph(env, graph);
        if (!g || !DataSetOrReport(env, top, dataSet, "WRSetAlarmLines")) return 0;
        auto lines = std::make_unique<AlarmLines>();
        lines->direction = direction;
        lines->refreshPeriod = refreshPeriod;
        lines->patterns.fill(g->current.pattern);
        lines->widths.fill(g->current.width);
        if (refreshPeriod < 0 || refreshPeriod > 65535 || !readLineInts(enables, lines->enables, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()) ||
            !readLineInts(patterns, lines->patterns, plotbase::SolidLine, plotbase::NoLine) || !readLineInts(widths, lines->widths, 0, 50) ||
            !readLineInts(colours, lines->colours, 0, plotbase::PaletteSize - 1))
            return Refuse(env, "WRSetAlarmLines");
        lines->xRange = {g->xmin, g->xmax};
        lines->yRange = {g->ymin, g->ymax};
        AlarmLines* record = lines.get();
        const int index = AddDynObject(env, graph, std::move(lines));
        if (!index) return 0;
        BindDataSet(top, *record, dataSet);
        if (refreshPeriod > 0) RegisterTimerUpdate(env, graph, index, refreshPeriod);
        plotbase::WGRedrawObject(env, graph, 0, 0);
        return index;
    });
}

DV_API int WRGetAlarmLineState(int graph, int object, int line) {
    return WithTop(0, "WRGetAlmLineState", [&](plotbase::Environment& env, RTTop& top) {
        constexpr const char* suffix = " - WRGetAlmLineState";
        AlarmLineSet* lines = lineSetOrReport(env, graph, object, suffix);
        if (!lines) return 0;
        if (line < 0 || line >= AlarmLineCount) {
            ReportDynError(env, plotbase::InvalidRecord, 2, suffix);
            return 0;
        }
        return lines->lineOn(lines->dataSet(&top), line) ? 1 : 0;
    });
}

DV_API int WREnableAlarmLine(int graph, int object, int line, int on) {
    return WithTop(0, "WREnableAlmLine", [&](plotbase::Environment& env, RTTop&) {
        constexpr const char* suffix = " - WREnableAlmLine";
        AlarmLineSet* lines = lineSetOrReport(env, graph, object, suffix);
        if (!lines) return 0;
        if (line < 0 || line >= AlarmLineCount) {
            ReportDynError(env, plotbase::InvalidRecord, 2, suffix);
            return 0;
        }
        lines->enables[static_cast<std::size_t>(line)] = on ? 1 : 0;
        lines->alarmsChanged(ObjectPlace{env, graph, object});
        return 1;
    });
}

DV_API int WRSetAlarmMarks(int graph, int dataSet, int axisObject, int position, int markSize, const int* enables, int lineWidth,
                           const int* colours, const char* names) {
    return WithTop(0, "WRSetAlarmMarks", [&](plotbase::Environment& env, RTTop& top) {
        if (!CreatorAllowed(env)) return 0;
        const plotbase::Graph* g = OpenGraph(env, graph);
        if (!g || !DataSetOrReport(env, top, dataSet, "WRSetAlarmMarks")) return 0;
        const auto* axis = g->objects.as<plotbase::Axis>(axisObject, plotbase::AxisType);
        if (!axis) {
            ReportDynError(env, plotbase::NoSuchAxis, 2, " - WRSetAlarmMarks");
            return 0;
        }
        auto marks = std::make_unique<AlarmMarks>();
        marks->position = position == 0 ? 0 : 1;
        marks->markSize = markSize;
        marks->lineWidth = lineWidth;
        if (markSize < 1 || markSize > 72 || lineWidth < 0 || lineWidth > 50 ||
            !readLineInts(enables, marks->enables, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()) || !readLineInts(colours, marks->colours, 0, plotbase::PaletteSize - 1))
            return Refuse(env, "WRSetAlarmMarks");
        readNames(names, marks->names);
        marks->xRange = {g->xmin, g->xmax};
        marks->yRange = {g->ymin, g->ymax};
        (axis->vertical() ? marks->yRange : marks->xRange) = {axis->min, axis->max};
        AlarmMarks* record = marks.get();
        const int index = AddDynObject(env, graph, std::move(marks));
        if (!index) return 0;
        record->links[0] = static_cast<std::uint16_t>(axisObject);
        BindDataSet(top, *record, dataSet);
        plotbase::WGRedrawObject(env, graph, 0, 0);
        return index;
    });
}

DV_API int WRChangeAlarmMarks(int graph, int object, int position, int markSize, const int* enables, int lineWidth,
                              const int* colours, const char* names) {
    return WithTop(0, "WRChangeAlarmMarks", [&](plotbase::Environment& env, RTTop&) {
        constexpr const char* suffix = " - WRChangeAlarmMarks";
        auto* marks = FindDynObjectOf<AlarmMarks>(env, graph, object, AlarmMarksType, suffix);
        if (!marks) return 0;
        LineInts newEnables = marks->enables, newColours = marks->colours;
        if (markSize > 72 || lineWidth > 50 || !readLineInts(enables, newEnables, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()) ||
            !readLineInts(colours, newColours, 0, plotbase::PaletteSize - 1))
            return Refuse(env, "WRChangeAlarmMarks");
        if (position >= 0) marks->position = position == 0 ? 0 : 1;
        if (markSize > 0) marks->markSize = markSize;
        if (lineWidth >= 0) marks->lineWidth = lineWidth;
        marks->enables = newEnables;
        marks->colours = newColours;
        readNames(names, marks->names);
        marks->alarmsChanged(ObjectPlace{env, graph, object});
        return 1;
    });
}

DV_API int WRGetAlarmMarks(int graph, int object, int* position, int* markSize, int* enables, int* lineWidth, int* colours,
                           char* names) {
    return WithTop(0, "WRGetAlarmMarks", [&](plotbase::Environment& env, RTTop&) {
        const auto* marks = FindDynObjectOf<AlarmMarks>(env, graph, object, AlarmMarksType, " - WRGetAlarmMarks");
        if (!marks) return 0;
        if (position) *position = marks->position;
        if (markSize) *markSize = marks->markSize;
        if (lineWidth) *lineWidth = marks->lineWidth;
        if (enables) std::copy(marks->enables.begin(), marks->enables.end(), enables);
        if (colours) std::copy(marks->colours.begin(), marks->colours.end(), colours);
        if (names) {
            std::memset(names, 0, 12 * AlarmLineCount);
            for (int i = 0; i < AlarmLineCount; ++i) {
                const std::string& name = marks->names[static_cast<std::size_t>(i)];
                std::memcpy(names + 12 * i, name.data(), std::min<std::size_t>(name.size(), AlarmMarks::NameLength));
            }
        }
        return 1;
    });
}

DV_API int WRSetAlarmText(int graph, int dataSet, int channel, double left, double top, double width, double height,
                          int borderPattern, int borderWidth, int background, int layout, const char* normalMessage,
                          const int* colours, int textStyle, int textSize) {
    return WithTop(0, "WRSetAlarmText", [&](plotbase::Environment& env, RTTop& rt) {
        constexpr const char* operation = "WRSetAlarmText";
        if (!CreatorAllowed(env)) return 0;
        const plotbase::Graph* g = OpenGraph(env, graph);
        DynDataSet* set = g ? DataSetOrReport(env, rt, dataSet, operation) : nullptr;
        if (!set) return 0;
        if (channel < 0 || channel >= set->channels) {
            ReportDynError(env, plotbase::InvalidRecord, 2, " - WRSetAlarmText");
            return 0;
        }
        auto text = std::make_unique<AlarmText>();
        const bool placed = std::isfinite(left) && std::isfinite(top) && std::isfinite(width) && std::isfinite(height) &&
                            width > 0 && height > 0 && left > -100 && top > -100 && left < 100 && top < 100 && width <= 200 &&
                            height <= 200;
        if (!placed || borderPattern < -1 || borderPattern > plotbase::NoLine || borderWidth < 0 || borderWidth > 50 ||
            background < -1 || background >= plotbase::PaletteSize || layout < 0 || layout > 2 || textStyle < 0 || textStyle > 7 ||
            textSize < 0 || textSize > 200)
            return Refuse(env, operation);
        if (colours) {
            for (int i = 0; i < AlarmText::ColourCount; ++i)
                if (!plotbase::isPaletteIndex(colours[i])) return Refuse(env, operation);
            std::copy_n(colours, AlarmText::ColourCount, text->colours.begin());
        }
        text->channel = channel;
        text->left = left;
        text->top = top;
        text->width = width;
        text->height = height;
        text->borderPattern = borderPattern;
        text->borderWidth = borderWidth;
        text->background = background;
        text->layout = layout;
        text->textStyle = textStyle;
        text->textSize = textSize;
        AlarmText* record = text.get();
        const int index = AddDynObject(env, graph, std::move(text));
        if (!index) return 0;
        BindDataSet(rt, *record, dataSet);
        if (normalMessage) SetAlarm(set->alarm, NormalAlarm, 0.0, normalMessage);
        RefreshAlarmDisplays(env, dataSet);
        return index;
    });
}

}  // extern "C"
