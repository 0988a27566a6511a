// Every window of the program carries its title exactly as given. A window added to the
// program is added to the table here, or this test names it; a dialog made only when it
// is needed is made here.

#include "window_fixture.h"

#include "app/dialogs/export_image_dialog.h"
#include "app/dialogs/splash_form.h"
#include "platform/qt/help_window.h"

#include <QDialog>

#include <map>
#include <set>

namespace app::testing {
namespace {

using Windows = WindowTest;

TEST_F(Windows, EveryWindowAndDialogCarriesItsTitleExactly) {
    const std::map<QString, QString> titles = {
        {"Main_Form", "WAVIX  -  Version 2.05"},
        {"AboutBox", "About"},
        {"AcqWaveForm", "Get Waveform Options"},
        {"CaliDlgForm", "Conversion from Dielectric Constant to Volumetric Water Content"},
        {"CommSetgDlg", "Communication Settings"},
        {"AxisRange", "Graph Window Axis Range Change"},
        {"MuxSetupDlg", "KLV300 Multiplexer Selection"},
        {"CellConst", "Compute Probe Cell Constant"},
        {"OSdownForm", "RFX410 Operating System Upgrade"},
        {"ExportImageDlg", "Export Graph Image"},
        {"SplashForm", "WAVIX"},
        {"HelpWindow", "WAVIX Help"},
    };
    TSplashForm splash;
    platform::HelpWindow help;
    TExportImageDlg exportImage(rig.test.help, &form);  // made when it is needed
    std::vector<QWidget*> windows{&form, &splash, &help};
    for (QDialog* dialog : form.findChildren<QDialog*>()) windows.push_back(dialog);

    std::set<QString> seen;
    for (QWidget* window : windows) {
        const QString name = window->objectName();
        const auto title = titles.find(name);
        if (title == titles.end()) {
            ADD_FAILURE() << "no title is known here for the window " << name.toStdString() << " (\""
                          << window->windowTitle().toStdString() << "\")";
            continue;
        }
        EXPECT_EQ(window->windowTitle(), title->second) << name.toStdString();
        seen.insert(name);
    }
    EXPECT_EQ(seen.size(), titles.size());
}

}  // namespace
}  // namespace app::testing
