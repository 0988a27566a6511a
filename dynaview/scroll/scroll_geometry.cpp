#include "dynaview/scroll/scroll_geometry.h"

#include <algorithm>
#include <cmath>

namespace dynaview::scroll {

int PointsAcross(double range, double interval) {
    const double n = std::floor(range / interval + 1.5);
    return static_cast<int>(std::clamp(n, 2.0, static_cast<double>(MaxPoints) + 1.0));
}

bool IntervalFits(double range, double interval) {
    if (!(interval > 0.0) || !std::isfinite(interval) || !std::isfinite(range)) return false;
    return std::floor(range / interval) < MaxPoints + 1 && range / interval >= 1.0;
}

int ResetColumn(int points, double relativeReset) {
    int reset = static_cast<int>(std::floor((points - 1) * relativeReset + 0.5));
    if (reset >= points - 1) reset = points - 2;
    return std::max(reset, 0);
}

double ReducedReset(double relativeReset, double interval, double range) {
    return std::min(relativeReset, 1.0 - interval / range);
}

WindowGeometry Geometry(int points, double relativeReset, double range) {
    WindowGeometry g;
    g.points = points;
    g.relativeReset = static_cast<float>(relativeReset);
    g.jumpSpan = static_cast<float>((1.0 - relativeReset) * range);
    g.resetColumn = ResetColumn(points, relativeReset);
    return g;
}

int RunLength(int points) {
    const int k = points / 40;
    return (k < 15 ? 14 : k) + 1;
}

HistoryWindow HistoryView(double timeBack, double interval, int stored, int window) {
    const double back = std::floor(std::max(timeBack, 0.0) / interval + 0.5);
    const int mostBack = std::max(stored - window, 0);
    HistoryWindow view;
    view.pointsBack = static_cast<int>(std::min(back, static_cast<double>(mostBack)));
    view.shown = std::min(stored, window);
    return view;
}

HistoryWindow MovedHistoryView(const HistoryWindow& view, int points, int stored, int window) {
    HistoryWindow moved = view;
    const long long back = static_cast<long long>(view.pointsBack) - points;
    moved.pointsBack = static_cast<int>(std::clamp<long long>(back, 0, std::max(stored - window, 0)));
    moved.shown = std::min(stored, window);
    return moved;
}

int PointsOfTime(double time, double interval) {
    const double points = std::round(time / interval);  // half away from zero
    if (!std::isfinite(points)) return 0;
    return static_cast<int>(std::clamp(points, -2e9, 2e9));
}

}  // namespace dynaview::scroll
