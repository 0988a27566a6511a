#pragma once
// A plausible reflection waveform for looking at the graph without an instrument: the
// launch step near 0 m, flat cable, the dip where the probe starts in wet soil, and the
// rise at the probe's end towards a late level. Also its derivative and the marker
// positions (as point indices, the way the instrument reports them).

#include "graph/waveform_store.h"

#include <vector>

namespace graph::gallery {

struct ProbeScene {
    int points = 2048;
    float windowStart = 0.0f;   // m
    float windowLength = 10.0f;  // m
    float stepAt = 0.35f;        // the launch step
    float probeStart = 3.0f;     // where the probe begins
    float probeEnd = 6.4f;       // its apparent end
    float dipDepth = 0.32f;      // how far the probe start pulls the trace down
    float lateRise = 0.72f;      // how far the trace climbs after the probe end
    unsigned noiseSeed = 1;
};

struct SyntheticTrace {
    std::vector<float> waveform;    // positions 0..points-1
    std::vector<float> derivative;  // scaled to peaks of about 0.6
    float marker1 = 0;              // point index of the probe start
    float marker2 = 0;              // point index of the probe end
};

SyntheticTrace makeReflectionWaveform(const ProbeScene& scene);

// The trace served as the instrument's store (points counted from 1, 0.0 outside).
class SyntheticStore : public WaveformStore {
public:
    explicit SyntheticStore(SyntheticTrace trace) : trace_(std::move(trace)) {}
    float WaveformAt(int i) const override { return at(trace_.waveform, i); }
    float DerivativeAt(int i) const override { return at(trace_.derivative, i); }
    const SyntheticTrace& trace() const { return trace_; }

private:
    static float at(const std::vector<float>& values, int i) {
        return i >= 1 && static_cast<std::size_t>(i) <= values.size() ? values[static_cast<std::size_t>(i) - 1] : 0.0f;
    }
    SyntheticTrace trace_;
};

}  // namespace graph::gallery
