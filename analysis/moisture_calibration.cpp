#include "analysis/moisture_calibration.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace analysis {

namespace {

using Extended = long double;

constexpr Extended FloatMax = std::numeric_limits<float>::max();

// Whole exponents up to this are multiplied out; larger ones go to powl, which gives the
// same result for them (only bases very near 1 stay finite there).
constexpr Extended LargestMultipliedExponent = 1e6L;

// b^n for a whole n >= 0 by repeated squaring and multiplication.
Extended WholePower(Extended b, std::uint64_t n) {
    Extended result = 1;
    while (n != 0) {
        if (n & 1u) result *= b;
        n >>= 1;
        if (n != 0) b *= b;
    }
    return result;
}

// Whether the value can be stored as a float without overflow.
bool FitsFloat(Extended v) { return std::isfinite(v) && std::fabs(v) <= FloatMax; }

}  // namespace

float SafePower(float base, float exponent) {
    if (exponent == 0) return 1;
    if (std::isnan(base) || std::isnan(exponent) || std::isinf(base) || std::isinf(exponent)) return 0;
    if (base == 0) return 0;  // a negative exponent divides by zero: an arithmetic error too

    const Extended b = base;
    const Extended e = exponent;
    Extended result;
    if (e == std::trunc(e) && std::fabs(e) <= LargestMultipliedExponent) {
        const Extended magnitude = WholePower(b, static_cast<std::uint64_t>(std::fabs(e)));
        if (e < 0 && magnitude == 0) return 0;  // 1/0 after underflow
        result = e > 0 ? magnitude : 1 / magnitude;
    } else {
        if (b < 0 && e != std::trunc(e)) return 0;  // no real result
        result = std::pow(b, e);
    }
    if (!FitsFloat(result)) return 0;
    return static_cast<float>(result);
}

int EvalCalibration(float& theta, CaliCoefficients coef, unsigned equation, float x) {
    const Extended X = x;
    const auto C = [&coef](int n) { return static_cast<Extended>(coef[static_cast<std::size_t>(n - 1)]); };
    const auto P = [x](float n) { return static_cast<Extended>(SafePower(x, n)); };

    Extended result = 0;
    switch (equation) {
    case LedieuFixed:
        result = X * 0.1138L - 0.1758L;
        break;
    case LedieuLinear:
        result = C(1) * X + C(2);
        break;
    case LedieuPolynomial:
        if (x != 0) result = P(5) * C(1) + P(4) * C(2) + P(3) * C(3) + P(2) * C(4) + C(5) * X + C(6);
        break;
    case ToppFixed:
        // Powers of Ka as even powers of X: squaring X first would round once more.
        if (x != 0) result = P(6) * 4.3e-6L - P(4) * 0.00055L + X * X * 0.0292L - 0.053L;
        break;
    case ToppPolynomial:
        if (x != 0) result = P(10) * C(1) + P(8) * C(2) + P(6) * C(3) + P(4) * C(4) + X * X * C(5) + C(6);
        break;
    default:
        return 0;
    }
    if (std::isnan(result))
        theta = std::numeric_limits<float>::quiet_NaN();
    else if (std::fabs(result) > FloatMax)
        theta = result > 0 ? std::numeric_limits<float>::infinity() : -std::numeric_limits<float>::infinity();
    else
        theta = static_cast<float>(result);
    return 0;
}

std::optional<float> Calibration::Evaluate(float x) const {
    if (!IsEquationNumber(equation)) return std::nullopt;
    float theta = 0;
    EvalCalibration(theta, coef, static_cast<unsigned>(equation), x);
    return theta;
}

}  // namespace analysis
