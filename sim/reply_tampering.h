#pragma once
// Damage done to a finished reply packet for fault injection.

#include <cstdint>
#include <span>
#include <vector>

namespace sim {

// The same packet with its CRC inverted (escapes stay correct, so only the CRC check fails).
std::vector<std::uint8_t> withBadCrc(std::span<const std::uint8_t> packet);

}  // namespace sim
