#pragma once
// ASCII waveform files (*.DAT): the last waveform with the settings it was taken with, one
// value per line, each line ended by CR LF, no header text: averages, Vp, the number of
// points n, window start, window length, probe length, probe offset, then the n points.
// Integers as "%d", reals as "%4.4f" with the locale's decimal separator.

#include "link/data_object.h"

#include <filesystem>
#include <functional>
#include <string>

namespace platform {
class FileCalls;
class Numbers;
}  // namespace platform

namespace files {

// Fewer points than this means there is no waveform to write.
inline constexpr int AsciiMinimumPoints = 20;

// The file's text. pointAt(i) gives waveform point i, 1-based; n is settings.Points, at
// most 2048.
std::string FormatAsciiWaveform(const instrument::InstrumentSettings& settings,
                                 const std::function<float(int)>& pointAt, const platform::Numbers& numbers);

// Writes the file (replaced atomically); false with error on failure.
bool SaveAsciiWaveform(const std::filesystem::path& path, const instrument::InstrumentSettings& settings,
                       const std::function<float(int)>& pointAt, const platform::Numbers& numbers,
                       std::string& error);
bool SaveAsciiWaveform(const std::filesystem::path& path, const instrument::InstrumentSettings& settings,
                       const std::function<float(int)>& pointAt, const platform::Numbers& numbers, std::string& error,
                       platform::FileCalls& calls);

}  // namespace files
