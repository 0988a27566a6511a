#include "sim/gaussian_noise.h"

#include <cmath>
#include <numbers>

namespace sim {

namespace {

std::uint64_t mix(std::uint64_t z) {
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

}  // namespace

GaussianNoise::GaussianNoise(std::uint64_t seed, std::uint64_t stream)
    : state_(mix(seed) ^ mix(stream + 0x9E3779B97F4A7C15ull)) {}

std::uint64_t GaussianNoise::nextBits() {
    // splitmix64
    state_ += 0x9E3779B97F4A7C15ull;
    return mix(state_);
}

double GaussianNoise::uniform() { return static_cast<double>(nextBits() >> 11) * 0x1.0p-53; }

double GaussianNoise::next() {
    if (hasSpare_) {
        hasSpare_ = false;
        return spare_;
    }
    // Box-Muller; 1 - u keeps the logarithm's argument above 0.
    const double u1 = 1.0 - uniform();
    const double u2 = uniform();
    const double radius = std::sqrt(-2.0 * std::log(u1));
    const double angle = 2.0 * std::numbers::pi * u2;
    spare_ = radius * std::sin(angle);
    hasSpare_ = true;
    return radius * std::cos(angle);
}

}  // namespace sim
