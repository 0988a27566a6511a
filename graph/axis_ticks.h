#pragma once
// The tick and label settings the waveform graph gives its axes for a range.

#include <optional>

namespace graph {

struct TickSetting {
    double spacing;
    int count;  // minor ticks between two major ones
};

// Ticks of the distance axis for xmax - xmin.
TickSetting distanceAxisTicks(float span);
// Label decimals of the value axis for ymax - ymin.
int valueAxisDecimals(float range);
// Ticks of the value axis for ymax - ymin; nothing (ticks unchanged) above 20.
std::optional<TickSetting> valueAxisTicks(float range);

}  // namespace graph
