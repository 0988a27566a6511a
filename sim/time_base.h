#pragma once
// Where the instrument's time base puts the points of a window. A linear time base spaces
// them evenly from the start over the length; a faulty one stretches the spacing steadily
// along the window, by `error` (a fraction: 0.05 makes the last spacing 5 % longer than the
// first) while the first point stays at the start.

#include "sim/instrument_settings.h"

#include <algorithm>

namespace sim {

// Apparent distance sampled by point i (1-based) of the window.
inline double sampledDistance(const InstrumentSettings& settings, int i, double error) {
    const int points = std::max(settings.points, 2);
    const double u = static_cast<double>(i - 1) / (points - 1);  // 0 at the start, 1 at the end
    return settings.start + settings.length * (u + 0.5 * error * u * u) / (1.0 + 0.5 * error);
}

}  // namespace sim
