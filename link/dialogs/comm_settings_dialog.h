#pragma once
// "Communication Settings": the COM port (with the device path it stands for), the baud
// rate and the low-level logging box. OK moves the instrument link to the chosen port;
// Cancel leaves everything as it was. The main window sets and reads the choices at
// start-up and exit and gives the dialog the settings file's port map.

#include "link/data_object.h"
#include "link/dialogs/port_switch.h"

#include "platform/platform.h"
#include "platform/port_map.h"

#include <QDialog>
#include <QStringList>

#include <array>
#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace instrument {

class TCommSetgDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr int HelpContext = 4;
    // The device paths of the serial ports present, offered in the device list.
    using PortLister = std::function<QStringList()>;

    TCommSetgDlg(TTDRdataObject& link, platform::Platform& platform, QWidget* parent = nullptr);

    // Where "COM 1".."COM 4" are mapped to device paths; read when the dialog is shown,
    // written for the chosen port when OK has opened it. Without a map the default paths
    // are shown and nothing is stored.
    void SetPortMap(platform::PortMap* ports);
    void SetPortLister(PortLister lister);

    // The list choices; -1 (or any index outside the list) selects nothing.
    void SetPortIndex(int index);
    int PortIndex() const;
    void SetBaudIndex(int index);
    int BaudIndex() const;
    int PortNumber() const { return PortNumberForIndex(PortIndex()); }
    int BaudRate() const { return BaudRateForIndex(BaudIndex()); }
    void SetLowLevelLogging(bool checked);
    bool LowLevelLogging() const;
    // The device path shown for the chosen port.
    QString DevicePath() const;
    // Why the last open from the dialog failed ("" after a success).
    QString OpenError() const;

    // Handlers.
    void CommDlgOKBtnClick();
    void CommDlgCancelBtnClick();
    void CommDlgHelpBtnClick();
    void CommPtCmBoChange();

public slots:
    void reject() override;  // Cancel, Escape and the close box

protected:
    void showEvent(QShowEvent* event) override;

private:
    friend bool RenderCommSettingsDialogScreenshot(const QString&, platform::Platform&, const QString&);

    struct Choices {
        int port = -1;
        int baud = -1;
        bool logging = false;
    };
    void BuildLayout();
    void LoadDevicePaths();
    void FillDeviceList();
    void KeepTypedPath();
    void ShowFailure(const QString& reason);
    void SetBusy(bool busy);
    Choices Current() const;
    void Apply(const Choices& choices);

    TTDRdataObject& link_;
    platform::Platform& platform_;
    platform::PortMap* ports_ = nullptr;
    PortLister lister_;
    std::array<QString, PortCount> paths_;  // per COM entry, as shown or typed
    int pathShownFor_ = -1;                 // the entry DevicePathCmBo shows
    Choices applied_;                       // what Cancel goes back to
    bool portClosed_ = false;               // a switch was given up: the link has no port
    std::optional<OpenPort> portBefore_;    // the port in use before that switch
    bool switching_ = false;

    QComboBox* portList_ = nullptr;
    QComboBox* baudList_ = nullptr;
    QComboBox* deviceList_ = nullptr;
    QCheckBox* loggingBox_ = nullptr;
    QLabel* errorLabel_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QPushButton* helpButton_ = nullptr;
};

// Renders the dialog to a PNG file (COM 1 at 57600 baud), with a failed open's reason when
// openError is not empty; opens no port. False when the file cannot be written.
bool RenderCommSettingsDialogScreenshot(const QString& pngPath, platform::Platform& platform,
                                        const QString& openError = {});

}  // namespace instrument
