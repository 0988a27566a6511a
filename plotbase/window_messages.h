#pragma once
// Turning Qt's mouse events into the messages the application's procedures receive.

#include "plotbase/records.h"

#include <QMouseEvent>

namespace plotbase::detail {

inline int mouseButton(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton: return 1;
    case Qt::RightButton: return 2;
    case Qt::MiddleButton: return 4;
    default: return 0;
    }
}

inline WindowMessage mouseMessage(WindowMessage::Kind kind, const QMouseEvent& event) {
    WindowMessage message;
    message.kind = kind;
    message.button = mouseButton(event.button());
    message.x = event.position().x();
    message.y = event.position().y();
    return message;
}

}  // namespace plotbase::detail
