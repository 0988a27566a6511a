#pragma once
// The demo's simulated process: a heated tank. A thermostat keeps the temperature between
// 45 and 70 degC, or a controller sets the heater's power (stepControlled); once a minute
// the heater sticks on at full power for 20 seconds and the temperature runs up into its
// alarms. The level follows a slow demand cycle that reaches past its limits.
// Deterministic for a seed, with a little measurement noise.

#include <cstdint>
#include <random>

namespace dynaview::demo {

class TankProcess {
public:
    struct Sample {
        double temperature;  // degC
        double level;        // m
        bool heater;
        double power = 0.0;  // the heater's power, 0 to 100 %
    };

    explicit TankProcess(std::uint32_t seed = 1);
    // The process dt seconds later.
    Sample step(double dt);
    // The same with the heater at `heaterPercent` of its power (0 to 100) instead of the thermostat.
    Sample stepControlled(double dt, double heaterPercent);
    double time() const { return time_; }

private:
    Sample advance(double dt, double power);
    bool stuck() const;
    double time_ = 0.0;
    double temperature_ = 50.0;
    bool heater_ = true;
    std::mt19937 random_;
    std::normal_distribution<double> noise_{0.0, 1.0};
};

}  // namespace dynaview::demo
