// A whole bar chart in one call: plot area fitted to the labels, scales, axes with ticks
// every fifth of their range and labels, the bars, alarm lines when the limits differ, with
// the legend switch the channels' tags under their bars and with the value-panel switch each
// bar's current value over it (beside it, for lying bars).

#include "dynaview/alarms/alarm_block.h"
#include "dynaview/bars/bars_api.h"
#include "dynaview/datasets/dyn_data_set.h"
#include "dynaview/frame/api_guard.h"
#include "dynaview/frame/api_refusals.h"
#include "dynaview/frame/error_texts.h"
#include "dynaview/frame/object_access.h"
#include "dynaview/include/dynaview.h"
#include "plotbase/drawing_tools.h"
#include "plotbase/operations_build.h"
#include "plotbase/operations_change.h"
#include "plotbase/operations_setup.h"

#include <QFontMetricsF>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace dynaview {

namespace {

constexpr int ResultCount = 11;
// What the result array holds, by entry.
enum Result { Bars, PositionAxis, ValueAxis, PositionLabels, ValueLabels, Lines, FirstTag, FirstValue, LastValue };

// Characters of the widest label of an axis from `low` to `high` (one more for a sign).
int labelCharacters(double low, double high, int decimals) {
    const int whole = static_cast<int>(std::floor(std::log10(std::max({std::fabs(low), std::fabs(high), 1.0})))) + 1;
    return whole + (decimals > 0 ? decimals + 1 : 0) + (low < 0.0 || high < 0.0 ? 1 : 0);
}

}  // namespace

int AutoBargraph(plotbase::Environment& env, RTTop& top, int graph, int dataSet, double positionStart, double positionEnd,
                 double valueStart, double valueEnd, double baseValue, int orientationSwitch, double barWidth, double alarmLow,
                 double alarmHigh, int legend, int valuePanel, std::int16_t* results, int decimals) {
    constexpr const char* operation = "WRSetAutoBargraph";
    if (results) std::fill_n(results, ResultCount, std::int16_t{0});
    if (!CreatorAllowed(env)) return 0;
    plotbase::Graph* g = OpenGraph(env, graph);
    if (!g) return 0;
    const DynDataSet* set = api::DataSetOrReport(env, top, dataSet, operation);
    if (!set) return 0;
    for (double v : {positionStart, positionEnd, valueStart, valueEnd, baseValue, barWidth, alarmLow, alarmHigh})
        if (!std::isfinite(v)) return api::Refuse(env, operation);
    if (positionStart == positionEnd || valueStart == valueEnd || decimals < -1 || decimals > 15) return api::Refuse(env, operation);

    const bool standing = orientationSwitch == 1;
    // The vertical axis's labels set the left margin; the tags, with the legend, the right one.
    const QWidget* window = plotbase::WGGetGraphWindow(env, graph);
    const double graphWidth = window && window->width() > 0 ? window->width() : 400.0;
    const QFontMetricsF metrics(plotbase::detail::fontFor(g->current.text));
    const double charWidth = metrics.horizontalAdvance(QLatin1Char('0')) / graphWidth;
    const int shownDecimals = decimals < 0 ? 1 : decimals;
    const int d = standing ? labelCharacters(valueStart, valueEnd, shownDecimals) : labelCharacters(positionStart, positionEnd, shownDecimals);
    const double left = (d * 0.7 + 2.0) * charWidth + 0.01;
    double right = 0.92;
    if (legend && !standing) {
        double tagWidth = 0.0;
        for (int c = 0; c < set->channels; ++c)
            tagWidth = std::max(tagWidth, metrics.horizontalAdvance(QString::fromLatin1(set->tags[static_cast<std::size_t>(c)].data())) / graphWidth);
        right = 1.0 - (d * 0.7 + 2.0) * charWidth - tagWidth;
    }
    // Lying bars keep their values at the graph's right edge, beyond any tags.
    const double valueWidth = (labelCharacters(valueStart, valueEnd, shownDecimals) * 0.7 + 2.0) * charWidth;
    if (valuePanel && !standing) right = (legend ? right : 1.0) - valueWidth - 0.01;
    const double titleHeight = legend && standing ? metrics.height() / std::max(1, window ? window->height() : 300) : 0.0;
    const double bottom = 1.0 - 0.085 - titleHeight, topEdge = 1.0 - 0.82;
    if (right - left <= 0.1) {
        ReportDynError(env, GraphTooSmall, 2, " - WRSetAutoBargraph");
        return 0;
    }

    plotbase::WGSetPlotArea(env, graph, left, topEdge, right, bottom, plotbase::ClipToPlotArea);
    const double xLow = standing ? positionStart : valueStart, xHigh = standing ? positionEnd : valueEnd;
    const double yLow = standing ? valueStart : positionStart, yHigh = standing ? valueEnd : positionEnd;
    plotbase::WGScalePlotArea(env, graph, xLow, yLow, xHigh, yHigh);
    plotbase::WGSetXYIntercepts(env, graph, xLow, yLow);
    const int xAxis = plotbase::WGDrawXAxis(env, graph, std::fabs(xHigh - xLow) / 5.0, 1, 0);
    const int yAxis = plotbase::WGDrawYAxis(env, graph, std::fabs(yHigh - yLow) / 5.0, 1, 1);
    const int xLabels = plotbase::WGLabelAxis(env, graph, xAxis, decimals);
    const int yLabels = plotbase::WGLabelAxis(env, graph, yAxis, decimals);

    // The bars share the position axis evenly: n bars at the n inner points of n + 1 parts.
    const int n = set->channels;
    const double step = (positionEnd - positionStart) / (n + 1);
    const BarGraphRequest request{graph, dataSet, baseValue, orientationSwitch, positionStart + step, positionStart + n * step,
                                  barWidth, nullptr, nullptr, nullptr};
    const int bars = CreateBarGraph(env, top, request, operation);
    if (!bars) return 0;
    int lines = 0;
    if (alarmLow != alarmHigh) {
        WRSetAlarm(dataSet, HighAlarm, std::max(alarmLow, alarmHigh), nullptr);
        WRSetAlarm(dataSet, LowAlarm, std::min(alarmLow, alarmHigh), nullptr);
        lines = WRSetAlarmLines(graph, dataSet, 0, standing ? 1 : 0, nullptr, nullptr, nullptr, nullptr);
    }
    int firstTag = 0;
    if (legend) {
        for (int c = 0; c < n; ++c) {
            const char* tag = set->tags[static_cast<std::size_t>(c)].data();
            if (!*tag) continue;
            const double at = (c + 1.0) / (n + 1);
            const int text = standing ? plotbase::WGTextNorm(env, graph, tag, left + at * (right - left), bottom + 0.07,
                                                             plotbase::AlignCentre + plotbase::AlignTop, 0)
                                      : plotbase::WGTextNorm(env, graph, tag, right + 0.01, bottom - at * (bottom - topEdge),
                                                             plotbase::AlignLeft + plotbase::AlignBaseline, 0);
            if (!firstTag) firstTag = text;
        }
    }
    int firstValue = 0, lastValue = 0;
    if (valuePanel) {
        // One text per bar in the bar's colour: a cell as wide as the bars' spacing above a
        // standing bar, as high as it right of a lying one.
        const double rowHeight = 4.0 / 3.0 * metrics.height() / std::max(1, window ? window->height() : 300);
        for (int c = 0; c < n; ++c) {
            const double at = (c + 1.0) / (n + 1);
            double cellLeft = 0.0, cellTop = 0.0, cellWidth = 0.0, cellHeight = 0.0;
            if (standing) {
                cellWidth = (right - left) / (n + 1);
                cellHeight = rowHeight;
                cellLeft = left + at * (right - left) - cellWidth / 2;
                cellTop = topEdge - rowHeight - 0.005;
            } else {
                cellWidth = valueWidth;
                cellHeight = (bottom - topEdge) / (n + 1);
                cellLeft = 1.0 - valueWidth - 0.005;
                cellTop = bottom - at * (bottom - topEdge) - cellHeight / 2;
            }
            const int text = WRSetDynText(graph, dataSet, c, cellLeft * 100.0, cellTop * 100.0, cellWidth * 100.0, cellHeight * 100.0, -1, 1,
                                          nullptr, -1, standing ? 1 : 0, 0, shownDecimals, bars, 0);
            if (!firstValue) firstValue = text;
            if (text) lastValue = text;
        }
    }
    if (results) {
        const int made[ResultCount] = {bars, standing ? xAxis : yAxis, standing ? yAxis : xAxis, standing ? xLabels : yLabels,
                                       standing ? yLabels : xLabels, lines, firstTag, firstValue, lastValue, 0, 0};
        for (int i = 0; i < ResultCount; ++i) results[i] = static_cast<std::int16_t>(made[i]);
    }
    plotbase::WGRedrawObject(env, graph, 0, 0);
    return bars;
}

}  // namespace dynaview

using namespace dynaview;

extern "C" {

DV_API int WRSetAutoBargraph2(int graph, int dataSet, double positionStart, double positionEnd, double valueStart, double valueEnd,
                              double baseValue, int orientationSwitch, double barWidth, double alarmLow, double alarmHigh, int legend,
                              int valuePanel, int16_t* results, int option) {
    return api::WithTop(0, "WRSetAutoBargraph", [&](plotbase::Environment& env, RTTop& top) {
        return AutoBargraph(env, top, graph, dataSet, positionStart, positionEnd, valueStart, valueEnd, baseValue, orientationSwitch,
                            barWidth, alarmLow, alarmHigh, legend, valuePanel, results, option);
    });
}

DV_API int WRSetAutoBargraph(int graph, int dataSet, double positionStart, double positionEnd, double valueStart, double valueEnd,
                             double baseValue, int orientationSwitch, double barWidth, double alarmLow, double alarmHigh, int legend,
                             int valuePanel, int16_t* results) {
    return WRSetAutoBargraph2(graph, dataSet, positionStart, positionEnd, valueStart, valueEnd, baseValue, orientationSwitch, barWidth,
                              alarmLow, alarmHigh, legend, valuePanel, results, -1);
}

}  // extern "C"
