#include "sim/mux_addressing.h"

#include "sim/gaussian_noise.h"
#include "sim/instrument_settings.h"

#include <cstdint>

namespace sim {

std::string MuxAddress::text() const {
    std::string out;
    for (int k = 0; k < levels; ++k) {
        if (k > 0) out += '-';
        out += static_cast<char>('0' + channels[static_cast<std::size_t>(k)]);
    }
    return out;
}

int MuxSelection::apply(int number, int qrbAddress) {
    if (number < 0) return error::BadMuxAddress;
    const int channel = number % 10;
    const int level = number / 10 - qrbAddress;
    if (channel < 1 || channel > 8 || level < 1 || level > 3) return error::BadMuxAddress;
    if (address_.levels < level - 1) return error::BadMuxAddress;
    address_.channels[static_cast<std::size_t>(level - 1)] = channel;
    for (int k = level; k < 3; ++k) address_.channels[static_cast<std::size_t>(k)] = 0;
    address_.levels = level;
    return 0;
}

Medium mediumForAddress(const std::string& address) {
    // FNV-1a of the address text picks the medium.
    std::uint64_t hash = 0xCBF29CE484222325ull;
    for (unsigned char c : address) hash = (hash ^ c) * 0x100000001B3ull;
    GaussianNoise pick(hash, 0);
    const double u1 = pick.uniform();
    const double u2 = pick.uniform();
    Medium medium;
    medium.dielectric = 3.0 + 32.0 * u1;
    medium.conductivity = 0.002 + 0.198 * u2 * u2;
    return medium;
}

}  // namespace sim
