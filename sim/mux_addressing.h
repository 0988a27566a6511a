#pragma once
// The multiplexer path in front of the probes. "SMUX n" switches one level: n = channel +
// (qrb + level) * 10, channel 1..8, level 1..3, qrb the instrument's QRB address. A level
// can only be switched once the levels above it are; switching a level drops the ones
// below it.

#include "sim/physical_setup.h"

#include <array>
#include <string>

namespace sim {

struct MuxAddress {
    std::array<int, 3> channels{};
    int levels = 0;  // 0: no multiplexer switched, the probe on the connector

    // "c1", "c1-c2" or "c1-c2-c3"; empty with no level switched.
    std::string text() const;
    bool operator==(const MuxAddress&) const = default;
};

class MuxSelection {
public:
    // Returns 0, or the instrument error for a number that names no channel.
    int apply(int number, int qrbAddress);
    const MuxAddress& address() const { return address_; }
    void reset() { address_ = {}; }

private:
    MuxAddress address_;
};

// The medium of a probe behind the multiplexers, the same for an address every time:
// Ka from 3 to 35, conductivity from 0.002 to 0.2 S/m.
Medium mediumForAddress(const std::string& address);

}  // namespace sim
