#pragma once
// What the instrument operations need of the main window: the settings edits, the busy
// switches, the acquisition controls, and what the measuring chains need (result fields,
// calibration, cell constant, the waveform copies). The Qt main window implements it;
// tests and wavix-cli can too.

#include "analysis/measurement_window.h"

#include <string>

namespace app {

class MainWindowPort : public analysis::MeasurementWindow {
public:
    // The seven settings edits, by tag (1..7). Setting a text that differs from the
    // edit's marks the settings changed, as typing does.
    virtual std::string SettingText(int tag) const = 0;
    virtual void SetSettingText(int tag, const std::string& text) = 0;
    virtual void FocusSetting(int tag) = 0;

    // Acquisition controls.
    virtual bool ContinuousUpdateChecked() const = 0;
    virtual bool OverlayVisibleChecked() const = 0;
    // Checks or unchecks "Overlay Visible" as a click would (its handler runs on a change).
    virtual void SetOverlayVisibleChecked(bool checked) = 0;
    // The options dialog's choice: 0 reflection waveform, 1 with its derivative.
    virtual int WaveformTypeIndex() const = 0;
    virtual bool LinearityTestVisible() const = 0;

    // The multiplexer address shown ("?-?-?" when no probe is selected).
    virtual std::string MuxAddressText() const = 0;
};

}  // namespace app
