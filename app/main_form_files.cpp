// The main window's File menu: configurations (*.WFD), ASCII waveforms (*.DAT),
// multiplexer setups (*.MUX) and images of the graph. The files themselves are files/'s
// and graph/'s; this binds them to the menu, the file dialogs and the window.

#include "app/main_form.h"

#include "app/app_dialogs.h"
#include "app/dialogs/export_image_dialog.h"
#include "app/graph_view.h"

#include "files/ascii_waveform.h"
#include "graph/graph_image.h"
#include "mux/dialogs/mux_setup_dialog.h"

#include <QAction>

namespace app {

namespace {

constexpr const char* NoWaveform = "No Waveform Available";

platform::FileDialogOptions Options(const char* title, const char* filter, const char* extension,
                                    const std::filesystem::path& directory) {
    platform::FileDialogOptions o;
    o.title = title;
    o.filter = filter;
    o.defaultExtension = extension;
    o.initialName = std::string("*.") + extension;
    o.directory = directory.string();
    return o;
}

}  // namespace

void TMain_Form::ShowFileError(const std::string& what, const std::string& error) {
    platform_.dialogs.message(what + "\n\n" + error, platform::MessageKind::Error);
}

// --- Configurations ------------------------------------------------------------------------

void TMain_Form::SaveBWFClick() {
    const auto& s = data_->Settings;
    const auto& gfx = graph_->Gfx();
    SavedHeader& h = buffers_.Header;
    h = SavedHeader{ClampPoints(s.Points), s.Averages,   s.Vp,        s.WinStart,   s.WinLgt,
                    s.ProbeLgt,           s.ProbeOffset, s.DumpWord9, gfx.YaxisMax, gfx.YaxisMin};
    for (int k = 0; k < WaveformCapacity; ++k) buffers_.SavedWave[static_cast<std::size_t>(k)] = data_->WaveformAt(k + 1);
    // A configuration without points could not be loaded again.
    if (h.PointCount < 1) return platform_.dialogs.message(NoWaveform, platform::MessageKind::Information);
    const auto path = platform_.dialogs.saveFile(
        Options("Save Main Window Configuration", "TDR Data (*.WFD)|*.WFD", "WFD", options_.startDirectory));
    if (!path) return;
    std::string error;
    if (!files::SaveConfiguration(*path, h, buffers_.SavedWave, error))
        ShowFileError("The configuration was not saved.", error);
}

void TMain_Form::RestWFClick() {
    auto options = Options("Restore Main Window Configuration", "TDR Data (*.WFD)|*.WFD", "WFD", options_.startDirectory);
    options.mustExist = true;
    const auto path = platform_.dialogs.openFile(options);
    if (!path) return;
    std::string error;
    const auto loaded = files::LoadConfiguration(*path, error);
    if (!loaded) return ShowFileError("The configuration was not loaded; nothing was changed.", error);
    buffers_.Header = loaded->header;
    buffers_.SavedWave = loaded->wave;
    const SavedHeader& h = buffers_.Header;
    auto& gfx = graph_->Gfx();
    gfx.SetValueAxis(h.YaxisMin, h.YaxisMax);
    graph_->DrawDataArray(h.PointCount, buffers_.SavedWave.data(), h.WinStart, h.WinLgt);
    const auto texts = files::ConfigurationSettingTexts(h, platform_.numbers);
    for (int tag = 1; tag <= SettingCount; ++tag) SetSettingText(tag, texts[static_cast<std::size_t>(tag - 1)]);
}

// --- ASCII waveform ------------------------------------------------------------------------

void TMain_Form::SaveAWFClick() {
    if (data_->Settings.Points < files::AsciiMinimumPoints)
        return platform_.dialogs.message(NoWaveform, platform::MessageKind::Information);
    const auto path = platform_.dialogs.saveFile(
        Options("Save ASCII TDR Waveform Data", "ASCII Data (*.DAT)|*.DAT", "DAT", options_.startDirectory));
    if (!path) return;
    std::string error;
    const auto pointAt = [this](int i) { return data_->WaveformAt(i); };
    if (!files::SaveAsciiWaveform(*path, data_->Settings, pointAt, platform_.numbers, error))
        ShowFileError("The waveform was not saved.", error);
}

// --- Multiplexer setups --------------------------------------------------------------------

void TMain_Form::SaveMuxSetupClick() {
    const auto path = platform_.dialogs.saveFile(
        Options("Save TDR Multiplexer Setup", "MuxSetup (*.MUX)|*.MUX", "MUX", options_.startDirectory));
    if (!path) return;
    std::string error;
    if (!muxSetup_.SaveFile(*path, error)) ShowFileError("The multiplexer setup was not saved.", error);
}

void TMain_Form::RestoreMuxSetupClick() {
    auto options = Options("Get TDR Multiplexer Setup", "MuxSetup (*.MUX)|*.MUX", "MUX", options_.startDirectory);
    options.mustExist = true;
    if (const auto path = platform_.dialogs.openFile(options)) {
        if (auto problem = muxSetup_.LoadFile(*path)) platform_.dialogs.message(*problem, platform::MessageKind::Error);
        if (dialogs_ && dialogs_->muxSetup) dialogs_->muxSetup->RefreshTree();
    }
    // The enabled state of "Save Mux Setup" and the address shown stay as they are.
    ShowMuxGroup(!muxSetup_.Tree().Empty());
}

// --- Graph image ---------------------------------------------------------------------------

void TMain_Form::ExportGraphImageClick() {
    TExportImageDlg sizeDialog(platform_.help, this);
    sizeDialog.SetImageSize(imageSize_);
    if (sizeDialog.exec() != QDialog::Accepted) return;
    imageSize_ = sizeDialog.ImageSize();
    auto options = Options("Export Graph Image", "PNG Image (*.png)|*.png|SVG Drawing (*.svg)|*.svg", "png",
                           options_.startDirectory);
    options.initialName = "waveform.png";
    const auto path = platform_.dialogs.saveFile(options);
    if (!path) return;
    std::string error;
    if (!graph::ExportGraphImage(graph_->Gfx(), *path, imageSize_, error))
        ShowFileError("The image of the graph was not saved.", error);
}

}  // namespace app
