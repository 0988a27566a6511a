#include "sim/waveform_model.h"

#include "sim/time_base.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace sim {

namespace {

// Rise of the instrument's step as apparent distance at Vp 1, and how much each metre of
// cable widens the edges after it.
constexpr double RiseWidth = 0.03;
constexpr double DispersionPerMetre = 0.002;
// Share of the end reflection that arrives at once; the rest settles over a few round trips.
constexpr double EndJumpShare = 0.6;

double smoothStep(double x, double width) { return 0.5 * (1.0 + std::erf(x / width)); }

double reflectionOf(double impedance) {
    return (impedance - WaveformModel::LineImpedance) / (impedance + WaveformModel::LineImpedance);
}

}  // namespace

WaveformModel::WaveformModel(const InstrumentSettings& settings, const Cable& cable, const Probe& probe,
                             const Medium& medium, double timebaseError)
    : settings_(settings), timebaseError_(timebaseError), probe_(probe), medium_(medium) {
    vp_ = settings.vp > 0 ? settings.vp : 1.0;
    const double cableVelocity = cable.velocity > 0 ? cable.velocity : 1.0;
    const double sqrtKa = std::sqrt(std::max(medium.dielectric, 1.0));
    head_ = std::max(cable.length, 0.0) * vp_ / cableVelocity;
    rods_ = head_ + vp_ * std::max(probe.headLength, 0.0);
    end_ = rods_ + vp_ * std::max(probe.rodLength, 0.0) * sqrtKa;
    connectorWidth_ = vp_ * RiseWidth;
    edgeWidth_ = vp_ * (RiseWidth + DispersionPerMetre * std::max(cable.length, 0.0));

    rodsLevel_ = reflectionOf(probe.airImpedance / sqrtKa);
    handleStart_ = head_ - vp_ * std::max(probe.handleLength, 0.0);
    handleLevel_ = reflectionOf(probe.handleImpedance);
    if (medium.conductivity > 0 && probe.cellConstant > 0) {
        lateLevel_ = reflectionOf(probe.cellConstant / medium.conductivity);
    } else {
        lateLevel_ = 1.0;  // an open circuit: no conduction at all
    }
    // Conduction pulls the level inside the rods towards the late level: about half the
    // line's attenuation 60 pi sigma / sqrt(Ka) per metre of rod.
    const double lossPerMetre = 30.0 * std::numbers::pi * std::max(medium.conductivity, 0.0) / sqrtKa;
    lossPerApparentMetre_ = lossPerMetre / (vp_ * sqrtKa);
    endLevel_ = probeLevel(end_);
    settleLength_ = std::max(0.5 * (end_ - rods_), edgeWidth_);
}

double WaveformModel::probeLevel(double d) const {
    return lateLevel_ + (rodsLevel_ - lateLevel_) * std::exp(-lossPerApparentMetre_ * std::max(0.0, d - rods_));
}

double WaveformModel::afterEndLevel(double d) const {
    const double remaining = (lateLevel_ - endLevel_) * (1.0 - EndJumpShare);
    return lateLevel_ - remaining * std::exp(-std::max(0.0, d - end_) / settleLength_);
}

double WaveformModel::reflection(double d) const {
    double rho = -1.0 + smoothStep(d, connectorWidth_);
    if (handleStart_ < head_)
        rho += handleLevel_ * (smoothStep(d - handleStart_, edgeWidth_) - smoothStep(d - head_, edgeWidth_));
    rho += probeLevel(d) * smoothStep(d - rods_, edgeWidth_);
    rho += (afterEndLevel(d) - probeLevel(d)) * smoothStep(d - end_, edgeWidth_);
    return rho;
}

double WaveformModel::pointDistance(int i) const { return sampledDistance(settings_, i, timebaseError_); }

std::vector<float> WaveformModel::sample(GaussianNoise* noise, double noiseAtOneAverage) const {
    const int points = std::max(settings_.points, 0);
    const double deviation = noiseAtOneAverage / std::sqrt(static_cast<double>(std::max(settings_.averages, 1)));
    std::vector<float> values(static_cast<std::size_t>(points));
    for (int i = 1; i <= points; ++i) {
        double v = reflection(pointDistance(i));
        if (noise) v += deviation * noise->next();
        values[static_cast<std::size_t>(i - 1)] = static_cast<float>(v);
    }
    return values;
}

double WaveformModel::markerPosition(double d) const {
    if (settings_.length <= 0) return 0;
    return (d - settings_.start) * settings_.points / settings_.length;
}

double WaveformModel::apparentLength() const { return (end_ - head_) / vp_ - settings_.probeOffset; }

std::optional<double> WaveformModel::relativeApparentLength() const {
    const double la = apparentLength();
    if (settings_.probeLength <= 0 || la <= 0) return std::nullopt;
    return la / settings_.probeLength;
}

double WaveformModel::conductance() const {
    if (medium_.conductivity <= 0 || probe_.cellConstant <= 0) return 0.0;
    return medium_.conductivity / probe_.cellConstant;
}

std::vector<float> derivativePerPoint(const std::vector<float>& w) {
    const std::size_t n = w.size();
    std::vector<float> d(n, 0.0f);
    if (n < 2) return d;
    d[0] = w[1] - w[0];
    d[n - 1] = w[n - 1] - w[n - 2];
    for (std::size_t i = 1; i + 1 < n; ++i) d[i] = 0.5f * (w[i + 1] - w[i - 1]);
    return d;
}

}  // namespace sim
