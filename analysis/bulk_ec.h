#pragma once
// "Bulk EC": the instrument's conductance reading of the probe, multiplied by the probe's
// cell constant Kp, shown as bulk electrical conductivity. One command chain, the same for
// the main window and wavix-cli.

#include "analysis/measurement_window.h"

#include <string>
#include <vector>

namespace analysis {

namespace BulkECChain {
inline constexpr int SettingsError = 7;
inline constexpr int Dump = 8;
inline constexpr int Gcon = 9;
inline constexpr int Error = 10;
inline constexpr int End = 11;
}  // namespace BulkECChain

inline constexpr const char* BulkECFailedMessage = "Error: Failed to get bulk electrical conductivity!";

// EC = conductance x Kp rounded to single precision (the reading unscaled when Kp is 0).
float BulkConductivity(float conductance, double kp);
// As the result field shows it ("%8.4f").
std::string FormatBulkEC(float conductance, double kp, const platform::Numbers& numbers);

class BulkEC {
public:
    explicit BulkEC(const MeasurementContext& context);

    // The "Bulk EC" button: checks the settings, then the chain.
    void CalcBulkECClick();
    bool CalcBulEC();
    std::vector<instrument::ChainRow> Chain();

    void DumpStep(std::int32_t& result);
    void ConductivityStep(std::int32_t& result);
    void ErrStep(std::int32_t& result);
    void EndStep(std::int32_t& result);
    void ConductivityDone(std::int32_t code);

private:
    MeasurementContext c_;
};

}  // namespace analysis
