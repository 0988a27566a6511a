// Coming forward restores a minimised window to the state it had before.

#include "platform/qt/window_activation.h"

#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

TEST(WindowActivation, AMinimisedWindowIsRestored) {
    QWidget window;
    window.showMinimized();
    platform::bringToFront(window);
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.isMinimized());
}

TEST(WindowActivation, AMaximisedWindowStaysMaximised) {
    QWidget window;
    window.setWindowState(Qt::WindowMaximized | Qt::WindowMinimized);
    window.show();
    platform::bringToFront(window);
    EXPECT_FALSE(window.isMinimized());
    EXPECT_TRUE(window.isMaximized());
}

TEST(WindowActivation, AHiddenWindowIsShown) {
    QWidget window;
    platform::bringToFront(window);
    EXPECT_TRUE(window.isVisible());
}

}  // namespace
