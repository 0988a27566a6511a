#include "graph/axis_range_check.h"

namespace graph {

AxisRangeVerdict CheckAxisRanges(const AxisRangeTexts& texts, const platform::Numbers& numbers) {
    auto single = [&](const std::string& text) -> std::optional<float> {
        auto v = numbers.parseReal(text);
        if (!v) return std::nullopt;
        return static_cast<float>(*v);
    };
    AxisRangeVerdict verdict;
    const auto xmin = single(texts.xmin);
    if (!xmin || *xmin < -2.0f || *xmin > 10000.0f) {
        verdict.message = "X-axis Min value Out of Range( -2 to 10000 )";
        verdict.failedField = 0;
        return verdict;
    }
    const auto xmax = single(texts.xmax);
    if (!xmax || *xmax < *xmin + 0.1f || *xmax > *xmin + 2000.0f) {
        verdict.message = "X-axis Max value Out of Range( XaxisMin + 0.1 to XaxisMin + 2000 )";
        verdict.failedField = 1;
        return verdict;
    }
    const auto ymax = single(texts.ymax);
    if (!ymax || *ymax > 10.0f) {
        verdict.message = "Graph Window Y-axis Max Out of Range( <= 10 )";
        verdict.failedField = 2;
        return verdict;
    }
    const auto ymin = single(texts.ymin);
    if (!ymin || *ymin < -10.0f || *ymin >= *ymax) {
        verdict.message = "Graph Window Y-axis Min Out of Range( >= -10 )";
        verdict.failedField = 3;
        return verdict;
    }
    verdict.ranges = AxisRanges{*xmin, *xmax, *ymin, *ymax};
    return verdict;
}

}  // namespace graph
