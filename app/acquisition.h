#pragma once
// Waveform acquisition: one waveform, or waveforms one after another while "Continuous
// Update" stays checked, each a command chain on the state machine; and the overlay.

#include "app/main_window_port.h"
#include "app/settings_steps.h"
#include "app/waveform_buffers.h"
#include "app/waveform_plot.h"

#include "link/chain_table.h"
#include "link/data_object.h"
#include "link/state_machine.h"
#include "platform/platform.h"

#include <vector>

namespace app {

// State numbers of the waveform chains.
namespace WaveChain {
inline constexpr int SettingsError = 7;
inline constexpr int End = 14;
}  // namespace WaveChain

class WaveformAcquisition {
public:
    WaveformAcquisition(MainWindowPort& window, WaveformPlot& plot, SettingsSteps& settings,
                        instrument::TTDRdataObject& data, instrument::TStateMach& machine, platform::Platform& platform,
                        WaveformBuffers& buffers);

    // "Get Waveform": validate the settings, then one waveform or the continuous loop.
    void GetWfPBClick();
    void GetJustOneWF();
    void ContinuousWF();
    // "Capture Overlay" and "Overlay Visible".
    void OverlayWfPBClick();
    void cbOLvisibleClick();
    // Removes the derivative trace from view (a single point).
    void HideDerivative();

    // The chains as tables, for the state machine (and for reading them side by side with
    // their description).
    std::vector<instrument::ChainRow> SingleWaveformChain();
    std::vector<instrument::ChainRow> ContinuousWaveformChain();

    // Step actions.
    void DumpStep(std::int32_t& result);
    void TimeStep(std::int32_t& result);
    void WaveStep(std::int32_t& result);
    void DerivStep(std::int32_t& result);
    void CalStep(std::int32_t& result);
    void CondStep(std::int32_t& result);
    void LoopWaveStep(std::int32_t& result);
    void WaveErrStep(std::int32_t& result);
    void DerivErrStep(std::int32_t& result);
    void CalErrStep(std::int32_t& result);
    void EndStep(std::int32_t& result);

    // Completion routines.
    void DumpDone(std::int32_t code);
    void StepDone(std::int32_t code);
    void WaveformDone(std::int32_t code);
    void DerivativeDone(std::int32_t code);

private:
    bool StartChain(const std::vector<instrument::ChainRow>& rows, bool hourglass);
    void Request(const char* name, std::int32_t timeoutSecs, void (WaveformAcquisition::*done)(std::int32_t),
                 std::int32_t& result);
    void ErrorStep(const char* message, std::int32_t& result);
    void PlaceMarkers();
    bool LinearityMode() const;
    int OverlayPoints() const;

    MainWindowPort& window_;
    WaveformPlot& plot_;
    SettingsSteps& settings_;
    instrument::TTDRdataObject& data_;
    instrument::TStateMach& machine_;
    platform::Platform& platform_;
    WaveformBuffers& buffers_;
};

}  // namespace app
