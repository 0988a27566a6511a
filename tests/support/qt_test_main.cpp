// main() for test programs that need a Qt application: widgets, timers and an event loop.

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // The offscreen platform unless the caller chose one (ctest sets it as well).
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
