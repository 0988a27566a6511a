#include "graph/gallery/synthetic_waveform.h"

#include <algorithm>
#include <cmath>
#include <random>

namespace graph::gallery {

namespace {

double rise(double x, double at, double width) { return 1.0 / (1.0 + std::exp(-(x - at) / width)); }

}  // namespace

SyntheticTrace makeReflectionWaveform(const ProbeScene& scene) {
    SyntheticTrace trace;
    const int n = std::max(scene.points, 2);
    const double step = static_cast<double>(scene.windowLength) / (n - 1);
    std::mt19937 random(scene.noiseSeed);
    std::normal_distribution<double> noise(0.0, 0.004);
    trace.waveform.resize(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        const double x = scene.windowStart + i * step;
        const double launch = -0.85 + 0.85 * rise(x, scene.stepAt, 0.04);
        const double probe = rise(x, scene.probeStart, 0.05);
        // Along the probe the trace recovers a little from the dip.
        const double along = std::clamp((x - scene.probeStart) / (scene.probeEnd - scene.probeStart), 0.0, 1.0);
        const double dip = -scene.dipDepth * probe + 0.08 * along * probe;
        const double after = std::max(0.0, x - scene.probeEnd);
        const double end = scene.lateRise * rise(x, scene.probeEnd, 0.06) * (1.0 - std::exp(-after / 0.9 - 0.05));
        const double ripple = 0.012 * std::sin(x * 2.1) * rise(x, scene.stepAt + 0.3, 0.1);
        trace.waveform[static_cast<std::size_t>(i)] = static_cast<float>(launch + dip + end + ripple + noise(random));
    }
    trace.derivative.assign(static_cast<std::size_t>(n), 0.0f);
    double largest = 0.0;
    std::vector<double> slope(static_cast<std::size_t>(n), 0.0);
    // Over eight points either side, so the noise does not swamp it.
    constexpr int reach = 8;
    for (int i = reach; i < n - reach; ++i) {
        const auto at = [&](int k) { return static_cast<double>(trace.waveform[static_cast<std::size_t>(k)]); };
        slope[static_cast<std::size_t>(i)] = (at(i + reach) - at(i - reach)) / (2.0 * reach * step);
        largest = std::max(largest, std::fabs(slope[static_cast<std::size_t>(i)]));
    }
    if (largest > 0.0)
        for (int i = 0; i < n; ++i) trace.derivative[static_cast<std::size_t>(i)] = static_cast<float>(0.6 * slope[static_cast<std::size_t>(i)] / largest);
    trace.marker1 = static_cast<float>((scene.probeStart - scene.windowStart) / scene.windowLength * n);
    trace.marker2 = static_cast<float>((scene.probeEnd - scene.windowStart) / scene.windowLength * n);
    return trace;
}

}  // namespace graph::gallery
