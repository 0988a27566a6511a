#include "sim/de_ionized_water.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace sim {

namespace {

struct Point {
    double celsius;
    double microSiemensPerCm;
};

// Pure water, from its ionic product and the ions' mobilities (rounded).
constexpr std::array<Point, 16> table{{
    {0, 0.0116},  {5, 0.0167},  {10, 0.0231}, {15, 0.0313}, {20, 0.0418}, {25, 0.0550},
    {30, 0.0714}, {35, 0.0914}, {40, 0.1150}, {45, 0.1430}, {50, 0.1750}, {60, 0.2510},
    {70, 0.3420}, {80, 0.4470}, {90, 0.5630}, {100, 0.6880},
}};

}  // namespace

double pureWaterConductivity(double celsius) {
    const double t = std::clamp(std::isfinite(celsius) ? celsius : 25.0, table.front().celsius, table.back().celsius);
    std::size_t k = 1;
    while (k + 1 < table.size() && table[k].celsius < t) ++k;
    const Point& a = table[k - 1];
    const Point& b = table[k];
    // The conductivity grows nearly exponentially: interpolate its logarithm.
    const double f = (t - a.celsius) / (b.celsius - a.celsius);
    const double microPerCm = std::exp(std::log(a.microSiemensPerCm) + f * (std::log(b.microSiemensPerCm) - std::log(a.microSiemensPerCm)));
    return microPerCm * 1e-4;  // uS/cm -> S/m
}

}  // namespace sim
