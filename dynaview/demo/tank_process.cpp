#include "dynaview/demo/tank_process.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace dynaview::demo {

namespace {

constexpr double HeatedTemperature = 110.0;  // where the heater would take the tank
constexpr double AmbientTemperature = 10.0;
constexpr double TimeConstant = 12.0;       // seconds
constexpr double FaultPeriod = 60.0;        // the heater sticks on once a minute ...
constexpr double FaultStart = 22.0, FaultEnd = 42.0;  // ... for 20 seconds

}  // namespace

TankProcess::TankProcess(std::uint32_t seed) : random_(seed) {}

bool TankProcess::stuck() const {
    const double phase = std::fmod(time_, FaultPeriod);
    return phase >= FaultStart && phase < FaultEnd;
}

TankProcess::Sample TankProcess::step(double dt) {
    if (temperature_ < 45.0) heater_ = true;
    if (temperature_ > 70.0) heater_ = false;
    return advance(dt, heater_ ? 100.0 : 0.0);
}

TankProcess::Sample TankProcess::stepControlled(double dt, double heaterPercent) { return advance(dt, std::clamp(heaterPercent, 0.0, 100.0)); }

TankProcess::Sample TankProcess::advance(double dt, double power) {
    time_ += dt;
    if (stuck()) power = 100.0;
    const double target = AmbientTemperature + (HeatedTemperature - AmbientTemperature) * power / 100.0;
    temperature_ += (target - temperature_) * (1.0 - std::exp(-dt / TimeConstant));
    const double level = 2.5 + 1.9 * std::sin(2.0 * std::numbers::pi * time_ / 40.0);
    return {temperature_ + 0.3 * noise_(random_), level + 0.02 * noise_(random_), power > 0.0, power};
}

}  // namespace dynaview::demo
