#pragma once
// The program's icon, painted rather than loaded: a reflection waveform on a dark screen.

#include <QIcon>
#include <QPixmap>

namespace app {

// The icon at one size (square, in device-independent pixels).
QPixmap ProgramIconPixmap(int size);
// The icon at the sizes window systems ask for (16 to 256 pixels).
QIcon ProgramIcon();

}  // namespace app
