#include "files/ascii_waveform.h"

#include "files/configuration_file.h"
#include "platform/atomic_file.h"
#include "platform/numbers.h"

namespace files {

std::string FormatAsciiWaveform(const instrument::InstrumentSettings& s, const std::function<float(int)>& pointAt,
                                const platform::Numbers& numbers) {
    // The store holds 2048 points; a larger count from the instrument writes what is there
    // and says so in line 3, so the file stays consistent with itself.
    const int n = s.Points < 0 ? 0 : (s.Points > WaveformCapacity ? WaveformCapacity : s.Points);
    std::string out;
    out.reserve(static_cast<std::size_t>(n + 7) * 10);
    auto line = [&out](const std::string& text) {
        out += text;
        out += "\r\n";
    };
    auto real = [&numbers](double v) { return numbers.formatWidth(v, 4, 4); };
    line(std::to_string(s.Averages));
    line(real(s.Vp));
    line(std::to_string(n));
    line(real(s.WinStart));
    line(real(s.WinLgt));
    line(real(s.ProbeLgt));
    line(real(s.ProbeOffset));
    for (int i = 1; i <= n; ++i) line(real(pointAt(i)));
    return out;
}

bool SaveAsciiWaveform(const std::filesystem::path& path, const instrument::InstrumentSettings& settings,
                       const std::function<float(int)>& pointAt, const platform::Numbers& numbers, std::string& error,
                       platform::FileCalls& calls) {
    return platform::writeFileAtomically(path, FormatAsciiWaveform(settings, pointAt, numbers), error, calls);
}

bool SaveAsciiWaveform(const std::filesystem::path& path, const instrument::InstrumentSettings& settings,
                       const std::function<float(int)>& pointAt, const platform::Numbers& numbers,
                       std::string& error) {
    return SaveAsciiWaveform(path, settings, pointAt, numbers, error, platform::systemFileCalls());
}

}  // namespace files
