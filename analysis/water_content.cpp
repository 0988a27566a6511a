#include "analysis/water_content.h"

#include "link/chain_steps.h"
#include "link/command_set.h"

#include <algorithm>

namespace analysis {

using instrument::ChainRow;
using instrument::NoLimit;
using instrument::NoTarget;

std::string FormatWaterContent(std::optional<float> theta, const platform::Numbers& numbers) {
    if (!theta) return {};
    return numbers.formatWidth(static_cast<double>(*theta), 8, 3);
}

WaterContent::WaterContent(const MeasurementContext& context) : c_(context) {}

void WaterContent::CalcWCClick() {
    if (!c_.settings.UpdateSettings()) return;
    // Validation has accepted the text, so it is a number.
    const auto probeLength = c_.platform.numbers.parseReal(c_.settings.ProbeLengthText());
    if (probeLength && *probeLength == 0.0) {
        c_.platform.dialogs.message(NoProbeMessage, platform::MessageKind::Error);
        return;
    }
    CalcVolWC();
}

bool WaterContent::CalcVolWC() { return instrument::StartChain(c_.machine, c_.window, c_.platform.dialogs, Chain()); }

std::vector<ChainRow> WaterContent::Chain() {
    auto act = [this](void (WaterContent::*step)(std::int32_t&)) {
        return [this, step](std::int32_t& result) { (this->*step)(result); };
    };
    using namespace WaterContentChain;
    auto rows = c_.settings.SettingsPrefix(End);
    const std::vector<ChainRow> own = {
        //  #      name    action                              limit    success   failure
        {Dump,  "DUMP", act(&WaterContent::DumpStep),          2000,    Gtim,     Error},
        {Gtim,  "GTIM", act(&WaterContent::TimeStep),          2000,    Gmos,     Error},
        {Gmos,  "GMOS", act(&WaterContent::MoistureStep),      10000,   Glwf,     Error},
        {Glwf,  "GLWF", act(&WaterContent::LastWaveformStep),  10000,   Gvar,     Error},
        {Gvar,  "GVAR", act(&WaterContent::VarsStep),          2000,    End,      Error},
        {Error, "Err",  act(&WaterContent::ErrStep),           NoLimit, End,      End},
        {End,   "End",  act(&WaterContent::EndStep),           NoLimit, NoTarget, NoTarget},
    };
    rows.insert(rows.end(), own.begin(), own.end());
    return rows;
}

void WaterContent::Request(const char* name, std::int32_t timeoutSecs, void (WaterContent::*done)(std::int32_t),
                           std::int32_t& result) {
    instrument::GetCommandStep(c_.data, c_.platform.dialogs, name, timeoutSecs,
                               [this, done](std::int32_t code) { (this->*done)(code); }, result);
}

void WaterContent::DumpStep(std::int32_t& result) {
    instrument::GetCommandStep(c_.data, c_.platform.dialogs, "DUMP", instrument::ReplyTimeouts::Dump,
                               [this](std::int32_t code) { c_.settings.DumpDone(code); }, result);
}

void WaterContent::TimeStep(std::int32_t& result) {
    Request("GTIM", instrument::ReplyTimeouts::Gtim, &WaterContent::StepDone, result);
}

void WaterContent::MoistureStep(std::int32_t& result) {
    Request("GMOS", instrument::WholeSeconds(c_.data.Times.WaterContentSeconds), &WaterContent::MoistureDone, result);
}

void WaterContent::LastWaveformStep(std::int32_t& result) {
    Request("GLWF", instrument::ReplyTimeouts::Glwf, &WaterContent::LastWaveformDone, result);
}

void WaterContent::VarsStep(std::int32_t& result) {
    Request("GVAR", instrument::ReplyTimeouts::Gvar, &WaterContent::VarsDone, result);
}

void WaterContent::ErrStep(std::int32_t& result) {
    instrument::ChainErrorStep(c_.machine, c_.data, c_.platform.dialogs, WaterContentFailedMessage, result);
}

void WaterContent::EndStep(std::int32_t& result) {
    instrument::ChainEndStep(c_.machine, c_.window, c_.platform.tones, result);
}

void WaterContent::StepDone(std::int32_t) { c_.machine.ActionDone = true; }

void WaterContent::MoistureDone(std::int32_t) {
    // Whatever the outcome: a failed reply has been reported, and the field shows the value
    // the store holds.
    const Calibration calibration = c_.window.CalibrationInForce();
    const auto theta = calibration.Evaluate(c_.data.GmosValue);
    c_.window.ShowWaterContent(FormatWaterContent(theta, c_.platform.numbers));
    if (!theta && !reportedBadEquation_) {
        reportedBadEquation_ = true;
        c_.platform.dialogs.message("The calibration equation number " + std::to_string(calibration.equation) +
                                        " is not one of the five equations, so no water content can be shown. "
                                        "Choose an equation under Settings, Calibration Functions, Volumetric "
                                        "Water Content.",
                                    platform::MessageKind::Warning);
    }
    c_.machine.ActionDone = true;
}

void WaterContent::PlaceMarkers(bool show) {
    const auto& s = c_.data.Settings;
    if (s.Points == 0) return;  // no window to place them in
    c_.graph.MoveMarkers(s.Points, show, s.WinLgt, s.WinStart, c_.data.Vars[1], c_.data.Vars[2]);
}

void WaterContent::LastWaveformDone(std::int32_t code) {
    if (code == instrument::Success) {
        PlaceMarkers(false);
        const auto& s = c_.data.Settings;
        c_.graph.DrawWaveform(std::clamp(s.Points, 0, instrument::TTDRdataObject::MaxPoints), s.WinStart, s.WinLgt);
        c_.window.SetLinearityWaveShown(false);
    }
    c_.machine.ActionDone = true;
}

void WaterContent::VarsDone(std::int32_t) {
    PlaceMarkers(true);
    c_.machine.ActionDone = true;
}

}  // namespace analysis
