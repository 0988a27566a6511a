#include "app/program_start.h"

#include "app/dialogs/program_icon.h"

namespace app {

ProgramStart StartApplication(int& argc, char** argv) {
    ProgramStart start;
    start.showLinearityTest = argc > 1;
    start.application = std::make_unique<QApplication>(argc, argv);
    QApplication::setApplicationName(ApplicationTitle);
    QApplication::setWindowIcon(ProgramIcon());
    // Ties the windows to the installed desktop entry (wavix.desktop): the desktop shows
    // its name and icon for them and groups them under it.
    QGuiApplication::setDesktopFileName(QStringLiteral("wavix"));
    return start;
}

}  // namespace app
