#pragma once
// The main window's copies of waveforms: the saved waveform (configuration files and the
// linearity test), the captured overlay, the saved derivative, and the configuration
// header, kept together in this order.

#include "files/configuration_file.h"

#include <array>
#include <cstdint>

namespace app {

inline constexpr int WaveformCapacity = files::WaveformCapacity;

// The configuration file's header, field by field.
using SavedHeader = files::SavedHeader;

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
