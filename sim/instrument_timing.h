#pragma once
// How long the instrument takes, and what it reports for GTIM. Reported times are upper
// bounds: the program waits the reported seconds truncated to whole seconds, so each one is
// 1.5 s more than the work itself (and the transfer of the reply when the line is paced).

#include "sim/instrument_settings.h"

#include <cstddef>
#include <cstdint>

namespace sim {

struct InstrumentTiming {
    std::uint32_t errorMs = 10;          // refusing a command
    std::uint32_t acknowledgeMs = 20;    // taking a setting
    std::uint32_t fetchMs = 25;          // answering with values it holds
    std::uint32_t muxSwitchMs = 60;      // switching a multiplexer relay
    std::uint32_t acquisitionBaseMs = 150;
    double acquisitionPerSampleUs = 4.0;  // per point and average
    std::uint32_t analysisMs = 250;      // finding the probe's edges for La/L
    std::uint32_t conductivityBaseMs = 300;
    std::uint32_t conductivityPerAverageMs = 4;
    std::uint32_t calibrationMs = 200;   // GCAL
    std::uint32_t cellConstantMs = 800;  // CCCC
    std::uint32_t eraseMs = 3000;        // flash erase before the loader is ready
    std::uint32_t recordProgramMs = 5;   // programming one S-record
    std::uint32_t loaderIdleMs = 30000;  // monitor or loader gives up without input
    // What GTIM adds to the work: floor(x + 1.5) > x + 0.5 for every x, so the program's
    // whole seconds leave at least half a second to spare.
    double reportMarginSeconds = 1.5;
};

// Milliseconds one waveform acquisition takes.
std::uint32_t acquisitionMs(const InstrumentTiming& timing, const InstrumentSettings& settings);
// Milliseconds bytes take on a line at baud (8N1: ten bits a byte); 0 when not paced (baud 0).
std::uint32_t transferMs(std::size_t bytes, int baud);
// Longest possible waveform reply for points values: every data byte escaped.
std::size_t worstWaveformReplyBytes(int points);

// The GTIM values.
double reportedWaveformSeconds(const InstrumentTiming& timing, const InstrumentSettings& settings, int baud);
double reportedWaterContentSeconds(const InstrumentTiming& timing, const InstrumentSettings& settings, int baud);

}  // namespace sim
