#include "dynaview/timeaxis/nice_range.h"

#include <algorithm>
#include <cmath>

namespace dynaview {

namespace {

double niceStep(double rough) {
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    const double fraction = rough / power;
    const double nice = fraction <= 1.0 ? 1.0 : fraction <= 2.0 ? 2.0 : fraction <= 5.0 ? 5.0 : 10.0;
    return nice * power;
}

}  // namespace

bool NiceRangeFor(double low, double high, NiceRange& out) {
    if (!std::isfinite(low) || !std::isfinite(high)) return false;
    if (low > high) std::swap(low, high);
    if (high - low <= std::max(std::fabs(high), std::fabs(low)) * 1e-12) {
        const double half = low == 0.0 ? 1.0 : std::fabs(low) * 0.1;
        low -= half;
        high += half;
    }
    const double span = high - low;
    if (!std::isfinite(span) || span <= 0.0) return false;
    const double step = niceStep(span / 5.0);
    NiceRange range{std::floor(low / step) * step, std::ceil(high / step) * step, step};
    if (!std::isfinite(range.min) || !std::isfinite(range.max) || !(range.max > range.min)) return false;
    out = range;
    return true;
}

}  // namespace dynaview
