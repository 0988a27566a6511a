#include "app/dialogs/dialog_screenshots.h"

#include "app/dialogs/about_box.h"
#include "app/dialogs/program_icon.h"
#include "app/dialogs/splash_form.h"
#include "app/dialogs/waveform_options_dialog.h"

#include "analysis/dialogs/calibration_dialog.h"
#include "link/data_object.h"
#include "link/dialogs/comm_settings_dialog.h"

#include "platform/device_access.h"

#include <QDir>
#include <QPixmap>

namespace app {

namespace {

bool Grab(QWidget& widget, const QString& path) {
    widget.show();
    const bool saved = widget.grab().save(path, "PNG");
    widget.hide();
    return saved;
}

}  // namespace

QStringList RenderDialogScreenshots(const QString& directory, platform::Platform& platform) {
    QDir().mkpath(directory);
    const QDir dir(directory);
    QStringList written;
    const auto record = [&written](bool saved, const QString& path) {
        if (saved) written.append(path);
    };

    QString path = dir.filePath("calibration_dialog.png");
    record(analysis::RenderCalibrationDialogScreenshot(path, platform), path);

    path = dir.filePath("comm_settings_dialog.png");
    record(instrument::RenderCommSettingsDialogScreenshot(path, platform), path);
    path = dir.filePath("comm_settings_dialog_open_error.png");
    record(instrument::RenderCommSettingsDialogScreenshot(
               path, platform, "Cannot open serial port /dev/ttyS3: No such file or directory."),
           path);
    // What a user outside the device's group reads.
    path = dir.filePath("comm_settings_dialog_permission.png");
    const platform::DeviceOwnership device{0, 20, 020660, "root", "dialout"};
    const platform::UserIdentity user{1000, "alice", {1000}, {1000}};
    record(instrument::RenderCommSettingsDialogScreenshot(
               path, platform,
               QString::fromStdString("Cannot open serial port /dev/ttyUSB0: Permission denied.\n" +
                                      platform::DeviceAccessAdvice("/dev/ttyUSB0", device, user).value_or(""))),
           path);

    instrument::TTDRdataObject link(platform);
    TAcqWaveForm options(link, platform);
    options.SetWFtypeIndex(TAcqWaveForm::ReflectionAndDerivative);
    path = dir.filePath("waveform_options_dialog.png");
    record(Grab(options, path), path);

    TAboutBox about;
    path = dir.filePath("about_box.png");
    record(Grab(about, path), path);

    TSplashForm splash;
    path = dir.filePath("splash.png");
    record(Grab(splash, path), path);

    path = dir.filePath("program_icon.png");
    record(ProgramIconPixmap(128).save(path, "PNG"), path);
    return written;
}

}  // namespace app
