#include "plotbase/scaling.h"

#include <algorithm>
#include <cmath>

namespace plotbase {

namespace {

// Device coordinates far outside any window are clamped, so that a wild value still draws
// as a line leaving the plot instead of overflowing the rasteriser.
constexpr double DeviceLimit = 1e6;

double clampDevice(double value) {
    if (std::isnan(value)) return value;
    return std::clamp(value, -DeviceLimit, DeviceLimit);
}

double span(const WorldRange& range) { return range.max - range.min; }

}  // namespace

double Scaling::deviceX(double worldX) const {
    const double s = span(x_);
    if (s == 0.0) return plot_.left;
    return clampDevice(plot_.left + (worldX - x_.min) / s * plot_.width);
}

double Scaling::deviceY(double worldY) const {
    const double s = span(y_);
    if (s == 0.0) return plot_.bottom();
    return clampDevice(plot_.bottom() - (worldY - y_.min) / s * plot_.height);
}

double Scaling::worldX(double deviceX) const {
    if (plot_.width == 0.0) return x_.min;
    return x_.min + (deviceX - plot_.left) / plot_.width * span(x_);
}

double Scaling::worldY(double deviceY) const {
    if (plot_.height == 0.0) return y_.min;
    return y_.min + (plot_.bottom() - deviceY) / plot_.height * span(y_);
}

}  // namespace plotbase
