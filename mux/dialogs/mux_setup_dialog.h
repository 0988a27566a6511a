#pragma once
// "KLV300 Multiplexer Selection": the user builds the tree of multiplexers and probes. The
// tree view shows the setup's tree and is rebuilt from it after every edit; the view's
// selection and expansion are kept in the tree. Every close saves "mux.sav"; Cancel first
// brings back the tree as it was when the dialog was shown.

#include "mux/mux_setup.h"

#include "platform/platform.h"

#include <QDialog>

#include <functional>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace mux {

class TMuxSetupDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr int HelpContext = 7;

    // FormCreate: loads "mux.sav" (a damaged file is reported once). setAddress sets the
    // main window's address label when OK closes the dialog.
    TMuxSetupDlg(MuxSetup& setup, platform::Platform& platform, std::function<void(const std::string&)> setAddress,
                 QWidget* parent = nullptr);

    void FormShow();
    void AddMuxClick();
    void DelMuxClick();
    void AddProbeClick();
    void DelProbeClick();
    void OKBtnClick();
    void CancelBtnClick();
    void HelpBtnClick();
    void TreeView1Change();
    // Saves "mux.sav"; runs for every close.
    void FormCloseQuery();

    // The QRB address edit's text (the setup holds it too).
    QString QrbAddressText() const;
    void SetQrbAddressText(const QString& text);

    // The view shows the tree again (after the tree changed outside the dialog).
    void RefreshTree();

public slots:
    void reject() override;  // Escape and the close box count as Cancel
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void UpdateLabels();
    void Refused();
    void AddItems(QTreeWidgetItem* parentItem, const MuxNode& parent);
    MuxNode* NodeOf(QTreeWidgetItem* item) const;

    MuxSetup& setup_;
    platform::Platform& platform_;
    std::function<void(const std::string&)> setAddress_;
    bool refreshing_ = false;

    QLineEdit* TdrQRBaddr = nullptr;
    QLabel* LevLbl = nullptr;
    QLabel* ChLbl = nullptr;
    QTreeWidget* TreeView1 = nullptr;
    QPushButton* AddMux = nullptr;
    QPushButton* DelMux = nullptr;
    QPushButton* AddProbe = nullptr;
    QPushButton* DelProbe = nullptr;
};

}  // namespace mux
