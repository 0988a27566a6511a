// The calibration dialog as the user drives it: choosing, typing, OK and Cancel, help,
// and its state in the settings file.

#include "analysis/dialogs/calibration_dialog.h"

#include "platform/doubles/test_platform.h"

#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QKeyEvent>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace analysis {
namespace {

class CalibrationDialog : public ::testing::Test {
protected:
    void SetUp() override {
        dir = std::filesystem::temp_directory_path() /
              ("wavix_calidlg_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    QLineEdit* edit(const char* name) { return dialog.findChild<QLineEdit*>(name); }
    QRadioButton* radio(const char* name) { return dialog.findChild<QRadioButton*>(name); }
    void click(const char* button) { QTest::mouseClick(dialog.findChild<QAbstractButton*>(button), Qt::LeftButton); }
    platform::ProfileFile settingsFile(const std::string& contents) {
        std::ofstream(dir / "RFX410.INI") << contents;
        return platform::ProfileFile(dir / "RFX410.INI");
    }

    std::filesystem::path dir;
    platform::TestPlatform test;
    platform::Platform services = test.platform();
    TCaliDlgForm dialog{services};
};

TEST_F(CalibrationDialog, ControlsCarryTheirNamesCaptionsAndLimits) {
    EXPECT_EQ(dialog.windowTitle(), "Conversion from Dielectric Constant to Volumetric Water Content");
    EXPECT_EQ(dialog.property("helpContext").toInt(), 9);
    EXPECT_EQ(dialog.findChild<QGroupBox*>("LedieuGB")->title(), " X = SquareRoot(Apparent Dielectric Constant) = La/L");
    EXPECT_EQ(dialog.findChild<QGroupBox*>("ToppGB")->title(), " X = Apparent Dielectric Constant = (La/L)^2");
    EXPECT_EQ(radio("LedieuRB")->text(), "Ledieu  0.1138 X  -0.1758");
    EXPECT_EQ(radio("ToppRB")->text(), "Topp = 0.0000043 X^3  -0.00055 X^2  +0.0292 X  -0.053");
    for (const char* name : {"LedieuUDRB", "LedieuUD2RB", "ToppUDRB"}) EXPECT_EQ(radio(name)->text(), "User Defined");
    for (const auto& entry : CoefficientEdits()) {
        QLineEdit* e = edit(entry.name);
        ASSERT_NE(e, nullptr) << entry.name;
        EXPECT_EQ(e->contextMenuPolicy(), Qt::NoContextMenu) << entry.name;  // no paste around the key filter
        EXPECT_FALSE(e->acceptDrops()) << entry.name;
        EXPECT_EQ(e->text().toStdString(), entry.defaultText);
        EXPECT_FALSE(e->accessibleName().isEmpty());
    }
    auto* ok = dialog.findChild<QPushButton*>("OKBtn");
    EXPECT_TRUE(ok->isDefault());
    EXPECT_EQ(ok->accessibleName(), "OK");
    EXPECT_EQ(dialog.CheckedButton(), 0);
}

TEST_F(CalibrationDialog, OkWithNothingCheckedSelectsLedieu) {
    dialog.ReadSettings(settingsFile("[Settings]\r\nCaliRadioBtn=9\r\n"));
    EXPECT_EQ(dialog.CaliEquation(), 9);
    EXPECT_FALSE(dialog.Evaluate(2));
    dialog.show();
    click("OKBtn");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.CaliEquation(), LedieuFixed);
    EXPECT_TRUE(radio("LedieuRB")->isChecked());
    EXPECT_NEAR(*dialog.Evaluate(2), 0.0518, 1e-7);
}

TEST_F(CalibrationDialog, ABadCoefficientStopsOkAndAppliesNothing) {
    dialog.show();
    click("LedieuUD2RB");
    edit("LedieuCoef21")->setText("2");
    edit("LedieuCoef23")->setText("1-2");
    click("OKBtn");
    EXPECT_EQ(test.dialogs.texts(), std::vector<std::string>{"'1-2' is not a valid floating point value"});
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.CaliEquation(), LedieuFixed);
    EXPECT_EQ(dialog.CaliCoef(), CaliCoefficients{});

    edit("LedieuCoef23")->setText("0.5");
    click("OKBtn");
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.CaliEquation(), LedieuPolynomial);
    EXPECT_EQ(dialog.CaliCoef(), (CaliCoefficients{2, 0, 0.5f, 0, 1, 0}));
}

TEST_F(CalibrationDialog, TheFiveButtonsAreOneChoiceAcrossBothGroups) {
    dialog.show();
    click("LedieuUDRB");
    click("ToppUDRB");
    EXPECT_EQ(dialog.CheckedButton(), ToppPolynomial);
    EXPECT_FALSE(radio("LedieuUDRB")->isChecked());
    click("LedieuRB");
    EXPECT_EQ(dialog.CheckedButton(), LedieuFixed);
    EXPECT_FALSE(radio("ToppUDRB")->isChecked());
}

TEST_F(CalibrationDialog, KeyFilterDropsOtherKeysWithAWarningBeep) {
    dialog.show();
    QLineEdit* e = edit("ToppCoef1");
    e->clear();
    QTest::keyClicks(e, "-1a.2.3 x");
    EXPECT_EQ(e->text(), "-1.23");
    EXPECT_EQ(test.tones.messageBeeps, (std::vector<unsigned>(4, platform::Tones::Warning)));
    QTest::keyClick(e, Qt::Key_Backspace);
    QTest::keyClick(e, Qt::Key_Home);
    QTest::keyClick(e, Qt::Key_Delete);
    EXPECT_EQ(e->text(), "1.2");
    // Under X11 and Wayland the Delete key carries the text "\x7f": it still deletes.
    QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, QStringLiteral("\x7f"));
    QApplication::sendEvent(e, &del);
    EXPECT_EQ(e->text(), ".2");
    EXPECT_EQ(test.tones.messageBeeps.size(), 4u);

    // A separator is refused even over a selection that holds the one there.
    e->selectAll();
    QTest::keyClicks(e, ".5");
    EXPECT_EQ(e->text(), "5");
    EXPECT_EQ(test.tones.messageBeeps.size(), 5u);
    // Nine characters can be typed; the tenth is dropped silently.
    QTest::keyClicks(e, "123456789");
    EXPECT_EQ(e->text(), "512345678");
    EXPECT_EQ(test.tones.messageBeeps.size(), 5u);
    // Pasting is refused like the paste character.
    QApplication::clipboard()->setText("99");
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(e->text(), "512345678");
    EXPECT_EQ(test.tones.messageBeeps.size(), 6u);
}

TEST_F(CalibrationDialog, CancelKeepsTheCalibrationAndPutsTheControlsBack) {
    dialog.ReadSettings(settingsFile("[Settings]\r\nCaliRadioBtn=2\r\nLedieuCoef1=2.5\r\n"));
    ASSERT_EQ(dialog.CaliCoef(), (CaliCoefficients{2.5f, 0, 0, 0, 0, 0}));
    dialog.show();
    click("ToppRB");
    edit("LedieuCoef1")->setText("7");
    click("CancelBtn");
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.CaliEquation(), LedieuLinear);
    EXPECT_EQ(dialog.CaliCoef(), (CaliCoefficients{2.5f, 0, 0, 0, 0, 0}));
    EXPECT_EQ(dialog.CheckedButton(), LedieuLinear);
    EXPECT_EQ(edit("LedieuCoef1")->text(), "2.5");

    // Escape cancels the same way.
    dialog.show();
    click("ToppUDRB");
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.CheckedButton(), LedieuLinear);
}

TEST_F(CalibrationDialog, HelpShowsItsTopic) {
    click("HelpBtn");
    EXPECT_EQ(test.help.contexts, std::vector<int>{9});
}

TEST_F(CalibrationDialog, SettingsRoundTripKeepsOddValuesAndReportsBadOnesOnce) {
    dialog.ReadSettings(settingsFile("[Settings]\r\nCaliRadioBtn=3\r\nLedieuCoef21=-0.000012345\r\n"
                                     "LedieuCoef22=abc\r\nToppCoef6=1,5\r\n"));
    EXPECT_EQ(dialog.CaliEquation(), LedieuPolynomial);
    EXPECT_TRUE(radio("LedieuUD2RB")->isChecked());
    EXPECT_EQ(edit("LedieuCoef21")->text(), "-0.000012345");  // longer than typing allows, kept whole
    edit("LedieuCoef21")->setCursorPosition(3);
    QTest::keyClick(edit("LedieuCoef21"), Qt::Key_7);  // and no more can be typed into it
    EXPECT_EQ(edit("LedieuCoef21")->text(), "-0.000012345");
    EXPECT_EQ(edit("LedieuCoef22")->text(), "abc");
    EXPECT_EQ(dialog.CaliCoef(), (CaliCoefficients{-0.000012345f, 0, 0, 0, 1, 0}));
    ASSERT_EQ(test.dialogs.records.size(), 1u);  // only the coefficient in use is reported
    EXPECT_NE(test.dialogs.records[0].text.find("LedieuCoef22: 'abc'"), std::string::npos);

    platform::ProfileFile out(dir / "out.ini");
    ASSERT_TRUE(dialog.WriteSettings(out));
    TCaliDlgForm again(services);
    again.ReadSettings(out);
    EXPECT_EQ(again.Texts(), dialog.Texts());
    EXPECT_EQ(again.CaliEquation(), LedieuPolynomial);
    EXPECT_EQ(out.readString("Settings", "ToppCoef6", ""), "1,5");

    // A stored choice outside 1..5 checks nothing and is written back as 1.
    dialog.ReadSettings(settingsFile("[Settings]\r\nCaliRadioBtn=-4\r\n"));
    EXPECT_EQ(dialog.CaliEquation(), -4);
    EXPECT_EQ(dialog.CheckedButton(), 0);
    ASSERT_TRUE(dialog.WriteSettings(out));
    EXPECT_EQ(out.readInteger("Settings", "CaliRadioBtn", 0), 1);
}

TEST_F(CalibrationDialog, EvaluatesWithTheCalibrationInForce) {
    dialog.show();
    click("ToppRB");
    click("OKBtn");
    EXPECT_NEAR(*dialog.Evaluate(2), 0.0552752, 1e-7);
    dialog.show();
    click("ToppUDRB");
    edit("ToppCoef5")->selectAll();
    QTest::keyClicks(edit("ToppCoef5"), "2");
    QTest::keyClick(edit("ToppCoef5"), Qt::Key_Return);  // the default button
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FLOAT_EQ(*dialog.Evaluate(3), 18.0f);
}

TEST_F(CalibrationDialog, RendersToAPicture) {
    const QString png = QString::fromStdString((dir / "calibration.png").string());
    ASSERT_TRUE(RenderCalibrationDialogScreenshot(png, services));
    const QImage image(png);
    EXPECT_GT(image.width(), image.height());
    EXPECT_GT(image.height(), 150);
}

}  // namespace
}  // namespace analysis
