#include "analysis/cell_constant.h"

#include "link/chain_steps.h"

namespace analysis {

using instrument::ChainRow;
using instrument::NoLimit;
using instrument::NoTarget;

namespace {

struct Field {
    std::string_view text;
    const char* required;
    double low;        // refused at or below
    double high;       // refused above
    const char* outOfRange;
};

}  // namespace

std::optional<std::string> CheckCellConstantRequest(std::string_view temperature, std::string_view start,
                                                    std::string_view probeLength, const platform::Numbers& numbers) {
    const Field fields[] = {
        {temperature, "Value Required for Temperature!", 0, 100, "Value Out of Range. [ 0 <= Temperature > 100 ]"},
        {start, "Value Required for Waveform Start on main window!", -2, 2100,
         "Value Out of Range. [ -2 <= Waveform Start >= 2100 ]"},
        {probeLength, "Value Required for Probe Length on main window!", 0, 10,
         "Value Out of Range. [ 0 <= Probe Length > 10 ]"},
    };
    for (const Field& f : fields) {
        if (f.text.empty()) return f.required;
        const auto value = numbers.parseReal(f.text);
        if (!value) return platform::Numbers::notAFloatMessage(f.text);
        if (*value <= f.low || *value > f.high) return f.outOfRange;
    }
    return std::nullopt;
}

std::optional<std::string> CheckCellConstant(std::string_view kp, const platform::Numbers& numbers) {
    if (kp.empty()) return "Value Required for Kp!";
    const auto value = numbers.parseReal(kp);
    if (!value) return platform::Numbers::notAFloatMessage(kp);
    if (*value < 1 || *value > 1000) return "Value Out of Range!";
    return std::nullopt;
}

CellKeyVerdict FilterCellConstantKey(char32_t key, std::string_view text, char decimalSeparator) {
    if (key == 8 || (key >= U'0' && key <= U'9')) return {true, false};
    if (key == static_cast<unsigned char>(decimalSeparator)) {
        // A second point is refused, also when typed over a selection that holds the first.
        if (text.find(decimalSeparator) != std::string_view::npos) return {false, true};
        return {true, false};
    }
    return {false, true};
}

double ReadCellConstant(const platform::ProfileFile& file, const platform::Numbers& numbers) {
    return file.readFloat("Settings", CellConstantKey, DefaultCellConstant, numbers);
}

std::string StoreCellConstant(double kp, platform::ProfileFile& settingsFile,
                              const std::optional<std::filesystem::path>& probeFile, const platform::Numbers& numbers) {
    std::string problems;
    if (probeFile) {
        platform::ProfileFile probe(*probeFile);
        if (!probe.writeFloat("Settings", CellConstantKey, kp, numbers)) problems = probe.lastError();
    }
    if (!settingsFile.writeFloat("Settings", CellConstantKey, kp, numbers))
        problems += (problems.empty() ? "" : " ") + settingsFile.lastError();
    return problems;
}

CellConstantChain::CellConstantChain(const MeasurementContext& context) : c_(context) {}

std::vector<ChainRow> CellConstantChain::Chain() {
    auto act = [this](void (CellConstantChain::*step)(std::int32_t&)) {
        return [this, step](std::int32_t& result) { (this->*step)(result); };
    };
    ChainSettings& s = c_.settings;
    using namespace CellConstantChainStates;
    return {
        //  #      name    action                                              limit    success   failure
        {Sdis,  "SDIS", [&s](std::int32_t& r) { s.SetStartStep(r); },        1000,    Sprl,     Error},
        {Sprl,  "SPRL", [&s](std::int32_t& r) { s.SetProbeLengthStep(r); },  1000,    Cccc,     Error},
        {Cccc,  "CCCC", act(&CellConstantChain::MeasureStep),                30000,   End,      Error},
        {Error, "Err",  act(&CellConstantChain::ErrStep),                    NoLimit, End,      End},
        {End,   "END",  act(&CellConstantChain::EndStep),                    NoLimit, NoTarget, NoTarget},
    };
}

bool CellConstantChain::Start(const std::string& temperatureText, DialogHooks hooks) {
    if (!c_.machine.IsIdle()) {
        // The dialog's buttons come back at once: nothing was started that would give them back.
        c_.platform.dialogs.message(instrument::ChainActiveMessage);
        if (hooks.setEnable) hooks.setEnable(true);
        return false;
    }
    temperature_ = temperatureText;
    hooks_ = std::move(hooks);
    // The menus and the panel stay as they are; only the cursor says the instrument is busy.
    if (!instrument::StartChain(c_.machine, c_.window, c_.platform.dialogs, Chain(),
                                {.hourglass = true, .disableWindow = false})) {
        if (hooks_.setEnable) hooks_.setEnable(true);
        return false;
    }
    return true;
}

void CellConstantChain::MeasureStep(std::int32_t& result) {
    instrument::SetCommandStep(c_.data, c_.platform.dialogs, "CCCC " + temperature_, "CCC",
                               [this](std::int32_t code) { MeasureDone(code); }, result);
}

void CellConstantChain::MeasureDone(std::int32_t) {
    // Whatever the outcome: the edit shows what the store holds; the user accepts it with OK.
    if (hooks_.showResult) hooks_.showResult(c_.platform.numbers.formatFixed(c_.data.CellConstValue, 4));
    c_.machine.ActionDone = true;
}

void CellConstantChain::ErrStep(std::int32_t& result) {
    instrument::ChainErrorStep(c_.machine, c_.data, c_.platform.dialogs, CellConstantFailedMessage, result);
}

void CellConstantChain::EndStep(std::int32_t& result) {
    instrument::ChainEndStepKeepingWindow(c_.machine, c_.window, c_.platform.tones, result);
    if (hooks_.setEnable) hooks_.setEnable(true);
}

}  // namespace analysis
