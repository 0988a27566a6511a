#pragma once
// Making the application object from the command line. WAVIX parses no options: any
// parameter at all shows the "LinearityTest" button. The count is taken before Qt sees
// the arguments, because QApplication removes the ones it understands (-style, -reverse,
// -platform ...), and such a parameter counts as well.

#include <QApplication>

#include <memory>

namespace app {

inline constexpr const char* ApplicationTitle = "WAVIX";

struct ProgramStart {
    std::unique_ptr<QApplication> application;
    bool showLinearityTest = false;
};

// The application is named "WAVIX" and carries the program's icon. No display name is
// set: Qt would append it to every window title, and the titles read exactly as given.
// argc must outlive the application (Qt keeps a reference to it).
ProgramStart StartApplication(int& argc, char** argv);

}  // namespace app
