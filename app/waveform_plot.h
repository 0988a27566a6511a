#pragma once
// The waveform graph operations the instrument operations draw with (distances in metres):
// those of the measuring chains, and the acquisition's own.

#include "analysis/measurement_window.h"

namespace app {

class WaveformPlot : public analysis::MeasurementGraph {
public:
    virtual void SetDistanceAxis(float xmin, float xmax) = 0;
    virtual void DrawSavedData(int n, const float* values, float start, float length) = 0;
    virtual void DrawDerivative(int n, float start, float length) = 0;
    virtual void RedrawTrace() = 0;
};

}  // namespace app
