#pragma once
// A small deterministic Gaussian generator: the same seed and stream give the same values
// on every platform and standard library (std::normal_distribution does not promise that).

#include <cstdint>

namespace sim {

class GaussianNoise {
public:
    GaussianNoise(std::uint64_t seed, std::uint64_t stream);
    // A standard normal value (mean 0, deviation 1).
    double next();
    // A uniform value in [0, 1).
    double uniform();

private:
    std::uint64_t nextBits();

    std::uint64_t state_;
    double spare_ = 0;
    bool hasSpare_ = false;
};

}  // namespace sim
