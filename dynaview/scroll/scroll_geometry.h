#pragma once
// The arithmetic of a scrolling window, free of drawing: how many points lie across it, where
// the kept part starts again after a jump, how far the window moves, how long a drawing run
// may be, and which samples a history view shows.

namespace dynaview::scroll {

// The most points a window may hold across (also the limit a rescale is checked against).
constexpr int MaxPoints = 32700;

struct WindowGeometry {
    int points = 0;               // N: samples across the window
    int resetColumn = 0;          // R: the last kept column after a jump
    float relativeReset = 0.0f;   // r
    float jumpSpan = 0.0f;        // (1 - r) x range, in world units of the advancing axis
};

// N = integer part of (range / interval + 1.5).
int PointsAcross(double range, double interval);
// Whether range / interval (truncated) stays below the limit a window can hold.
bool IntervalFits(double range, double interval);
// The reset column for N points and relative reset r: integer part of ((N - 1) r + 0.5),
// at most N - 2 (so that a jump always frees at least one column), never below 0.
int ResetColumn(int points, double relativeReset);
// The creation reduction: r may not exceed 1 - interval / range.
double ReducedReset(double relativeReset, double interval, double range);
// N, R, r and the jump span for a window of `range` world units and `points` points.
WindowGeometry Geometry(int points, double relativeReset, double range);
// The most points one drawing call of a redraw takes: K + 1, K = N / 40 or 14 when that is
// below 15.
int RunLength(int points);

// Which samples a history view shows: `pointsBack` samples before the newest, the window
// holding `shown` samples. `stored` is what the history holds, `window` the samples the
// window shows (N - 1).
struct HistoryWindow {
    int pointsBack = 0;
    int shown = 0;
};
// The view `timeBack` world units back; more than the history holds shows its oldest samples.
HistoryWindow HistoryView(double timeBack, double interval, int stored, int window);
// The view moved by `points` (positive: towards the newest), kept inside the history.
HistoryWindow MovedHistoryView(const HistoryWindow& view, int points, int stored, int window);
// deltaTime / interval rounded half away from zero.
int PointsOfTime(double time, double interval);

}  // namespace dynaview::scroll
