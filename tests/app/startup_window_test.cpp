// Starting and closing the main window: what it reads, opens and sends, what it writes
// back, and the enable rules of its controls and menus.

#include "window_fixture.h"

#include "analysis/dialogs/calibration_dialog.h"
#include "link/dialogs/comm_settings_dialog.h"
#include "platform/profile_file.h"
#include "platform/qt/result_label.h"

#include <QCheckBox>
#include <QClipboard>
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

TEST_F(StartWith, StoredCalibrationChoiceZeroChecksNoButtonAndUsesLedieu) {
    auto rig = start("[Settings]\r\nCaliRadioBtn=0\r\n");
    EXPECT_EQ(rig->dialogs.caliDlg->CheckedButton(), 0);
    EXPECT_EQ(rig->dialogs.caliDlg->CaliEquation(), 1);
    rig->Close();
    EXPECT_EQ(ini().readInteger("Settings", "CaliRadioBtn", 0), 1);  // none checked is written as 1
}

TEST_F(StartWith, TextsTheProgramSetsAreKeptWholeAndOnlyTypingIsLimited) {
    auto rig = start("[Settings]\r\nSrtEd=-1234.567\r\nPLgtEd=0.30000001\r\n");
    TMain_Form& form = *rig->form;
    EXPECT_EQ(form.SettingText(TagStart), "-1234.567");
    EXPECT_EQ(form.SettingText(TagProbeLength), "0.30000001");

    // What the instrument reports is shown whole too.
    form.DataObject().Settings.WinLgt = 12345.67f;
    form.Settings().UpdateDisplay();
    EXPECT_EQ(form.SettingText(TagLength), "12345.67");

    // Typing stops at seven characters; deleting and typing over a selection still work.
    QLineEdit* points = form.EditOf(TagPoints);
    points->setText("");
    QTest::keyClicks(points, "123456789");
    EXPECT_EQ(points->text(), "1234567");
    QLineEdit* length = form.EditOf(TagLength);
    length->setCursorPosition(2);
    QTest::keyClick(length, Qt::Key_1);
    EXPECT_EQ(length->text(), "12345.67");
    length->setSelection(0, 2);
    QTest::keyClick(length, Qt::Key_9);
    EXPECT_EQ(length->text(), "9345.67");
    EXPECT_TRUE(rig->test.tones.messageBeeps.empty());  // a full edit refuses silently
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

TEST_F(Window, DeleteRemovesTheCharacterAfterTheCaretAndPastingIsRefused) {
    QLineEdit* length = form.EditOf(TagLength);
    length->setFocus();
    length->setText("50.25");
    length->setCursorPosition(2);
    rig.test.tones.clear();
    // Under X11 and Wayland the Delete key arrives with the text "\x7f".
    QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, QStringLiteral("\x7f"));
    QApplication::sendEvent(length, &del);
    EXPECT_EQ(length->text(), "5025");
    EXPECT_TRUE(rig.test.tones.messageBeeps.empty());

    QApplication::clipboard()->setText("abc");
    QTest::keyClick(length, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(length->text(), "5025");
    EXPECT_EQ(rig.test.tones.messageBeeps, std::vector<unsigned>{RefusedKeyBeep});
}

TEST_F(Window, SettingsHintsGoToTheHintBarOnly) {
    for (const SettingEdit& e : SettingEdits()) {
        QLineEdit* edit = form.EditOf(e.tag);
        EXPECT_EQ(edit->statusTip(), e.hint) << e.objectName;
        EXPECT_TRUE(edit->toolTip().isEmpty()) << e.objectName;
    }
    QStatusTipEvent tip(form.EditOf(TagVp)->statusTip());
    QApplication::sendEvent(&form, &tip);
    EXPECT_EQ(form.findChild<QLabel*>("HintPanel")->text(), Edit(TagVp).hint);
}

TEST_F(Window, ResultFieldsKeepTheirNamesAndExposeTheValueShown) {
    for (const auto& [name, accessible] : {std::pair{"stVWC", "Water Content Result"}, std::pair{"stBulkEC", "Bulk EC Result"}}) {
        auto* label = dynamic_cast<platform::ResultLabel*>(form.findChild<QLabel*>(name));
        ASSERT_NE(label, nullptr) << name;
        label->setText("   0.234");
        EXPECT_EQ(label->text(), "   0.234");
        EXPECT_EQ(label->accessibleName(), accessible);
        EXPECT_EQ(label->accessibleDescription(), "   0.234");
        label->clear();
        EXPECT_EQ(label->accessibleName(), accessible);
        EXPECT_TRUE(label->accessibleDescription().isEmpty());
    }
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
