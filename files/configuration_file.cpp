#include "files/configuration_file.h"

#include "platform/atomic_file.h"
#include "platform/numbers.h"

#include <bit>
#include <cstring>

namespace files {

namespace {

// Largest file worth reading: a full header and waveform, with room for trailing bytes.
constexpr std::size_t MaxFileBytes = 1 << 20;

void putWord(std::string& out, std::uint32_t w) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((w >> (8 * i)) & 0xFFu));
}

std::uint32_t getWord(std::string_view bytes, std::size_t at) {
    std::uint32_t w = 0;
    for (int i = 0; i < 4; ++i) w |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    return w;
}

std::uint32_t bits(float f) { return std::bit_cast<std::uint32_t>(f); }
float real(std::uint32_t w) { return std::bit_cast<float>(w); }

std::string countMessage(std::string_view source, std::int32_t n) {
    return std::string(source) + " is not a configuration WAVIX can load: its header gives " + std::to_string(n) +
           " waveform points, where 1 to " + std::to_string(WaveformCapacity) + " are possible.";
}

}  // namespace

std::optional<std::string> EncodeConfiguration(const SavedHeader& h, std::span<const float> wave, std::string& error) {
    const std::int32_t n = h.PointCount;
    if (n < 1 || n > WaveformCapacity || static_cast<std::size_t>(n) > wave.size()) {
        error = "There is no waveform of 1 to " + std::to_string(WaveformCapacity) + " points to save (" +
                std::to_string(n) + " points).";
        return std::nullopt;
    }
    std::string out;
    out.reserve(ConfigurationHeaderBytes + 4 * static_cast<std::size_t>(n));
    putWord(out, static_cast<std::uint32_t>(h.PointCount));
    putWord(out, static_cast<std::uint32_t>(h.Averages));
    for (float f : {h.Vp, h.WinStart, h.WinLgt, h.ProbeLgt, h.ProbeOffset}) putWord(out, bits(f));
    putWord(out, h.DumpWord9);
    putWord(out, bits(h.YaxisMax));
    putWord(out, bits(h.YaxisMin));
    for (std::int32_t i = 0; i < n; ++i) putWord(out, bits(wave[static_cast<std::size_t>(i)]));
    return out;
}

std::optional<Configuration> DecodeConfiguration(std::string_view bytes, std::string_view source, std::string& error) {
    if (bytes.size() < ConfigurationHeaderBytes) {
        error = std::string(source) + " is not a configuration WAVIX can load: it holds " +
                std::to_string(bytes.size()) + " bytes, fewer than the 40 of its header.";
        return std::nullopt;
    }
    Configuration c;
    SavedHeader& h = c.header;
    h.PointCount = static_cast<std::int32_t>(getWord(bytes, 0));
    h.Averages = static_cast<std::int32_t>(getWord(bytes, 4));
    h.Vp = real(getWord(bytes, 8));
    h.WinStart = real(getWord(bytes, 12));
    h.WinLgt = real(getWord(bytes, 16));
    h.ProbeLgt = real(getWord(bytes, 20));
    h.ProbeOffset = real(getWord(bytes, 24));
    h.DumpWord9 = getWord(bytes, 28);
    h.YaxisMax = real(getWord(bytes, 32));
    h.YaxisMin = real(getWord(bytes, 36));
    if (h.PointCount < 1 || h.PointCount > WaveformCapacity) {
        error = countMessage(source, h.PointCount);
        return std::nullopt;
    }
    const std::size_t needed = ConfigurationHeaderBytes + 4 * static_cast<std::size_t>(h.PointCount);
    if (bytes.size() < needed) {
        error = std::string(source) + " is not a configuration WAVIX can load: its header promises " +
                std::to_string(h.PointCount) + " waveform points (" + std::to_string(needed) +
                " bytes), but the file holds " + std::to_string(bytes.size()) + " bytes.";
        return std::nullopt;
    }
    for (std::int32_t i = 0; i < h.PointCount; ++i)
        c.wave[static_cast<std::size_t>(i)] = real(getWord(bytes, ConfigurationHeaderBytes + 4 * static_cast<std::size_t>(i)));
    return c;
}

bool SaveConfiguration(const std::filesystem::path& path, const SavedHeader& header, std::span<const float> wave,
                       std::string& error, platform::FileCalls& calls) {
    const auto bytes = EncodeConfiguration(header, wave, error);
    return bytes && platform::writeFileAtomically(path, *bytes, error, calls);
}

bool SaveConfiguration(const std::filesystem::path& path, const SavedHeader& header, std::span<const float> wave,
                       std::string& error) {
    return SaveConfiguration(path, header, wave, error, platform::systemFileCalls());
}

std::optional<Configuration> LoadConfiguration(const std::filesystem::path& path, std::string& error) {
    const auto bytes = platform::readWholeFile(path, MaxFileBytes, error);
    if (!bytes) return std::nullopt;
    return DecodeConfiguration(*bytes, path.string(), error);
}

std::array<std::string, 7> ConfigurationSettingTexts(const SavedHeader& h, const platform::Numbers& numbers) {
    auto cut8 = [](std::string s) {
        if (s.size() > 8) s.resize(8);
        return s;
    };
    return {
        numbers.formatFixed(h.Vp, 2, 7),
        std::to_string(h.Averages),
        std::to_string(h.PointCount),
        cut8(numbers.formatFixed(h.WinStart, 2, 7)),
        cut8(numbers.formatFixed(h.WinLgt, 2, 7)),
        numbers.formatFixed(h.ProbeLgt, 3, 7),
        numbers.formatFixed(h.ProbeOffset, 3, 7),
    };
}

}  // namespace files
