#include "dynaview/pid/pid_loop.h"

#include <algorithm>
#include <cmath>

namespace dynaview {

bool PidDefinitionUsable(const PidDefinition& d) {
    for (double v : {d.setpoint, d.gain, d.integral, d.derivative, d.bias, d.processHigh, d.processLow, d.outputRangeA,
                     d.outputRangeB, d.limitHigh, d.limitLow, d.rateLimit, d.sampleInterval, d.filter})
        if (!std::isfinite(v)) return false;
    return d.sampleInterval > 0.0 && d.processHigh != d.processLow && d.rateLimit >= 0.0 && d.filter >= 0.0 && d.filter < 1.0;
}

double IntegralCoefficient(double gain, double integral, double dt) { return dt * gain * integral; }
double DerivativeCoefficient(double gain, double derivative, double dt) { return derivative * gain / dt; }

PidLoop MakePidLoop(const PidDefinition& d) {
    PidLoop loop;
    loop.name = d.name.substr(0, std::min(d.name.size(), PidNameLength));
    loop.processHigh = d.processHigh;
    loop.processLow = d.processLow;
    loop.setpoint = ClampToProcessRange(loop, d.setpoint);
    loop.dt = d.sampleInterval;
    loop.kp = d.gain;
    loop.ki = IntegralCoefficient(d.gain, d.integral, d.sampleInterval);
    loop.kd = DerivativeCoefficient(d.gain, d.derivative, d.sampleInterval);
    loop.rangeHigh = std::max(d.outputRangeA, d.outputRangeB);
    loop.rangeLow = std::min(d.outputRangeA, d.outputRangeB);
    loop.limitHigh = d.limitHigh > loop.rangeHigh ? loop.rangeHigh : d.limitHigh;
    loop.limitLow = d.limitLow < loop.rangeLow ? loop.rangeLow : d.limitLow;
    loop.k = (loop.rangeHigh - loop.rangeLow) / (d.processHigh - d.processLow);
    loop.filter = d.filter;
    loop.bias = d.bias;
    loop.u = d.bias;
    loop.rateLimit = d.rateLimit;
    loop.reverse = d.reverse;
    loop.automatic = true;
    return loop;
}

double ClampToProcessRange(const PidLoop& loop, double setpoint) {
    if (setpoint > loop.processHigh) return loop.processHigh;
    if (setpoint < loop.processLow) return loop.processLow;
    return setpoint;
}

double StoredDerivative(const PidLoop& loop) {
    if (loop.kd == 0.0) return 0.0;
    return ((loop.e1 - loop.e2) * 3.0 - loop.e3 + loop.e) / 6.0;
}

double PidStep(PidLoop& loop, double processValue) {
    // The filter starts from the first value it sees, not from 0, so that a filtered loop
    // does not begin with a false error of the whole process value.
    const double previous = loop.filterPrimed ? loop.pvFiltered : processValue;
    const double pvf = (1.0 - loop.filter) * processValue + loop.filter * previous;

    double e = (loop.setpoint - pvf) * loop.k;
    if (loop.reverse) e = -e;
    loop.e = e;
    loop.eCopy = e;

    double d = 0.0;
    if (loop.kd != 0.0) {
        loop.e3 = loop.e2;
        loop.e2 = loop.e1;
        loop.e1 = e;
        d = ((e - loop.e2) * 3.0 - loop.e3 + e) / 6.0;
    }

    double u = loop.u;
    if (loop.automatic) {
        const double candidate = loop.sum + e;
        u = loop.kp * e + loop.ki * candidate + loop.kd * d + loop.bias;
        const double rate = (u - loop.u) / loop.dt;
        if (std::fabs(rate) <= loop.rateLimit) {
            loop.sum = candidate;
        } else {
            // The integral does not wind up while the output is held back.
            u = rate >= 0.0 ? loop.u + loop.rateLimit * loop.dt : loop.u - loop.rateLimit * loop.dt;
        }
    } else if (loop.ki != 0.0) {
        // The sum that makes the first automatic step continue from the manual output.
        loop.sum = (loop.u - loop.kp * e - loop.kd * d - loop.bias) / loop.ki;
    }

    if (u > loop.limitHigh)
        u = loop.limitHigh;
    else if (u < loop.limitLow)
        u = loop.limitLow;
    loop.u = u;
    loop.pv = processValue;
    loop.pvFiltered = pvf;
    loop.filterPrimed = true;
    return u;
}

void Rebalance(PidLoop& loop) {
    if (!loop.automatic || loop.ki == 0.0) return;
    loop.sum = (loop.u - loop.kp * loop.e - loop.kd * StoredDerivative(loop) - loop.bias) / loop.ki;
}

void SetPidConstants(PidLoop& loop, double gain, double integral, double derivative) {
    loop.kp = gain;
    loop.ki = IntegralCoefficient(gain, integral, loop.dt);
    loop.kd = DerivativeCoefficient(gain, derivative, loop.dt);
    Rebalance(loop);
}

void GetPidConstants(const PidLoop& loop, double& gain, double& integral, double& derivative) {
    gain = loop.kp;
    const bool convertible = loop.kp != 0.0 && loop.dt != 0.0;
    integral = convertible ? loop.ki / (loop.kp * loop.dt) : 0.0;
    derivative = convertible ? loop.kd / loop.kp * loop.dt : 0.0;
}

}  // namespace dynaview
