#include "analysis/linearity_test.h"

#include "link/chain_steps.h"
#include "link/command_set.h"

#include <algorithm>
#include <string>

namespace analysis {

using instrument::ChainRow;
using instrument::NoLimit;
using instrument::NoTarget;

int LinearitySpacings(std::span<float> a, std::span<float> b) {
    const int size = static_cast<int>(std::min(a.size(), b.size()));
    int n = 0;
    for (int i = 1; i < size; ++i) {
        const double here = a[static_cast<std::size_t>(i)];
        const double before = a[static_cast<std::size_t>(i - 1)];
        if (here < 0 && before > 0) b[static_cast<std::size_t>(n++)] = static_cast<float>(i + 1.0 / (1.0 - here / before));
    }
    n = n - 1;
    for (int j = 0; j < n; ++j) {
        const double spacing = static_cast<double>(b[static_cast<std::size_t>(j + 1)]) - b[static_cast<std::size_t>(j)];
        a[static_cast<std::size_t>(j)] = static_cast<float>(spacing * LinearityWindowLength / LinearityWindowPoints);
    }
    return n;
}

LinearityTest::LinearityTest(const MeasurementContext& context) : c_(context) {}

std::vector<ChainRow> LinearityTest::Chain() {
    auto act = [this](void (LinearityTest::*step)(std::int32_t&)) {
        return [this, step](std::int32_t& result) { (this->*step)(result); };
    };
    auto set = [this](const char* text) { return [this, text](std::int32_t& result) { SetStep(text, result); }; };
    using namespace LinearityChain;
    return {
        //  #          name    action                                limit    success   failure
        {Vp,         "S_VP", act(&LinearityTest::SetVpStep),        2000,    Averages, SetupError},
        {Averages,   "SNAV", set("SNAV 16"),                        2000,    Points,   SetupError},
        {Points,     "SPNT", set("SPNT 2048"),                      2000,    Start,    SetupError},
        {Start,      "SDIS", set("SDIS 2.0"),                       7000,    Length,   SetupError},
        {Length,     "SWLN", set("SWLN 25"),                        7000,    Dump,     SetupError},
        {Dump,       "DUMP", act(&LinearityTest::DumpStep),         7000,    Gtim,     SetupError},
        {Gtim,       "GTIM", act(&LinearityTest::TimeStep),         2000,    Gwav,     SetupError},
        {SetupError, "Err",  act(&LinearityTest::SetupErrStep),     NoLimit, End,      End},
        {Gwav,       "GWAV", act(&LinearityTest::WaveStep),         60000,   Plot,     WaveError},
        {Plot,       "Plot", act(&LinearityTest::PlotStep),         NoLimit, End,      End},
        {WaveError,  "Err",  act(&LinearityTest::WaveErrStep),      NoLimit, End,      End},
        {End,        "END",  act(&LinearityTest::EndStep),          NoLimit, NoTarget, NoTarget},
    };
}

bool LinearityTest::DoLinearityTest() {
    if (!c_.machine.IsIdle()) {
        c_.platform.dialogs.message(instrument::ChainActiveMessage);
        return false;
    }
    // The chain is in place (so nothing else can start) while the user connects the source;
    // its first state runs once the message is dismissed.
    if (!instrument::LoadChain(c_.machine, Chain())) {
        c_.platform.dialogs.message(instrument::ChainNotLoadedMessage, platform::MessageKind::Error);
        return false;
    }
    c_.window.SetHourglass(true);
    c_.platform.dialogs.message(ConnectSourceMessage, platform::MessageKind::Information);
    c_.machine.Start(0);
    return true;
}

void LinearityTest::SetVpStep(std::int32_t& result) {
    if (c_.data.Busy()) {
        result = instrument::AnotherCommandActive;
        c_.platform.dialogs.message(instrument::RequestActiveMessage, platform::MessageKind::Warning);
        return;
    }
    SetStep("S_VP 0.67", result);
}

void LinearityTest::SetStep(const char* text, std::int32_t& result) {
    instrument::SetCommandStep(c_.data, c_.platform.dialogs, text, std::string(text, 4),
                               [this](std::int32_t code) { StepDone(code); }, result);
}

void LinearityTest::DumpStep(std::int32_t& result) {
    instrument::GetCommandStep(c_.data, c_.platform.dialogs, "DUMP", instrument::ReplyTimeouts::LinearityDump,
                               [this](std::int32_t code) { c_.settings.DumpDone(code); }, result);
}

void LinearityTest::TimeStep(std::int32_t& result) {
    instrument::GetCommandStep(c_.data, c_.platform.dialogs, "GTIM", instrument::ReplyTimeouts::LinearityGtim,
                               [this](std::int32_t code) { StepDone(code); }, result);
}

void LinearityTest::WaveStep(std::int32_t& result) {
    instrument::GetCommandStep(c_.data, c_.platform.dialogs, "GWAV", instrument::WholeSeconds(c_.data.Times.WaveformSeconds),
                               [this](std::int32_t code) { WaveformDone(code); }, result);
}

void LinearityTest::StepDone(std::int32_t) { c_.machine.ActionDone = true; }

void LinearityTest::WaveformDone(std::int32_t) {
    // Whatever the outcome: the test works on what the store holds.
    const std::span<float> a = c_.window.SavedWave();
    const std::span<float> b = c_.window.SavedDeriv();
    for (std::size_t k = 0; k < a.size(); ++k) a[k] = c_.data.WaveformAt(static_cast<int>(k) + 1);
    for (std::size_t k = 0; k < b.size(); ++k) b[k] = c_.data.DerivativeAt(static_cast<int>(k) + 1);
    c_.machine.ActionDone = true;
}

void LinearityTest::PlotStep(std::int32_t& result) {
    result = 0;
    const std::span<float> a = c_.window.SavedWave();
    const int n = LinearitySpacings(a, c_.window.SavedDeriv());
    if (n <= 0) {
        c_.platform.dialogs.message(NoLinearityResultMessage, platform::MessageKind::Information);
    } else {
        c_.settings.ShowPointCount(n);
        c_.window.SetSavedPointCount(n);
        c_.graph.SetValueAxisTitle(LinearityAxisTitle);
        c_.graph.SetValueAxis(LinearityAxisMin, LinearityAxisMax);
        c_.platform.clock.delay(100);
        const auto& s = c_.data.Settings;
        c_.graph.MoveMarkers(s.Points, false, s.WinLgt, s.WinStart, c_.data.Vars[1], c_.data.Vars[2]);
        c_.graph.DrawDataArray(n, a.data(), s.WinStart, s.WinLgt);
        c_.window.SetLinearityWaveShown(true);
    }
    c_.machine.ActionDone = true;
}

void LinearityTest::SetupErrStep(std::int32_t& result) {
    instrument::ChainErrorStep(c_.machine, c_.data, c_.platform.dialogs, "Error: Failed to get Variables!", result);
}

void LinearityTest::WaveErrStep(std::int32_t& result) {
    instrument::ChainErrorStep(c_.machine, c_.data, c_.platform.dialogs, "Error: Failed to get Waveform!", result);
}

void LinearityTest::EndStep(std::int32_t& result) {
    instrument::ChainEndStepKeepingWindow(c_.machine, c_.window, c_.platform.tones, result);
}

}  // namespace analysis
