// The calibration equations and the guarded power they are built on.

#include "analysis/moisture_calibration.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace analysis {
namespace {

float Eval(unsigned equation, float x, CaliCoefficients coef = {}) {
    float theta = -999.0f;
    EXPECT_EQ(EvalCalibration(theta, coef, equation, x), 0);
    return theta;
}

constexpr CaliCoefficients IdentityPolynomial{0, 0, 0, 0, 1, 0};  // the dialog's defaults

TEST(CalibrationEquations, FixedEquationsAtKnownPoints) {
    EXPECT_NEAR(Eval(LedieuFixed, 2), 0.1138 * 2 - 0.1758, 1e-7);
    EXPECT_NEAR(Eval(ToppFixed, 2), 0.0552752, 1e-7);
}

TEST(CalibrationEquations, ToppMatchesItsPublishedValuesThroughTheSquareRootOfKa) {
    const std::pair<float, double> published[] = {{10, 0.1883}, {20, 0.3454}, {25, 0.4004}};
    for (const auto& [ka, theta] : published)
        EXPECT_NEAR(Eval(ToppFixed, std::sqrt(ka)), theta, 0.00005) << "Ka = " << ka;
}

TEST(CalibrationEquations, AtXZeroPolynomialsGiveZeroAndLinearOnesTheirConstant) {
    const CaliCoefficients coef{1, 2, 3, 4, 5, 6};
    EXPECT_FLOAT_EQ(Eval(LedieuFixed, 0), -0.1758f);
    EXPECT_FLOAT_EQ(Eval(LedieuLinear, 0, coef), 2.0f);
    EXPECT_EQ(Eval(LedieuPolynomial, 0, coef), 0.0f);
    EXPECT_EQ(Eval(ToppFixed, 0), 0.0f);
    EXPECT_EQ(Eval(ToppPolynomial, 0, coef), 0.0f);
}

TEST(CalibrationEquations, DefaultCoefficientsGiveXAndKa) {
    for (float x : {0.5f, 1.7f, 3.0f, 6.25f}) {
        EXPECT_FLOAT_EQ(Eval(LedieuPolynomial, x, IdentityPolynomial), x);
        EXPECT_FLOAT_EQ(Eval(ToppPolynomial, x, IdentityPolynomial), x * x);
    }
}

TEST(CalibrationEquations, UserPolynomialsUseEveryCoefficientInItsPlace) {
    // Each coefficient a distinct power of ten shows which term it multiplies.
    const CaliCoefficients coef{1e5f, 1e4f, 1e3f, 1e2f, 10, 1};
    EXPECT_FLOAT_EQ(Eval(LedieuLinear, 2, coef), 1e5f * 2 + 1e4f);
    EXPECT_FLOAT_EQ(Eval(LedieuPolynomial, 2, coef), 1e5f * 32 + 1e4f * 16 + 1e3f * 8 + 1e2f * 4 + 10 * 2 + 1);
    EXPECT_FLOAT_EQ(Eval(ToppPolynomial, 2, coef), 1e5f * 1024 + 1e4f * 256 + 1e3f * 64 + 1e2f * 16 + 10 * 4 + 1);
    // The fixed Topp polynomial typed in as coefficients gives the same water content.
    const CaliCoefficients topp{0, 0, 4.3e-6f, -0.00055f, 0.0292f, -0.053f};
    EXPECT_NEAR(Eval(ToppPolynomial, 4, topp), Eval(ToppFixed, 4), 1e-6);
}

TEST(CalibrationEquations, OtherEquationNumbersLeaveTheResultAlone) {
    for (unsigned equation : {0u, 6u, 0xFFFFFFFFu}) EXPECT_EQ(Eval(equation, 2), -999.0f);
    EXPECT_FALSE((Calibration{7, {}}.Evaluate(2)));
    EXPECT_FALSE((Calibration{-1, {}}.Evaluate(2)));
    EXPECT_NEAR(*(Calibration{ToppFixed, {}}.Evaluate(2)), 0.0552752, 1e-7);
}

TEST(CalibrationEquations, AnOverflowingPowerDropsOnlyItsOwnTerm) {
    // X^5 = 1e40 does not fit a float: that term is 0, the others still count.
    EXPECT_FLOAT_EQ(Eval(LedieuPolynomial, 1e8f, {1, 0, 0, 0, 0, 5}), 5.0f);
    EXPECT_FLOAT_EQ(Eval(LedieuPolynomial, 1e8f, {1, 0, 0, 0, 1, 5}), 1e8f + 5);
}

TEST(CalibrationEquations, ASumBeyondFloatIsAnInfinityOfItsSign) {
    EXPECT_EQ(Eval(LedieuLinear, 10, {3e38f, 0}), std::numeric_limits<float>::infinity());
    EXPECT_EQ(Eval(LedieuLinear, 10, {-3e38f, 0}), -std::numeric_limits<float>::infinity());
}

TEST(SafePower, ArithmeticErrorsGiveZero) {
    EXPECT_EQ(SafePower(1e20f, 2), 0.0f);     // overflow
    EXPECT_EQ(SafePower(10, 39), 0.0f);       // overflow by multiplication
    EXPECT_EQ(SafePower(0, -1), 0.0f);        // division by zero
    EXPECT_EQ(SafePower(-8, 1.0f / 3), 0.0f);  // no real result
    EXPECT_EQ(SafePower(std::nanf(""), 2), 0.0f);
    EXPECT_EQ(SafePower(2, std::numeric_limits<float>::infinity()), 0.0f);
    EXPECT_EQ(SafePower(1e-30f, -2), 0.0f);   // 1e60
}

TEST(SafePower, ZeroExponentZeroBaseAndIntegralExponents) {
    for (float base : {0.0f, -3.5f, 1e30f, std::numeric_limits<float>::infinity()}) EXPECT_EQ(SafePower(base, 0), 1.0f) << base;
    EXPECT_EQ(SafePower(0, 2.5f), 0.0f);
    EXPECT_EQ(SafePower(0, 3), 0.0f);
    EXPECT_EQ(SafePower(3, 5), 243.0f);
    EXPECT_EQ(SafePower(-2, 3), -8.0f);
    EXPECT_EQ(SafePower(-2, 4), 16.0f);
    EXPECT_EQ(SafePower(2, -2), 0.25f);
    EXPECT_FLOAT_EQ(SafePower(4, 0.5f), 2.0f);
    EXPECT_EQ(SafePower(1, 1e9f), 1.0f);
    EXPECT_EQ(SafePower(-1, 1e9f), 1.0f);  // an even whole exponent too large to multiply out
}

}  // namespace
}  // namespace analysis
