#include "graph/axis_ticks.h"

#include <cmath>

namespace graph {

namespace {

// The whole part of a non-negative range, saturating (a huge range must not overflow the
// conversion).
long wholePart(float value) {
    if (!(value > 0.0f)) return 0;
    if (value >= 1e9f) return 1000000000L;
    return static_cast<long>(std::trunc(value));
}

}  // namespace

TickSetting distanceAxisTicks(float span) {
    const long whole = wholePart(span);
    if (whole == 0) return {0.1, 0};
    if (whole <= 10) return {1.0, 1};
    if (whole <= 20) return {2.0, 1};
    if (whole <= 50) return {5.0, 4};
    if (whole <= 100) return {10.0, 9};
    if (whole <= 500) return {50.0, 4};
    if (whole <= 1000) return {100.0, 9};
    if (whole <= 2000) return {200.0, 3};
    return {500.0, 4};
}

int valueAxisDecimals(float range) {
    if (range >= 1.0f) return 1;
    if (range >= 0.1f) return 2;
    if (range >= 0.01f) return 3;
    if (range >= 0.001f) return 4;
    if (range >= 0.0001f) return 5;
    return 2;
}

std::optional<TickSetting> valueAxisTicks(float range) {
    const long whole = wholePart(range);
    if (whole == 0) {
        const long tenths = wholePart(10.0f * range);
        if (tenths == 0) return TickSetting{0.005, 4};
        if (tenths == 1) return TickSetting{0.01, 4};
        if (tenths == 2) return TickSetting{0.02, 4};
        if (tenths <= 7) return TickSetting{0.05, 4};
        return TickSetting{0.1, 4};
    }
    if (whole == 1) return TickSetting{0.1, 1};
    if (whole <= 9) return TickSetting{0.5, 4};
    if (whole == 10) return TickSetting{1.0, 4};
    if (whole <= 19) return TickSetting{1.5, 2};
    if (whole == 20) return TickSetting{2.0, 3};
    return std::nullopt;
}

}  // namespace graph
