#pragma once
// The splash window's picture: a reflection waveform and its derivative on a scope screen.

#include <QPixmap>
#include <QSize>

namespace app {

QPixmap TdrPicture(QSize size);

}  // namespace app
