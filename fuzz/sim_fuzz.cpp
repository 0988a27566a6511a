// Arbitrary bytes fed to the simulated instrument in chunks, with virtual time passing in
// between, so that frames, typed lines, the monitor, the loader and queued replies all
// meet the input. Nothing may crash, and nothing may grow without bound.

#include "platform/virtual_clock.h"
#include "sim/rfx410.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    platform::VirtualClock clock;
    sim::SimulatorConfig config;
    config.timing.eraseMs = 50;  // reach the loader within a run
    sim::Rfx410 instrument(clock, config);
    std::size_t sent = 0;
    instrument.setTransmitter([&sent](std::span<const std::uint8_t> bytes) { sent += bytes.size(); });

    // Each chunk: one control byte (chunk length and time to pass), then that many bytes.
    std::size_t i = 0;
    while (i < size) {
        const std::uint8_t control = data[i++];
        const std::size_t length = std::min<std::size_t>(control & 0x3F, size - i);
        instrument.receive(std::span<const std::uint8_t>(data + i, length));
        i += length;
        clock.advance(static_cast<std::uint64_t>(control >> 6) * 400);

        if (instrument.pendingCommands() > sim::Rfx410::MaxQueuedCommands + 1) std::abort();
        if (instrument.receivedCommands().size() > sim::Rfx410::MaxObservedCommands) std::abort();
        if (instrument.acceptedRecords().size() > sim::SRecordLoader::MaxKeptRecords) std::abort();
    }
    clock.advance(60000);
    if (instrument.pendingCommands() != 0) std::abort();
    return 0;
}
