#include "dynaview/frame/trig_tables.h"

#include <cmath>

namespace dynaview {

namespace {

constexpr double RadiansPerDegree = 0.017453292519943295;

struct Tables {
    Tables() {
        for (int i = 1; i < 90; ++i) {
            sine[static_cast<std::size_t>(i)] = static_cast<float>(std::sin(i * RadiansPerDegree));
            cosine[static_cast<std::size_t>(i)] = static_cast<float>(std::cos(i * RadiansPerDegree));
        }
        sine[0] = 0.0f;
        sine[90] = 1.0f;
        cosine[0] = 1.0f;
        cosine[90] = 0.0f;
    }
    std::array<float, 91> sine{};
    std::array<float, 91> cosine{};
};

const Tables& tables() {
    static const Tables built;
    return built;
}

}  // namespace

const std::array<float, 91>& SineTable() { return tables().sine; }
const std::array<float, 91>& CosineTable() { return tables().cosine; }

}  // namespace dynaview
