// Decoding a full 2048-point waveform reply (escapes included) into the data object's
// store: the work the program does on the user-interface thread when the packet is in.

#include "link/data_object.h"
#include "link/wire.h"

#include "platform/doubles/test_platform.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace {

std::vector<std::uint8_t> fullWaveformReply() {
    std::vector<std::uint32_t> words;
    for (int i = 0; i < 2048; ++i) {
        // A reflection trace; every 16th word is chosen to hold bytes that must be escaped.
        const float v = static_cast<float>(std::tanh((i - 300) / 20.0) * 0.4 - 0.2);
        words.push_back(i % 16 == 0 ? 0x3E0D220D : wire::floatToWord(v));
    }
    return wire::buildData("GWAV", words);
}

void DecodeFullWaveformReply(benchmark::State& state) {
    platform::TestPlatform test;
    platform::Platform services = test.platform();
    instrument::TTDRdataObject data(services);
    data.OpenPort(1, 57600);
    const auto packet = fullWaveformReply();
    std::int32_t outcome = -100;
    for (auto _ : state) {
        state.PauseTiming();
        data.GetCommand("GWAV", 10, [&](std::int32_t code) { outcome = code; });
        state.ResumeTiming();
        data.Driver().PacketReceived(packet.data(), packet.size());
    }
    if (outcome != 0 || data.WaveformAt(2048) == 0.0f) state.SkipWithError("the reply was not stored");
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * packet.size()));
    state.counters["packet_bytes"] = static_cast<double>(packet.size());
}
BENCHMARK(DecodeFullWaveformReply)->Unit(benchmark::kMicrosecond);

}  // namespace
