#pragma once

namespace graph {
// The instrument's waveform store as the graph reads it: points 1..2048, 0.0 outside.
class WaveformStore {
public:
    virtual ~WaveformStore() = default;
    virtual float WaveformAt(int i) const = 0;
    virtual float DerivativeAt(int i) const = 0;
};
}  // namespace graph
