#include "dynaview/text/text_creation.h"

#include "dynaview/alarms/alarm_displays.h"
#include "dynaview/datasets/dyn_data_set.h"
#include "dynaview/frame/api_refusals.h"
#include "dynaview/frame/dyn_errors.h"
#include "dynaview/frame/object_access.h"
#include "dynaview/text/annunciator.h"
#include "plotbase/error_report.h"
#include "plotbase/operations_build.h"
#include "plotbase/operations_change.h"
#include "plotbase/palette.h"

#include <cmath>

namespace dynaview {

namespace {

bool placed(double left, double top, double width, double height) {
    return std::isfinite(left) && std::isfinite(top) && std::isfinite(width) && std::isfinite(height) && width >= 0 && height >= 0 &&
           left > -100 && top > -100 && left < 100 && top < 100 && width <= 200 && height <= 200;
}

bool showsChannelColours(const DynObject& object) {
    return object.type == ScrollGraphType || object.type == XYGraphType || object.type == BarGraphType || object.type == MeterType;
}

int report(plotbase::Environment& env, int code, const std::string& operation) {
    ReportDynError(env, code, 2, " - " + operation);
    return 0;
}

// A plotbase text in a cell: left-aligned (or centred) on a baseline 72 % down the cell.
int cellText(plotbase::Environment& env, int graph, const std::string& text, const PanelLayout::Cell& cell, bool centred) {
    const double x = centred ? cell.left + cell.width / 2 : cell.left;
    const double y = cell.top + 0.72 * cell.height;
    return plotbase::WGTextNorm(env, graph, text, x / 100.0, y / 100.0,
                                (centred ? plotbase::AlignCentre : plotbase::AlignLeft) + plotbase::AlignBaseline, 0);
}

}  // namespace

int CreateDynamicText(plotbase::Environment& env, RTTop& top, int graph, int dataSet, std::unique_ptr<DynamicText> text, const int* given,
                      const std::string& operation) {
    const plotbase::Graph* g = OpenGraph(env, graph);
    if (!g) return 0;
    const DynDataSet* set = top.dataSets.at(dataSet);
    if (!set) return report(env, plotbase::NoSuchDataSet, operation);
    if (text->channel >= set->channels) return report(env, plotbase::InvalidRecord, operation);
    if (text->colourSource > 0) {
        const plotbase::GraphObject* object = g->objects.at(text->colourSource);
        if (!object) return report(env, plotbase::NoSuchObject, operation);
        const auto* source = dynamic_cast<const DynObject*>(object);
        if (!source || !showsChannelColours(*source)) {
            plotbase::ReportWrongObjectType(env, *object, operation);
            return 0;
        }
    }
    if (!placed(text->left, text->top, text->width, text->height) || text->borderPattern < -1 || text->borderPattern > plotbase::NoLine ||
        text->borderWidth < 0 || text->borderWidth > 50 || text->background < -1 || text->background >= plotbase::PaletteSize ||
        text->layout < 0 || text->layout > 1 || text->textSize < 0 || text->textSize > 200 || text->precision < 0 ||
        text->precision > 15 || text->colourSource < 0 || text->marginStyle < 0 || text->marginStyle > MaxMarginStyle)
        return report(env, plotbase::InvalidArgument, operation);
    text->colourCount = text->rows(set);
    text->colours.fill(g->current.colour);
    if (given) {
        for (int i = 0; i < text->colourCount; ++i)
            if (!plotbase::isPaletteIndex(given[i])) return report(env, plotbase::InvalidArgument, operation);
        std::copy_n(given, text->colourCount, text->colours.begin());
    }
    text->xRange = {g->xmin, g->xmax};
    text->yRange = {g->ymin, g->ymax};
    DynamicText* record = text.get();
    const int index = AddDynObject(env, graph, std::move(text));
    if (!index) return 0;
    BindDataSet(top, *record, dataSet);
    plotbase::WGRedrawObject(env, graph, 0, 0);
    return index;
}

int CreatePanel(plotbase::Environment& env, RTTop& top, int graph, int dataSet, const char* title, double left, double topEdge, double width,
                double height, int precision, int channel, bool annunciator, std::int16_t* values, const std::string& operation) {
    const plotbase::Graph* g = OpenGraph(env, graph);
    if (!g) return 0;
    const DynDataSet* set = top.dataSets.at(dataSet);
    if (!set) return report(env, plotbase::NoSuchDataSet, operation);
    if (channel >= set->channels) return report(env, plotbase::InvalidRecord, operation);
    if (!placed(left, topEdge, width, height) || width <= 0 || height <= 0 || precision < 0 || precision > 15)
        return report(env, plotbase::InvalidArgument, operation);
    const int first = channel < 0 ? 0 : channel;
    const int rows = channel < 0 ? set->channels : 1;
    const PanelLayout layout = LayOutPanel(left, topEdge, width, height, rows, annunciator, annunciator);

    auto panel = std::make_unique<Annunciator>();
    panel->left = left;
    panel->top = topEdge;
    panel->width = width;
    panel->height = height;
    panel->xRange = {g->xmin, g->xmax};
    panel->yRange = {g->ymin, g->ymax};
    Annunciator* record = panel.get();
    const int index = AddDynObject(env, graph, std::move(panel));
    if (!index) return 0;
    BindDataSet(top, *record, dataSet);
    if (annunciator) record->title = cellText(env, graph, CutText(title, 41), layout.title, true);
    for (int r = 0; r < rows; ++r) {
        const int ch = first + r;
        const auto& cells = layout.rows[static_cast<std::size_t>(r)];
        Annunciator::Row row;
        row.channel = ch;
        row.tag = cellText(env, graph, CutText(set->tags[static_cast<std::size_t>(ch)].data(), DynDataSet::TagSize - 1), cells[0], false);
        auto value = std::make_unique<DynamicText>();
        value->channel = ch;
        value->left = cells[1].left;
        value->top = cells[1].top;
        value->width = cells[1].width;
        value->height = cells[1].height;
        value->borderPattern = -1;
        value->background = record->background;
        value->precision = precision;
        row.value = CreateDynamicText(env, top, graph, dataSet, std::move(value), nullptr, operation);
        row.units = set->units.empty() ? 0 : cellText(env, graph, set->units, cells[2], false);
        if (annunciator) {
            auto alarm = std::make_unique<AlarmText>();
            alarm->channel = ch;
            alarm->left = cells[3].left;
            alarm->top = cells[3].top;
            alarm->width = cells[3].width;
            alarm->height = cells[3].height;
            alarm->borderPattern = -1;
            alarm->background = record->background;
            alarm->xRange = record->xRange;
            alarm->yRange = record->yRange;
            AlarmText* alarmRecord = alarm.get();
            row.alarm = AddDynObject(env, graph, std::move(alarm));
            if (row.alarm) BindDataSet(top, *alarmRecord, dataSet);
        }
        if (values) values[r] = static_cast<std::int16_t>(row.value);
        record->items.push_back(row);
    }
    plotbase::WGRedrawObject(env, graph, 0, 0);
    return index;
}

}  // namespace dynaview
