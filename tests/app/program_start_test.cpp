// The application object made from the command line: the parameters WAVIX counts and what
// the application is called.

#include "app/program_start.h"

#include <QFileInfo>
#include <QIcon>

#include <gtest/gtest.h>

namespace app {
namespace {

TEST(ProgramStart, AParameterQtTakesForItselfStillShowsTheLinearityTest) {
    // Qt keeps a reference to argc and pointers into argv for the life of the application.
    static char program[] = "wavix";
    static char reverse[] = "-reverse";
    static char* argv[] = {program, reverse, nullptr};
    static int argc = 2;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    const ProgramStart start = StartApplication(argc, argv);
    ASSERT_TRUE(start.application);
    EXPECT_EQ(argc, 1);  // Qt took the parameter away...
    EXPECT_TRUE(start.showLinearityTest);  // ...but it was counted first

    EXPECT_EQ(QApplication::applicationName(), "WAVIX");
    EXPECT_FALSE(QApplication::windowIcon().isNull());
    // The desktop matches the windows to the installed entry by this name.
    EXPECT_TRUE(QFileInfo::exists(qEnvironmentVariable("WAVIX_SOURCE_DIR") + "/packaging/desktop/" +
                                  QGuiApplication::desktopFileName() + ".desktop"))
        << QGuiApplication::desktopFileName().toStdString();
    // No display name of its own: Qt would add it to every window title. Unset, it follows
    // the application name.
    QApplication::setApplicationName("renamed");
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), "renamed");
}

}  // namespace
}  // namespace app
