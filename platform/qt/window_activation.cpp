#include "platform/qt/window_activation.h"

#include <QWidget>

namespace platform {

void bringToFront(QWidget& window) {
    if (window.isMinimized()) window.setWindowState((window.windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    window.show();
    window.raise();
    window.activateWindow();
}

}  // namespace platform
