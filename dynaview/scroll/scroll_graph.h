#pragma once
// The scrolling-graph family (type 103, and the XY graph, type 104): traces that advance one
// sample per update across a graph and jump back when they reach its end. Each update draws
// only the new segment into the graph window's picture and repaints just its rectangle; a
// jump erases the old traces and draws the kept part again at its new place, in runs of at
// most K + 1 points.
//
// Subtypes: 1 line traces, 2 one channel as bars, 3 sweep (overwrites the old traces behind
// a sweep line), 4 logic (the binary word's bits as stepped traces), 5 variable time step
// (the data set's last channel), 7 stacked (each channel in a lane of its own); type 104
// subtype 3: curves from channel pairs (x, y).
//
// Values are kept as single precision in a ring of N rows; device points are worked out
// from the ring and the scaling of the moment they are drawn (they depend on the window's
// size), two per trace for an update.

#include "dynaview/datasets/history_ring.h"
#include "dynaview/frame/dyn_object.h"
#include "dynaview/frame/time_label_link.h"
#include "dynaview/frame/type_sizes.h"
#include "dynaview/scroll/scroll_geometry.h"

#include <QPen>
#include <QPolygonF>
#include <QRectF>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace dynaview {

class DynDataSet;

namespace scroll {

enum Subtype : std::int16_t {
    LinesSubtype = 1,
    BarsSubtype = 2,
    SweepSubtype = 3,
    LogicSubtype = 4,
    VariableSubtype = 5,
    StackedSubtype = 7,
    XYSubtype = 3,  // of type 104
};

enum ScrollStyle : int { NoStep = 0, StepStart = 1, StepEnd = 2 };

constexpr int MaxTraces = 32;
constexpr int LogicBits = 16;

// The creation arguments, as a saved record needs them.
struct ScrollGraphParams {
    int direction = 1;          // 1: advancing along the horizontal axis; else the vertical
    int scrollStyle = NoStep;
    double sampleInterval = 1.0;
    double relativeResetAsked = 0.0;  // as the caller gave it (before the creation reduction)
    std::array<int, MaxTraces> patterns{};
    std::array<int, MaxTraces> widths{};
    std::array<int, MaxTraces> colours{};
    // Scrolling bars.
    int barChannel = 0;
    double barWidth = 0.0;      // world units of the advancing axis
    int hatchStyle = -1;        // -1 solid; 0..5 horizontal, vertical, two diagonals, cross, diagonal cross
    int barColour = 0;
    // Sweep graphs: the colour of the sweep line, -1 for none.
    int sweepLineColour = -1;
};

// How many traces a graph of the type and subtype draws from a data set's channels.
int TracesFor(std::int16_t type, std::int16_t subtype, int channels);

class ScrollGraph final : public DynObject {
public:
    ScrollGraph(std::int16_t type, std::int16_t subtype);

    ScrollGraphParams params;
    int traceCount = 1;
    WindowGeometry window;  // N, R, r, jump span

    // Where drawing stands.
    int column = 0;
    int baseRow = 0;       // the ring row at column 0
    int row = -1;          // the ring row of the newest sample, -1 before the first
    int previousRow = -1;
    int ringCount = 0;
    bool ringWrapped = false;
    bool windowFull = false;  // set the first time the window jumps (or a sweep restarts)

    // Logic graphs: the names of the bits, bit 0 first.
    std::array<std::string, LogicBits> logicTags;

    bool isXY() const { return type == XYGraphType; }
    bool isSweep() const { return type == ScrollGraphType && subtype == SweepSubtype; }
    bool isVariable() const { return type == ScrollGraphType && subtype == VariableSubtype; }
    bool isLogic() const { return type == ScrollGraphType && subtype == LogicSubtype; }
    bool isBars() const { return type == ScrollGraphType && subtype == BarsSubtype; }
    bool isStacked() const { return type == ScrollGraphType && subtype == StackedSubtype; }
    // Values one ring row holds: the traces, a pair per XY curve, the word of a logic graph.
    int valuesPerRow() const { return isXY() ? 2 * traceCount : isLogic() ? 1 : traceCount; }
    // The range of the advancing axis (the window's width in world units).
    plotbase::WorldRange advancingRange() const { return params.direction == 1 ? xRange : yRange; }
    plotbase::WorldRange valueRange() const { return params.direction == 1 ? yRange : xRange; }
    double range() const;

    // Makes the buffers for N points; false when they cannot be had (the graph is empty).
    void allocate(int points);
    // Empties the window (column 0, ring row -1).
    void clear();
    // Fills the window from the newest samples of a history (nothing drawn).
    void fillFrom(const HistoryRing& history, int channels, int pointsBack, int count);
    // One sample, as the values of the data set's channels (or its binary word); draws the
    // new segment into the window when `place` is given.
    void advance(const float* values, int channels, std::uint32_t word, const ObjectPlace* place);

    // The value ring, row-major (tests and saving read it).
    const std::vector<float>& ring() const { return ring_; }
    float ringValue(int ringRow, int value) const { return ring_[static_cast<std::size_t>(ringRow * valuesPerRow() + value)]; }
    // Variable scroll: the positions of the samples in the window, world units from the
    // window's start (its start is `windowStart` from the first sample).
    double windowStart() const { return windowStart_; }
    double positionOf(int col) const { return positions_[static_cast<std::size_t>(col)]; }
    // The device points of a trace at a column under a scaling (for tests and the drawing).
    QPointF devicePoint(const plotbase::Scaling& scaling, int trace, int col) const;
    int rowOf(int col) const { return points() > 0 ? (baseRow + col) % points() : 0; }
    int points() const { return window.points; }

    // History view.
    bool historyShown() const { return history_.has_value(); }
    int historyPointsBack() const { return history_ ? history_->view.pointsBack : 0; }
    int arrivedDuringHistory() const { return history_ ? history_->arrived : 0; }
    // Enters the view; false (with the reason reported) when it cannot.
    enum class HistoryRefusal { None, Subtype, NotFilled, NoHistory };
    HistoryRefusal showHistory(const ObjectPlace& place, const DynDataSet& set, double timeBack, double& shownTimeBack);
    // Moves the view by deltaTime; returns the time it moved.
    double moveHistory(const ObjectPlace& place, double deltaTime);
    void resume(const ObjectPlace& place, const DynDataSet& set);
    // Leaves the view without drawing (a reset or a new data set).
    void dropHistory() { history_.reset(); }

    // Refills from the bound data set's history after a rebinding or a new window size.
    void refillFromLive(const DynDataSet* set);
    // A new interval, reset or style; false when the interval does not fit the window.
    void setRelativeReset(double relativeReset);
    bool setSampleInterval(double interval);

    // The world value of the advancing axis at column 0 in samples since creation (what the
    // time labels follow).
    long long firstColumnSample() const { return firstSample_; }

    // DynObject
    bool hasUpdateProcedure() const override { return true; }
    void update(const ObjectPlace& place) override;
    void paint(QPainter& painter, const plotbase::DrawContext& context) override;
    bool hitTest(const plotbase::DrawContext& context, double x, double y) const override;
    bool thin() const override { return true; }
    DataUpdate dataUpdate() const override { return isLogic() ? DataUpdate::None : DataUpdate::PerRow; }
    bool takesBinaryUpdate(int dataSet) const override { return isLogic() && dataSet == dataSetIndex; }
    bool rebindable() const override { return true; }
    void rebound(const ObjectPlace& place) override;
    bool acceptsRange(double range) const override;
    void rescaled(const ObjectPlace& place) override;
    TimeLabelSlots* timeLabelSlots() override { return &timeLabels_; }
    // The colour of the trace (XY: the curve, bars: the bar) that shows a data-set channel;
    // -1 for a channel it does not show and for logic graphs, which show bits.
    int channelColour(int channel) const override;

    // How attached time labels are moved on (replaced by tests to watch the link).
    std::function<void(const ObjectPlace&, const TimeLabelSlots&, double)> moveTimeLabels = MoveTimeLabels;

    // The rectangle the last update repainted (window coordinates; empty when none).
    QRectF lastRepaint() const { return lastRepaint_; }

private:
    struct HistoryState {
        HistoryRing snapshot;
        int channels = 1;
        HistoryWindow view;
        int arrived = 0;               // samples pushed since the snapshot
        int savedColumn = 0;
        long long savedFirstSample = 0;
    };

    void storeRow(int ringRow, const float* values, int channels, std::uint32_t word);
    void jump(const ObjectPlace* place);
    void growVariable();
    void advanceVariable(const float* values, int channels, const ObjectPlace* place);
    // Draws the new segment (and, for a sweep over its old pass, erases the old one under it).
    void drawUpdate(const ObjectPlace& place, const float* oldRow);
    const float* rowValues(int ringRow) const { return &ring_[static_cast<std::size_t>(ringRow) * static_cast<std::size_t>(valuesPerRow())]; }
    int effectiveStyle() const;
    double valueCoordinate(int trace, const float* values) const;
    double advancingCoordinate(int col) const;
    QPointF worldToDevice(const plotbase::Scaling& scaling, double advancing, double value) const;
    QPointF pointOf(const plotbase::Scaling& scaling, int trace, int col, const float* values) const;
    // Appends a point, with the corner a step style puts before it.
    void appendPoint(QPolygonF& polygon, QPointF point) const;
    // The points of a trace from column `from` to `to` (inclusive), step styles expanded.
    QPolygonF tracePoints(const plotbase::Scaling& scaling, int trace, int from, int to) const;
    QRectF barRect(const plotbase::Scaling& scaling, int col) const;
    QPen tracePen(int trace, bool erase) const;
    QRectF drawPolygon(QPainter& painter, const QPolygonF& polygon, const QPen& pen) const;
    QRectF drawColumns(QPainter& painter, const plotbase::Scaling& scaling, int from, int to, bool erase) const;
    QRectF drawSegment(QPainter& painter, const plotbase::Scaling& scaling, int col, bool erase) const;
    // The segment into column `col` from explicit values (the old pass of a sweep).
    QRectF drawSegmentOf(QPainter& painter, const plotbase::Scaling& scaling, int col, const float* before, const float* at, bool erase) const;
    QRectF drawSweepLine(QPainter& painter, const plotbase::Scaling& scaling, int col, bool erase) const;
    void drawLogicTags(QPainter& painter, const plotbase::DrawContext& context) const;
    QRectF clipToPlot(QPainter& painter, const plotbase::Scaling& scaling) const;
    void moveLabels(const ObjectPlace& place, double delta);
    // Fills the window from the snapshot at the current view, moves the labels, repaints.
    void showView(const ObjectPlace& place);
    void redrawWindow(const ObjectPlace& place);

    std::vector<float> ring_;
    std::vector<double> positions_;   // variable scroll
    double windowStart_ = 0.0;        // variable scroll
    double lastPosition_ = 0.0;       // variable scroll
    std::vector<float> sweepErased_;  // sweep: the old pass's values of the column before the new one
    int sweepLineAt_ = -1;            // sweep: the column the sweep line was drawn at
    std::optional<HistoryState> history_;
    long long firstSample_ = 0;
    TimeLabelSlots timeLabels_;
    QRectF lastRepaint_;
};

}  // namespace scroll
}  // namespace dynaview
