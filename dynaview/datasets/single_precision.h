#pragma once
// Values arrive as doubles and are kept in single precision. A double beyond float's
// range becomes an infinity of its sign (the conversion itself would be undefined).

#include <cmath>
#include <limits>

namespace dynaview {

inline float ToSingle(double value) {
    constexpr double largest = std::numeric_limits<float>::max();
    if (value > largest) return std::numeric_limits<float>::infinity();
    if (value < -largest) return -std::numeric_limits<float>::infinity();
    return static_cast<float>(value);  // also NaN
}

}  // namespace dynaview
