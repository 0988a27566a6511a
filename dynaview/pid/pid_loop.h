#pragma once
// One PID control loop: its definition, one step of the calculation at the sample
// interval, and the changes that keep the output where it is (re-balancing). Pure
// arithmetic: publishing the values to data sets is the caller's business.

#include <string>

namespace dynaview {

constexpr int MaxPidLoops = 127;  // loops 1..127
constexpr std::size_t PidNameLength = 41;

// What WRDefinePID is given.
struct PidDefinition {
    std::string name;
    double setpoint = 0.0;
    double gain = 1.0;
    double integral = 0.0;    // repeats per time unit
    double derivative = 0.0;  // time units
    double bias = 0.0;
    double processHigh = 100.0, processLow = 0.0;
    double outputRangeA = 100.0, outputRangeB = 0.0;
    double limitHigh = 100.0, limitLow = 0.0;
    double rateLimit = 0.0;       // output units per time unit
    double sampleInterval = 1.0;  // time units
    double filter = 0.0;          // 0: no filtering
    bool reverse = false;
};

struct PidLoop {
    std::string name;
    int inputSet = 0;   // data set of (process value, setpoint); 0: none
    int outputSet = 0;  // data set of the output and the mode bits; 0: none
    double dt = 1.0;
    double rangeHigh = 0.0, rangeLow = 0.0;  // output range
    double limitHigh = 0.0, limitLow = 0.0;  // output limits inside it
    double u = 0.0;                          // output
    double pv = 0.0;                         // last raw process value
    double setpoint = 0.0;
    double bias = 0.0;
    double processHigh = 0.0, processLow = 0.0;
    double e = 0.0, eCopy = 0.0, e1 = 0.0, e2 = 0.0, e3 = 0.0;
    double sum = 0.0;  // integral sum S
    double rateLimit = 0.0;
    double pvFiltered = 0.0;  // of the previous step
    bool filterPrimed = false;
    double filter = 0.0;
    double k = 1.0;  // error scale: output span / process span
    double kp = 0.0, ki = 0.0, kd = 0.0;
    bool reverse = false;
    bool automatic = true;
};

// Whether a definition can make a working loop: finite numbers, a sample interval above
// 0, a process range of some width, a rate limit not below 0 and a filter factor from 0
// up to (not including) 1.
bool PidDefinitionUsable(const PidDefinition& definition);
// The loop a (usable) definition makes, in automatic mode with the output at the bias.
PidLoop MakePidLoop(const PidDefinition& definition);

// The setpoint pinned to the process range.
double ClampToProcessRange(const PidLoop& loop, double setpoint);

// One step with a new process value; returns the new output.
double PidStep(PidLoop& loop, double processValue);

// The derivative term from the stored history, without moving it (0 when Kd is 0).
double StoredDerivative(const PidLoop& loop);
// In automatic mode: the integral sum chosen so that the next step starts from the
// present output (kept when Ki is 0).
void Rebalance(PidLoop& loop);

// Gain, integral (repeats per time unit) and derivative (time units) in and out of the
// stored coefficients. Without gain (or sample interval) the integral and derivative read
// as 0: the coefficients hold nothing to convert back.
void SetPidConstants(PidLoop& loop, double gain, double integral, double derivative);
void GetPidConstants(const PidLoop& loop, double& gain, double& integral, double& derivative);
double IntegralCoefficient(double gain, double integral, double dt);
double DerivativeCoefficient(double gain, double derivative, double dt);

}  // namespace dynaview
