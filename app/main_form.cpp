#include "app/main_form.h"

#include "app/app_dialogs.h"
#include "app/dialogs/about_box.h"
#include "app/dialogs/waveform_options_dialog.h"
#include "app/graph_view.h"
#include "app/terminal_panel.h"

#include "analysis/dialogs/calibration_dialog.h"
#include "analysis/dialogs/cell_constant_dialog.h"
#include "graph/axis_range_dialog.h"
#include "link/dialogs/comm_settings_dialog.h"
#include "link/dialogs/os_download_dialog.h"
#include "link/dialogs/port_switch.h"
#include "mux/dialogs/mux_setup_dialog.h"
#include "platform/qt/help_key_filter.h"
#include "platform/qt/result_label.h"
#include "platform/qt/typing_limit.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusTipEvent>
#include <QToolButton>
#include <QVBoxLayout>

namespace app {

namespace {

constexpr const char* Section = SettingsSection;

void SetHelp(QObject* object, int context) { object->setProperty(platform::HelpContextProperty, context); }

QString Q(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

// --- FormCreate ----------------------------------------------------------------------------

TMain_Form::TMain_Form(platform::Platform& platform, StartOptions options, QWidget* parent)
    : QMainWindow(parent),
      platform_(platform),
      options_(std::move(options)),
      mainIni_(options_.startDirectory / "RFX410.INI"),
      ports_(platform::ProfileFile(options_.startDirectory / "RFX410.INI")),
      muxSetup_(options_.startDirectory) {
    setObjectName("Main_Form");
    setWindowTitle(Caption);
    setAccessibleName("WAVIX");

    auto* central = new QWidget(this);
    central->setObjectName("MainPanel");
    setCentralWidget(central);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(4, 2, 4, 2);
    column->setSpacing(3);
    auto* top = new QWidget(central);
    BuildSettingsPanel(top);
    column->addWidget(top);
    auto* middle = new QWidget(central);
    auto* row = new QHBoxLayout(middle);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(4);
    GraphPanel = new QFrame(middle);
    BuildGraphPanel(GraphPanel);
    row->addWidget(GraphPanel);
    auto* buttons = new QWidget(middle);
    BuildButtonPanel(buttons);
    row->addWidget(buttons, 1);
    column->addWidget(middle, 1);

    HintPanel = new QLabel(central);
    HintPanel->setObjectName("HintPanel");
    HintPanel->setAccessibleName("Hints");
    HintPanel->setFrameShape(QFrame::Panel);
    HintPanel->setFrameShadow(QFrame::Sunken);
    HintPanel->setStyleSheet("QLabel { color: #008080; font-weight: bold; padding: 1px 4px; }");
    const QString ownHint = "Hints appear here when mouse pointer is moved over controls.";
    HintPanel->setStatusTip(ownHint);
    HintPanel->setText(ownHint);
    column->addWidget(HintPanel);
    BuildMenus();

    // 1. the graph page in GfxPanel; 2. hints go to the hint bar (event()); 3. the start-up
    // directory and the settings file (constructed above); 4. the state machine, then the
    // command data object.
    graph_ = std::make_unique<GraphView>(platform_, [] { QApplication::quit(); });
    graph_->Gfx().CreateGraphPage(GfxPanel);
    machine_ = std::make_unique<instrument::TStateMach>(platform_.clock);
    data_ = std::make_unique<instrument::TTDRdataObject>(platform_, &ports_);
    data_->Driver().SetLogDirectory(options_.startDirectory);
    graph_->SetDataObject(data_.get());
    settings_ = std::make_unique<SettingsSteps>(*this, *graph_, *data_, *machine_, platform_, mainIni_,
                                                options_.startDirectory);
    acquisition_ = std::make_unique<WaveformAcquisition>(*this, *graph_, *settings_, *data_, *machine_, platform_,
                                                         buffers_);
    addressing_ = std::make_unique<mux::ProbeAddressing>(*this, muxSetup_, *data_, *machine_, platform_,
                                                         options_.startDirectory);
    const analysis::MeasurementContext measurement{*this, *graph_, *settings_, *data_, *machine_, platform_};
    waterContent_ = std::make_unique<analysis::WaterContent>(measurement);
    bulkEC_ = std::make_unique<analysis::BulkEC>(measurement);
    cellConstantChain_ = std::make_unique<analysis::CellConstantChain>(measurement);
    linearity_ = std::make_unique<analysis::LinearityTest>(measurement);
    terminal_ = std::make_unique<TerminalEmulator>(*this, *this, *data_);
    TermPanel->SetHandlers([this](char& key) { terminal_->TermEdKeyPress(key); }, [this] { terminal_->TermEdEnter(); },
                           [this] { platform_.tones.messageBeep(RefusedKeyBeep); });
    reconnect_ = std::make_unique<instrument::LinkReconnect>(
        *data_, platform_.clock,
        instrument::LinkReconnect::Reports{[this](const instrument::LostDevice& d) { LinkLost(d); },
                                           [this](const std::string& path) { LinkBack(path); }});
    chainEnder_ = platform_.clock.createTimer(platform::TimerKind::SingleShot, [this] {
        if (reconnect_->Waiting() && !instrument::EndChainForLostDevice(*machine_, *data_))
            chainEnder_->start(instrument::TStateMach::TickMs);
    });

    resize(DefaultWidth, DefaultHeight);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

TMain_Form::~TMain_Form() {
    // FormDestroy: the port, then the graph (which releases plotbase).
    if (reconnect_) reconnect_->Stop();
    if (machine_) machine_->Stop();
    if (data_) data_->ClosePort();
    if (graph_) graph_->Gfx().CloseGraphPage();
    if (hourglass_) QApplication::restoreOverrideCursor();
}

void TMain_Form::BuildSettingsPanel(QWidget* parent) {
    auto* row = new QHBoxLayout(parent);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(4);
    QGroupBox* group = nullptr;
    QGridLayout* grid = nullptr;
    int column = 0;
    for (const SettingEdit& e : SettingEdits()) {
        if (!group || group->title() != e.group) {
            group = new QGroupBox(e.group, parent);
            group->setObjectName(QString(e.group).trimmed() + "GB");
            grid = new QGridLayout(group);
            grid->setContentsMargins(6, 2, 6, 2);
            grid->setHorizontalSpacing(8);
            grid->setVerticalSpacing(0);
            row->addWidget(group, e.tag == TagVp ? 1 : (e.group[0] == 'W' ? 4 : 2));
            column = 0;
        }
        auto* label = new QLabel(e.label, group);
        auto* edit = new QLineEdit(group);
        auto* range = new QLabel(e.rangeLabel, group);
        edit->setObjectName(e.objectName);
        edit->setAccessibleName(e.accessibleName);
        // The hint goes to the hint bar (status tip) only. The typing limit is kept by
        // the key filter, so that longer texts the program sets stay whole.
        edit->setStatusTip(e.hint);
        edit->setProperty("Tag", e.tag);
        SetHelp(edit, e.helpContext);
        // The keystroke filter decides what enters an edit: no paste or drop around it.
        edit->setContextMenuPolicy(Qt::NoContextMenu);
        edit->setAcceptDrops(false);
        edit->installEventFilter(this);
        label->setBuddy(edit);
        range->setObjectName(QString(e.objectName) + "Range");
        QFont small = range->font();
        small.setPointSizeF(small.pointSizeF() * 0.85);
        range->setFont(small);
        grid->addWidget(label, 0, column);
        grid->addWidget(edit, 1, column);
        grid->addWidget(range, 2, column);
        ++column;
        edits_[static_cast<std::size_t>(e.tag - 1)] = edit;
        connect(edit, &QLineEdit::textChanged, this, [this] { settings_->EditChange(); });
    }
}

void TMain_Form::BuildGraphPanel(QWidget* parent) {
    GraphPanel->setObjectName("GraphPanel");
    auto* layout = new QVBoxLayout(parent);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(3);
    auto* plotHolder = new QWidget(parent);
    plotHolder->setFixedSize(472, 318);
    GfxPanel = new QWidget(plotHolder);
    GfxPanel->setObjectName("GfxPanel");
    GfxPanel->setAccessibleName("Waveform Graph");
    GfxPanel->setGeometry(0, 0, 472, 318);
    // The terminal covers the plot when it is on.
    TermPanel = new TerminalPanel(plotHolder);
    SetHelp(TermPanel, 35);
    TermPanel->hide();
    layout->addWidget(plotHolder);

    auto* buttons = new QHBoxLayout();
    AxisRangeChg = new QPushButton("Adjust Axes Range", parent);
    AxisRangeChg->setObjectName("AxisRangeChg");
    AxisRangeChg->setAccessibleName("Adjust Axes Range");
    AxisRangeChg->setStatusTip("Pop up dialog box to allow user to adjust X and/or Y graph ranges.");
    SetHelp(AxisRangeChg, 28);
    connect(AxisRangeChg, &QPushButton::clicked, this, [this] { AxisRangeChgClick(); });
    LinearityTest = new QPushButton("LinearityTest", parent);
    LinearityTest->setObjectName("LinearityTest");
    LinearityTest->setAccessibleName("LinearityTest");
    LinearityTest->hide();
    connect(LinearityTest, &QPushButton::clicked, this, [this] { LinearityTestClick(); });
    buttons->addWidget(AxisRangeChg);
    buttons->addWidget(LinearityTest);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    layout->addStretch(1);
}

void TMain_Form::BuildButtonPanel(QWidget* parent) {
    auto* layout = new QVBoxLayout(parent);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(3);

    MuxGroup = new QGroupBox("Multiplexer", parent);
    MuxGroup->setObjectName("MuxGroup");
    SetHelp(MuxGroup, 20);
    auto* mux = new QVBoxLayout(MuxGroup);
    mux->setContentsMargins(6, 2, 6, 4);
    lblNoMuxAddr = new QLabel("No Multiplexer(s) Specified.", MuxGroup);
    lblNoMuxAddr->setObjectName("lblNoMuxAddr");
    lblNoMuxAddr->setWordWrap(true);
    mux->addWidget(lblNoMuxAddr);
    MuxGB = new QWidget(MuxGroup);
    MuxGB->setObjectName("MuxGB");
    auto* muxGrid = new QGridLayout(MuxGB);
    muxGrid->setContentsMargins(0, 0, 0, 0);
    auto* up = new QToolButton(MuxGB);
    up->setObjectName("NextProbeUp");
    up->setArrowType(Qt::UpArrow);
    up->setAccessibleName("Next Probe");
    auto* down = new QToolButton(MuxGB);
    down->setObjectName("NextProbeDown");
    down->setArrowType(Qt::DownArrow);
    down->setAccessibleName("Previous Probe");
    for (auto* b : {up, down}) {
        b->setStatusTip("Up / Dn selection of probe via multiplexer address.");
        SetHelp(b, 20);
    }
    connect(up, &QToolButton::clicked, this, [this] { NextProbeUpClick(); });
    connect(down, &QToolButton::clicked, this, [this] { NextProbeDownClick(); });
    muxGrid->addWidget(up, 0, 0);
    muxGrid->addWidget(new QLabel("--Next Probe", MuxGB), 0, 1);
    muxGrid->addWidget(down, 1, 0);
    muxGrid->addWidget(new QLabel("--Prev Probe", MuxGB), 1, 1);
    muxGrid->addWidget(new QLabel("MuxAddr:", MuxGB), 2, 0, 1, 2);
    CurMuxAddr = new QLabel(NoProbeAddress, MuxGB);
    CurMuxAddr->setObjectName("CurMuxAddr");
    CurMuxAddr->setAccessibleName("Multiplexer Address");
    CurMuxAddr->setAccessibleDescription(NoProbeAddress);
    muxGrid->addWidget(CurMuxAddr, 3, 0, 1, 2);
    mux->addWidget(MuxGB);
    MuxGB->hide();
    layout->addWidget(MuxGroup);

    auto* graphGroup = new QGroupBox("Graph", parent);
    graphGroup->setObjectName("GraphGB");
    auto* g = new QVBoxLayout(graphGroup);
    g->setContentsMargins(6, 2, 6, 4);
    g->setSpacing(2);
    GetWfPB = new QPushButton("Get Waveform", graphGroup);
    GetWfPB->setObjectName("GetWfPB");
    GetWfPB->setStatusTip("Acquire waveform from RFX410 and graph.");
    SetHelp(GetWfPB, 21);
    connect(GetWfPB, &QPushButton::clicked, this, [this] { GetWfPBClick(); });
    cbContUpdate = new QCheckBox("Continuous Update", graphGroup);
    cbContUpdate->setObjectName("cbContUpdate");
    cbContUpdate->setStatusTip("Check to enable continuous wavefrom acquisition.  Uncheck to stop.");
    SetHelp(cbContUpdate, 22);
    OverlayCap = new QPushButton("Capture Overlay", graphGroup);
    OverlayCap->setObjectName("OverlayCap");
    OverlayCap->setStatusTip("Capture current waveform as overlay for future comparison.");
    SetHelp(OverlayCap, 23);
    connect(OverlayCap, &QPushButton::clicked, this, [this] { OverlayWfPBClick(); });
    cbOLvisible = new QCheckBox("Overlay Visible", graphGroup);
    cbOLvisible->setObjectName("cbOLvisible");
    cbOLvisible->setStatusTip("Check to make current overlay visible.");
    SetHelp(cbOLvisible, 24);
    connect(cbOLvisible, &QCheckBox::clicked, this, [this] { cbOLvisibleClick(); });
    for (QWidget* w : std::initializer_list<QWidget*>{GetWfPB, cbContUpdate, OverlayCap, cbOLvisible}) {
        w->setAccessibleName(static_cast<QAbstractButton*>(w)->text());
        g->addWidget(w);
    }
    layout->addWidget(graphGroup);

    auto* calc = new QGroupBox("Calculate", parent);
    calc->setObjectName("CalculateGB");
    auto* c = new QVBoxLayout(calc);
    c->setContentsMargins(6, 2, 6, 4);
    c->setSpacing(2);
    auto result = [calc](const char* name, const char* accessible) {
        auto* label = new platform::ResultLabel(calc);
        label->setObjectName(name);
        label->setAccessibleName(accessible);
        label->setAlignment(Qt::AlignCenter);
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        label->setMinimumHeight(20);
        return label;
    };
    CalcBulkEC = new QPushButton("Bulk EC", calc);
    CalcBulkEC->setObjectName("CalcBulkEC");
    CalcBulkEC->setStatusTip("Compute Bulk Electrical Conductivity");
    SetHelp(CalcBulkEC, 25);
    stBulkEC = result("stBulkEC", "Bulk EC Result");
    CalcWC = new QPushButton("Water Content", calc);
    CalcWC->setObjectName("CalcWC");
    CalcWC->setStatusTip("Compute Volumetric Water Content");
    SetHelp(CalcWC, 26);
    stVWC = result("stVWC", "Water Content Result");
    for (QPushButton* b : {CalcBulkEC, CalcWC}) b->setAccessibleName(b->text());
    connect(CalcBulkEC, &QPushButton::clicked, this, [this] { CalcBulkECClick(); });
    connect(CalcWC, &QPushButton::clicked, this, [this] { CalcWCClick(); });
    c->addWidget(CalcBulkEC);
    c->addWidget(stBulkEC);
    c->addWidget(CalcWC);
    c->addWidget(stVWC);
    layout->addWidget(calc);
    layout->addStretch(1);
}

QAction* TMain_Form::AddMenuAction(QMenu* menu, const QString& caption, const char* objectName, int helpContext,
                                   void (TMain_Form::*handler)()) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(objectName);
    if (helpContext > 0) SetHelp(action, helpContext);
    connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    return action;
}

void TMain_Form::BuildMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName("MainMenu");
    FileMenu = bar->addMenu("&File");
    FileMenu->setObjectName("FileMenu");
    SetHelp(FileMenu, 31);
    SaveBWF = AddMenuAction(FileMenu, "&Save Configuration", "SaveBWF", 1, &TMain_Form::SaveBWFClick);
    RestWF = AddMenuAction(FileMenu, "&Load Configuration", "RestWF", 1, &TMain_Form::RestWFClick);
    FileMenu->addSeparator();
    SaveAWF = AddMenuAction(FileMenu, "Save &ASCII Waveform", "SaveAWF", 30, &TMain_Form::SaveAWFClick);
    FileMenu->addSeparator();
    SaveMuxSetup = AddMenuAction(FileMenu, "Save &Mux Setup", "SaveMuxSetup", 2, &TMain_Form::SaveMuxSetupClick);
    SaveMuxSetup->setEnabled(false);
    RestoreMuxSetup =
        AddMenuAction(FileMenu, "Load M&ux Setup", "RestoreMuxSetup", 2, &TMain_Form::RestoreMuxSetupClick);
    FileMenu->addSeparator();
    PrintGraph = AddMenuAction(FileMenu, "&Print Graph", "PrintGraph", 3, &TMain_Form::PrintGraphClick);
    ExportGraphImage = AddMenuAction(FileMenu, "Export Graph &Image...", "ExportGraphImage", 38,
                                     &TMain_Form::ExportGraphImageClick);
    FileMenu->addSeparator();
    ExitApp = AddMenuAction(FileMenu, "E&xit", "ExitApp", 5, &TMain_Form::ExitAppClick);
    ExitApp->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F4));

    SettingsMenu = bar->addMenu("&Settings");
    SettingsMenu->setObjectName("SettingsMenu");
    SetHelp(SettingsMenu, 32);
    AddMenuAction(SettingsMenu, "&Communication", "CommSetg", 4, &TMain_Form::CommSetgClick);
    AddMenuAction(SettingsMenu, "&Waveform Selection", "WaveformSetg", 6, &TMain_Form::WaveformSetgClick);
    AddMenuAction(SettingsMenu, "&Multiplexer", "MuxSetg", 7, &TMain_Form::MuxSetgClick);
    QMenu* calibration = SettingsMenu->addMenu("Calibration &Functions");
    calibration->setObjectName("CalibrationFunctions");
    SetHelp(calibration, 34);
    AddMenuAction(calibration, "Volumetric Water Content", "CalibrationVWC", 9, &TMain_Form::CalibrationVWCClick);
    AddMenuAction(calibration, "Bulk Electrical Conductivity", "CalibrationBEC", 8, &TMain_Form::CalibrationBECClick);

    OptionsMenu = bar->addMenu("&Options");
    OptionsMenu->setObjectName("OptionsMenu");
    SetHelp(OptionsMenu, 33);
    TerminalEmulatorMI = AddMenuAction(OptionsMenu, "&Terminal Emulator", "TerminalEmulatorMI", 35,
                                       &TMain_Form::TerminalEmulatorMIClick);
    TerminalEmulatorMI->setCheckable(true);
    AdvancedMenu = OptionsMenu->addMenu("Advanced");
    AdvancedMenu->setObjectName("Advanced");
    SetHelp(AdvancedMenu, 36);
    UpGradeOsMI = AddMenuAction(AdvancedMenu, "UpGradeOS", "UpGradeOsMI", 37, &TMain_Form::UpGradeOsMIClick);

    HelpMenu = bar->addMenu("&Help");
    HelpMenu->setObjectName("HelpMenu");
    AddMenuAction(HelpMenu, "&Contents", "Contents", 100, &TMain_Form::ContentsClick);
    AddMenuAction(HelpMenu, "&Index", "Index", 200, &TMain_Form::IndexClick);
    AddMenuAction(HelpMenu, "&About", "About", 0, &TMain_Form::AboutClick);
}

// --- FormShow ------------------------------------------------------------------------------

void TMain_Form::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
}

void TMain_Form::FormShow() {
    auto* comm = dialogs_ ? dialogs_->commSetg : nullptr;
    auto* cali = dialogs_ ? dialogs_->caliDlg : nullptr;
    // 1, 2: port and baud into the communication dialog's lists.
    const int commPt = mainIni_.readInteger(Section, "CommPt", 0);
    const int baudRt = mainIni_.readInteger(Section, "BaudRt", 2);
    int baud = instrument::BaudRateForIndex(baudRt);
    if (comm) {
        comm->SetPortMap(&ports_);
        comm->SetPortIndex(commPt);
        comm->SetBaudIndex(baudRt);
        baud = comm->BaudRate();
    }
    // 3. the calibration coefficients and choice.
    if (cali) cali->ReadSettings(mainIni_);
    // 4, 5: the derivative gain, then the port (the port number comes from the file).
    data_->DerivativeGain = 2.0f;
    data_->OpenPort(commPt + 1, baud);
    // 6. the splash goes.
    if (closeSplash_) closeSplash_();
    // 7. the value axis range, the multiplexer base address.
    auto& gfx = graph_->Gfx();
    gfx.YaxisMax = static_cast<float>(mainIni_.readFloat(Section, "YaxisMax", 1.0, platform_.numbers));
    gfx.YaxisMin = static_cast<float>(mainIni_.readFloat(Section, "YaxisMin", -1.0, platform_.numbers));
    muxSetup_.QrbAddress = mainIni_.readString(Section, "QRBaddr", mux::DefaultQrbAddress);
    if (dialogs_ && dialogs_->muxSetup) dialogs_->muxSetup->RefreshTree();
    gfx.SetValueAxis(gfx.YaxisMin, gfx.YaxisMax);
    // 9. the seven edits.
    for (const SettingEdit& e : SettingEdits()) SetSettingText(e.tag, mainIni_.readString(Section, e.iniKey, e.defaultText));
    // 10. the cell constant.
    cellConstant_ = analysis::ReadCellConstant(mainIni_, platform_.numbers);
    // 11. the greeting, 125 ms after the port opened (silently nothing when it is closed).
    platform_.clock.delay(125);
    data_->SendChar('$');
    data_->SendChar('\r');
    // 12. the probe controls when there is a multiplexer setup.
    if (!muxSetup_.Tree().Empty()) {
        ShowMuxGroup(true);
        SaveMuxSetup->setEnabled(true);
    }
    // 13. any parameter shows the linearity test button.
    LinearityTest->setVisible(options_.showLinearityTest);
    // 14, 15: the first probe's address (nothing is sent).
    settings_->SettingsChanged = false;
    addressing_->ShowStartAddress();
}

// --- MainWindowPort ------------------------------------------------------------------------

std::string TMain_Form::SettingText(int tag) const { return EditOf(tag)->text().toStdString(); }

void TMain_Form::SetSettingText(int tag, const std::string& text) {
    QLineEdit* edit = EditOf(tag);
    // Writing the same text changes nothing and does not count as a change.
    if (edit->text() != Q(text)) edit->setText(Q(text));
}

void TMain_Form::FocusSetting(int tag) {
    EditOf(tag)->setFocus(Qt::OtherFocusReason);
    EditOf(tag)->selectAll();
}

void TMain_Form::SetEnable(bool on) {
    for (QLineEdit* e : edits_) e->setEnabled(on);
    GetWfPB->setEnabled(on);
    OverlayCap->setEnabled(on);
    RestWF->setEnabled(on);
    cbOLvisible->setEnabled(on);
    AxisRangeChg->setEnabled(on);
    CalcBulkEC->setEnabled(on);
    CalcWC->setEnabled(on);
}

void TMain_Form::EnableMenuItems(bool on) {
    for (QAction* a : {SaveBWF, RestWF, SaveAWF, SaveMuxSetup, RestoreMuxSetup, PrintGraph, ExportGraphImage})
        a->setEnabled(on);
    SettingsMenu->menuAction()->setEnabled(on);
    OptionsMenu->menuAction()->setEnabled(on);
    HelpMenu->menuAction()->setEnabled(on);
    AdvancedMenu->menuAction()->setEnabled(on);
}

void TMain_Form::SetHourglass(bool on) {
    if (on == hourglass_) return;
    hourglass_ = on;
    if (on) QApplication::setOverrideCursor(Qt::WaitCursor);
    else QApplication::restoreOverrideCursor();
}

bool TMain_Form::ContinuousUpdateChecked() const { return cbContUpdate->isChecked(); }

bool TMain_Form::OverlayVisibleChecked() const { return cbOLvisible->isChecked(); }

void TMain_Form::SetOverlayVisibleChecked(bool checked) {
    if (cbOLvisible->isChecked() == checked) return;
    cbOLvisible->setChecked(checked);
    cbOLvisibleClick();
}

int TMain_Form::WaveformTypeIndex() const { return dialogs_ && dialogs_->acqWave ? dialogs_->acqWave->WFtypeIndex() : 0; }

bool TMain_Form::LinearityTestVisible() const { return LinearityTest->isVisibleTo(this); }

std::string TMain_Form::MuxAddressText() const { return CurMuxAddr->text().toStdString(); }

analysis::Calibration TMain_Form::CalibrationInForce() const {
    return dialogs_ && dialogs_->caliDlg ? dialogs_->caliDlg->InForce() : analysis::Calibration{};
}

// Result labels: their accessible description follows the text they show.
void TMain_Form::ShowWaterContent(const std::string& text) { stVWC->setText(Q(text)); }

void TMain_Form::ShowBulkEC(const std::string& text) { stBulkEC->setText(Q(text)); }

// --- Keys and hints ------------------------------------------------------------------------

bool TMain_Form::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress)
        if (auto* edit = qobject_cast<QLineEdit*>(watched)) {
            const int tag = edit->property("Tag").toInt();
            if (tag >= 1 && tag <= SettingCount) return EditKeyPress(edit, tag, static_cast<QKeyEvent*>(event));
        }
    return QMainWindow::eventFilter(watched, event);
}

bool TMain_Form::EditKeyPress(QLineEdit* edit, int tag, QKeyEvent* key) {
    // Only keys that type a character reach the filter; moving the caret, deleting forward
    // (Delete carries the text "\x7f" under X11), Tab and the like work as usual. Pasting
    // would bypass the filter and is refused like the paste character.
    if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab || key->key() == Qt::Key_Delete) return false;
    if (platform::IsPasteKey(*key)) {
        platform_.tones.messageBeep(RefusedKeyBeep);
        return true;
    }
    char ch = 0;
    if (key->key() == Qt::Key_Backspace) ch = Backspace;
    else if (key->text().size() == 1 && key->text().at(0).unicode() < 0x80) ch = static_cast<char>(key->text().at(0).unicode());
    else if (!key->text().isEmpty()) ch = '?';  // any other character is refused like a letter
    else return false;
    const KeyDecision d = FilterKey(tag, edit->text().toStdString(), edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition(),
                                    static_cast<int>(edit->selectedText().size()), ch,
                                    platform_.numbers.decimalSeparator());
    if (!d.accept) {
        if (d.beep) platform_.tones.messageBeep(RefusedKeyBeep);
        return true;  // the key is swallowed
    }
    if (platform::TypesPastLimit(*edit, *key, SettingMaxTyped)) return true;  // silently, as a full edit does
    if (d.caretToStart) edit->setCursorPosition(0);
    return false;
}

bool TMain_Form::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        DisplayHint(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

void TMain_Form::DisplayHint(const QString& hint) { HintPanel->setText(hint.isEmpty() ? linkStatus_ : hint); }

// --- The serial device gone and back ---------------------------------------------------------

void TMain_Form::LinkLost(const instrument::LostDevice& device) {
    // Said first, so the hint is there while the failure's message is.
    linkStatus_ = Q(instrument::DisconnectedHint(device.devicePath));
    HintPanel->setText(linkStatus_);
    if (dialogs_ && dialogs_->osDown) dialogs_->osDown->LinkLost();
    // A chain ends with its own failure message (its error state cancels the request
    // under way) instead of waiting out its time limits.
    if (!instrument::EndChainForLostDevice(*machine_, *data_)) chainEnder_->start(instrument::TStateMach::TickMs);
}

void TMain_Form::LinkBack(const std::string& devicePath) {
    chainEnder_->stop();
    linkStatus_.clear();
    HintPanel->setText(Q(instrument::ReconnectedHint(devicePath)));
}

// --- Terminal ------------------------------------------------------------------------------

void TMain_Form::EnableOptionsMenu() { OptionsMenu->menuAction()->setEnabled(true); }

void TMain_Form::ShowTerminal(bool on) {
    TermPanel->setVisible(on);
    TerminalEmulatorMI->setChecked(on);
}

void TMain_Form::FocusTerminal() { TermPanel->TermEd()->setFocus(Qt::OtherFocusReason); }

void TMain_Form::ClearTerminal() { TermPanel->Clear(); }

void TMain_Form::ApplyTerminalChange(const TerminalLines::Change& change) { TermPanel->Apply(change); }

// --- Menu handlers -------------------------------------------------------------------------

void TMain_Form::CommSetgClick() {
    // On OK the dialog has re-opened the port and switched the byte log on or off as its
    // "LowLevel Logging" box says.
    if (dialogs_ && dialogs_->commSetg) dialogs_->commSetg->exec();
}

void TMain_Form::MuxSetgClick() {
    if (!dialogs_ || !dialogs_->muxSetup) return;
    const bool ok = dialogs_->muxSetup->exec() == QDialog::Accepted;
    const bool empty = muxSetup_.Tree().Empty();
    if (empty) {
        ShowMuxGroup(false);
        SaveMuxSetup->setEnabled(false);
    } else if (ok) {
        ShowMuxGroup(true);
        SaveMuxSetup->setEnabled(true);
    }
}

void TMain_Form::WaveformSetgClick() {
    if (dialogs_ && dialogs_->acqWave) dialogs_->acqWave->exec();
}

void TMain_Form::CalibrationVWCClick() {
    if (dialogs_ && dialogs_->caliDlg) dialogs_->caliDlg->exec();
}

void TMain_Form::CalibrationBECClick() {
    if (!dialogs_ || !dialogs_->cellConst) return;
    analysis::TCellConst& dialog = *dialogs_->cellConst;
    dialog.SetCellConstantText(Q(platform_.numbers.formatGeneral(cellConstant_)));
    if (dialog.exec() != QDialog::Accepted) return;
    // OK has checked the text.
    const auto kp = platform_.numbers.parseReal(dialog.CellConstantText().toStdString());
    if (!kp) return;
    cellConstant_ = *kp;
    const std::string address = MuxAddressText();
    std::optional<std::filesystem::path> probeFile;
    if (address != NoProbeAddress && !address.empty()) probeFile = settings_->ProbeSettingsPath(address);
    const std::string problem = analysis::StoreCellConstant(cellConstant_, mainIni_, probeFile, platform_.numbers);
    if (!problem.empty())
        platform_.dialogs.message("The cell constant could not be saved. " + problem, platform::MessageKind::Error);
}

void TMain_Form::AxisRangeChgClick() {
    const std::string startText = SettingText(TagStart);
    const std::string lengthText = SettingText(TagLength);
    const auto start = platform_.numbers.parseReal(startText);
    if (!start) return platform_.dialogs.message(platform::Numbers::notAFloatMessage(startText), platform::MessageKind::Error);
    const auto length = platform_.numbers.parseReal(lengthText);
    if (!length) return platform_.dialogs.message(platform::Numbers::notAFloatMessage(lengthText), platform::MessageKind::Error);
    if (!dialogs_ || !dialogs_->axisRange) return;
    const auto yRange = graph_->Gfx().GetValueAxisRange();
    const float xMin = static_cast<float>(*start);
    const float xMax = xMin + static_cast<float>(*length);
    const float yMin = yRange ? static_cast<float>(yRange->min) : graph_->Gfx().YaxisMin;
    const float yMax = yRange ? static_cast<float>(yRange->max) : graph_->Gfx().YaxisMax;
    dialogs_->axisRange->SetXYMaxMin(xMax, xMin, yMax, yMin);
    dialogs_->axisRange->exec();
}

void TMain_Form::PrintGraphClick() {
    graph::PrintAnnotations notes;
    notes.cableVp = SettingText(TagVp);
    notes.averages = SettingText(TagAverages);
    notes.points = SettingText(TagPoints);
    notes.probeLength = SettingText(TagProbeLength);
    notes.probeOffset = SettingText(TagProbeOffset);
    notes.waterContent = stVWC->text().toStdString();
    graph_->Gfx().PrintWaveformGraph(notes);
}

void TMain_Form::ContentsClick() { platform_.help.showContents(); }

void TMain_Form::IndexClick() { platform_.help.showIndex(""); }

void TMain_Form::UpGradeOsMIClick() {
    if (data_->Busy()) {
        platform_.dialogs.message("Another Command is currently being processed.");
        return;
    }
    if (!dialogs_ || !dialogs_->osDown) return;
    SetEnable(false);
    EnableMenuItems(false);
    dialogs_->osDown->HideErasing();
    dialogs_->osDown->exec();
    // The upgrade borrowed the packet collector.
    data_->RestoreFraming();
    EnableMenuItems(true);
    SetEnable(true);
}

void TMain_Form::AboutClick() {
    if (dialogs_ && dialogs_->about) dialogs_->about->exec();
}

// --- Closing -------------------------------------------------------------------------------

void TMain_Form::closeEvent(QCloseEvent* event) {
    FormClose();
    event->accept();
}

void TMain_Form::FormClose() {
    // A chain still running is stopped first, and its request abandoned, so nothing it
    // does afterwards reaches a window that is going away.
    if (!machine_->IsIdle()) {
        machine_->Stop();
        data_->CancelCommand();
        SetHourglass(false);
    }
    WriteExitSettings();
    settings_->UpdateSettings();
}

void TMain_Form::WriteExitSettings() {
    std::string problem;
    auto note = [&](bool ok) {
        if (!ok && problem.empty()) problem = mainIni_.lastError();
    };
    auto* comm = dialogs_ ? dialogs_->commSetg : nullptr;
    if (comm) {
        if (comm->PortIndex() < 0) comm->SetPortIndex(0);
        note(mainIni_.writeInteger(Section, "CommPt", comm->PortIndex()));
        note(mainIni_.writeInteger(Section, "BaudRt", comm->BaudIndex()));
        note(mainIni_.writeBool(Section, "LowLvlLog", comm->LowLevelLogging()));
    }
    if (dialogs_ && dialogs_->caliDlg) note(dialogs_->caliDlg->WriteSettings(mainIni_));
    note(mainIni_.writeFloat(Section, "YaxisMax", graph_->Gfx().YaxisMax, platform_.numbers));
    note(mainIni_.writeFloat(Section, "YaxisMin", graph_->Gfx().YaxisMin, platform_.numbers));
    note(mainIni_.writeString(Section, "QRBaddr", muxSetup_.QrbAddress));
    if (!problem.empty())
        platform_.dialogs.message("The settings could not be saved. " + problem, platform::MessageKind::Error);
}

}  // namespace app
