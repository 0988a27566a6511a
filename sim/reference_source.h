#pragma once
// A reference pulse source on the instrument's input instead of a probe: a periodic, sine-like
// signal of a fixed period in time. On a linear time base its falling zero crossings are
// evenly spaced, so the linearity test shows a flat line; a faulty time base (time_base.h)
// makes the spacing drift along the window.

#include "sim/gaussian_noise.h"
#include "sim/instrument_settings.h"

#include <vector>

namespace sim {

class ReferenceSource {
public:
    static constexpr double PeriodNs = 2.0;
    static constexpr double Amplitude = 0.4;
    // Light travels 0.299792458 m per nanosecond.
    static constexpr double MetresPerNs = 0.299792458;

    // The period as apparent distance (out and back, scaled by the velocity setting).
    static double periodDistance(double vp);
    // The signal at an apparent distance.
    static double level(double apparentDistance, double vp);
    // The window's points with noise of deviation noiseAtOneAverage / sqrt(averages).
    static std::vector<float> sample(const InstrumentSettings& settings, double timebaseError, GaussianNoise* noise,
                                     double noiseAtOneAverage);
};

}  // namespace sim
