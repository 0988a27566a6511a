#include "sim/reference_source.h"

#include "sim/time_base.h"

#include <cmath>
#include <numbers>

namespace sim {

double ReferenceSource::periodDistance(double vp) { return MetresPerNs * PeriodNs * (vp > 0 ? vp : 1.0) / 2.0; }

double ReferenceSource::level(double d, double vp) {
    const double phase = 2.0 * std::numbers::pi * d / periodDistance(vp);
    // A little second harmonic: the generator's output is not a pure sine. It moves every
    // crossing by the same amount, so their spacing stays the period.
    return Amplitude * std::sin(phase) + 0.1 * Amplitude * std::sin(2.0 * phase + 0.5);
}

std::vector<float> ReferenceSource::sample(const InstrumentSettings& settings, double timebaseError,
                                           GaussianNoise* noise, double noiseAtOneAverage) {
    const int points = std::max(settings.points, 0);
    const double deviation = noiseAtOneAverage / std::sqrt(static_cast<double>(std::max(settings.averages, 1)));
    std::vector<float> values(static_cast<std::size_t>(points));
    for (int i = 1; i <= points; ++i) {
        double v = level(sampledDistance(settings, i, timebaseError), settings.vp);
        if (noise) v += deviation * noise->next();
        values[static_cast<std::size_t>(i - 1)] = static_cast<float>(v);
    }
    return values;
}

}  // namespace sim
