#pragma once
// The waveform graph operations the instrument operations draw with (distances in metres).

namespace app {

class WaveformPlot {
public:
    virtual ~WaveformPlot() = default;
    virtual void SetDistanceAxis(float xmin, float xmax) = 0;
    virtual void DrawWaveform(int n, float start, float length) = 0;
    virtual void DrawDataArray(int n, const float* values, float start, float length) = 0;
    virtual void DrawSavedData(int n, const float* values, float start, float length) = 0;
    virtual void DrawDerivative(int n, float start, float length) = 0;
    virtual void MoveMarkers(int n, bool show, float length, float start, float pos1, float pos2) = 0;
    virtual void RedrawTrace() = 0;
};

}  // namespace app
