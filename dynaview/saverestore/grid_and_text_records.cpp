#include "dynaview/saverestore/grid_and_text_records.h"

#include "dynaview/frame/object_access.h"
#include "dynaview/include/dynaview.h"
#include "dynaview/saverestore/page_handlers.h"
#include "dynaview/text/dynamic_text.h"
#include "dynaview/timeaxis/dynamic_grid.h"
#include "plotbase/operations_build.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace dynaview {

namespace {

GridLine lineOf(const DynamicGrid::Line& line) { return {static_cast<std::int16_t>(line.pattern), line.width, line.colour}; }

// The object a dynamic text takes its colours from, when it is there and will be saved too.
const DynObject* savedColourSource(plotbase::Environment& env, int graph, const DynamicText& text) {
    if (text.colourSource <= 0) return nullptr;
    const plotbase::Graph* g = GraphIfOpen(env, graph);
    const auto* source = g ? dynamic_cast<const DynObject*>(g->objects.at(text.colourSource)) : nullptr;
    return source && source->channelColour(0) >= 0 && RecordOf(env, graph, *source) ? source : nullptr;
}

}  // namespace

DynamicGridRecord RecordOfGrid(const DynamicGrid& grid) {
    DynamicGridRecord d;
    d.axis = static_cast<std::int16_t>(grid.axis());
    // The object's own period (0..65535), read back unsigned.
    d.period = static_cast<std::int16_t>(static_cast<std::uint16_t>(grid.refreshPeriod));
    d.firstPresent = grid.grids[0].present ? 1 : 0;
    d.secondPresent = grid.grids[1].present ? 1 : 0;
    d.first = lineOf(grid.grids[0]);
    d.second = lineOf(grid.grids[1]);
    return d;
}

TextRecord RecordOfDynamicText(plotbase::Environment& env, int graph, const DynamicText& text) {
    TextRecord d = TextRecordFrame(text, records::DynamicText);
    d.precision = text.precision;
    d.marginStyle = text.marginStyle;
    if (savedColourSource(env, graph, text)) {
        d.colourSource = static_cast<std::int16_t>(text.colourSource);
        return d;
    }
    for (int row = 0; row < text.colourCount; ++row) d.colours.push_back(text.colourOfRow(env, graph, row));
    return d;
}

int RestoreGrid(plotbase::Environment& env, int graph, const DynamicGridRecord& d) {
    plotbase::Graph* g = GraphIfOpen(env, graph);
    if (!g) return 0;
    const plotbase::DrawingAttributes before = g->current;
    const int period = static_cast<std::uint16_t>(d.period);
    int index = 0;
    for (int which = 0; which < 2; ++which) {
        if ((which == 0 ? d.firstPresent : d.secondPresent) == 0) continue;
        const GridLine& line = which == 0 ? d.first : d.second;
        // A line plotbase refuses (and reports) leaves that grid out.
        if (!plotbase::WGSetLineStyle(env, graph, line.style, line.width, line.colour)) continue;
        index = std::max(index, WRDynGrid(graph, d.axis, which, period));
    }
    g->current.pattern = before.pattern;
    g->current.width = before.width;
    g->current.colour = before.colour;
    return index;
}

int RestoreDynamicText(plotbase::Environment& env, int graph, const TextRecord& d) {
    const plotbase::Graph* g = GraphIfOpen(env, graph);
    if (!g) return 0;
    // The creator reads one colour per row of the data set as it is now: rows beyond the
    // stored ones take the graph's current colour.
    std::array<int, 32> colours{};
    colours.fill(g->current.colour);
    std::copy_n(d.colours.begin(), std::min(d.colours.size(), colours.size()), colours.begin());
    const int* given = d.colours.empty() ? nullptr : colours.data();
    const bool sourceHere = d.colourSource > 0 && dynamic_cast<const DynObject*>(g->objects.at(d.colourSource));
    const int index = WRSetDynText(graph, d.dataSet, d.channel, d.left, d.top, d.width, d.height, d.borderPattern, d.borderWidth, given,
                                   d.background, d.layout, d.argument62, d.precision, sourceHere ? d.colourSource : 0, d.marginStyle);
    if (index && d.colourSource > 0 && !sourceHere) {
        if (auto* text = dynamic_cast<DynamicText*>(FindDynObject(env, graph, index))) {
            text->colourSource = d.colourSource;
            text->redrawAll();
        }
    }
    return index;
}

}  // namespace dynaview
