#pragma once
// The main window with its dialogs, every platform service a test double (virtual time,
// scripted message boxes, recorded tones and help) and the simulated instrument on the
// in-memory serial line: for tests and for rendering screenshots without hardware.

#include "app/app_dialogs.h"
#include "app/main_form.h"

#include "platform/doubles/test_platform.h"
#include "sim/rfx410.h"

#include <QTemporaryDir>

#include <filesystem>
#include <memory>

namespace app {

class TAboutBox;

class MainWindowRig {
public:
    struct Options {
        std::filesystem::path startDirectory;  // empty: a fresh temporary directory
        bool showLinearityTest = false;
        bool show = true;                      // show the window (runs FormShow)
    };

    explicit MainWindowRig(Options options);
    MainWindowRig() : MainWindowRig(Options{}) {}
    ~MainWindowRig();

    // Moves virtual time on until the state machine is idle again (or maxMs passed).
    bool RunChain(std::uint64_t maxMs = 120000);
    // Closes the window as the user would (FormClose).
    void Close();

    platform::TestPlatform test;
    platform::Platform services;
    sim::Rfx410 instrument;
    std::unique_ptr<TMain_Form> form;
    AppDialogs dialogs;
    const std::filesystem::path& StartDirectory() const { return startDirectory_; }

private:
    struct Windows;
    std::unique_ptr<QTemporaryDir> temp_;
    std::filesystem::path startDirectory_;
    std::unique_ptr<Windows> windows_;
};

}  // namespace app
