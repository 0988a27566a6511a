#pragma once
// The linearity test of the instrument's time base: with a reference pulse source on the
// input, one 2048-point waveform in a fixed set-up; the spacing between its successive
// falling zero crossings is plotted, which is a flat line for a linear time base.

#include "analysis/measurement_window.h"

#include <span>
#include <vector>

namespace analysis {

namespace LinearityChain {
inline constexpr int Vp = 0;
inline constexpr int Averages = 1;
inline constexpr int Points = 2;
inline constexpr int Start = 3;
inline constexpr int Length = 4;
inline constexpr int Dump = 5;
inline constexpr int Gtim = 6;
inline constexpr int SetupError = 7;
inline constexpr int Gwav = 8;
inline constexpr int Plot = 9;
inline constexpr int WaveError = 10;
inline constexpr int End = 11;
}  // namespace LinearityChain

inline constexpr const char* ConnectSourceMessage = "Connect PG3300 SO to input.";
inline constexpr const char* NoLinearityResultMessage = "No data result of linearity test.  Is PG3300-SO connected?";
inline constexpr const char* LinearityAxisTitle = "Difference";
inline constexpr float LinearityAxisMin = 0.185f;
inline constexpr float LinearityAxisMax = 0.22f;
// The fixed window: 25 m in 2048 points.
inline constexpr float LinearityWindowLength = 25.0f;
inline constexpr int LinearityWindowPoints = 2048;

// Finds every fall through zero of the waveform a (a[i - 1] > 0 and a[i] < 0, strictly),
// at the interpolated point number (counted from 1) i + 1 / (1 - a[i] / a[i - 1]), writing
// them to b; then replaces a[0 .. N - 1] by the N spacings between successive crossings in
// metres of the fixed window, and returns N (0 or less when there are fewer than two
// crossings). Both arrays hold 2048 values.
int LinearitySpacings(std::span<float> a, std::span<float> b);

class LinearityTest {
public:
    explicit LinearityTest(const MeasurementContext& context);

    // The "LinearityTest" button.
    void LinearityTestClick() { DoLinearityTest(); }
    bool DoLinearityTest();
    std::vector<instrument::ChainRow> Chain();

    void SetVpStep(std::int32_t& result);
    void SetStep(const char* text, std::int32_t& result);
    void DumpStep(std::int32_t& result);
    void TimeStep(std::int32_t& result);
    void WaveStep(std::int32_t& result);
    void PlotStep(std::int32_t& result);
    void SetupErrStep(std::int32_t& result);
    void WaveErrStep(std::int32_t& result);
    void EndStep(std::int32_t& result);

    void StepDone(std::int32_t code);
    void WaveformDone(std::int32_t code);

private:
    MeasurementContext c_;
};

}  // namespace analysis
