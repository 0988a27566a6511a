#include "app/acquisition.h"

#include "link/chain_start.h"
#include "link/chain_steps.h"
#include "link/command_set.h"

#include <cmath>

namespace app {

using instrument::ChainRow;
using instrument::NoLimit;
using instrument::NoTarget;

WaveformAcquisition::WaveformAcquisition(MainWindowPort& window, WaveformPlot& plot, SettingsSteps& settings,
                                         instrument::TTDRdataObject& data, instrument::TStateMach& machine,
                                         platform::Platform& platform, WaveformBuffers& buffers)
    : window_(window), plot_(plot), settings_(settings), data_(data), machine_(machine), platform_(platform),
      buffers_(buffers) {}

std::vector<ChainRow> WaveformAcquisition::SingleWaveformChain() {
    auto act = [this](void (WaveformAcquisition::*step)(std::int32_t&)) {
        return [this, step](std::int32_t& result) { (this->*step)(result); };
    };
    auto rows = settings_.SettingsPrefix(WaveChain::End);
    const std::vector<ChainRow> own = {
        //  #   name    action                           limit    success   failure
        {8,  "DUMP", act(&WaveformAcquisition::DumpStep),     7000,    9,        11},
        {9,  "GTIM", act(&WaveformAcquisition::TimeStep),     2000,    10,       11},
        {10, "GWAV", act(&WaveformAcquisition::WaveStep),     60000,   12,       11},
        {11, "Err",  act(&WaveformAcquisition::WaveErrStep),  NoLimit, 14,       14},
        {12, "GLDR", act(&WaveformAcquisition::DerivStep),    4000,    14,       13},
        {13, "Err",  act(&WaveformAcquisition::DerivErrStep), NoLimit, 14,       14},
        {14, "END",  act(&WaveformAcquisition::EndStep),      NoLimit, NoTarget, NoTarget},
    };
    rows.insert(rows.end(), own.begin(), own.end());
    return rows;
}

std::vector<ChainRow> WaveformAcquisition::ContinuousWaveformChain() {
    auto act = [this](void (WaveformAcquisition::*step)(std::int32_t&)) {
        return [this, step](std::int32_t& result) { (this->*step)(result); };
    };
    auto rows = settings_.SettingsPrefix(WaveChain::End);
    const std::vector<ChainRow> own = {
        //  #   name    action                            limit    success   failure
        {8,  "DUMP", act(&WaveformAcquisition::DumpStep),      7000,    9,        10},
        {9,  "GCAL", act(&WaveformAcquisition::CalStep),       20000,   11,       10},
        {10, "Err",  act(&WaveformAcquisition::CalErrStep),    NoLimit, 14,       14},
        {11, "Cond", act(&WaveformAcquisition::CondStep),      NoLimit, 12,       14},
        {12, "GNWA", act(&WaveformAcquisition::LoopWaveStep),  60000,   11,       13},
        {13, "Err",  act(&WaveformAcquisition::WaveErrStep),   NoLimit, 14,       14},
        {14, "END",  act(&WaveformAcquisition::EndStep),       NoLimit, NoTarget, NoTarget},
    };
    rows.insert(rows.end(), own.begin(), own.end());
    return rows;
}

void WaveformAcquisition::GetWfPBClick() {
    if (!settings_.UpdateSettings()) return;
    if (window_.ContinuousUpdateChecked()) ContinuousWF();
    else GetJustOneWF();
}

bool WaveformAcquisition::StartChain(const std::vector<ChainRow>& rows, bool hourglass) {
    return instrument::StartChain(machine_, window_, platform_.dialogs, rows, {hourglass});
}

void WaveformAcquisition::GetJustOneWF() { StartChain(SingleWaveformChain(), true); }

void WaveformAcquisition::ContinuousWF() { StartChain(ContinuousWaveformChain(), false); }

void WaveformAcquisition::Request(const char* name, std::int32_t timeoutSecs,
                                  void (WaveformAcquisition::*done)(std::int32_t), std::int32_t& result) {
    instrument::GetCommandStep(data_, platform_.dialogs, name, timeoutSecs,
                               [this, done](std::int32_t code) { (this->*done)(code); }, result);
}

void WaveformAcquisition::DumpStep(std::int32_t& result) {
    Request("DUMP", instrument::ReplyTimeouts::Dump, &WaveformAcquisition::DumpDone, result);
}

void WaveformAcquisition::TimeStep(std::int32_t& result) {
    Request("GTIM", instrument::ReplyTimeouts::Gtim, &WaveformAcquisition::StepDone, result);
}

void WaveformAcquisition::WaveStep(std::int32_t& result) {
    Request("GWAV", instrument::WholeSeconds(data_.Times.WaveformSeconds), &WaveformAcquisition::WaveformDone, result);
}

void WaveformAcquisition::DerivStep(std::int32_t& result) {
    if (window_.WaveformTypeIndex() == 1) {
        Request("GLDR", instrument::ReplyTimeouts::Gldr, &WaveformAcquisition::DerivativeDone, result);
        return;
    }
    HideDerivative();
    result = 0;
    machine_.ActionDone = true;
}

void WaveformAcquisition::HideDerivative() { plot_.DrawDerivative(1, 1, 1); }

void WaveformAcquisition::CalStep(std::int32_t& result) {
    Request("GCAL", instrument::ReplyTimeouts::Gcal, &WaveformAcquisition::StepDone, result);
}

void WaveformAcquisition::CondStep(std::int32_t& result) {
    if (!window_.ContinuousUpdateChecked()) machine_.SetSuccessNext(machine_.Current(), WaveChain::End);
    result = 0;
    machine_.ActionDone = true;
}

void WaveformAcquisition::LoopWaveStep(std::int32_t& result) {
    Request("GNWA", instrument::WholeSeconds(data_.Times.WaveformSeconds), &WaveformAcquisition::WaveformDone, result);
}

void WaveformAcquisition::ErrorStep(const char* message, std::int32_t& result) {
    instrument::ChainErrorStep(machine_, data_, platform_.dialogs, message, result);
}

void WaveformAcquisition::WaveErrStep(std::int32_t& result) { ErrorStep("Error: Failed to get WaveForm!", result); }

void WaveformAcquisition::DerivErrStep(std::int32_t& result) { ErrorStep("Error: Failed to get Derivative!", result); }

void WaveformAcquisition::CalErrStep(std::int32_t& result) {
    ErrorStep("Error: Failed to get Calibration Voltage!", result);
}

void WaveformAcquisition::EndStep(std::int32_t& result) {
    instrument::ChainEndStep(machine_, window_, platform_.tones, result);
}

void WaveformAcquisition::DumpDone(std::int32_t code) { settings_.DumpDone(code); }

void WaveformAcquisition::StepDone(std::int32_t) { machine_.ActionDone = true; }

void WaveformAcquisition::PlaceMarkers() {
    const auto& s = data_.Settings;
    if (s.Points == 0) return;
    plot_.MoveMarkers(s.Points, false, s.WinLgt, s.WinStart, data_.Vars[1], data_.Vars[2]);
}

void WaveformAcquisition::WaveformDone(std::int32_t code) {
    if (code == instrument::Success) {
        PlaceMarkers();
        const auto& s = data_.Settings;
        plot_.DrawWaveform(ClampPoints(s.Points), s.WinStart, s.WinLgt);
        buffers_.LinearityWaveShown = false;
    }
    machine_.ActionDone = true;
}

void WaveformAcquisition::DerivativeDone(std::int32_t code) {
    if (code == instrument::Success) {
        PlaceMarkers();
        const auto& s = data_.Settings;
        plot_.DrawDerivative(ClampPoints(s.Points), s.WinStart, s.WinLgt);
    }
    machine_.ActionDone = true;
}

bool WaveformAcquisition::LinearityMode() const {
    return window_.LinearityTestVisible() && buffers_.LinearityWaveShown;
}

int WaveformAcquisition::OverlayPoints() const {
    return ClampPoints(LinearityMode() ? buffers_.Header.PointCount : data_.Settings.Points);
}

void WaveformAcquisition::OverlayWfPBClick() {
    const int n = OverlayPoints();
    if (LinearityMode()) {
        std::copy_n(buffers_.SavedWave.begin(), n, buffers_.OverlayWave.begin());
    } else {
        for (int i = 0; i < n; ++i) buffers_.OverlayWave[static_cast<std::size_t>(i)] = data_.WaveformAt(i + 1);
    }
    const auto& s = data_.Settings;
    plot_.DrawSavedData(n, buffers_.OverlayWave.data(), s.WinStart, s.WinLgt);
    window_.SetOverlayVisibleChecked(true);
}

void WaveformAcquisition::cbOLvisibleClick() {
    if (!window_.OverlayVisibleChecked()) {
        const float hidden = 0.0f;
        plot_.DrawSavedData(1, &hidden, 1, 1);
        plot_.RedrawTrace();
        return;
    }
    const auto& s = data_.Settings;
    plot_.DrawSavedData(OverlayPoints(), buffers_.OverlayWave.data(), s.WinStart, s.WinLgt);
}

}  // namespace app
