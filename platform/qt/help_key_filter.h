#pragma once
// F1 anywhere in the program opens the help for what has the focus. Windows, dialogs,
// controls, menus and menu items (QAction) carry their help context number in the dynamic
// property "helpContext"; the nearest one up the parent chain counts. Without one anywhere
// the contents open.
//
// Installed once on the application: qApp->installEventFilter(&filter). Nothing else in the
// program may bind F1, or this filter never sees the key.

#include "platform/help.h"

#include <QObject>

#include <optional>

class QWidget;

namespace platform {

inline constexpr const char* HelpContextProperty = "helpContext";

class HelpKeyFilter : public QObject {
    Q_OBJECT

public:
    explicit HelpKeyFilter(Help& help, QObject* parent = nullptr) : QObject(parent), help_(help) {}

    // The help context of a widget: its own, or that of its nearest parent having one. In an
    // open menu the highlighted item's context comes first.
    static std::optional<int> helpContextFor(const QWidget* widget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Help& help_;
};

}  // namespace platform
