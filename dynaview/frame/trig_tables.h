#pragma once
// Sine and cosine of the whole degrees 0 to 90 in single precision, exact at the ends
// (sin 0 = 0, sin 90 = 1, cos 0 = 1, cos 90 = 0). Meters turn their needles with them.

#include <array>

namespace dynaview {

const std::array<float, 91>& SineTable();
const std::array<float, 91>& CosineTable();

}  // namespace dynaview
