#include "app/rig/main_window_rig.h"

#include "app/dialogs/about_box.h"
#include "app/dialogs/waveform_options_dialog.h"
#include "app/graph_view.h"

#include "analysis/dialogs/calibration_dialog.h"
#include "analysis/dialogs/cell_constant_dialog.h"
#include "graph/axis_range_dialog.h"
#include "link/dialogs/comm_settings_dialog.h"
#include "link/dialogs/os_download_dialog.h"
#include "mux/dialogs/mux_setup_dialog.h"
#include "sim/memory_line_link.h"

namespace app {

struct MainWindowRig::Windows {
    std::unique_ptr<TAcqWaveForm> acqWave;
    std::unique_ptr<analysis::TCaliDlgForm> caliDlg;
    std::unique_ptr<TAboutBox> about;
    std::unique_ptr<instrument::TCommSetgDlg> commSetg;
    std::unique_ptr<graph::TAxisRange> axisRange;
    std::unique_ptr<mux::TMuxSetupDlg> muxSetup;
    std::unique_ptr<analysis::TCellConst> cellConst;
    std::unique_ptr<instrument::TOSdownForm> osDown;
};

MainWindowRig::MainWindowRig(Options options) : services(test.platform()), instrument(test.clock) {
    if (options.startDirectory.empty()) {
        temp_ = std::make_unique<QTemporaryDir>();
        startDirectory_ = temp_->path().toStdString();
    } else {
        startDirectory_ = options.startDirectory;
    }
    sim::connectToLine(instrument, test.serial);
    // COM 1 is where the in-memory line answers.
    form = std::make_unique<TMain_Form>(services, TMain_Form::StartOptions{startDirectory_, options.showLinearityTest});
    windows_ = std::make_unique<Windows>();
    auto& w = *windows_;
    w.acqWave = std::make_unique<TAcqWaveForm>(form->DataObject(), services, form.get());
    TMain_Form* f = form.get();
    w.acqWave->SetClearDerivative([f] { f->Acquisition().HideDerivative(); });
    w.caliDlg = std::make_unique<analysis::TCaliDlgForm>(services, form.get());
    w.muxSetup = std::make_unique<mux::TMuxSetupDlg>(
        f->MuxSetup(), services, [f](const std::string& address) { f->SetMuxAddressText(address); }, form.get());
    w.about = std::make_unique<TAboutBox>(form.get());
    w.commSetg = std::make_unique<instrument::TCommSetgDlg>(form->DataObject(), services, form.get());
    w.axisRange = std::make_unique<graph::TAxisRange>(form->Graph().Gfx(), form->DataObject(), form->StateMachine(),
                                                      *form, services, [f] { f->Settings().UpdateDisplay(); },
                                                      form.get());
    w.cellConst = std::make_unique<analysis::TCellConst>(form->CellConstantMeasurement(), form->Settings(), services,
                                                         form.get());
    w.osDown = std::make_unique<instrument::TOSdownForm>(form->DataObject(), services, form.get());
    dialogs = AppDialogs{w.acqWave.get(),   w.caliDlg.get(),  w.about.get(),     w.commSetg.get(),
                         w.axisRange.get(), w.muxSetup.get(), w.cellConst.get(), w.osDown.get()};
    form->SetDialogs(&dialogs);
    if (options.show) form->show();
    // Let the greeting reach the instrument.
    test.clock.advance(10);
}

MainWindowRig::~MainWindowRig() {
    // The dialogs belong to the window (their parent) as far as Qt is concerned; release
    // them first so each is destroyed once.
    if (windows_) {
        windows_->osDown.reset();
        windows_->cellConst.reset();
        windows_->axisRange.reset();
        windows_->commSetg.reset();
        windows_->about.reset();
        windows_->muxSetup.reset();
        windows_->caliDlg.reset();
        windows_->acqWave.reset();
    }
    form.reset();
}

bool MainWindowRig::RunChain(std::uint64_t maxMs) {
    return test.clock.advanceUntil([this] { return form->StateMachine().IsIdle(); }, maxMs, 10);
}

void MainWindowRig::Close() { form->close(); }

}  // namespace app
