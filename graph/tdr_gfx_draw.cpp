// The waveform graph's axes, traces and markers.

#include "graph/axis_ticks.h"
#include "graph/tdr_gfx.h"

#include "plotbase/plotbase.h"

#include <cmath>

namespace graph {

using namespace plotbase;

namespace {

constexpr int RedrawOver = 0;
constexpr int RedrawWhole = -1;
constexpr double MarkerHeight = 1.0;

// The first `count` characters of UTF-8 text (a character is never split).
std::string_view firstCharacters(std::string_view text, std::size_t count) {
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if ((byte & 0xC0) != 0x80) {
            if (characters == count) return text.substr(0, i);
            ++characters;
        }
    }
    return text;
}

// A range the axes can show: both ends and the span finite, max above min. Anything else
// (an instrument reporting inf or NaN) leaves an axis as it is.
bool usableRange(float min, float max) { return max > min && std::isfinite(max - min); }

}  // namespace

void TDRGFX::SetDistanceAxis(float xmin, float xmax) {
    if (!usableRange(xmin, xmax) || !graphValid()) return;
    const int g = handles_.graph;
    WGChangeAxisRange(env_, g, handles_.xAxis, xmin, xmax);
    WGChangeAxisIntercept(env_, g, handles_.yAxis, xmin);
    const TickSetting ticks = distanceAxisTicks(xmax - xmin);
    WGChangeAxisTicks(env_, g, handles_.xAxis, ticks.spacing, ticks.count, 0);
    WGChangeString(env_, g, handles_.xTitle, "distance (meters)");
}

void TDRGFX::SetValueAxis(float ymin, float ymax) {
    if (!usableRange(ymin, ymax) || !graphValid()) return;
    const int g = handles_.graph;
    WGChangeAxisRange(env_, g, handles_.yAxis, ymin, ymax);
    WGChangeAxisIntercept(env_, g, handles_.xAxis, ymin);
    const float range = ymax - ymin;
    WGChangeLabelsPrec(env_, g, handles_.yLabels, valueAxisDecimals(range));
    if (const auto ticks = valueAxisTicks(range)) WGChangeAxisTicks(env_, g, handles_.yAxis, ticks->spacing, ticks->count, 1);
}

template <typename ValueOf>
bool TDRGFX::replaceTrace(int& set, int plot, const char* name, int n, float start, float length, ValueOf value) {
    if (!graphValid() || n < 1 || n > MaxPoints) return false;
    const int g = handles_.graph;
    WGFreeDataSet(env_, g, set, -1);
    DoubleBlock x = AllocateBlock(n);
    DoubleBlock y = AllocateBlock(n);
    set = WGDefineDataSet(env_, g, name, x, y, n);
    const double step = n == 1 ? 1.0 : static_cast<double>(length) / (n - 1);
    for (int i = 0; i < n; ++i) {
        (*x)[static_cast<std::size_t>(i)] = start + i * step;
        (*y)[static_cast<std::size_t>(i)] = value(i);
    }
    WGReconnectDataSet(env_, g, plot, set);
    return true;
}

bool TDRGFX::DrawWaveform(int n, float start, float length) {
    const bool drawn = replaceTrace(handles_.mainSet, handles_.mainPlot, "TDR Data Set", n, start, length,
                                    [this](int i) { return store_.WaveformAt(i + 1); });
    if (!drawn) return false;
    SetDistanceAxis(start, start + length);
    WGRedrawObject(env_, handles_.graph, handles_.xTitle, RedrawOver);
    WGRedrawObject(env_, handles_.graph, handles_.mainPlot, RedrawWhole);
    return true;
}

bool TDRGFX::DrawDataArray(int n, std::span<const float> values, float start, float length) {
    if (n < 1 || static_cast<std::size_t>(n) > values.size()) return false;
    const bool drawn = replaceTrace(handles_.mainSet, handles_.mainPlot, "TDR Data Set", n, start, length,
                                    [values](int i) { return values[static_cast<std::size_t>(i)]; });
    if (!drawn) return false;
    SetDistanceAxis(start, start + length);
    WGRedrawObject(env_, handles_.graph, handles_.xTitle, RedrawOver);
    WGRedrawObject(env_, handles_.graph, handles_.mainPlot, RedrawWhole);
    return true;
}

bool TDRGFX::DrawSavedData(int n, std::span<const float> values, float start, float length) {
    if (n < 1 || static_cast<std::size_t>(n) > values.size()) return false;
    const bool drawn = replaceTrace(handles_.savedSet, handles_.savedPlot, "TDR Save Data", n, start, length,
                                    [values](int i) { return values[static_cast<std::size_t>(i)]; });
    if (drawn) WGRedrawObject(env_, handles_.graph, handles_.savedPlot, RedrawWhole);
    return drawn;
}

bool TDRGFX::DrawDerivative(int n, float start, float length) {
    const bool drawn = replaceTrace(handles_.derivativeSet, handles_.derivativePlot, "TDR Deriv. Data", n, start, length,
                                    [this](int i) { return store_.DerivativeAt(i + 1); });
    if (drawn) WGRedrawObject(env_, handles_.graph, handles_.derivativePlot, RedrawWhole);
    return drawn;
}

void TDRGFX::MoveMarkers(int n, bool show, float length, float start, float pos1, float pos2) {
    if (n == 0 || !graphValid()) return;
    const float points = static_cast<float>(n);
    const float x1 = start + pos1 / points * length;
    const float x2 = start + pos2 / points * length;
    // A position that is not a number (from inf or NaN reported) leaves its marker where it is.
    if (std::isfinite(x1)) WGMoveDataCursor(env_, handles_.graph, handles_.marker1, x1, MarkerHeight, show);
    if (std::isfinite(x2)) WGMoveDataCursor(env_, handles_.graph, handles_.marker2, x2, MarkerHeight, show);
}

void TDRGFX::RedrawTrace() {
    if (graphValid()) WGRedrawObject(env_, handles_.graph, handles_.mainPlot, RedrawWhole);
}

void TDRGFX::SetValueAxisTitle(std::string_view text) {
    if (!graphValid()) return;
    WGChangeString(env_, handles_.graph, handles_.yTitle, firstCharacters(text, MaxValueTitleLength));
    WGRedrawObject(env_, handles_.graph, handles_.yTitle, RedrawOver);
}

std::optional<ValueRange> TDRGFX::GetValueAxisRange() const {
    ValueRange range{};
    if (!graphValid() || !WGGetAxisRange(env_, handles_.graph, handles_.yAxis, range.min, range.max)) return std::nullopt;
    return range;
}

}  // namespace graph
