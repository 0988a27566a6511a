#pragma once
// Configuration files (*.WFD): a snapshot of the instrument settings, the value axis range
// and a waveform. Binary, little-endian, no signature: a 40-byte header of ten 4-byte
// fields, then the header's count of float32 points.

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace platform {
class FileCalls;
class Numbers;
}  // namespace platform

namespace files {

inline constexpr int WaveformCapacity = 2048;
inline constexpr std::size_t ConfigurationHeaderBytes = 40;

// The header, field by field in file order.
struct SavedHeader {
    std::int32_t PointCount = 0;
    std::int32_t Averages = 0;
    float Vp = 0;
    float WinStart = 0;
    float WinLgt = 0;
    float ProbeLgt = 0;
    float ProbeOffset = 0;
    std::uint32_t DumpWord9 = 0;  // raw, copied unchanged
    float YaxisMax = 0;
    float YaxisMin = 0;
};

struct Configuration {
    SavedHeader header;
    std::array<float, WaveformCapacity> wave{};  // points 1..n at positions 0..n-1
};

// The file's bytes: the header, then the first header.PointCount values of wave. The
// count must lie in 1..2048 (and within wave).
std::optional<std::string> EncodeConfiguration(const SavedHeader& header, std::span<const float> wave,
                                               std::string& error);

// Reads a configuration from a file's bytes. A count outside 1..2048, or fewer bytes than
// the header promises, is refused with a message naming `source` and nothing is given back.
// Bytes after the last point are ignored.
std::optional<Configuration> DecodeConfiguration(std::string_view bytes, std::string_view source, std::string& error);

// Whole-file save (replaced atomically) and load.
bool SaveConfiguration(const std::filesystem::path& path, const SavedHeader& header, std::span<const float> wave,
                       std::string& error);
bool SaveConfiguration(const std::filesystem::path& path, const SavedHeader& header, std::span<const float> wave,
                       std::string& error, platform::FileCalls& calls);
std::optional<Configuration> LoadConfiguration(const std::filesystem::path& path, std::string& error);

// The settings panel's texts for a loaded header, in the panel's order (Vp, averages,
// points, start, length, probe length, probe offset): Vp with 2 decimals; averages and
// points as integers; start and length with 2 decimals, each cut to 8 characters; probe
// length and offset with 3 decimals.
std::array<std::string, 7> ConfigurationSettingTexts(const SavedHeader& header, const platform::Numbers& numbers);

}  // namespace files
