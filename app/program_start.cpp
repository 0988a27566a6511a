#include "app/program_start.h"

#include "app/dialogs/program_icon.h"

namespace app {

ProgramStart StartApplication(int& argc, char** argv) {
    ProgramStart start;
    start.showLinearityTest = argc > 1;
    start.application = std::make_unique<QApplication>(argc, argv);
    QApplication::setApplicationName(ApplicationTitle);
    QApplication::setWindowIcon(ProgramIcon());
    return start;
}

}  // namespace app
