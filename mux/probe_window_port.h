#pragma once
// What probe stepping needs of the main window: the address label, the settings-changed
// flag, saving the current probe's settings, taking in a probe's settings, the hourglass.

#include "files/probe_settings.h"

#include <string>

namespace mux {

class ProbeWindowPort {
public:
    virtual ~ProbeWindowPort() = default;
    // The address label ("?-?-?" when no probe is selected).
    virtual std::string MuxAddressText() const = 0;
    virtual void SetMuxAddressText(const std::string& address) = 0;
    virtual bool ProbeSettingsChanged() const = 0;
    virtual void ClearProbeSettingsChanged() = 0;
    // Writes the seven settings texts into the current probe's file.
    virtual void SaveProbeSettings() = 0;
    // The seven settings texts into the edits and the cell constant into the window's.
    virtual void ShowProbeSettings(const files::ProbeSettings& settings) = 0;
    virtual void SetHourglass(bool on) = 0;
};

}  // namespace mux
