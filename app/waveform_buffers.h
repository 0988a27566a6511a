#pragma once
// The main window's copies of waveforms: the saved waveform (configuration files and the
// linearity test), the captured overlay, the saved derivative, and the configuration
// header, kept together in this order.

#include <array>
#include <cstdint>

namespace app {

inline constexpr int WaveformCapacity = 2048;

struct SavedHeader {
    std::int32_t PointCount = 0;
    std::int32_t Averages = 0;
    float Vp = 0;
    float WinStart = 0;
    float WinLgt = 0;
    float ProbeLgt = 0;
    float ProbeOffset = 0;
    std::uint32_t DumpWord9 = 0;
    float YaxisMax = 0;
    float YaxisMin = 0;
};

struct WaveformBuffers {
    std::array<float, WaveformCapacity> SavedWave{};
    std::array<float, WaveformCapacity> OverlayWave{};
    std::array<float, WaveformCapacity> SavedDeriv{};
    SavedHeader Header;
    // True while the graph shows a linearity-test result.
    bool LinearityWaveShown = false;
};

// A point count as drawn from a buffer: never more than the buffer holds, never negative.
inline int ClampPoints(std::int32_t n) { return n < 0 ? 0 : (n > WaveformCapacity ? WaveformCapacity : n); }

}  // namespace app
