// The text objects' exported functions: message objects, dynamic text, annunciators and
// automatic text panels.

#include "dynaview/datasets/dyn_data_set.h"
#include "dynaview/frame/api_guard.h"
#include "dynaview/frame/api_refusals.h"
#include "dynaview/frame/object_access.h"
#include "dynaview/include/dynaview.h"
#include "dynaview/text/annunciator.h"
#include "dynaview/text/message_object.h"
#include "dynaview/text/text_creation.h"
#include "plotbase/operations_change.h"
#include "plotbase/palette.h"

#include <cmath>
#include <cstring>

using namespace dynaview;
using api::DataSetOrReport;
using api::Refuse;
using api::WithTop;

namespace {

constexpr std::size_t MessageEntry = 42;

std::string messageText(const char* entry) { return std::string(entry, strnlen(entry, MessageTextLength)); }

// The message object and message number of a get or change; refused with " - WRGetMessage".
MessageObject* messageOrReport(plotbase::Environment& env, int graph, int object, int messageNumber) {
    constexpr const char* suffix = " - WRGetMessage";
    auto* message = FindDynObjectOf<MessageObject>(env, graph, object, MessageType, suffix);
    if (!message) return nullptr;
    if (messageNumber < 0 || messageNumber >= MaxMessages) {
        ReportDynError(env, plotbase::InvalidRecord, 2, suffix);
        return nullptr;
    }
    return message;
}

// The dynamic text (not an alarm text) and the row of the channel.
DynamicText* dynTextOrReport(plotbase::Environment& env, RTTop& top, int graph, int object, int channel, const char* operation,
                             int& row) {
    const std::string suffix = std::string(" - ") + operation;
    DynObject* d = FindDynObject(env, graph, object, suffix);
    if (!d) return nullptr;
    auto* text = dynamic_cast<DynamicText*>(d);
    if (!text) {
        ReportWrongType(env, *d, suffix);
        return nullptr;
    }
    row = text->rowOfChannel(text->dataSet(&top), channel);
    if (row < 0) {
        ReportDynError(env, plotbase::InvalidRecord, 2, suffix);
        return nullptr;
    }
    return text;
}

// The annunciator's item asked for; 0 after reporting.
int annunciatorItem(int graph, int object, int channel, const char* operation, int Annunciator::Row::*item) {
    return WithTop(0, operation, [&](plotbase::Environment& env, RTTop&) {
        const std::string suffix = std::string(" - ") + operation;
        auto* panel = FindDynObjectOf<Annunciator>(env, graph, object, AnnunciatorType, suffix);
        if (!panel) return 0;
        if (!item) return panel->title;
        const Annunciator::Row* row = panel->rowOf(channel);
        if (!row) {
            ReportDynError(env, plotbase::InvalidRecord, 2, suffix);
            return 0;
        }
        return row->*item;
    });
}

}  // namespace

extern "C" {

DV_API int WRSetMessage(int graph, int dataSet, int firstBit, double x, double y, int borderPattern, int borderWidth,
                        int backgroundColour, int count, const char* messages, const int* colours) {
    return WithTop(0, "WRSetMessage", [&](plotbase::Environment& env, RTTop& top) {
        constexpr const char* operation = "WRSetMessage";
        if (!CreatorAllowed(env)) return 0;
        const plotbase::Graph* g = OpenGraph(env, graph);
        const DynDataSet* set = g ? DataSetOrReport(env, top, dataSet, operation) : nullptr;
        if (!set) return 0;
        count = std::min(count, MaxMessages);
        const bool placed = std::isfinite(x) && std::isfinite(y) && x > -100 && y > -100 && x < 100 && y < 100;
        if (!messages || count < 1 || firstBit < 0 || firstBit > 15 || !placed || borderPattern < -1 ||
            borderPattern > plotbase::NoLine || borderWidth < 0 || borderWidth > 50 || backgroundColour < -1 ||
            backgroundColour >= plotbase::PaletteSize)
            return Refuse(env, operation);
        auto message = std::make_unique<MessageObject>();
        for (int i = 0; i < count; ++i) {
            auto& m = message->messages[static_cast<std::size_t>(i)];
            m.text = messageText(messages + MessageEntry * static_cast<std::size_t>(i));
            m.colour = colours ? colours[i] : g->current.colour;
            if (!plotbase::isPaletteIndex(m.colour)) return Refuse(env, operation);
        }
        message->firstBit = firstBit;
        message->count = count;
        message->left = x;
        message->top = y;
        message->borderPattern = borderPattern;
        message->borderWidth = borderWidth;
        message->background = backgroundColour;
        message->select(set->binary);
        message->xRange = {g->xmin, g->xmax};
        message->yRange = {g->ymin, g->ymax};
        MessageObject* record = message.get();
        const int index = AddDynObject(env, graph, std::move(message));
        if (!index) return 0;
        BindDataSet(top, *record, dataSet);
        plotbase::WGRedrawObject(env, graph, 0, 0);
        return index;
    });
}

DV_API int WRGetMessageParams(int graph, int object, const char** text, int* colour, int messageNumber) {
    return WithTop(0, "WRGetMessage", [&](plotbase::Environment& env, RTTop&) {
        MessageObject* message = messageOrReport(env, graph, object, messageNumber);
        if (!message) return 0;
        const auto& m = message->messages[static_cast<std::size_t>(messageNumber)];
        if (text) *text = m.text.c_str();
        if (colour) *colour = m.colour;
        return 1;
    });
}

DV_API int WRChangeMessage(int graph, int object, const char* text, int colour, int messageNumber) {
    return WithTop(0, "WRGetMessage", [&](plotbase::Environment& env, RTTop&) {
        MessageObject* message = messageOrReport(env, graph, object, messageNumber);
        if (!message) return 0;
        if (!plotbase::isPaletteIndex(colour)) return Refuse(env, "WRChangeMessage");
        auto& m = message->messages[static_cast<std::size_t>(messageNumber)];
        m.text = text ? messageText(text) : std::string();
        m.colour = colour;
        // The box may have grown, and the message may be the one shown.
        plotbase::WGRedrawObject(env, graph, 0, 0);
        return 1;
    });
}

DV_API int WRSetDynText(int graph, int dataSet, int channel, double left, double top, double width, double height,
                        int borderPattern, int borderWidth, const int* colours, int backgroundColour, int layout, int option,
                        int precision, int colourSource, int marginStyle) {
    return WithTop(0, "WRSetDynText", [&](plotbase::Environment& env, RTTop& rt) {
        if (!CreatorAllowed(env)) return 0;
        auto text = std::make_unique<DynamicText>();
        text->channel = channel < 0 ? -1 : channel;
        text->left = left;
        text->top = top;
        text->width = width;
        text->height = height;
        text->borderPattern = borderPattern;
        text->borderWidth = borderWidth;
        text->background = backgroundColour;
        text->layout = layout;
        text->textSize = option;
        text->precision = precision;
        text->colourSource = colourSource;
        text->marginStyle = marginStyle;
        return CreateDynamicText(env, rt, graph, dataSet, std::move(text), colours, "WRSetDynText");
    });
}

DV_API int WRGetDynTextColor(int graph, int object, int channel, int* colour) {
    return WithTop(0, "WRGetDynTextColor", [&](plotbase::Environment& env, RTTop& top) {
        int row = -1;
        DynamicText* text = dynTextOrReport(env, top, graph, object, channel, "WRGetDynTextColor", row);
        if (!text) return 0;
        if (!colour) return Refuse(env, "WRGetDynTextColor");
        *colour = text->colourOfRow(env, graph, row);
        return 1;
    });
}

DV_API int WRChangeDynTextColor(int graph, int object, int channel, int colour) {
    return WithTop(0, "WRChangeDynTextColor", [&](plotbase::Environment& env, RTTop& top) {
        int row = -1;
        DynamicText* text = dynTextOrReport(env, top, graph, object, channel, "WRChangeDynTextColor", row);
        if (!text) return 0;
        if (!plotbase::isPaletteIndex(colour)) return Refuse(env, "WRChangeDynTextColor");
        text->colours[static_cast<std::size_t>(row)] = colour;
        text->colourCount = std::max(text->colourCount, row + 1);
        text->redrawAll();
        plotbase::WGRedrawObject(env, graph, 0, 0);
        return 1;
    });
}

DV_API int WRSetAutoText2(int graph, int dataSet, double left, double top, double width, double height, int precision,
                          int16_t* results, int option) {
    return WithTop(0, "WRSetAutoText", [&](plotbase::Environment& env, RTTop& rt) {
        if (!CreatorAllowed(env)) return 0;
        return CreatePanel(env, rt, graph, dataSet, nullptr, left, top, width, height, precision, option < 0 ? -1 : option, false, results,
                           "WRSetAutoText");
    });
}

DV_API int WRSetAutoText(int graph, int dataSet, double left, double top, double width, double height, int precision,
                         int16_t* results) {
    return WRSetAutoText2(graph, dataSet, left, top, width, height, precision, results, -1);
}

DV_API int WRSetAnnun2(int graph, int dataSet, const char* title, double left, double top, double width, double height,
                       int precision, int option) {
    return WithTop(0, "WRSetAnnun", [&](plotbase::Environment& env, RTTop& rt) {
        if (!CreatorAllowed(env)) return 0;
        return CreatePanel(env, rt, graph, dataSet, title, left, top, width, height, precision, option < 0 ? -1 : option, true, nullptr,
                           "WRSetAnnun");
    });
}

DV_API int WRSetAnnun(int graph, int dataSet, const char* title, double left, double top, double width, double height,
                      int precision) {
    return WRSetAnnun2(graph, dataSet, title, left, top, width, height, precision, -1);
}

DV_API int WRGetAnnTitle(int graph, int object) { return annunciatorItem(graph, object, 0, "WRGetAnnTitle", nullptr); }
DV_API int WRGetAnnTag(int graph, int object, int channel) {
    return annunciatorItem(graph, object, channel, "WRGetAnnTag", &Annunciator::Row::tag);
}
DV_API int WRGetAnnVal(int graph, int object, int channel) {
    return annunciatorItem(graph, object, channel, "WRGetAnnVal", &Annunciator::Row::value);
}
DV_API int WRGetAnnUnits(int graph, int object, int channel) {
    return annunciatorItem(graph, object, channel, "WRGetAnnUnits", &Annunciator::Row::units);
}
DV_API int WRGetAnnAlm(int graph, int object, int channel) {
    return annunciatorItem(graph, object, channel, "WRGetAnnAlm", &Annunciator::Row::alarm);
}

}  // extern "C"
