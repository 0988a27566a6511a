#pragma once
// The checks of the axis range dialog: the four texts as typed, in single precision.

#include "platform/numbers.h"

#include <optional>
#include <string>

namespace graph {

struct AxisRangeTexts {
    std::string xmin, xmax, ymin, ymax;
};

struct AxisRanges {
    float xmin = 0, xmax = 0, ymin = 0, ymax = 0;
};

struct AxisRangeVerdict {
    std::optional<AxisRanges> ranges;  // when every check passed
    std::string message;               // the first failing check's message otherwise
    int failedField = -1;              // 0 xmin, 1 xmax, 2 ymax, 3 ymin
};

AxisRangeVerdict CheckAxisRanges(const AxisRangeTexts& texts, const platform::Numbers& numbers);

}  // namespace graph
