// The main window's side of probe stepping: the address label, the probe controls, and
// what the stepping logic asks of the settings panel.

#include "app/main_form.h"

#include <QLabel>
#include <QLineEdit>

namespace app {

void TMain_Form::ShowMuxGroup(bool show) {
    MuxGB->setVisible(show);
    lblNoMuxAddr->setVisible(!show);
}

void TMain_Form::SetMuxAddressText(const std::string& address) {
    const QString text = QString::fromStdString(address);
    CurMuxAddr->setText(text);
    // What a screen reader says after the label's name.
    CurMuxAddr->setAccessibleDescription(text);
}

bool TMain_Form::ProbeSettingsChanged() const { return settings_->SettingsChanged; }

void TMain_Form::ClearProbeSettingsChanged() { settings_->SettingsChanged = false; }

void TMain_Form::SaveProbeSettings() { settings_->SaveProbeSettings(); }

void TMain_Form::ShowProbeSettings(const files::ProbeSettings& settings) {
    for (int tag = 1; tag <= SettingCount; ++tag) SetSettingText(tag, settings.texts[static_cast<std::size_t>(tag - 1)]);
    cellConstant_ = settings.cellConstant;
}

}  // namespace app
