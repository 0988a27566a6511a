#pragma once
// Working a modal dialog from a test: `open` shows the dialog and returns once it is closed;
// `act` runs while it is up (from the event loop the dialog runs), and the dialog is
// cancelled after it if `act` left it open.

#include <QApplication>
#include <QDialog>
#include <QString>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace testsupport {

inline int WithModalDialog(const std::function<int()>& open, const std::function<void(QDialog&)>& act) {
    QTimer timer;  // of this scope, so that it cannot fire in a later test
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [act] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        act(*dialog);
        if (dialog->isVisible()) dialog->reject();
    });
    timer.start(0);
    return open();
}

// The dialog's control of that object name (a failure of the test when there is none).
template <typename T>
T* DialogControl(QDialog& dialog, const char* name) {
    T* found = dialog.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

}  // namespace testsupport
