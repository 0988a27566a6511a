#pragma once
// Brings a window in front of the others, restored to its earlier state if it was
// minimised (a maximised window stays maximised).

class QWidget;

namespace platform {

void bringToFront(QWidget& window);

}  // namespace platform
