#include "sim/instrument_timing.h"

#include <algorithm>
#include <cmath>

namespace sim {

namespace {

// A GMOS reply: ':' '#' name, one word, CRC, CR, every escapable byte escaped.
constexpr std::size_t WorstGmosReplyBytes = 1 + 2 * (1 + 4 + 4 + 2) + 1;

}  // namespace

std::uint32_t acquisitionMs(const InstrumentTiming& timing, const InstrumentSettings& settings) {
    const double samples = static_cast<double>(std::max(settings.points, 0)) * std::max(settings.averages, 1);
    return timing.acquisitionBaseMs + static_cast<std::uint32_t>(std::lround(samples * timing.acquisitionPerSampleUs / 1000.0));
}

std::uint32_t transferMs(std::size_t bytes, int baud) {
    if (baud <= 0) return 0;
    return static_cast<std::uint32_t>((static_cast<std::uint64_t>(bytes) * 10u * 1000u + static_cast<unsigned>(baud) - 1) /
                                      static_cast<unsigned>(baud));
}

std::size_t worstWaveformReplyBytes(int points) {
    // ':' + escaped('#' name data crc) + CR
    return 2 + 2 * (1 + 4 + 4 * static_cast<std::size_t>(std::max(points, 0)) + 2);
}

double reportedWaveformSeconds(const InstrumentTiming& timing, const InstrumentSettings& settings, int baud) {
    const std::uint32_t ms = acquisitionMs(timing, settings) + transferMs(worstWaveformReplyBytes(settings.points), baud);
    return timing.reportMarginSeconds + ms / 1000.0;
}

double reportedWaterContentSeconds(const InstrumentTiming& timing, const InstrumentSettings& settings, int baud) {
    const std::uint32_t ms = acquisitionMs(timing, settings) + timing.analysisMs + transferMs(WorstGmosReplyBytes, baud);
    return timing.reportMarginSeconds + ms / 1000.0;
}

}  // namespace sim
