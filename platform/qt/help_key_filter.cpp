#include "platform/qt/help_key_filter.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

namespace platform {

namespace {

std::optional<int> propertyContext(const QObject* object) {
    const QVariant value = object->property(HelpContextProperty);
    bool ok = false;
    const int context = value.toInt(&ok);
    if (!value.isValid() || !ok) return std::nullopt;
    return context;
}

// An action's own context, else that of the menu it opens.
std::optional<int> actionContext(const QAction* action) {
    if (!action) return std::nullopt;
    if (auto context = propertyContext(action)) return context;
    if (const QMenu* menu = action->menu<QMenu*>()) return propertyContext(menu);
    return std::nullopt;
}

// The widget the user is looking at: an open menu before the focus, then the object that
// received the key.
const QWidget* widgetInFocus(QObject* watched) {
    if (QWidget* popup = QApplication::activePopupWidget()) return popup;
    if (QWidget* focus = QApplication::focusWidget()) return focus;
    if (auto* widget = qobject_cast<QWidget*>(watched)) return widget;
    return QApplication::activeWindow();
}

}  // namespace

std::optional<int> HelpKeyFilter::helpContextFor(const QWidget* widget) {
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        // In a menu, or a menu bar driven from the keyboard, the highlighted item first, then
        // the menu itself.
        if (const auto* menu = qobject_cast<const QMenu*>(w)) {
            if (auto context = actionContext(menu->activeAction())) return context;
            if (auto context = actionContext(menu->menuAction())) return context;
        } else if (const auto* bar = qobject_cast<const QMenuBar*>(w)) {
            if (auto context = actionContext(bar->activeAction())) return context;
        }
        if (auto context = propertyContext(w)) return context;
    }
    return std::nullopt;
}

bool HelpKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier) return false;
    // Holding F1 down would reopen the same topic again and again.
    if (key->isAutoRepeat()) return true;
    if (const auto context = helpContextFor(widgetInFocus(watched)))
        help_.showContext(*context);
    else
        help_.showContents();
    return true;
}

}  // namespace platform
