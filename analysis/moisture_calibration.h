#pragma once
// Turns X = La/L (the probe's apparent length over its real length, the square root of the
// apparent dielectric constant Ka) into volumetric water content with one of five
// calibration equations. Pure arithmetic: no I/O, no state.

#include <array>
#include <optional>

namespace analysis {

inline constexpr int CoefficientCount = 6;
using CaliCoefficients = std::array<float, CoefficientCount>;  // C1..C6 at [0]..[5]

// The equation numbers as the user picks them in the calibration dialog.
enum CaliEquationNumber : int {
    LedieuFixed = 1,       // 0.1138 X - 0.1758
    LedieuLinear = 2,      // C1 X + C2
    LedieuPolynomial = 3,  // C1 X^5 + ... + C5 X + C6
    ToppFixed = 4,         // 4.3e-6 Ka^3 - 0.00055 Ka^2 + 0.0292 Ka - 0.053
    ToppPolynomial = 5,    // C1 Ka^5 + ... + C5 Ka + C6
};
inline constexpr int FirstEquation = LedieuFixed;
inline constexpr int LastEquation = ToppPolynomial;
constexpr bool IsEquationNumber(long long n) { return n >= FirstEquation && n <= LastEquation; }
// Equations whose coefficients the user types.
constexpr bool UsesCoefficients(int equation) {
    return equation == LedieuLinear || equation == LedieuPolynomial || equation == ToppPolynomial;
}

// base^exponent, computed in extended precision and stored as float. Exponent 0 gives 1
// (whatever the base), base 0 with a positive exponent gives 0, an integral exponent is
// done by multiplication (so negative bases work); any arithmetic error (overflow,
// division by zero, a result that is not a number, a NaN or infinite argument) gives 0.
float SafePower(float base, float exponent);

// Writes the water content for X into theta for equations 1 to 5 and leaves theta as it
// is for any other number. Equations 3 to 5 give 0 at X = 0. Computed in extended
// precision; a result beyond the range of float is stored as an infinity of its sign.
// Always returns 0.
int EvalCalibration(float& theta, CaliCoefficients coef, unsigned equation, float x);

// The calibration in force: what the dialog's OK (or the settings file at start-up)
// applied.
struct Calibration {
    int equation = LedieuFixed;
    CaliCoefficients coef{};

    // The water content at X, or nothing when the equation number is not 1 to 5.
    std::optional<float> Evaluate(float x) const;
    bool operator==(const Calibration&) const = default;
};

}  // namespace analysis
