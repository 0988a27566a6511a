// The PID arithmetic on its own: definition, one step, re-balancing, a closed loop.

#include "dynaview/pid/pid_loop.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace dynaview {
namespace {

// Process 0..100 onto output 0..100 (error scale 1), proportional only, bias 10.
PidDefinition plainLoop() {
    PidDefinition d;
    d.name = "loop";
    d.setpoint = 60.0;
    d.gain = 1.0;
    d.bias = 10.0;
    d.rateLimit = 1000.0;
    return d;
}

TEST(PidDefinition, SetpointIsPinnedToTheProcessRange) {
    PidDefinition d = plainLoop();
    d.setpoint = 120.0;
    EXPECT_EQ(MakePidLoop(d).setpoint, 100.0);
    d.setpoint = -5.0;
    EXPECT_EQ(MakePidLoop(d).setpoint, 0.0);
    PidLoop loop = MakePidLoop(plainLoop());
    EXPECT_EQ(ClampToProcessRange(loop, 101.0), 100.0);
    EXPECT_EQ(ClampToProcessRange(loop, 42.0), 42.0);
}

TEST(PidDefinition, OutputRangeTakesEitherOrderAndLimitsStayInsideIt) {
    PidDefinition d = plainLoop();
    for (auto [a, b] : {std::pair{100.0, 0.0}, std::pair{0.0, 100.0}}) {
        d.outputRangeA = a;
        d.outputRangeB = b;
        d.limitHigh = 150.0;
        d.limitLow = -20.0;
        const PidLoop loop = MakePidLoop(d);
        EXPECT_EQ(loop.rangeHigh, 100.0);
        EXPECT_EQ(loop.rangeLow, 0.0);
        EXPECT_EQ(loop.limitHigh, 100.0);
        EXPECT_EQ(loop.limitLow, 0.0);
    }
    d.limitHigh = 80.0;
    d.limitLow = 5.0;
    const PidLoop loop = MakePidLoop(d);
    EXPECT_EQ(loop.limitHigh, 80.0);
    EXPECT_EQ(loop.limitLow, 5.0);
}

TEST(PidDefinition, CoefficientsScaleAndStartingState) {
    PidDefinition d = plainLoop();
    d.gain = 2.0;
    d.integral = 0.5;
    d.derivative = 3.0;
    d.sampleInterval = 0.5;
    d.processHigh = 200.0;
    d.name = std::string(60, 'n');
    const PidLoop loop = MakePidLoop(d);
    EXPECT_EQ(loop.kp, 2.0);
    EXPECT_EQ(loop.ki, 0.5 * 2.0 * 0.5);
    EXPECT_EQ(loop.kd, 3.0 * 2.0 / 0.5);
    EXPECT_EQ(loop.k, 0.5);
    EXPECT_EQ(loop.u, 10.0);
    EXPECT_TRUE(loop.automatic);
    EXPECT_EQ(loop.name.size(), 41u);
    double gain = 0, integral = 0, derivative = 0;
    GetPidConstants(loop, gain, integral, derivative);
    EXPECT_DOUBLE_EQ(gain, 2.0);
    EXPECT_DOUBLE_EQ(integral, 0.5);
    EXPECT_DOUBLE_EQ(derivative, 3.0);
}

TEST(PidDefinition, UnworkableDefinitionsAreRefused) {
    EXPECT_TRUE(PidDefinitionUsable(plainLoop()));
    PidDefinition d = plainLoop();
    d.sampleInterval = 0.0;
    EXPECT_FALSE(PidDefinitionUsable(d));  // the derivative and the rate divide by it
    d = plainLoop();
    d.processLow = d.processHigh;
    EXPECT_FALSE(PidDefinitionUsable(d));  // the error scale divides by the span
    d = plainLoop();
    d.rateLimit = -1.0;
    EXPECT_FALSE(PidDefinitionUsable(d));  // would move the output the wrong way
    d = plainLoop();
    d.filter = 1.0;
    EXPECT_FALSE(PidDefinitionUsable(d));  // would never follow the process
    d.filter = -0.5;
    EXPECT_FALSE(PidDefinitionUsable(d));
    d = plainLoop();
    d.gain = NAN;
    EXPECT_FALSE(PidDefinitionUsable(d));
}

TEST(PidStep, ProportionalErrorScaleAndReverseAction) {
    PidDefinition d = plainLoop();
    d.outputRangeA = 50.0;  // error scale 0.5
    d.limitHigh = 50.0;
    PidLoop loop = MakePidLoop(d);
    EXPECT_DOUBLE_EQ(PidStep(loop, 50.0), 0.5 * 10.0 + 10.0);
    EXPECT_DOUBLE_EQ(loop.e, 5.0);
    EXPECT_EQ(loop.pv, 50.0);
    d.reverse = true;
    PidLoop reverse = MakePidLoop(d);
    PidStep(reverse, 50.0);  // setpoint above the process value: a negative error
    EXPECT_DOUBLE_EQ(reverse.e, -5.0);
    EXPECT_DOUBLE_EQ(reverse.u, 5.0);
}

TEST(PidStep, OutputIsClampedToTheLimits) {
    PidDefinition d = plainLoop();
    d.gain = 10.0;
    d.limitHigh = 70.0;
    d.limitLow = 20.0;
    PidLoop loop = MakePidLoop(d);
    EXPECT_EQ(PidStep(loop, 0.0), 70.0);
    EXPECT_EQ(PidStep(loop, 100.0), 20.0);
}

TEST(PidStep, RateLimitHoldsTheOutputAndTheIntegralSum) {
    PidDefinition d = plainLoop();
    d.gain = 0.5;
    d.integral = 1.0;  // Ki = 0.5: the step asks for 0.5 * 10 + 0.5 * 10 + 10 = 20
    d.rateLimit = 1.0;
    PidLoop loop = MakePidLoop(d);
    EXPECT_DOUBLE_EQ(PidStep(loop, 50.0), 11.0);
    EXPECT_EQ(loop.sum, 0.0);
    EXPECT_DOUBLE_EQ(PidStep(loop, 70.0), 10.0);  // going down is limited as well
    EXPECT_EQ(loop.sum, 0.0);
    loop.rateLimit = 1000.0;
    PidStep(loop, 50.0);
    EXPECT_DOUBLE_EQ(loop.sum, 10.0);  // within the limit the sum grows again
    EXPECT_DOUBLE_EQ(loop.u, 0.5 * 10.0 + 0.5 * 10.0 + 10.0);
}

TEST(PidStep, ManualModeKeepsTheOutputAndTheFirstAutomaticStepStartsFromIt) {
    PidDefinition d = plainLoop();
    d.integral = 0.1;  // Ki = 0.1
    PidLoop loop = MakePidLoop(d);
    loop.automatic = false;
    loop.u = 42.0;
    for (double pv : {30.0, 55.0, 50.0}) EXPECT_EQ(PidStep(loop, pv), 42.0);
    EXPECT_DOUBLE_EQ(loop.sum, (42.0 - 1.0 * 10.0 - 10.0) / 0.1);
    loop.automatic = true;
    // No jump: only this step's integral action moves the output.
    EXPECT_NEAR(PidStep(loop, 50.0), 42.0 + 0.1 * 10.0, 1e-9);
}

TEST(PidStep, ManualModeWithoutIntegralKeepsTheSum) {
    PidLoop loop = MakePidLoop(plainLoop());  // Ki = 0
    loop.sum = 7.0;
    loop.automatic = false;
    PidStep(loop, 50.0);
    EXPECT_EQ(loop.sum, 7.0);
    EXPECT_EQ(loop.u, 10.0);
}

TEST(PidStep, DerivativeUsesFourPointsAndItsHistoryFreezesWithoutKd) {
    PidDefinition d = plainLoop();
    d.gain = 0.0;
    d.bias = 0.0;
    d.outputRangeA = 50.0;  // error scale 1
    d.outputRangeB = -50.0;
    d.limitHigh = 50.0;
    d.limitLow = -50.0;
    PidLoop loop = MakePidLoop(d);
    loop.kd = 1.0;
    PidStep(loop, 59.0);                   // e = 1
    PidStep(loop, 57.0);                   // e = 3
    EXPECT_DOUBLE_EQ(PidStep(loop, 54.0),  // e = 6, previous 3, before that 1
                     ((6.0 - 3.0) * 3.0 - 1.0 + 6.0) / 6.0);
    EXPECT_EQ(loop.e1, 6.0);
    EXPECT_EQ(loop.e2, 3.0);
    EXPECT_EQ(loop.e3, 1.0);
    loop.kd = 0.0;
    for (double pv : {10.0, 20.0, 30.0}) EXPECT_EQ(PidStep(loop, pv), 0.0);
    EXPECT_EQ(loop.e1, 6.0);
    EXPECT_EQ(loop.e2, 3.0);
    EXPECT_EQ(loop.e3, 1.0);
    loop.kd = 1.0;
    // The first derivative afterwards works from the history kept from before.
    EXPECT_DOUBLE_EQ(PidStep(loop, 50.0), ((10.0 - 6.0) * 3.0 - 3.0 + 10.0) / 6.0);
}

TEST(PidStep, FilterStartsFromTheFirstValue) {
    PidDefinition d = plainLoop();
    d.filter = 0.5;
    PidLoop loop = MakePidLoop(d);
    PidStep(loop, 50.0);
    EXPECT_DOUBLE_EQ(loop.e, 10.0);  // not pulled towards 0 on the first step
    PidStep(loop, 40.0);
    EXPECT_DOUBLE_EQ(loop.pvFiltered, 45.0);
    EXPECT_DOUBLE_EQ(loop.e, 15.0);
    EXPECT_EQ(loop.pv, 40.0);  // the raw value is what is published
}

TEST(PidRebalance, ChangingBiasOrGainsDoesNotBumpTheOutput) {
    PidDefinition d = plainLoop();
    d.integral = 0.2;
    PidLoop a = MakePidLoop(d);
    for (double pv : {40.0, 45.0, 50.0}) PidStep(a, pv);
    PidLoop b = a;
    b.bias = 30.0;
    Rebalance(b);
    EXPECT_NEAR(PidStep(b, 50.0), PidStep(a, 50.0), 1e-9);
    PidLoop c = a;
    SetPidConstants(c, 3.0, 0.1, 0.0);
    PidLoop reference = a;
    const double before = reference.u;
    // With the new gains the next step moves on from the present output by the new
    // integral action only.
    EXPECT_NEAR(PidStep(c, 50.0), before + c.ki * c.e, 1e-9);
}

TEST(PidRebalance, ManualModeAndNoIntegralLeaveTheSumAlone) {
    PidDefinition d = plainLoop();
    d.integral = 0.2;
    PidLoop loop = MakePidLoop(d);
    loop.sum = 5.0;
    loop.automatic = false;
    Rebalance(loop);
    EXPECT_EQ(loop.sum, 5.0);
    loop.automatic = true;
    SetPidConstants(loop, 1.0, 0.0, 0.0);  // Ki = 0
    EXPECT_EQ(loop.sum, 5.0);
    double gain = 1, integral = 1, derivative = 1;
    SetPidConstants(loop, 0.0, 0.3, 0.3);
    GetPidConstants(loop, gain, integral, derivative);  // nothing to convert back without gain
    EXPECT_EQ(gain, 0.0);
    EXPECT_EQ(integral, 0.0);
    EXPECT_EQ(derivative, 0.0);
}

// A heated vessel: T' = (-(T - 20) + 0.8 u) / 30 per second, heater 0..100 %.
TEST(PidClosedLoop, FirstOrderProcessSettlesAtTheSetpoint) {
    PidDefinition d;
    d.setpoint = 60.0;
    d.gain = 4.0;
    d.integral = 0.05;
    d.rateLimit = 1000.0;
    PidLoop loop = MakePidLoop(d);
    double t = 20.0, peak = t;
    for (int second = 0; second < 600; ++second) {
        const double u = PidStep(loop, t);
        ASSERT_GE(u, 0.0);
        ASSERT_LE(u, 100.0);
        t += (-(t - 20.0) + 0.8 * u) / 30.0;
        peak = std::max(peak, t);
        if (second >= 300) {
            ASSERT_NEAR(t, 60.0, 0.05) << "second " << second;
        }
    }
    EXPECT_LT(peak, 65.0);
    // A new setpoint is reached as well.
    loop.setpoint = 45.0;
    for (int second = 0; second < 400; ++second) t += (-(t - 20.0) + 0.8 * PidStep(loop, t)) / 30.0;
    EXPECT_NEAR(t, 45.0, 0.05);
}

}  // namespace
}  // namespace dynaview
