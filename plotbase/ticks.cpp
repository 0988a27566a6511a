#include "plotbase/ticks.h"

#include <algorithm>
#include <cmath>

namespace plotbase {

namespace {

bool usable(double min, double max, double spacing) {
    return std::isfinite(min) && std::isfinite(max) && std::isfinite(spacing) && spacing > 0.0 && max >= min;
}

// Multiples k*step with k from first to last, the last included.
std::vector<double> multiples(double min, double max, double step) {
    std::vector<double> out;
    // A tick a hair outside the range still counts: ranges often come from single-precision
    // values (0.185f is 0.18500000238...).
    const double slack = 1e-5;
    double first = std::ceil(min / step - slack);
    double last = std::floor(max / step + slack);
    if (!(last >= first)) return out;
    double stride = 1.0;
    if (last - first + 1.0 > MaxTicksPerAxis) {
        stride = std::ceil((last - first + 1.0) / MaxTicksPerAxis);
        first = std::ceil(first / stride) * stride;
    }
    // Counting by index: at huge magnitudes k += stride could stand still.
    const auto n = static_cast<int>(std::floor((last - first) / stride)) + 1;
    for (int i = 0; i < n && i <= MaxTicksPerAxis; ++i) {
        double value = (first + i * stride) * step;
        if (std::fabs(value) < step * 1e-9) value = 0.0;  // no "-0" labels
        out.push_back(value);
    }
    return out;
}

}  // namespace

std::vector<double> majorTicks(double min, double max, double spacing) {
    if (!usable(min, max, spacing)) return {};
    return multiples(min, max, spacing);
}

std::vector<double> minorTicks(double min, double max, double spacing, int count) {
    if (!usable(min, max, spacing) || count < 1) return {};
    const double step = spacing / (count + 1);
    std::vector<double> out;
    for (double value : multiples(min, max, step)) {
        const double ratio = value / spacing;
        if (std::fabs(ratio - std::round(ratio)) > 1e-6) out.push_back(value);
    }
    return out;
}

int automaticDecimals(double spacing) {
    if (!std::isfinite(spacing) || spacing <= 0.0) return 0;
    double scaled = spacing;
    for (int decimals = 0; decimals < 9; ++decimals) {
        if (std::fabs(scaled - std::round(scaled)) <= 1e-6 * std::max(1.0, std::fabs(scaled))) return decimals;
        scaled *= 10.0;
    }
    return 9;
}

}  // namespace plotbase
