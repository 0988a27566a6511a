#pragma once
// "Water Content": the instrument measures X = La/L on the probe, the program turns it into
// volumetric water content with the calibration in force and shows it; in the same run the
// waveform the instrument used is fetched and drawn with the probe's two ends marked. One
// command chain, the same for the main window and wavix-cli.

#include "analysis/measurement_window.h"

#include <optional>
#include <string>
#include <vector>

namespace analysis {

// State numbers of the water-content chain.
namespace WaterContentChain {
inline constexpr int SettingsError = 7;
inline constexpr int Dump = 8;
inline constexpr int Gtim = 9;
inline constexpr int Gmos = 10;
inline constexpr int Glwf = 11;
inline constexpr int Gvar = 12;
inline constexpr int Error = 13;
inline constexpr int End = 14;
}  // namespace WaterContentChain

inline constexpr const char* NoProbeMessage = "ERROR: Current setting of Zero for Probe Length indicated No probe.";
inline constexpr const char* WaterContentFailedMessage = "Error: Failed to get water content!";

// The water content as the result field shows it ("%8.3f"); empty when the equation number
// is not one of the five.
std::string FormatWaterContent(std::optional<float> theta, const platform::Numbers& numbers);

class WaterContent {
public:
    explicit WaterContent(const MeasurementContext& context);

    // The "Water Content" button: checks the settings and the probe length, then the chain.
    void CalcWCClick();
    // Starts the chain; false when another chain holds the machine (the user was told).
    bool CalcVolWC();
    std::vector<instrument::ChainRow> Chain();

    // Step actions.
    void DumpStep(std::int32_t& result);
    void TimeStep(std::int32_t& result);
    void MoistureStep(std::int32_t& result);
    void LastWaveformStep(std::int32_t& result);
    void VarsStep(std::int32_t& result);
    void ErrStep(std::int32_t& result);
    void EndStep(std::int32_t& result);

    // Completion routines.
    void StepDone(std::int32_t code);
    void MoistureDone(std::int32_t code);
    void LastWaveformDone(std::int32_t code);
    void VarsDone(std::int32_t code);

private:
    void Request(const char* name, std::int32_t timeoutSecs, void (WaterContent::*done)(std::int32_t),
                 std::int32_t& result);
    void PlaceMarkers(bool show);

    MeasurementContext c_;
    // An equation number outside 1..5 is reported once, not at every measurement.
    bool reportedBadEquation_ = false;
};

}  // namespace analysis
