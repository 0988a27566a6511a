#pragma once
// The probe cell constant Kp: the checks of the cell-constant dialog, its key filter, where
// Kp is kept, and the chain that has the instrument measure Kp with the probe in de-ionized
// water of a given temperature.

#include "analysis/measurement_window.h"

#include "platform/numbers.h"
#include "platform/profile_file.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace analysis {

inline constexpr const char* CellConstantKey = "CellConst";
inline constexpr double DefaultCellConstant = 1.0;
inline constexpr const char* CellConstantFailedMessage = "Error: Failed to compute cell constant!";

namespace CellConstantChainStates {
inline constexpr int Sdis = 0;
inline constexpr int Sprl = 1;
inline constexpr int Cccc = 2;
inline constexpr int Error = 3;
inline constexpr int End = 4;
}  // namespace CellConstantChainStates

// "&Do It": the temperature and the main window's start and probe length, in this order;
// the message of the first that fails (a text that is not a number gives the conversion
// error), or nothing when all pass.
std::optional<std::string> CheckCellConstantRequest(std::string_view temperature, std::string_view start,
                                                    std::string_view probeLength, const platform::Numbers& numbers);
// OK: Kp must be given and lie within 1 to 1000.
std::optional<std::string> CheckCellConstant(std::string_view kp, const platform::Numbers& numbers);

// Both edits take backspace, the digits and one decimal separator; anything else is
// refused with the warning beep.
struct CellKeyVerdict {
    bool accept = false;
    bool beep = false;
    bool operator==(const CellKeyVerdict&) const = default;
};
CellKeyVerdict FilterCellConstantKey(char32_t key, std::string_view text, char decimalSeparator);

// Kp from a settings file's section "Settings" (1.0 when missing or not a number).
double ReadCellConstant(const platform::ProfileFile& file, const platform::Numbers& numbers);
// Kp into the probe's own file (when a probe is selected) and the settings file. Returns
// the problems met (empty when both were written); a file that fails does not stop the other.
std::string StoreCellConstant(double kp, platform::ProfileFile& settingsFile,
                              const std::optional<std::filesystem::path>& probeFile, const platform::Numbers& numbers);

// The chain "SDIS", "SPRL", "CCCC <temperature>" run on the main window for the dialog.
class CellConstantChain {
public:
    struct DialogHooks {
        std::function<void(bool on)> setEnable;                  // the dialog's four buttons
        std::function<void(const std::string& kp)> showResult;  // into the Kp edit
    };

    explicit CellConstantChain(const MeasurementContext& context);

    // Starts the chain for the temperature text; false when another chain runs (the user
    // has been told).
    bool Start(const std::string& temperatureText, DialogHooks hooks);
    std::vector<instrument::ChainRow> Chain();

    void MeasureStep(std::int32_t& result);
    void ErrStep(std::int32_t& result);
    void EndStep(std::int32_t& result);
    void MeasureDone(std::int32_t code);

private:
    MeasurementContext c_;
    std::string temperature_;
    DialogHooks hooks_;
};

}  // namespace analysis
