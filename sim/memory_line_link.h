#pragma once
// Puts a simulated instrument on the far side of an in-memory serial line, for tests of
// the program's side of the link. Link the test with wavix_platform_doubles.

#include "platform/doubles/memory_serial.h"
#include "sim/rfx410.h"

namespace sim {

// Both must outlive the connection; call again with other objects to re-wire.
inline void connectToLine(Rfx410& instrument, platform::MemorySerialLine& line) {
    line.setPeerReceiver([&instrument](std::span<const std::uint8_t> bytes) { instrument.receive(bytes); });
    instrument.setTransmitter([&line](std::span<const std::uint8_t> bytes) { line.sendToHost(bytes); });
}

}  // namespace sim
