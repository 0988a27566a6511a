#pragma once
// The settings panel at work: validating and saving the seven edits, showing what the
// instrument reports, and the seven set steps every measuring chain begins with.

#include "app/main_window_port.h"
#include "app/settings_panel.h"
#include "app/waveform_plot.h"

#include "analysis/measurement_window.h"

#include "link/chain_table.h"
#include "link/data_object.h"
#include "link/state_machine.h"
#include "platform/platform.h"
#include "platform/profile_file.h"

#include <filesystem>
#include <string>
#include <vector>

namespace app {

inline constexpr const char* NoProbeAddress = "?-?-?";
inline constexpr const char* SettingsSection = "Settings";

class SettingsSteps : public analysis::ChainSettings {
public:
    SettingsSteps(MainWindowPort& window, WaveformPlot& plot, instrument::TTDRdataObject& data,
                  instrument::TStateMach& machine, platform::Platform& platform, platform::ProfileFile& mainIni,
                  std::filesystem::path startDirectory);

    // Checks the edits in order; the first bad one gets its message and the focus, and
    // the result is false. When all are good they are saved (probe file, main file) and
    // the settings count as unchanged.
    bool UpdateSettings() override;
    // The instrument's settings into the edits, and the distance axis from them.
    void UpdateDisplay();
    // Completion of a chain's "DUMP": UpdateDisplay, or the failure tone; the state's work is done.
    void DumpDone(std::int32_t code) override;

    // What the measuring chains read and write of the panel.
    std::string ProbeLengthText() const override { return window_.SettingText(TagProbeLength); }
    std::string WindowStartText() const override { return window_.SettingText(TagStart); }
    void ShowPointCount(std::int32_t n) override { window_.SetSettingText(TagPoints, std::to_string(n)); }

    // States 0 to 7 of the measuring chains: the seven set steps and their failure state.
    std::vector<instrument::ChainRow> SettingsPrefix(int endState) override;
    // The seven texts into the current probe's file; nothing while no probe is selected.
    void SaveProbeSettings();
    std::filesystem::path ProbeSettingsPath(const std::string& address) const;

    bool SettingsChanged = false;
    // Whether a successful check saves the texts (on by default; wavix-cli measures without
    // changing the settings files).
    void SetSaving(bool on) { saving_ = on; }
    // Called by the window when an edit's text changes.
    void EditChange() { SettingsChanged = true; }

    // State actions of the settings prefix, and its failure state.
    void SetVpStep(std::int32_t& result);
    void SetAvgStep(std::int32_t& result) { SetStep(TagAverages, result); }
    void SetPointsStep(std::int32_t& result) { SetStep(TagPoints, result); }
    void SetStartStep(std::int32_t& result) override { SetStep(TagStart, result); }
    void SetLengthStep(std::int32_t& result) { SetStep(TagLength, result); }
    void SetProbeLengthStep(std::int32_t& result) override { SetStep(TagProbeLength, result); }
    void SetProbeOffsetStep(std::int32_t& result) { SetStep(TagProbeOffset, result); }
    void SetSettingsErrStep(std::int32_t& result);
    void SetCommandDone(std::int32_t code);

    // Shows "ERROR: Initiating <name> command = <text>" for a refused request.
    void ReportRefused(const std::string& name, std::int32_t code);

private:
    void SetStep(int tag, std::int32_t& result);
    SettingTexts Texts() const;
    void WriteSettings(platform::ProfileFile& file, const SettingTexts& texts);

    MainWindowPort& window_;
    WaveformPlot& plot_;
    instrument::TTDRdataObject& data_;
    instrument::TStateMach& machine_;
    platform::Platform& platform_;
    platform::ProfileFile& mainIni_;
    std::filesystem::path startDirectory_;
    bool saving_ = true;
};

}  // namespace app
