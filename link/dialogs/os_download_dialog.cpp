#include "link/dialogs/os_download_dialog.h"

#include "platform/qt/dialog_buttons.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace instrument {

TOSdownForm::TOSdownForm(TTDRdataObject& link, platform::Platform& platform, QWidget* parent)
    : QDialog(parent), platform_(platform) {
    setObjectName("OSdownForm");
    setWindowTitle(Caption);
    setProperty("helpContext", HelpContext);
    BuildLayout();
    upgrade_ = std::make_unique<OsUpgrade>(link, platform, *this);
}

TOSdownForm::~TOSdownForm() = default;

void TOSdownForm::BuildLayout() {
    OSfilename = new QLineEdit(this);
    OSfilename->setObjectName("OSfilename");
    OSfilename->setAccessibleName("Operating System FileName:");
    OSfilename->setMinimumWidth(300);
    auto* fileLabel = new QLabel("Operating System &FileName:", this);
    fileLabel->setObjectName("OSfilenameLbl");
    fileLabel->setBuddy(OSfilename);

    BrowsePB = new QPushButton("&Browse", this);
    BrowsePB->setObjectName("BrowsePB");
    BrowsePB->setAccessibleName("Browse");
    connect(BrowsePB, &QPushButton::clicked, this, &TOSdownForm::BrowsePBClick);

    OSdownProg = new QProgressBar(this);
    OSdownProg->setObjectName("OSdownProg");
    OSdownProg->setAccessibleName("Transfer Progress:");
    OSdownProg->setRange(0, 100);
    OSdownProg->setValue(0);
    auto* progressLabel = new QLabel("Transfer Progress:", this);
    progressLabel->setObjectName("OSdownProgLbl");
    progressLabel->setBuddy(OSdownProg);

    stErasing = new QLabel("Erasing Flash Memory ", this);
    stErasing->setObjectName("stErasing");
    stErasing->setAccessibleName("Erasing Flash Memory");
    stErasing->setStyleSheet("QLabel { color: #b00000; font-weight: bold; }");
    // The label keeps its room while hidden, so the dialog does not jump.
    QSizePolicy keepRoom = stErasing->sizePolicy();
    keepRoom.setRetainSizeWhenHidden(true);
    stErasing->setSizePolicy(keepRoom);
    stErasing->hide();

    const auto buttons = platform::MakeDialogButtons(this, "OKbtn", "CancelBtn", "HelpBtn");
    OKbtn = buttons.ok;
    CancelBtn = buttons.cancel;
    HelpBtn = buttons.help;
    connect(OKbtn, &QPushButton::clicked, this, &TOSdownForm::OKbtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TOSdownForm::CancelBtnClick);
    connect(HelpBtn, &QPushButton::clicked, this, &TOSdownForm::HelpBtnClick);

    auto* grid = new QGridLayout;
    grid->addWidget(fileLabel, 0, 0, 1, 2);
    grid->addWidget(OSfilename, 1, 0);
    grid->addWidget(BrowsePB, 1, 1);
    grid->addWidget(progressLabel, 2, 0, 1, 2);
    grid->addWidget(OSdownProg, 3, 0, 1, 2);
    grid->addWidget(stErasing, 4, 0, 1, 2, Qt::AlignHCenter);
    grid->setColumnStretch(0, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(6);
    layout->addLayout(buttons.row);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(OSfilename, BrowsePB);
    setTabOrder(BrowsePB, OKbtn);
    setTabOrder(OKbtn, CancelBtn);
    setTabOrder(CancelBtn, HelpBtn);
}

platform::FileDialogOptions TOSdownForm::OSopenDlg() {
    platform::FileDialogOptions options;
    options.title = "Open";
    options.filter = "TDR OS (*.SR)|*.SR|Motorola S-Rec (*.MHX)|*.MHX|TDR OS (*.X)|*.X";
    options.defaultExtension = "SR";
    options.initialName = "*.SR";
    options.mustExist = true;
    return options;
}

void TOSdownForm::SetFileName(const QString& name) {
    OSfilename->setText(name);
    fileName_ = name.toStdString();
}

void TOSdownForm::HideErasing() { stErasing->hide(); }

void TOSdownForm::BrowsePBClick() {
    const auto chosen = platform_.dialogs.openFile(OSopenDlg());
    if (!chosen) {
        fileName_.clear();  // the edit keeps its text
        return;
    }
    SetFileName(QString::fromStdString(*chosen));
}

void TOSdownForm::OKbtnClick() {
    if (upgrade_->Busy()) return;
    fileName_ = OSfilename->text().toStdString();
    upgrade_->Start(fileName_);
}

void TOSdownForm::CancelBtnClick() {
    if (upgrade_->Busy()) return;
    fileName_.clear();
    QDialog::reject();
}

void TOSdownForm::HelpBtnClick() { platform_.help.showContext(HelpContext); }

void TOSdownForm::reject() {
    // The instrument is in its loader: leaving now would leave it half written; every wait
    // there ends by itself within 20 s.
    if (upgrade_->Busy()) return;
    QDialog::reject();
}

void TOSdownForm::showEvent(QShowEvent* event) {
    upgrade_->FormShow();
    QDialog::showEvent(event);
}

void TOSdownForm::hideEvent(QHideEvent* event) {
    if (!event->spontaneous()) upgrade_->FormHide();  // not when the desktop minimises it
    QDialog::hideEvent(event);
}

void TOSdownForm::ShowErasing(bool visible) { stErasing->setVisible(visible); }

void TOSdownForm::SetProgress(int percent) { OSdownProg->setValue(percent); }

void TOSdownForm::EnableButtons(bool enabled) {
    OKbtn->setEnabled(enabled);
    CancelBtn->setEnabled(enabled);
    BrowsePB->setEnabled(enabled);
}

void TOSdownForm::CloseWithOk() { accept(); }

}  // namespace instrument
