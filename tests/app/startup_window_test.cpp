// Starting and closing the main window: what it reads, opens and sends, what it writes
// back, and the enable rules of its controls and menus.

#include "window_fixture.h"

#include "link/dialogs/comm_settings_dialog.h"
#include "platform/profile_file.h"

#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusTipEvent>
#include <QTest>
#include <QTemporaryDir>

#include <fstream>

namespace app::testing {
namespace {

class StartWith : public ::testing::Test {
protected:
    std::unique_ptr<MainWindowRig> start(const std::string& ini, bool linearity = false) {
        if (!ini.empty()) std::ofstream(dir() / "RFX410.INI", std::ios::binary) << ini;
        return std::make_unique<MainWindowRig>(MainWindowRig::Options{dir(), linearity, true});
    }
    std::filesystem::path dir() const { return temp.path().toStdString(); }
    platform::ProfileFile ini() const { return platform::ProfileFile(dir() / "RFX410.INI"); }

    QTemporaryDir temp;
};

TEST_F(StartWith, NoSettingsFileGivesEveryDefaultAndGreetsTheInstrument) {
    auto rig = start("");
    TMain_Form& form = *rig->form;
    const char* defaults[] = {"1.00", "4", "251", "0.0", "50", "0.3", "0.000"};
    for (int tag = 1; tag <= SettingCount; ++tag) EXPECT_EQ(form.SettingText(tag), defaults[tag - 1]);
    EXPECT_EQ(rig->test.serial.openedPath(), "/dev/ttyS0");
    EXPECT_EQ(rig->test.serial.openedBaud(), 57600);
    EXPECT_EQ(rig->dialogs.commSetg->PortIndex(), 0);
    EXPECT_EQ(rig->dialogs.commSetg->BaudIndex(), 2);
    EXPECT_FLOAT_EQ(form.DataObject().DerivativeGain, 2.0f);
    const auto yRange = form.Graph().Gfx().GetValueAxisRange();
    ASSERT_TRUE(yRange);
    EXPECT_DOUBLE_EQ(yRange->min, -1.0);
    EXPECT_DOUBLE_EQ(yRange->max, 1.0);
    EXPECT_DOUBLE_EQ(form.CellConstant(), 1.0);
    EXPECT_EQ(form.MuxAddressText(), "?-?-?");
    EXPECT_FALSE(form.findChild<QWidget*>("MuxGB")->isVisible());
    EXPECT_FALSE(form.LinearityTestVisible());
    EXPECT_FALSE(form.Settings().SettingsChanged);  // filling the edits does not count
    EXPECT_EQ(rig->instrument.greetingCount(), 1);   // "$" and CR, 125 ms after the port opened
    EXPECT_TRUE(rig->test.dialogs.texts().empty());
}

TEST_F(StartWith, AnyParameterShowsTheLinearityTestButton) {
    auto rig = start("", true);
    EXPECT_TRUE(rig->form->LinearityTestVisible());
}

TEST_F(StartWith, OddPortAndBaudIndexesOpenWhatTheySayAndAreWrittenBackNormalised) {
    auto rig = start("[Settings]\r\nCommPt=6\r\nBaudRt=5\r\nVpEd=0.67\r\n");
    EXPECT_EQ(rig->test.serial.openedPath(), "/dev/ttyS6");  // port 7
    EXPECT_EQ(rig->test.serial.openedBaud(), 9600);
    EXPECT_EQ(rig->dialogs.commSetg->PortIndex(), -1);
    EXPECT_EQ(rig->dialogs.commSetg->BaudIndex(), -1);
    EXPECT_EQ(rig->form->SettingText(TagVp), "0.67");
    rig->Close();
    EXPECT_EQ(ini().readInteger("Settings", "CommPt", 99), 0);
    EXPECT_EQ(ini().readInteger("Settings", "BaudRt", 99), -1);
}

TEST_F(StartWith, ClosingWritesEveryKeyAndKeepsTheLastValidSettings) {
    auto rig = start("[Settings]\r\nYaxisMax=0.22\r\nYaxisMin=-0.5\r\nQRBaddr=01\r\nCaliRadioBtn=4\r\n");
    TMain_Form& form = *rig->form;
    ASSERT_TRUE(form.Settings().UpdateSettings());  // the seven values, valid, into the file
    form.EditOf(TagAverages)->setText("500");
    rig->Close();
    EXPECT_EQ(rig->test.dialogs.texts(), std::vector<std::string>{"Waveform Average Value is Out of Range [ 1 to 128 ]"});
    const auto file = ini();
    EXPECT_EQ(file.readString("Settings", "AvgEd", ""), "4");  // the last valid value
    for (const char* key : {"CommPt", "BaudRt", "LowLvlLog", "LedieuCoef1", "LedieuCoef26", "ToppCoef6", "CaliRadioBtn",
                            "YaxisMax", "YaxisMin", "QRBaddr", "VpEd", "POffEd"})
        EXPECT_TRUE(file.find("Settings", key)) << key;
    EXPECT_EQ(file.readString("Settings", "YaxisMax", ""), "0.219999998807907");  // single precision, 15 digits
    EXPECT_EQ(file.readString("Settings", "QRBaddr", ""), "01");
    EXPECT_EQ(file.readInteger("Settings", "CaliRadioBtn", 0), 4);
}

TEST_F(StartWith, ClosingDuringAChainStopsItFirst) {
    auto rig = start("");
    rig->form->GetWfPBClick();
    rig->test.clock.advance(150);
    ASSERT_FALSE(rig->form->StateMachine().IsIdle());
    rig->Close();
    EXPECT_TRUE(rig->form->StateMachine().IsIdle());
    EXPECT_FALSE(rig->form->DataObject().Busy());
    rig->test.clock.advance(60000);  // nothing of the chain happens any more
    EXPECT_TRUE(rig->test.dialogs.texts().empty());
}

using Window = WindowTest;

TEST_F(Window, InstrumentFormattingMarksTheSettingsChanged) {
    ASSERT_TRUE(form.Settings().UpdateSettings());
    EXPECT_FALSE(form.Settings().SettingsChanged);
    form.GetWfPBClick();  // DUMP reports "0.00" where "0.0" was typed
    ASSERT_TRUE(rig.RunChain());
    EXPECT_EQ(form.SettingText(TagStart), "0.00");
    EXPECT_TRUE(form.Settings().SettingsChanged);
}

TEST_F(Window, KeysTypedIntoTheEditsPassTheFilter) {
    QLineEdit* vp = form.EditOf(TagVp);
    vp->setFocus();
    vp->setText("1.00");
    vp->setCursorPosition(4);
    rig.test.tones.clear();
    QTest::keyClick(vp, Qt::Key_5);  // a third decimal
    QTest::keyClick(vp, Qt::Key_A);
    QTest::keyClick(vp, Qt::Key_V, Qt::ControlModifier);  // paste
    EXPECT_EQ(vp->text(), "1.00");
    EXPECT_EQ(rig.test.tones.messageBeeps, (std::vector<unsigned>(3, RefusedKeyBeep)));
    QTest::keyClick(vp, Qt::Key_Backspace);
    QTest::keyClick(vp, Qt::Key_7);
    EXPECT_EQ(vp->text(), "1.07");

    QLineEdit* start = form.EditOf(TagStart);
    start->setText("5");
    start->setCursorPosition(1);
    QTest::keyClick(start, Qt::Key_Minus);
    EXPECT_EQ(start->text(), "-5");
    QTest::keyClick(start, Qt::Key_Minus);
    EXPECT_EQ(start->text(), "-5");
    QTest::keyClick(vp, Qt::Key_Minus);
    EXPECT_EQ(vp->text(), "1.07");
}

TEST_F(Window, BusySwitchesCoverExactlyTheirControlsAndMenus) {
    form.SetEnable(false);
    form.EnableMenuItems(false);
    for (const char* name : {"Cable_VpEd", "WFavgEd", "WFpointsEd", "WinStartEd", "WinLgtEd", "ProbeLgtEd",
                             "ProbeOffsetEd", "GetWfPB", "OverlayCap", "cbOLvisible", "AxisRangeChg", "CalcBulkEC", "CalcWC"})
        EXPECT_FALSE(form.findChild<QWidget*>(name)->isEnabled()) << name;
    EXPECT_TRUE(form.findChild<QCheckBox*>("cbContUpdate")->isEnabled());
    for (const char* name : {"SaveBWF", "RestWF", "SaveAWF", "SaveMuxSetup", "RestoreMuxSetup", "PrintGraph"})
        EXPECT_FALSE(form.findChild<QAction*>(name)->isEnabled()) << name;
    for (const char* name : {"SettingsMenu", "OptionsMenu", "HelpMenu", "Advanced"})
        EXPECT_FALSE(form.findChild<QMenu*>(name)->menuAction()->isEnabled()) << name;
    EXPECT_TRUE(form.findChild<QMenu*>("FileMenu")->menuAction()->isEnabled());
    EXPECT_TRUE(form.findChild<QAction*>("ExitApp")->isEnabled());
    form.EnableMenuItems(true);
    // Enabling is unconditional: the multiplexer setup item comes on even without a setup.
    EXPECT_TRUE(form.findChild<QAction*>("SaveMuxSetup")->isEnabled());
}

TEST_F(Window, MenusCarryTheirCaptionsShortcutsAndHelpContexts) {
    const auto* exit = form.findChild<QAction*>("ExitApp");
    EXPECT_EQ(exit->text(), "E&xit");
    EXPECT_EQ(exit->shortcut(), QKeySequence(Qt::ALT | Qt::Key_F4));
    EXPECT_EQ(exit->property("helpContext").toInt(), 5);
    EXPECT_EQ(form.findChild<QAction*>("CommSetg")->property("helpContext").toInt(), 4);
    EXPECT_EQ(form.findChild<QAction*>("Contents")->property("helpContext").toInt(), 100);
    EXPECT_EQ(form.EditOf(TagProbeOffset)->property("helpContext").toInt(), 17);
    EXPECT_EQ(form.windowTitle(), "WAVIX  -  Version 2.05");
    form.findChild<QAction*>("Index")->trigger();
    form.findChild<QAction*>("Contents")->trigger();
    EXPECT_EQ(rig.test.help.indexKeywords, std::vector<std::string>{""});
    EXPECT_EQ(rig.test.help.contentsShown, 1);
}

TEST_F(Window, HintsOfControlsAppearInTheHintBar) {
    QStatusTipEvent tip(form.findChild<QWidget*>("GetWfPB")->statusTip());
    QApplication::sendEvent(&form, &tip);
    EXPECT_EQ(form.findChild<QLabel*>("HintPanel")->text(), "Acquire waveform from RFX410 and graph.");
}

TEST_F(Window, AdjustAxesRangeNeedsNumbersInStartAndLength) {
    form.EditOf(TagLength)->setText("");
    form.AxisRangeChgClick();
    EXPECT_EQ(messages(), std::vector<std::string>{"'' is not a valid floating point value"});
}

}  // namespace
}  // namespace app::testing
