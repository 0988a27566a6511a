// The automatic scrolling chart: plot area, scale, axes with labels, grid, the trace, alarm
// lines, legend and value panel, in one call.

#include "dynaview/datasets/dyn_data_set.h"
#include "dynaview/frame/api_guard.h"
#include "dynaview/frame/api_refusals.h"
#include "dynaview/frame/error_texts.h"
#include "dynaview/frame/object_access.h"
#include "dynaview/include/dynaview.h"
#include "dynaview/scroll/auto_layout.h"
#include "plotbase/drawing_tools.h"
#include "plotbase/operations_build.h"
#include "plotbase/operations_setup.h"
#include "plotbase/operations_window.h"

#include <QFontMetricsF>
#include <QWidget>

#include <cmath>
#include <cstring>

using namespace dynaview;
using namespace dynaview::scroll;
using api::DataSetOrReport;
using api::Refuse;
using api::WithTop;

namespace {

constexpr int ResultCount = 11;
constexpr const char* Operation = "WRSetAutoScroll";

// The graph's size on the screen, or a usual one before it is shown.
QSizeF graphPixels(plotbase::Environment& env, int graph) {
    if (QWidget* window = plotbase::WGGetGraphWindow(env, graph); window && window->width() > 0 && window->height() > 0)
        return QSizeF(window->width(), window->height());
    return QSizeF(400.0, 300.0);
}

bool hasTags(const DynDataSet& set) {
    for (int c = 0; c < set.channels; ++c)
        if (set.tags[static_cast<std::size_t>(c)][0] != '\0') return true;
    return false;
}

struct SidePanels {
    int legend = 0, values = 0;
};

// The legend of the channels' tags (when there are tags) and, below it, their current values
// in the traces' colours, right of the plot; placed for the graph's size now.
SidePanels addSidePanels(const plotbase::Graph& g, int graph, const DynDataSet& set, int dataSet, int trace,
                         int style, const ChartLayout& layout, int decimals, QSizeF pixels) {
    const double rowHeight = QFontMetricsF(plotbase::detail::fontFor(g.current.text)).height();
    const bool legend = hasTags(set);
    // The legend's rows and its frame's margins (legend.cpp).
    const double legendHeight = legend ? (set.channels * rowHeight + 8.0) / pixels.height() : 0.0;
    const SidePanelPlaces places = PlaceSidePanels(layout, legendHeight);
    SidePanels made;
    if (legend) made.legend = WRDynLegend(graph, trace, places.legendLeft, places.legendTop, 1);
    // A scrolling bar graph shows its first channel only.
    const int channel = style == 2 ? 0 : -1;
    made.values = WRSetDynText(graph, dataSet, channel, places.valuesLeft, places.valuesTop, places.valuesWidth, 0.0, 0, 1, nullptr, -1, 0, 0,
                               decimals, trace, 0);
    return made;
}

int autoScrollGraph(int graph, int dataSet, double sampleInterval, double relativeReset, double xStart, double xEnd, double yStart,
                    double yEnd, int style, int grid, double alarmLow, double alarmHigh, int legend, int16_t* results, int option) {
    if (results) std::memset(results, 0, ResultCount * sizeof(int16_t));
    const int created = WithTop(0, Operation, [&](plotbase::Environment& env, RTTop& top) -> int {
        if (!CreatorAllowed(env)) return 0;
        plotbase::Graph* g = OpenGraph(env, graph);
        if (!g) return 0;
        const DynDataSet* set = DataSetOrReport(env, top, dataSet, Operation);
        if (!set) return 0;
        if (!std::isfinite(xStart) || !std::isfinite(xEnd) || !std::isfinite(yStart) || !std::isfinite(yEnd) || !(xEnd > xStart) ||
            !(yEnd > yStart) || style < 1 || style > 3 || option < -1 || option > 10 || std::isnan(alarmLow) || std::isnan(alarmHigh))
            return Refuse(env, Operation);

        const QSizeF pixels = graphPixels(env, graph);
        const double textHeight = plotbase::textPixelHeight(g->current.text.size);
        ChartLayoutInput in;
        in.charWidth = 0.6 * textHeight / pixels.width();
        in.titleHeight = 0.0;
        in.valueLabelChars = ValueLabelChars(yStart, yEnd, option);
        in.legend = legend != 0;
        std::size_t longestTag = 0;
        for (int c = 0; c < set->channels; ++c) longestTag = std::max(longestTag, strnlen(set->tags[static_cast<std::size_t>(c)].data(), 15));
        in.tagWidth = static_cast<double>(longestTag) * in.charWidth;
        const ChartLayout layout = AutoChartLayout(in);
        if (layout.tooSmall()) {
            ReportDynError(env, GraphTooSmall, 2, " - WRSetAutoScroll");
            return 0;
        }

        plotbase::WGSetPlotArea(env, graph, layout.left, layout.top, layout.right, layout.bottom, plotbase::ClipToPlotArea | plotbase::FramePlotArea);
        plotbase::WGScalePlotArea(env, graph, xStart, yStart, xEnd, yEnd);
        plotbase::WGSetXYIntercepts(env, graph, xStart, yStart);
        const int xAxis = plotbase::WGDrawXAxis(env, graph, 0.2 * (xEnd - xStart), 1, 0);
        const int yAxis = plotbase::WGDrawYAxis(env, graph, 0.2 * (yEnd - yStart), 1, 1);
        const int xLabels = plotbase::WGLabelAxis(env, graph, xAxis, -1);
        const int yLabels = plotbase::WGLabelAxis(env, graph, yAxis, option);
        int xGrid = 0, yGrid = 0;
        if (grid) {
            xGrid = plotbase::WGDrawGrid(env, graph, xAxis, 0);
            yGrid = plotbase::WGDrawGrid(env, graph, yAxis, 0);
        }
        int trace = 0;
        switch (style) {
        case 1: trace = WRSetScrollGraph(graph, dataSet, sampleInterval, relativeReset, 1, 0, nullptr, nullptr, nullptr); break;
        case 2: trace = WRSetScrollBargraph(graph, dataSet, 0, sampleInterval, relativeReset, 1, 0.6 * sampleInterval, -1, 1); break;
        default: trace = WRSetSweepGraph(graph, dataSet, sampleInterval, 1, 0, 4, nullptr, nullptr, nullptr); break;
        }
        if (!trace) return 0;
        int alarmLines = 0;
        if (alarmLow != alarmHigh) {
            WRSetAlarm(dataSet, DV_ALARM_HIGH, std::max(alarmLow, alarmHigh), nullptr);
            WRSetAlarm(dataSet, DV_ALARM_LOW, std::min(alarmLow, alarmHigh), nullptr);
            alarmLines = WRSetAlarmLines(graph, dataSet, 0, 1, nullptr, nullptr, nullptr, nullptr);
        }
        SidePanels panels;
        // Looked up again: the objects made since may have moved the records.
        const DynDataSet* shown = top.dataSets.at(dataSet);
        const plotbase::Graph* now = env.graph(graph);
        if (legend && shown && now) panels = addSidePanels(*now, graph, *shown, dataSet, trace, style, layout, PanelDecimals(yStart, yEnd, option), pixels);
        if (results) {
            const int indices[ResultCount] = {trace, xAxis, yAxis, xLabels, yLabels, xGrid, yGrid, alarmLines, panels.legend, panels.values, 0};
            for (int i = 0; i < ResultCount; ++i) results[i] = static_cast<int16_t>(indices[i]);
        }
        return trace;
    });
    return created;
}

}  // namespace

extern "C" {

DV_API int WRSetAutoScrollGraph2(int graph, int dataSet, double sampleInterval, double relativeReset, double xStart, double xEnd,
                                 double yStart, double yEnd, int style, int grid, double alarmLow, double alarmHigh, int legend,
                                 int16_t* results, int option) {
    return autoScrollGraph(graph, dataSet, sampleInterval, relativeReset, xStart, xEnd, yStart, yEnd, style, grid, alarmLow, alarmHigh,
                           legend, results, option);
}

DV_API int WRSetAutoScrollGraph(int graph, int dataSet, double sampleInterval, double relativeReset, double xStart, double xEnd,
                                double yStart, double yEnd, int style, int grid, double alarmLow, double alarmHigh, int legend,
                                int16_t* results) {
    return autoScrollGraph(graph, dataSet, sampleInterval, relativeReset, xStart, xEnd, yStart, yEnd, style, grid, alarmLow, alarmHigh,
                           legend, results, -1);
}

}  // extern "C"
