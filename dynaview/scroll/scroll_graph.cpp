// The scrolling graph's state: the ring, the columns, the jump, the variable time step and
// the rebuilds after a rescale or a new data set.

#include "dynaview/scroll/scroll_graph.h"

#include "dynaview/datasets/dyn_data_set.h"
#include "dynaview/frame/object_access.h"
#include "plotbase/operations_change.h"
#include "plotbase/operations_window.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace dynaview::scroll {

ScrollGraph::ScrollGraph(std::int16_t objectType, std::int16_t objectSubtype) : DynObject(objectType, objectSubtype) {
    params.widths.fill(1);
    for (int t = 0; t < MaxTraces; ++t) params.colours[static_cast<std::size_t>(t)] = 1 + t % 15;
}

double ScrollGraph::range() const {
    const plotbase::WorldRange r = advancingRange();
    return std::fabs(r.max - r.min);
}

void ScrollGraph::allocate(int pointCount) {
    window.points = pointCount;
    ring_.assign(static_cast<std::size_t>(pointCount) * static_cast<std::size_t>(valuesPerRow()), 0.0f);
    positions_.assign(isVariable() ? static_cast<std::size_t>(pointCount) : 0, 0.0);
    sweepErased_.assign(static_cast<std::size_t>(valuesPerRow()), 0.0f);
    clear();
}

void ScrollGraph::clear() {
    column = 0;
    baseRow = 0;
    row = -1;
    previousRow = -1;
    ringCount = 0;
    ringWrapped = false;
    windowFull = false;
    windowStart_ = 0.0;
    lastPosition_ = 0.0;
    sweepLineAt_ = -1;
}

void ScrollGraph::setRelativeReset(double relativeReset) {
    const WindowGeometry g = Geometry(window.points, relativeReset, range());
    window.relativeReset = g.relativeReset;
    window.jumpSpan = g.jumpSpan;
    window.resetColumn = g.resetColumn;
}

bool ScrollGraph::setSampleInterval(double interval) {
    if (!IntervalFits(range(), interval)) return false;
    params.sampleInterval = interval;
    const int n = PointsAcross(range(), interval);
    window = Geometry(n, window.relativeReset, range());
    allocate(n);
    return true;
}

void ScrollGraph::storeRow(int ringRow, const float* values, int channels, std::uint32_t word) {
    float* out = &ring_[static_cast<std::size_t>(ringRow) * static_cast<std::size_t>(valuesPerRow())];
    auto value = [&](int channel) { return channel >= 0 && channel < channels ? values[channel] : 0.0f; };
    if (isLogic()) {
        out[0] = static_cast<float>(word & 0xFFFFu);
    } else if (isBars()) {
        out[0] = value(params.barChannel);
    } else {
        for (int i = 0; i < valuesPerRow(); ++i) out[i] = value(i);
    }
}

void ScrollGraph::moveLabels(const ObjectPlace& place, double delta) {
    if (const plotbase::Graph* g = GraphIfOpen(place.env, place.graph)) timeLabels_.prune(*g);
    if (delta != 0.0 && moveTimeLabels) moveTimeLabels(place, timeLabels_, delta);
}

void ScrollGraph::redrawWindow(const ObjectPlace& place) { plotbase::WGRedrawObject(place.env, place.graph, 0, 0); }

void ScrollGraph::jump(const ObjectPlace* place) {
    const int n = points();
    const int shift = n - window.resetColumn - 1;
    auto moveBase = [&] {
        windowFull = true;
        column = window.resetColumn + 1;
        baseRow = (baseRow + shift) % n;
        firstSample_ += shift;
    };
    bool moved = false;
    if (place) {
        plotbase::WGDrawInWindow(place->env, place->graph, place->index, [&](QPainter& painter, const plotbase::DrawContext& context) {
            const QRectF plot = clipToPlot(painter, context.scaling);
            drawColumns(painter, context.scaling, 0, column - 1, true);
            moveBase();
            moved = true;
            drawColumns(painter, context.scaling, 0, column - 1, false);
            return plot.adjusted(-1, -1, 1, 1);
        });
    }
    if (!moved) moveBase();
    if (place) moveLabels(*place, shift * params.sampleInterval);
}

void ScrollGraph::advance(const float* values, int channels, std::uint32_t word, const ObjectPlace* place) {
    const int n = points();
    if (n < 2) return;
    if (isVariable()) {
        advanceVariable(values, channels, place);
        return;
    }
    if (column >= n) {
        if (isSweep()) {
            // The last point becomes the first; the old pass's first value is kept for the erase.
            const std::size_t per = static_cast<std::size_t>(valuesPerRow());
            std::copy_n(ring_.begin(), per, sweepErased_.begin());
            std::copy_n(ring_.begin() + static_cast<std::ptrdiff_t>((n - 1) * per), per, ring_.begin());
            column = 1;
            windowFull = true;
        } else {
            jump(place);
        }
    }
    previousRow = row;
    row = rowOf(column);
    std::array<float, 2 * MaxTraces> oldRow{};
    const std::size_t per = static_cast<std::size_t>(valuesPerRow());
    std::copy_n(ring_.begin() + static_cast<std::ptrdiff_t>(static_cast<std::size_t>(row) * per), per, oldRow.begin());
    storeRow(row, values, channels, word);
    if (++ringCount >= n) {
        ringCount = 0;
        ringWrapped = true;
    }
    if (place) drawUpdate(*place, oldRow.data());
    if (isSweep()) std::copy_n(oldRow.begin(), per, sweepErased_.begin());
    ++column;
}

void ScrollGraph::drawUpdate(const ObjectPlace& place, const float* oldRow) {
    lastRepaint_ = QRectF();
    const bool sweepOver = isSweep() && windowFull;
    plotbase::WGDrawInWindow(place.env, place.graph, place.index, [&](QPainter& painter, const plotbase::DrawContext& context) {
        clipToPlot(painter, context.scaling);
        QRectF changed;
        if (sweepOver) {
            if (sweepLineAt_ >= 0) changed |= drawSweepLine(painter, context.scaling, sweepLineAt_, true);
            changed |= drawSegmentOf(painter, context.scaling, column, sweepErased_.data(), oldRow, true);
        }
        changed |= drawSegment(painter, context.scaling, column, false);
        if (sweepOver && params.sweepLineColour >= 0) {
            sweepLineAt_ = column + 1 < points() ? column + 1 : 1;
            changed |= drawSweepLine(painter, context.scaling, sweepLineAt_, false);
        }
        lastRepaint_ = changed;
        return changed;
    });
}

void ScrollGraph::growVariable() {
    const int n = points() + 10;
    window.points = n;
    window.resetColumn = ResetColumn(n, window.relativeReset);
    ring_.resize(static_cast<std::size_t>(n) * static_cast<std::size_t>(valuesPerRow()), 0.0f);
    positions_.resize(static_cast<std::size_t>(n), 0.0);
}

void ScrollGraph::advanceVariable(const float* values, int channels, const ObjectPlace* place) {
    const float step = channels >= 1 ? values[channels - 1] : 0.0f;
    const double position = row < 0 ? 0.0 : lastPosition_ + (std::isfinite(step) ? step : 0.0);
    lastPosition_ = position;
    const double width = range();
    if (position - windowStart_ > width) {
        // Whole jump spans until the new sample lies inside the window again.
        const double span = window.jumpSpan > 0.0f ? window.jumpSpan : width / 30.0;
        const double spans = std::ceil((position - windowStart_ - width) / span);
        const double delta = spans * span;
        // Keep the last sample before the new start so the trace enters at the left edge.
        int first = 0;
        while (first < column && positions_[static_cast<std::size_t>(first)] < windowStart_ + delta) ++first;
        const int dropped = std::max(first - 1, 0);
        auto moveWindow = [&] {
            windowStart_ += delta;
            const std::size_t per = static_cast<std::size_t>(valuesPerRow());
            std::copy(ring_.begin() + static_cast<std::ptrdiff_t>(dropped * per), ring_.begin() + static_cast<std::ptrdiff_t>(column * per), ring_.begin());
            std::copy(positions_.begin() + dropped, positions_.begin() + column, positions_.begin());
            column -= dropped;
            windowFull = true;
        };
        bool moved = false;
        if (place) {
            plotbase::WGDrawInWindow(place->env, place->graph, place->index, [&](QPainter& painter, const plotbase::DrawContext& context) {
                const QRectF plot = clipToPlot(painter, context.scaling);
                drawColumns(painter, context.scaling, 0, column - 1, true);
                moveWindow();
                moved = true;
                drawColumns(painter, context.scaling, 0, column - 1, false);
                return plot.adjusted(-1, -1, 1, 1);
            });
        }
        if (!moved) moveWindow();
        if (place) moveLabels(*place, delta);
    }
    if (column >= points()) growVariable();
    previousRow = row;
    row = column;
    storeRow(row, values, channels, 0);
    positions_[static_cast<std::size_t>(column)] = position;
    ++ringCount;
    std::array<float, 2 * MaxTraces> unused{};
    if (place) drawUpdate(*place, unused.data());
    ++column;
}

void ScrollGraph::fillFrom(const HistoryRing& history, int channels, int pointsBack, int count) {
    clear();
    if (isLogic() || !history.enabled()) return;
    const int stored = history.stored();
    const int length = history.length();
    count = std::min(count, stored - pointsBack);
    if (!isVariable()) count = std::min(count, points() - 1);
    std::array<float, MaxChannels> values{};
    for (int j = 0; j < count; ++j) {
        const int back = pointsBack + count - 1 - j;  // 0: the newest
        int historyRow = history.writeIndex() - 1 - back;
        if (historyRow < 0) historyRow += length;
        for (int c = 0; c < channels && c < MaxChannels; ++c) values[static_cast<std::size_t>(c)] = history.value(historyRow, c);
        advance(values.data(), channels, 0, nullptr);
    }
}

void ScrollGraph::refillFromLive(const DynDataSet* set) {
    if (!set || !set->history.enabled() || set->history.stored() < 2) {
        clear();
        return;
    }
    const int stored = set->history.stored();
    fillFrom(set->history, set->channels, 0, isVariable() ? stored : points() - 1);
    windowFull = stored >= points();
}

void ScrollGraph::update(const ObjectPlace& place) {
    if (history_) {
        ++history_->arrived;
        return;
    }
    DynDataSet* set = dataSet(TopOf(place.env));
    if (!set) return;
    advance(set->current.data(), set->channels, set->binary, &place);
}

int TracesFor(std::int16_t type, std::int16_t subtype, int channels) {
    if (type == XYGraphType) return std::max(channels / 2, 1);
    switch (subtype) {
    case BarsSubtype: return 1;
    case LogicSubtype: return std::min(channels, LogicBits);
    case VariableSubtype: return std::max(channels - 1, 1);
    default: return channels;
    }
}

void ScrollGraph::rebound(const ObjectPlace& place) {
    history_.reset();
    const DynDataSet* set = dataSet(TopOf(place.env));
    if (set) {
        if (isXY()) const_cast<DynDataSet*>(set)->markXY();
        if (params.barChannel >= set->channels) params.barChannel = set->channels - 1;
        traceCount = TracesFor(type, subtype, set->channels);
    }
    allocate(points());
    if (!isVariable()) refillFromLive(set);
    redrawWindow(place);
}

int ScrollGraph::channelColour(int channel) const {
    if (channel < 0 || isLogic()) return -1;
    if (isBars()) return channel == params.barChannel ? params.barColour : -1;
    const int trace = isXY() ? channel / 2 : channel;
    return trace < traceCount ? params.colours[static_cast<std::size_t>(trace)] : -1;
}

bool ScrollGraph::acceptsRange(double newRange) const {
    if (isXY() || isVariable()) return true;
    return IntervalFits(newRange, params.sampleInterval);
}

void ScrollGraph::rescaled(const ObjectPlace& place) {
    const DynDataSet* set = dataSet(TopOf(place.env));
    if (isVariable()) {
        params.sampleInterval = range() / 30.0;
        window = Geometry(31, window.relativeReset, range());
        allocate(31);
        refillFromLive(set);
    } else if (!isXY()) {
        const int n = PointsAcross(range(), params.sampleInterval);
        const WindowGeometry g = Geometry(n, window.relativeReset, range());
        if (n != points()) {
            history_.reset();
            window = g;
            allocate(n);
            refillFromLive(set);
        } else {
            window = g;
        }
    }
    redrawWindow(place);
}

}  // namespace dynaview::scroll
