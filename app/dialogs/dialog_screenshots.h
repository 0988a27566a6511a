#pragma once
// Pictures of the program's dialogs (calibration, communication settings, waveform
// options, About, splash) and of its icon, for looking at what a user sees. Nothing is
// opened or sent: the dialogs get a fresh link that has no port.

#include "platform/platform.h"

#include <QString>
#include <QStringList>

namespace app {

// Writes one PNG per dialog into directory (created when missing); returns the paths of
// the files written.
QStringList RenderDialogScreenshots(const QString& directory, platform::Platform& platform);

}  // namespace app
