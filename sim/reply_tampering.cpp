#include "sim/reply_tampering.h"

#include "link/wire.h"

namespace sim {

std::vector<std::uint8_t> withBadCrc(std::span<const std::uint8_t> packet) {
    const auto plain = wire::unescape(packet);
    // ':' type ... crc-high crc-low CR
    if (!plain || plain->size() < 5) return {packet.begin(), packet.end()};
    std::vector<std::uint8_t> out;
    out.reserve(packet.size() + 4);
    out.push_back(wire::FrameStart);
    const std::size_t crcAt = plain->size() - 3;
    for (std::size_t i = 1; i + 1 < plain->size(); ++i) {
        std::uint8_t b = (*plain)[i];
        if (i >= crcAt) b = static_cast<std::uint8_t>(~b);
        wire::appendEscaped(out, b);
    }
    out.push_back(wire::FrameEnd);
    return out;
}

}  // namespace sim
