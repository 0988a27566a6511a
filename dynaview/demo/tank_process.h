#pragma once
// The demo's simulated process: a heated tank. A thermostat keeps the temperature between
// 45 and 70 degC; once a minute the heater sticks on for 20 seconds and the temperature
// runs up into its alarms. The level follows a slow demand cycle that reaches past its limits.
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
    };

    explicit TankProcess(std::uint32_t seed = 1);
    // The process dt seconds later.
    Sample step(double dt);
    double time() const { return time_; }

private:
    double time_ = 0.0;
    double temperature_ = 50.0;
    bool heater_ = true;
    std::mt19937 random_;
    std::normal_distribution<double> noise_{0.0, 1.0};
};

}  // namespace dynaview::demo
