#include "app/settings_steps.h"

#include "files/probe_settings.h"
#include "link/chain_steps.h"

namespace app {

SettingsSteps::SettingsSteps(MainWindowPort& window, WaveformPlot& plot, instrument::TTDRdataObject& data,
                             instrument::TStateMach& machine, platform::Platform& platform,
                             platform::ProfileFile& mainIni, std::filesystem::path startDirectory)
    : window_(window), plot_(plot), data_(data), machine_(machine), platform_(platform), mainIni_(mainIni),
      startDirectory_(std::move(startDirectory)) {}

SettingTexts SettingsSteps::Texts() const {
    SettingTexts texts;
    for (int tag = 1; tag <= SettingCount; ++tag) texts[static_cast<std::size_t>(tag - 1)] = window_.SettingText(tag);
    return texts;
}

bool SettingsSteps::UpdateSettings() {
    const SettingTexts texts = Texts();
    if (auto failure = ValidateSettings(texts, platform_.numbers)) {
        platform_.dialogs.message(failure->message, platform::MessageKind::Information);
        window_.FocusSetting(failure->tag);
        return false;
    }
    if (saving_) SaveProbeSettings();
    SettingsChanged = false;
    if (saving_) WriteSettings(mainIni_, texts);
    return true;
}

void SettingsSteps::WriteSettings(platform::ProfileFile& file, const SettingTexts& texts) {
    for (int tag = 1; tag <= SettingCount; ++tag) {
        if (!file.writeString(SettingsSection, Edit(tag).iniKey, texts[static_cast<std::size_t>(tag - 1)])) {
            // Said once per save, not once per key.
            platform_.dialogs.message("The settings could not be saved. " + file.lastError(), platform::MessageKind::Error);
            return;
        }
    }
}

std::filesystem::path SettingsSteps::ProbeSettingsPath(const std::string& address) const {
    return files::ProbeSettingsPath(startDirectory_, address);
}

void SettingsSteps::SaveProbeSettings() {
    const std::string address = window_.MuxAddressText();
    if (address == NoProbeAddress || address.empty()) return;
    platform::ProfileFile probeFile(ProbeSettingsPath(address));
    WriteSettings(probeFile, Texts());
}

void SettingsSteps::UpdateDisplay() {
    const SettingTexts texts = DisplayTexts(data_.Settings, platform_.numbers);
    for (int tag = 1; tag <= SettingCount; ++tag) window_.SetSettingText(tag, texts[static_cast<std::size_t>(tag - 1)]);
    plot_.SetDistanceAxis(data_.Settings.WinStart, data_.Settings.WinStart + data_.Settings.WinLgt);
}

void SettingsSteps::DumpDone(std::int32_t code) {
    if (code != instrument::Success) platform_.tones.beep(1500, 100);
    else UpdateDisplay();
    machine_.ActionDone = true;
}

std::vector<instrument::ChainRow> SettingsSteps::SettingsPrefix(int end) {
    auto act = [this](void (SettingsSteps::*step)(std::int32_t&)) {
        return [this, step](std::int32_t& result) { (this->*step)(result); };
    };
    return {
        //  #  name    action                                limit             success failure
        {0, "S_VP", act(&SettingsSteps::SetVpStep),          1000,             1,      7},
        {1, "SNAV", act(&SettingsSteps::SetAvgStep),         1000,             2,      7},
        {2, "SPNT", act(&SettingsSteps::SetPointsStep),      1000,             3,      7},
        {3, "SDIS", act(&SettingsSteps::SetStartStep),       1000,             4,      7},
        {4, "SWLN", act(&SettingsSteps::SetLengthStep),      1000,             5,      7},
        {5, "SPRL", act(&SettingsSteps::SetProbeLengthStep), 1000,             6,      7},
        {6, "SPRO", act(&SettingsSteps::SetProbeOffsetStep), 1000,             8,      7},
        {7, "Err",  act(&SettingsSteps::SetSettingsErrStep), instrument::NoLimit, end, end},
    };
}

void SettingsSteps::ReportRefused(const std::string& name, std::int32_t code) {
    instrument::ReportRefused(platform_.dialogs, name, code);
}

void SettingsSteps::SetVpStep(std::int32_t& result) {
    if (data_.Busy()) {
        result = instrument::AnotherCommandActive;
        platform_.dialogs.message(instrument::RequestActiveMessage, platform::MessageKind::Warning);
        return;
    }
    SetStep(TagVp, result);
}

void SettingsSteps::SetStep(int tag, std::int32_t& result) {
    const std::string text = SetCommandText(tag, window_.SettingText(tag));
    result = data_.SetCommand(text, [this](std::int32_t code) { SetCommandDone(code); });
    if (result != instrument::Success) ReportRefused(Edit(tag).command, result);
}

void SettingsSteps::SetCommandDone(std::int32_t) {
    // A failed reply has already been reported by the data object; the chain goes on.
    machine_.ActionDone = true;
}

void SettingsSteps::SetSettingsErrStep(std::int32_t& result) {
    platform_.tones.beep(500, 500);
    result = 0;
    data_.CommandDone("", 0);  // cancels whatever request is still outstanding
    machine_.ActionDone = true;
    platform_.dialogs.message("ERROR: RFX410 Set Settings Command Failed!", platform::MessageKind::Error);
}

}  // namespace app
