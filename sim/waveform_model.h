#pragma once
// The reflection waveform of a cable and probe in a medium, as the instrument sees it:
// reflection coefficient against apparent distance (distance scaled by the velocity
// setting). The step rises at the connector (0 m); the cable is matched; the probe's handle
// shows as a short bump that ends at the probe's start (the cable's apparent length, the
// "head"); the level inside the rods follows
// their impedance in the medium; the rods end Vp * L * sqrt(Ka) further on; after the end
// the level rises (or falls) towards the late level set by the medium's conductivity.
// Edges are smooth (error-function shaped), widened by the cable.

#include "sim/gaussian_noise.h"
#include "sim/instrument_settings.h"
#include "sim/physical_setup.h"

#include <optional>
#include <vector>

namespace sim {

class WaveformModel {
public:
    static constexpr double LineImpedance = 50.0;

    // timebaseError: how far the instrument's time base stretches the point spacing along
    // the window (time_base.h); 0 for a linear one.
    WaveformModel(const InstrumentSettings& settings, const Cable& cable, const Probe& probe, const Medium& medium,
                  double timebaseError = 0.0);

    // Apparent distances, metres.
    double headDistance() const { return head_; }
    double rodsDistance() const { return rods_; }
    double endDistance() const { return end_; }

    // Noise-free reflection coefficient at an apparent distance.
    double reflection(double apparentDistance) const;
    // Apparent distance of point i (1-based) of the window.
    double pointDistance(int i) const;
    // The window's points with Gaussian noise of deviation noiseAtOneAverage / sqrt(averages)
    // (no noise when noise is null).
    std::vector<float> sample(GaussianNoise* noise, double noiseAtOneAverage) const;

    // What the instrument reports about the probe.
    // Marker position of an apparent distance, in points from the window start, such that
    // start + position / points * length is that distance.
    double markerPosition(double apparentDistance) const;
    // The apparent length La = (end - head) / Vp - probe offset, metres.
    double apparentLength() const;
    // X = La / L with L the probe length setting; empty when it cannot be computed.
    std::optional<double> relativeApparentLength() const;
    // Long-time reflection coefficient and the conductance G = 1 / R behind it.
    double lateLevel() const { return lateLevel_; }
    double conductance() const;

private:
    double probeLevel(double d) const;
    double afterEndLevel(double d) const;

    InstrumentSettings settings_;
    double timebaseError_;
    Probe probe_;
    Medium medium_;
    double vp_;
    double head_;
    double rods_;
    double end_;
    double connectorWidth_;
    double edgeWidth_;
    double handleStart_;
    double handleLevel_;
    double rodsLevel_;
    double lateLevel_;
    double lossPerApparentMetre_;
    double endLevel_;
    double settleLength_;
};

// The per-point derivative of a waveform (central differences, one-sided at the ends).
std::vector<float> derivativePerPoint(const std::vector<float>& waveform);

}  // namespace sim
