#pragma once
// The main window: the settings panel, the graph with its buttons, the multiplexer and
// calculate groups, the hint bar and the menus. It binds its controls to the settings
// and acquisition logic and implements what that logic needs of it.

#include "app/acquisition.h"
#include "app/main_window_port.h"
#include "app/settings_steps.h"
#include "app/terminal_emulator.h"
#include "app/waveform_buffers.h"
#include "app/waveform_plot.h"

#include "files/configuration_file.h"

#include "analysis/bulk_ec.h"
#include "analysis/cell_constant.h"
#include "analysis/linearity_test.h"
#include "analysis/water_content.h"

#include "link/data_object.h"
#include "link/link_reconnect.h"
#include "link/state_machine.h"
#include "mux/mux_setup.h"
#include "mux/probe_addressing.h"
#include "mux/probe_window_port.h"
#include "platform/platform.h"
#include "platform/port_map.h"
#include "platform/profile_file.h"

#include <QMainWindow>
#include <QSize>

#include <array>
#include <filesystem>
#include <memory>

class QAction;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QWidget;

namespace platform {
class ResultLabel;
}

namespace app {

struct AppDialogs;
class GraphView;
class TerminalPanel;

class TMain_Form : public QMainWindow,
                   public MainWindowPort,
                   public mux::ProbeWindowPort,
                   public TerminalWindow {
    Q_OBJECT

public:
    static constexpr const char* Caption = "WAVIX  -  Version 2.05";
    static constexpr int DefaultWidth = 640;
    static constexpr int DefaultHeight = 482;

    struct StartOptions {
        std::filesystem::path startDirectory;  // where RFX410.INI and the probe files live
        bool showLinearityTest = false;        // the program was given a parameter
    };

    // FormCreate: builds the window, its graph page, the settings file object, the state
    // machine and the command data object.
    TMain_Form(platform::Platform& platform, StartOptions options, QWidget* parent = nullptr);
    // FormDestroy: closes the port and the graph.
    ~TMain_Form() override;

    // The dialogs the window opens; created after the window, handed over before it is shown.
    void SetDialogs(AppDialogs* dialogs) { dialogs_ = dialogs; }
    // Called once the window is about to be shown for the first time (hides the splash).
    void SetSplashCloser(std::function<void()> closeSplash) { closeSplash_ = std::move(closeSplash); }

    // MainWindowPort
    std::string SettingText(int tag) const override;
    void SetSettingText(int tag, const std::string& text) override;
    void FocusSetting(int tag) override;
    void SetEnable(bool on) override;
    void EnableMenuItems(bool on) override;
    void SetHourglass(bool on) override;
    bool ContinuousUpdateChecked() const override;
    bool OverlayVisibleChecked() const override;
    void SetOverlayVisibleChecked(bool checked) override;
    int WaveformTypeIndex() const override;
    bool LinearityTestVisible() const override;
    std::string MuxAddressText() const override;
    analysis::Calibration CalibrationInForce() const override;
    double CellConstant() const override { return cellConstant_; }
    void ShowWaterContent(const std::string& text) override;
    void ShowBulkEC(const std::string& text) override;
    std::span<float> SavedWave() override { return buffers_.SavedWave; }
    std::span<float> SavedDeriv() override { return buffers_.SavedDeriv; }
    void SetSavedPointCount(std::int32_t n) override { buffers_.Header.PointCount = n; }
    void SetLinearityWaveShown(bool shown) override { buffers_.LinearityWaveShown = shown; }

    // mux::ProbeWindowPort
    void SetMuxAddressText(const std::string& address) override;
    bool ProbeSettingsChanged() const override;
    void ClearProbeSettingsChanged() override;
    void SaveProbeSettings() override;
    void ShowProbeSettings(const files::ProbeSettings& settings) override;

    // TerminalWindow
    void EnableOptionsMenu() override;
    void ShowTerminal(bool on) override;
    void FocusTerminal() override;
    void ClearTerminal() override;
    void ApplyTerminalChange(const TerminalLines::Change& change) override;

    // Handlers.
    void FormShow();
    void GetWfPBClick() { acquisition_->GetWfPBClick(); }
    void OverlayWfPBClick() { acquisition_->OverlayWfPBClick(); }
    void cbOLvisibleClick() { acquisition_->cbOLvisibleClick(); }
    void CalcWCClick() { waterContent_->CalcWCClick(); }
    void CalcBulkECClick() { bulkEC_->CalcBulkECClick(); }
    void LinearityTestClick() { linearity_->LinearityTestClick(); }
    void CalibrationBECClick();
    void CommSetgClick();
    void MuxSetgClick();
    void NextProbeUpClick() { addressing_->NextProbeUpClick(); }
    void NextProbeDownClick() { addressing_->NextProbeDownClick(); }
    // The File menu's files (main_form_files.cpp).
    void SaveBWFClick();
    void RestWFClick();
    void SaveAWFClick();
    void SaveMuxSetupClick();
    void RestoreMuxSetupClick();
    void ExportGraphImageClick();
    void WaveformSetgClick();
    void CalibrationVWCClick();
    void AxisRangeChgClick();
    void PrintGraphClick();
    void ExitAppClick() { close(); }
    void ContentsClick();
    void IndexClick();
    void AboutClick();
    void TerminalEmulatorMIClick() { terminal_->TerminalEmulatorMIClick(); }
    void UpGradeOsMIClick();
    void DisplayHint(const QString& hint);

    // The pieces, for the dialogs and for tests.
    instrument::TTDRdataObject& DataObject() { return *data_; }
    instrument::TStateMach& StateMachine() { return *machine_; }
    SettingsSteps& Settings() { return *settings_; }
    WaveformAcquisition& Acquisition() { return *acquisition_; }
    analysis::WaterContent& WaterContentMeasurement() { return *waterContent_; }
    analysis::BulkEC& BulkECMeasurement() { return *bulkEC_; }
    analysis::CellConstantChain& CellConstantMeasurement() { return *cellConstantChain_; }
    analysis::LinearityTest& Linearity() { return *linearity_; }
    TerminalEmulator& TerminalSession() { return *terminal_; }
    TerminalPanel& TerminalPane() { return *TermPanel; }
    instrument::LinkReconnect& Reconnect() { return *reconnect_; }
    WaveformBuffers& Buffers() { return buffers_; }
    GraphView& Graph() { return *graph_; }
    platform::ProfileFile& MainIni() { return mainIni_; }
    platform::PortMap& Ports() { return ports_; }
    const std::filesystem::path& StartDirectory() const { return options_.startDirectory; }
    mux::MuxSetup& MuxSetup() { return muxSetup_; }
    mux::ProbeAddressing& ProbeAddressing() { return *addressing_; }
    // Shows the probe controls (hiding "No Multiplexer(s) Specified.") or the reverse.
    void ShowMuxGroup(bool show);
    QLineEdit* EditOf(int tag) const { return edits_.at(static_cast<std::size_t>(tag - 1)); }

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildSettingsPanel(QWidget* parent);
    void BuildGraphPanel(QWidget* parent);
    void BuildButtonPanel(QWidget* parent);
    void BuildMenus();
    QAction* AddMenuAction(QMenu* menu, const QString& caption, const char* objectName, int helpContext,
                           void (TMain_Form::*handler)());
    bool EditKeyPress(QLineEdit* edit, int tag, QKeyEvent* key);
    void FormClose();
    void WriteExitSettings();
    void ShowFileError(const std::string& what, const std::string& error);
    void LinkLost(const instrument::LostDevice& device);
    void LinkBack(const std::string& devicePath);

    platform::Platform& platform_;
    StartOptions options_;
    AppDialogs* dialogs_ = nullptr;
    std::function<void()> closeSplash_;
    platform::ProfileFile mainIni_;
    platform::PortMap ports_;
    WaveformBuffers buffers_;
    std::unique_ptr<instrument::TStateMach> machine_;
    std::unique_ptr<instrument::TTDRdataObject> data_;
    std::unique_ptr<GraphView> graph_;
    std::unique_ptr<SettingsSteps> settings_;
    std::unique_ptr<WaveformAcquisition> acquisition_;
    std::unique_ptr<analysis::WaterContent> waterContent_;
    std::unique_ptr<analysis::BulkEC> bulkEC_;
    std::unique_ptr<analysis::CellConstantChain> cellConstantChain_;
    std::unique_ptr<analysis::LinearityTest> linearity_;
    std::unique_ptr<TerminalEmulator> terminal_;
    std::unique_ptr<instrument::LinkReconnect> reconnect_;
    std::unique_ptr<platform::Timer> chainEnder_;  // ends a chain caught between two commands
    // Shown in the hint bar whenever no control has a hint to show (while the link waits
    // for its device to come back).
    QString linkStatus_;
    bool shown_ = false;
    bool hourglass_ = false;
    double cellConstant_ = 1.0;
    mux::MuxSetup muxSetup_;
    QSize imageSize_{1280, 862};
    std::unique_ptr<mux::ProbeAddressing> addressing_;

    // Controls.
    std::array<QLineEdit*, 7> edits_{};
    QFrame* GraphPanel = nullptr;
    QWidget* GfxPanel = nullptr;
    TerminalPanel* TermPanel = nullptr;  // "Terminal"
    QPushButton* AxisRangeChg = nullptr;
    QPushButton* LinearityTest = nullptr;
    QGroupBox* MuxGroup = nullptr;
    QLabel* lblNoMuxAddr = nullptr;
    QWidget* MuxGB = nullptr;
    QLabel* CurMuxAddr = nullptr;
    QPushButton* GetWfPB = nullptr;
    QCheckBox* cbContUpdate = nullptr;
    QPushButton* OverlayCap = nullptr;
    QCheckBox* cbOLvisible = nullptr;
    QPushButton* CalcBulkEC = nullptr;
    platform::ResultLabel* stBulkEC = nullptr;
    QPushButton* CalcWC = nullptr;
    platform::ResultLabel* stVWC = nullptr;
    QLabel* HintPanel = nullptr;

    // Menus.
    QMenu* FileMenu = nullptr;
    QMenu* SettingsMenu = nullptr;
    QMenu* OptionsMenu = nullptr;
    QMenu* HelpMenu = nullptr;
    QMenu* AdvancedMenu = nullptr;
    QAction* SaveBWF = nullptr;
    QAction* RestWF = nullptr;
    QAction* SaveAWF = nullptr;
    QAction* SaveMuxSetup = nullptr;
    QAction* RestoreMuxSetup = nullptr;
    QAction* PrintGraph = nullptr;
    QAction* ExportGraphImage = nullptr;
    QAction* ExitApp = nullptr;
    QAction* TerminalEmulatorMI = nullptr;
    QAction* UpGradeOsMI = nullptr;
};

}  // namespace app
