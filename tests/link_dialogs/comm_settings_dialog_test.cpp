// The communication settings dialog moving the instrument link between ports: OK, the
// retry question on a failed open, Cancel, lists without a selection and the port map.

#include "link/dialogs/comm_settings_dialog.h"

#include "link/result_codes.h"
#include "platform/doubles/test_platform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

namespace instrument {
namespace {

class CommSettingsDialog : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(link.OpenPort(1, 57600));
        dialog.SetPortMap(&ports);
        dialog.SetPortLister([] { return QStringList{"/dev/ttyACM0", "/dev/ttyS0"}; });
        dialog.SetPortIndex(0);
        dialog.SetBaudIndex(2);
        dialog.show();
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    static std::filesystem::path MakeDir() {
        auto d = std::filesystem::temp_directory_path() /
                 ("wavix_comm_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(d);
        std::filesystem::create_directories(d);
        return d;
    }
    void ok() { QTest::mouseClick(dialog.findChild<QPushButton*>("CommDlgOKBtn"), Qt::LeftButton); }
    void cancel() { QTest::mouseClick(dialog.findChild<QPushButton*>("CommDlgCancelBtn"), Qt::LeftButton); }
    QComboBox* combo(const char* name) { return dialog.findChild<QComboBox*>(name); }
    std::size_t questions() const {
        std::size_t n = 0;
        for (const auto& r : test.dialogs.records) n += r.type == platform::DialogRecord::Type::Ask;
        return n;
    }

    std::filesystem::path dir = MakeDir();
    platform::TestPlatform test;
    platform::Platform services = test.platform();
    platform::PortMap ports{platform::ProfileFile(dir / "RFX410.INI")};
    TTDRdataObject link{services, &ports};
    TCommSetgDlg dialog{link, services};
};

TEST_F(CommSettingsDialog, ControlsCarryTheirNamesAndItems) {
    EXPECT_EQ(dialog.windowTitle(), "Communication Settings");
    EXPECT_EQ(dialog.property("helpContext").toInt(), 4);
    QStringList ports, bauds;
    for (int i = 0; i < combo("CommPtCmBo")->count(); ++i) ports << combo("CommPtCmBo")->itemText(i);
    for (int i = 0; i < combo("BaudRateCmBo")->count(); ++i) bauds << combo("BaudRateCmBo")->itemText(i);
    EXPECT_EQ(ports, (QStringList{"COM 1", "COM 2", "COM 3", "COM 4"}));
    EXPECT_EQ(bauds, (QStringList{"9600", "19.2", "57.6"}));
    auto* logging = dialog.findChild<QCheckBox*>("LowLvlLogCB");
    EXPECT_EQ(logging->accessibleName(), "LowLevel Logging");
    EXPECT_FALSE(logging->isChecked());
    EXPECT_TRUE(dialog.findChild<QPushButton*>("CommDlgOKBtn")->isDefault());
    // The device list offers the ports present and shows the mapped path.
    EXPECT_EQ(combo("DevicePathCmBo")->findText("/dev/ttyACM0"), 0);
    EXPECT_EQ(dialog.DevicePath(), "/dev/ttyS0");

    QTest::mouseClick(dialog.findChild<QPushButton*>("CommDlgHelpBtn"), Qt::LeftButton);
    EXPECT_EQ(test.help.contexts, std::vector<int>{4});
}

TEST_F(CommSettingsDialog, OkMovesTheLinkToTheChosenPortAndBaud) {
    dialog.SetPortIndex(1);
    dialog.SetBaudIndex(1);
    const auto before = test.clock.elapsed();
    ok();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(test.serial.openedPath(), "/dev/ttyS1");
    EXPECT_EQ(test.serial.openedBaud(), 19200);
    EXPECT_EQ(test.clock.elapsed() - before, 165u);  // the closed port settles first
    EXPECT_EQ(link.SetCommand("S_VP 0.67", [](std::int32_t) {}), Success);
    EXPECT_TRUE(test.dialogs.records.empty());
}

TEST_F(CommSettingsDialog, ChoosingTheSamePortClosesAndReopensIt) {
    const int opens = test.serial.openCount();
    dialog.SetBaudIndex(0);
    ok();
    EXPECT_EQ(test.serial.openCount(), opens + 1);
    EXPECT_EQ(test.serial.openedPath(), "/dev/ttyS0");
    EXPECT_EQ(test.serial.openedBaud(), 9600);
    EXPECT_TRUE(link.Driver().Connected());
}

TEST_F(CommSettingsDialog, FailedOpenShowsWhyAndYesLeavesTheDialogForAnotherChoice) {
    test.serial.setUnavailable("/dev/ttyS2");
    test.dialogs.answers = {platform::Answer::Yes};
    dialog.SetPortIndex(2);
    ok();
    EXPECT_TRUE(dialog.isVisible());
    ASSERT_EQ(test.dialogs.texts(), std::vector<std::string>{CommOpenErrorQuestion});
    EXPECT_TRUE(dialog.OpenError().contains("/dev/ttyS2")) << dialog.OpenError().toStdString();
    EXPECT_TRUE(dialog.findChild<QLabel*>("OpenErrorLbl")->isVisible());
    EXPECT_FALSE(link.Driver().Connected());

    dialog.SetPortIndex(3);
    ok();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(test.serial.openedPath(), "/dev/ttyS3");
    EXPECT_EQ(dialog.OpenError(), "");
}

TEST_F(CommSettingsDialog, NoRetriesTheOpenAtOnce) {
    test.serial.setAllUnavailable(true);
    test.dialogs.answers = {platform::Answer::No, platform::Answer::No};
    int asked = 0;
    test.dialogs.onShow = [&](const platform::DialogRecord&) {
        if (++asked == 2) test.serial.setAllUnavailable(false);  // the user plugs the adapter in
    };
    const int opens = test.serial.openCount();
    ok();
    EXPECT_EQ(questions(), 2u);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(test.serial.openCount(), opens + 1);
    EXPECT_TRUE(link.Driver().Connected());
}

TEST_F(CommSettingsDialog, CancelChangesNothingEvenAfterAGivenUpSwitch) {
    const int opens = test.serial.openCount();
    combo("CommPtCmBo")->setCurrentIndex(3);
    combo("BaudRateCmBo")->setCurrentIndex(0);
    dialog.findChild<QCheckBox*>("LowLvlLogCB")->setChecked(true);
    cancel();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(test.serial.openCount(), opens);
    EXPECT_EQ(dialog.PortIndex(), 0);
    EXPECT_EQ(dialog.BaudIndex(), 2);
    EXPECT_FALSE(dialog.LowLevelLogging());

    // A switch given up with Yes closed the port; Cancel puts the old one back.
    dialog.show();
    test.serial.setUnavailable("/dev/ttyS1");
    test.dialogs.answers = {platform::Answer::Yes};
    combo("CommPtCmBo")->setCurrentIndex(1);
    ok();
    ASSERT_FALSE(link.Driver().Connected());
    cancel();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(link.Driver().Connected());
    EXPECT_EQ(test.serial.openedPath(), "/dev/ttyS0");
    EXPECT_EQ(test.serial.openedBaud(), 57600);
    EXPECT_EQ(dialog.PortIndex(), 0);
}

TEST_F(CommSettingsDialog, IndexesOutsideTheListsSelectNothing) {
    dialog.SetPortIndex(6);
    dialog.SetBaudIndex(5);
    EXPECT_EQ(dialog.PortIndex(), -1);
    EXPECT_EQ(dialog.BaudIndex(), -1);
    EXPECT_EQ(dialog.BaudRate(), 9600);
    EXPECT_FALSE(combo("DevicePathCmBo")->isEnabled());
    EXPECT_EQ(combo("CommPtCmBo")->currentText(), "");

    // Without a port there is nothing to open: the link is left alone.
    const int opens = test.serial.openCount();
    ok();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(test.serial.openCount(), opens);
    EXPECT_TRUE(link.Driver().Connected());
    EXPECT_FALSE(dialog.OpenError().isEmpty());
}

TEST_F(CommSettingsDialog, TypedDevicePathIsOpenedAndKeptInThePortsSection) {
    combo("CommPtCmBo")->setCurrentIndex(1);
    combo("DevicePathCmBo")->setEditText("/dev/ttyUSB7");
    combo("CommPtCmBo")->setCurrentIndex(2);  // typed text survives looking at another entry
    EXPECT_EQ(dialog.DevicePath(), "/dev/ttyS2");
    combo("CommPtCmBo")->setCurrentIndex(1);
    EXPECT_EQ(dialog.DevicePath(), "/dev/ttyUSB7");

    // A path that does not open is not stored.
    test.serial.setUnavailable("/dev/ttyUSB7");
    test.dialogs.answers = {platform::Answer::Yes};
    ok();
    EXPECT_FALSE(ports.file().find("Ports", "COM2"));

    combo("DevicePathCmBo")->setEditText("/dev/ttyUSB8");
    ok();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(test.serial.openedPath(), "/dev/ttyUSB8");
    EXPECT_EQ(ports.devicePath(2), "/dev/ttyUSB8");
    EXPECT_FALSE(ports.file().find("Ports", "COM1"));  // untouched entries stay unwritten
    // The link's own opens by number now reach the same device.
    ASSERT_TRUE(link.OpenPort(2, 9600));
    EXPECT_EQ(test.serial.openedPath(), "/dev/ttyUSB8");
}

TEST_F(CommSettingsDialog, ReturnInTheDeviceFieldIsOk) {
    combo("DevicePathCmBo")->lineEdit()->clear();
    QTest::keyClicks(combo("DevicePathCmBo")->lineEdit(), "/dev/ttyUSB3");
    QTest::keyClick(combo("DevicePathCmBo")->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(test.serial.openedPath(), "/dev/ttyUSB3");
}

TEST_F(CommSettingsDialog, OkSwitchesTheByteLogWithTheBox) {
    dialog.findChild<QCheckBox*>("LowLvlLogCB")->setChecked(true);
    ok();
    EXPECT_TRUE(link.Driver().LowLevelLoggingBox());
    EXPECT_TRUE(link.Driver().Port()->log().isEnabled());
    dialog.show();
    dialog.findChild<QCheckBox*>("LowLvlLogCB")->setChecked(false);
    ok();
    EXPECT_FALSE(link.Driver().Port()->log().isEnabled());
}

TEST_F(CommSettingsDialog, RendersToAPicture) {
    const QString png = QString::fromStdString((dir / "comm.png").string());
    ASSERT_TRUE(RenderCommSettingsDialogScreenshot(png, services, "Cannot open serial port /dev/ttyS3."));
    EXPECT_FALSE(QImage(png).isNull());
}

}  // namespace
}  // namespace instrument
