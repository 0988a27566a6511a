#pragma once
// "RFX410 Operating System Upgrade": the S-record file to load, its transfer progress and
// the erase notice. OK checks the file and runs the upgrade (OsUpgrade); the dialog cannot
// be closed while the instrument is in its loader, because every wait there ends by itself.

#include "link/data_object.h"
#include "link/os_upgrade.h"

#include "platform/platform.h"

#include <QDialog>

#include <memory>
#include <string>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace instrument {

class TOSdownForm : public QDialog, public OsUpgradeView {
    Q_OBJECT

public:
    static constexpr int HelpContext = 10;
    static constexpr const char* Caption = "RFX410 Operating System Upgrade";

    TOSdownForm(TTDRdataObject& link, platform::Platform& platform, QWidget* parent = nullptr);
    ~TOSdownForm() override;

    // The file dialog behind "Browse".
    static platform::FileDialogOptions OSopenDlg();

    const std::string& FileName() const { return fileName_; }
    void SetFileName(const QString& name);
    OsUpgrade& Upgrade() { return *upgrade_; }
    // Hides "Erasing Flash Memory " (the main window does so before showing the dialog).
    void HideErasing();
    // The serial device went away.
    void LinkLost() { upgrade_->LinkLost(); }

    // Handlers.
    void BrowsePBClick();
    void OKbtnClick();
    void CancelBtnClick();
    void HelpBtnClick();

public slots:
    void reject() override;  // Cancel, Escape and the close box

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

    // OsUpgradeView
    void ShowErasing(bool visible) override;
    void SetProgress(int percent) override;
    void EnableButtons(bool enabled) override;
    void CloseWithOk() override;

private:
    void BuildLayout();

    platform::Platform& platform_;
    std::unique_ptr<OsUpgrade> upgrade_;
    std::string fileName_;

    QLineEdit* OSfilename = nullptr;
    QPushButton* BrowsePB = nullptr;
    QProgressBar* OSdownProg = nullptr;
    QLabel* stErasing = nullptr;
    QPushButton* OKbtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    QPushButton* HelpBtn = nullptr;
};

}  // namespace instrument
