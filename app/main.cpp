// WAVIX: the program entry. One copy at a time; the splash while the windows are made;
// then the main window and the dialogs, in their order, and the message loop.

#include "app/app_dialogs.h"
#include "app/dialogs/about_box.h"
#include "app/dialogs/splash_form.h"
#include "app/dialogs/waveform_options_dialog.h"
#include "app/graph_view.h"
#include "app/main_form.h"
#include "app/program_start.h"

#include "analysis/dialogs/calibration_dialog.h"
#include "analysis/dialogs/cell_constant_dialog.h"
#include "graph/axis_range_dialog.h"
#include "help/help_topics.h"
#include "link/dialogs/comm_settings_dialog.h"
#include "link/dialogs/os_download_dialog.h"
#include "mux/dialogs/mux_setup_dialog.h"
#include "platform/qt/help_key_filter.h"
#include "platform/qt/qt_clock.h"
#include "platform/qt/qt_dialogs.h"
#include "platform/qt/qt_help.h"
#include "platform/qt/qt_serial_device.h"
#include "platform/qt/qt_tones.h"
#include "platform/qt/single_instance.h"
#include "platform/qt/system_numbers.h"
#include "platform/qt/window_activation.h"

#include <QPointer>

#include <filesystem>

int main(int argc, char** argv) {
    // The application object; any parameter at all shows the linearity test button.
    const app::ProgramStart start = app::StartApplication(argc, argv);
    const bool showLinearityTest = start.showLinearityTest;

    // 1. A copy already running is brought forward and this one ends.
    QPointer<app::TMain_Form> mainWindow;
    platform::SingleInstance instance("WAVIX");
    if (instance.claim([&mainWindow] {
            if (mainWindow) platform::bringToFront(*mainWindow);
        }) == platform::SingleInstance::Role::Second)
        return 0;

    // 2. The splash, shown and painted before anything else loads.
    auto* splash = new app::TSplashForm();
    splash->ShowAndPaint();

    // 3. The program's title (its name, set with the application object) and help.
    platform::QtClock clock;
    platform::QtTones tones;
    platform::QtDialogs dialogs(app::ApplicationTitle);
    platform::QtHelp help(help::topicsRoot());
    help.setHelpFile(help::HelpFileName);
    const platform::Numbers numbers = platform::systemNumbers();
    platform::QtSerialDeviceFactory serial;
    platform::Platform services{clock, tones, dialogs, help, numbers, serial};
    platform::HelpKeyFilter f1(help);
    start.application->installEventFilter(&f1);

    // 4. The windows, in order; making the main window runs its FormCreate.
    app::TMain_Form form(services, {std::filesystem::current_path(), showLinearityTest});
    mainWindow = &form;
    app::TAcqWaveForm acqWave(form.DataObject(), services, &form);
    acqWave.SetClearDerivative([&form] { form.Acquisition().HideDerivative(); });
    analysis::TCaliDlgForm caliDlg(services, &form);
    mux::TMuxSetupDlg muxSetup(form.MuxSetup(), services,
                               [&form](const std::string& address) { form.SetMuxAddressText(address); }, &form);
    app::TAboutBox about(&form);
    instrument::TCommSetgDlg commSetg(form.DataObject(), services, &form);
    graph::TAxisRange axisRange(form.Graph().Gfx(), form.DataObject(), form.StateMachine(), form, services,
                                [&form] { form.Settings().UpdateDisplay(); }, &form);
    analysis::TCellConst cellConst(form.CellConstantMeasurement(), form.Settings(), services, &form);
    instrument::TOSdownForm osDown(form.DataObject(), services, &form);
    app::AppDialogs windows{&acqWave, &caliDlg, &about, &commSetg, &axisRange, &muxSetup, &cellConst, &osDown};
    form.SetDialogs(&windows);
    form.SetSplashCloser([&splash] {
        splash->hide();
        splash->deleteLater();
        splash = nullptr;
    });

    // 5. Showing the main window runs its FormShow; then the message loop.
    form.show();
    return QApplication::exec();
}
