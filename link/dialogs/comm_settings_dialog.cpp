#include "link/dialogs/comm_settings_dialog.h"

#include "platform/qt/dialog_buttons.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QSerialPortInfo>
#include <QVBoxLayout>

namespace instrument {

namespace {

QStringList SerialPortsPresent() {
    QStringList paths;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) paths.append(info.systemLocation());
    paths.sort();
    return paths;
}

}  // namespace

TCommSetgDlg::TCommSetgDlg(TTDRdataObject& link, platform::Platform& platform, QWidget* parent)
    : QDialog(parent), link_(link), platform_(platform), lister_(SerialPortsPresent) {
    setObjectName("CommSetgDlg");
    setWindowTitle("Communication Settings");
    setProperty("helpContext", HelpContext);
    BuildLayout();
    SetPortIndex(0);
    SetBaudIndex(2);
    LoadDevicePaths();
}

void TCommSetgDlg::BuildLayout() {
    portList_ = new QComboBox(this);
    portList_->setObjectName("CommPtCmBo");
    portList_->setAccessibleName("Comm Port");
    portList_->addItems({"COM 1", "COM 2", "COM 3", "COM 4"});
    connect(portList_, &QComboBox::currentIndexChanged, this, &TCommSetgDlg::CommPtCmBoChange);

    deviceList_ = new QComboBox(this);
    deviceList_->setObjectName("DevicePathCmBo");
    deviceList_->setAccessibleName("Device Path");
    deviceList_->setEditable(true);
    deviceList_->setInsertPolicy(QComboBox::NoInsert);
    deviceList_->setMinimumContentsLength(22);
    deviceList_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    deviceList_->setToolTip("The serial device this COM port stands for: pick one present or type its path.");

    baudList_ = new QComboBox(this);
    baudList_->setObjectName("BaudRateCmBo");
    baudList_->setAccessibleName("Baud Rate");
    baudList_->addItems({"9600", "19.2", "57.6"});

    loggingBox_ = new QCheckBox("LowLevel &Logging", this);
    loggingBox_->setObjectName("LowLvlLogCB");
    loggingBox_->setAccessibleName("LowLevel Logging");

    errorLabel_ = new QLabel(this);
    errorLabel_->setObjectName("OpenErrorLbl");
    errorLabel_->setAccessibleName("Open Error");
    errorLabel_->setWordWrap(true);
    errorLabel_->setTextFormat(Qt::PlainText);
    // The reason may end in a command to fix it (joining the device's group): copyable with
    // the mouse, while the tab order stays as it was.
    errorLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    errorLabel_->setStyleSheet("color: #b00000;");
    errorLabel_->hide();

    auto label = [this](const QString& text, const char* objectName, QWidget* buddy) {
        auto* l = new QLabel(text, this);
        l->setObjectName(objectName);
        l->setBuddy(buddy);
        return l;
    };
    auto* form = new QGridLayout;
    form->addWidget(label("Co&mm Port", "CommPtLbl", portList_), 0, 0);
    form->addWidget(portList_, 0, 1, Qt::AlignLeft);
    form->addWidget(label("&Device", "DevicePathLbl", deviceList_), 1, 0);
    form->addWidget(deviceList_, 1, 1);
    form->addWidget(label("&Baud Rate", "BaudRateLbl", baudList_), 2, 0);
    form->addWidget(baudList_, 2, 1, Qt::AlignLeft);
    form->addWidget(loggingBox_, 3, 0, 1, 2);
    form->setColumnStretch(1, 1);

    const auto buttons = platform::MakeDialogButtons(this, "CommDlgOKBtn", "CommDlgCancelBtn", "CommDlgHelpBtn");
    okButton_ = buttons.ok;
    cancelButton_ = buttons.cancel;
    helpButton_ = buttons.help;
    connect(okButton_, &QPushButton::clicked, this, &TCommSetgDlg::CommDlgOKBtnClick);
    connect(cancelButton_, &QPushButton::clicked, this, &TCommSetgDlg::CommDlgCancelBtnClick);
    connect(helpButton_, &QPushButton::clicked, this, &TCommSetgDlg::CommDlgHelpBtnClick);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(errorLabel_);
    layout->addLayout(buttons.row);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(portList_, deviceList_);
    setTabOrder(deviceList_, baudList_);
    setTabOrder(baudList_, loggingBox_);
    setTabOrder(loggingBox_, okButton_);
    setTabOrder(okButton_, cancelButton_);
    setTabOrder(cancelButton_, helpButton_);
}

void TCommSetgDlg::SetPortMap(platform::PortMap* ports) {
    ports_ = ports;
    LoadDevicePaths();
}

void TCommSetgDlg::SetPortLister(PortLister lister) { lister_ = std::move(lister); }

void TCommSetgDlg::SetPortIndex(int index) {
    portList_->setCurrentIndex(index >= 0 && index < portList_->count() ? index : -1);
    applied_ = Current();
}

int TCommSetgDlg::PortIndex() const { return portList_->currentIndex(); }

void TCommSetgDlg::SetBaudIndex(int index) {
    baudList_->setCurrentIndex(index >= 0 && index < baudList_->count() ? index : -1);
    applied_ = Current();
}

int TCommSetgDlg::BaudIndex() const { return baudList_->currentIndex(); }

void TCommSetgDlg::SetLowLevelLogging(bool checked) {
    loggingBox_->setChecked(checked);
    applied_ = Current();
}

bool TCommSetgDlg::LowLevelLogging() const { return loggingBox_->isChecked(); }

QString TCommSetgDlg::DevicePath() const { return PortIndex() < 0 ? QString() : deviceList_->currentText().trimmed(); }

QString TCommSetgDlg::OpenError() const { return errorLabel_->text(); }

TCommSetgDlg::Choices TCommSetgDlg::Current() const { return {PortIndex(), BaudIndex(), LowLevelLogging()}; }

void TCommSetgDlg::Apply(const Choices& choices) {
    portList_->setCurrentIndex(choices.port);
    baudList_->setCurrentIndex(choices.baud);
    loggingBox_->setChecked(choices.logging);
}

void TCommSetgDlg::LoadDevicePaths() {
    for (int i = 0; i < PortCount; ++i) {
        const int port = PortNumberForIndex(i);
        paths_[static_cast<std::size_t>(i)] =
            QString::fromStdString(ports_ ? ports_->devicePath(port) : platform::PortMap::defaultDevicePath(port));
    }
    pathShownFor_ = -1;
    CommPtCmBoChange();
}

void TCommSetgDlg::FillDeviceList() {
    deviceList_->clear();
    deviceList_->addItems(lister_ ? lister_() : QStringList());
    pathShownFor_ = -1;  // clear() emptied the text
    CommPtCmBoChange();
}

void TCommSetgDlg::KeepTypedPath() {
    if (pathShownFor_ >= 0 && pathShownFor_ < PortCount)
        paths_[static_cast<std::size_t>(pathShownFor_)] = deviceList_->currentText().trimmed();
}

void TCommSetgDlg::CommPtCmBoChange() {
    KeepTypedPath();
    const int index = PortIndex();
    const bool chosen = index >= 0 && index < PortCount;
    pathShownFor_ = chosen ? index : -1;
    deviceList_->setEnabled(chosen);
    deviceList_->setEditText(chosen ? paths_[static_cast<std::size_t>(index)] : QString());
}

void TCommSetgDlg::ShowFailure(const QString& reason) {
    errorLabel_->setText(reason);
    errorLabel_->setVisible(!reason.isEmpty());
}

void TCommSetgDlg::SetBusy(bool busy) {
    // Waiting for the port keeps events flowing: no second OK or Cancel meanwhile.
    switching_ = busy;
    okButton_->setEnabled(!busy);
    cancelButton_->setEnabled(!busy);
    helpButton_->setEnabled(!busy);
}

void TCommSetgDlg::CommDlgOKBtnClick() {
    if (switching_) return;
    const int index = PortIndex();
    if (index < 0 || index >= PortCount) {
        ShowFailure("Choose a COM port from the list.");
        portList_->setFocus();
        return;
    }
    KeepTypedPath();
    const QString path = paths_[static_cast<std::size_t>(index)];
    if (path.isEmpty()) {
        ShowFailure(QString("Pick or type the serial device of COM %1.").arg(PortNumberForIndex(index)));
        deviceList_->setFocus();
        return;
    }

    if (!portClosed_) portBefore_ = CurrentPort(link_);
    SetBusy(true);
    const SwitchOutcome outcome = SwitchPort(link_, platform_, path.toStdString(), BaudRate(),
                                             [this](const std::string& reason) { ShowFailure(QString::fromStdString(reason)); });
    SetBusy(false);
    if (outcome == SwitchOutcome::ChooseAgain) {
        portClosed_ = true;
        return;
    }
    portClosed_ = false;
    portBefore_.reset();
    ShowFailure({});

    const int port = PortNumberForIndex(index);
    if (ports_ && ports_->devicePath(port) != path.toStdString() && !ports_->setDevicePath(port, path.toStdString()))
        platform_.dialogs.message("The serial device of COM " + std::to_string(port) + " could not be saved: " +
                                      ports_->file().lastError(),
                                  platform::MessageKind::Warning);
    link_.Driver().SetLowLevelLogging(LowLevelLogging());
    link_.Driver().SetLogging(LowLevelLogging());
    applied_ = Current();
    accept();
}

void TCommSetgDlg::CommDlgCancelBtnClick() { reject(); }

void TCommSetgDlg::reject() {
    if (switching_) return;
    Apply(applied_);
    LoadDevicePaths();
    ShowFailure({});
    // A switch given up with Yes left the link without a port: put back the one in use.
    if (portClosed_ && portBefore_) {
        if (ReopenPort(link_, *portBefore_))
            link_.Driver().SetLogging(link_.Driver().LowLevelLoggingBox());
        else
            platform_.dialogs.message(link_.Driver().LastOpenError(), platform::MessageKind::Error);
    }
    portClosed_ = false;
    portBefore_.reset();
    QDialog::reject();
}

void TCommSetgDlg::CommDlgHelpBtnClick() { platform_.help.showContext(HelpContext); }

void TCommSetgDlg::showEvent(QShowEvent* event) {
    FillDeviceList();
    LoadDevicePaths();
    ShowFailure({});
    applied_ = Current();
    portClosed_ = false;
    portBefore_.reset();
    QDialog::showEvent(event);
}

bool RenderCommSettingsDialogScreenshot(const QString& pngPath, platform::Platform& platform, const QString& openError) {
    TTDRdataObject link(platform);
    TCommSetgDlg dialog(link, platform);
    dialog.SetPortLister([] { return QStringList{"/dev/ttyS0", "/dev/ttyS1", "/dev/ttyUSB0"}; });
    dialog.SetPortIndex(0);
    dialog.SetBaudIndex(2);
    dialog.show();
    dialog.ShowFailure(openError);
    dialog.adjustSize();
    const bool saved = dialog.grab().save(pngPath, "PNG");
    dialog.hide();
    return saved;
}

}  // namespace instrument
