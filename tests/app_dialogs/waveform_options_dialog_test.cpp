// "Get Waveform Options": the choice, the gain edit and what OK and Cancel do to the link.

#include "app/dialogs/waveform_options_dialog.h"

#include "platform/doubles/test_platform.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace app {
namespace {

class WaveformOptions : public ::testing::Test {
protected:
    void SetUp() override {
        dialog.SetClearDerivative([this] { ++derivativeCleared; });
        dialog.show();
    }
    void click(const char* name) { QTest::mouseClick(dialog.findChild<QAbstractButton*>(name), Qt::LeftButton); }
    QLineEdit* gain() { return dialog.findChild<QLineEdit*>("DerivGain"); }

    platform::TestPlatform test;
    platform::Platform services = test.platform();
    instrument::TTDRdataObject link{services};
    TAcqWaveForm dialog{link, services};
    int derivativeCleared = 0;
};

TEST_F(WaveformOptions, StartsWithReflectionOnlyAndTheGainDisabled) {
    EXPECT_EQ(dialog.windowTitle(), "Get Waveform Options");
    EXPECT_EQ(dialog.property("helpContext").toInt(), 6);
    EXPECT_EQ(dialog.findChild<QGroupBox*>("WFtype")->title(), "Waveform");
    // The captions as given, with no accelerators beyond those of OK and Cancel.
    EXPECT_EQ(dialog.findChild<QRadioButton*>("ReflectionRB")->text(), "Reflection Waveform");
    EXPECT_EQ(dialog.findChild<QRadioButton*>("ReflDerivRB")->text(), "Reflection and Derivative");
    EXPECT_EQ(dialog.findChild<QLabel*>("DerivGainLbl")->text(), "Derivative Display Gain");
    EXPECT_EQ(dialog.findChild<QPushButton*>("OKBtn")->text(), "&OK");
    EXPECT_EQ(dialog.findChild<QPushButton*>("CancelBtn")->text(), "&Cancel");
    EXPECT_EQ(dialog.findChild<QPushButton*>("HelpBtn")->text(), "Help");
    EXPECT_EQ(dialog.WFtypeIndex(), 0);
    EXPECT_EQ(gain()->text(), "2");
    EXPECT_EQ(gain()->maxLength(), 2);
    EXPECT_EQ(gain()->accessibleName(), "Derivative Display Gain");
    EXPECT_FALSE(gain()->isEnabled());
    EXPECT_FALSE(dialog.findChild<QLabel*>("DerivGainLbl")->isEnabled());
    EXPECT_TRUE(dialog.findChild<QPushButton*>("OKBtn")->isDefault());

    click("ReflDerivRB");
    EXPECT_EQ(dialog.WFtypeIndex(), 1);
    EXPECT_TRUE(gain()->isEnabled());
    EXPECT_TRUE(dialog.findChild<QLabel*>("DerivGainLbl")->isEnabled());
    click("ReflectionRB");
    EXPECT_FALSE(gain()->isEnabled());
}

TEST_F(WaveformOptions, GainTakesOnlyDigitsAndDropsTheRestSilently) {
    click("ReflDerivRB");
    gain()->clear();
    QTest::keyClicks(gain(), "a5-. 9");
    EXPECT_EQ(gain()->text(), "59");
    QTest::keyClick(gain(), Qt::Key_Backspace);
    QTest::keyClicks(gain(), "37");
    EXPECT_EQ(gain()->text(), "53");
    EXPECT_TRUE(test.tones.messageBeeps.empty());
    EXPECT_TRUE(test.tones.beeps.empty());
}

TEST_F(WaveformOptions, OkSetsTheGainAndKeepsTheDerivativeWhenItIsWanted) {
    click("ReflDerivRB");
    gain()->setText("5");
    click("OKBtn");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(link.DerivativeGain, 5.0f);
    EXPECT_EQ(derivativeCleared, 0);
    EXPECT_EQ(dialog.WFtypeIndex(), 1);
}

TEST_F(WaveformOptions, OkWithReflectionOnlyClearsTheDerivativeAndEmptyGainIsZero) {
    gain()->clear();
    click("OKBtn");
    EXPECT_EQ(link.DerivativeGain, 0.0f);
    EXPECT_EQ(derivativeCleared, 1);
}

TEST_F(WaveformOptions, CancelChangesNothing) {
    link.DerivativeGain = 2.0f;
    click("ReflDerivRB");
    gain()->setText("9");
    click("CancelBtn");
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(link.DerivativeGain, 2.0f);
    EXPECT_EQ(derivativeCleared, 0);
    // The controls keep what the user set; the derivative step reads the choice from them.
    EXPECT_EQ(dialog.WFtypeIndex(), 1);
    EXPECT_EQ(dialog.DerivGainText(), "9");
    EXPECT_TRUE(gain()->isEnabled());

    // Escape cancels the same way.
    dialog.show();
    click("ReflectionRB");
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.WFtypeIndex(), 0);
    EXPECT_EQ(derivativeCleared, 0);
}

TEST_F(WaveformOptions, HelpShowsItsTopic) {
    click("HelpBtn");
    EXPECT_EQ(test.help.contexts, std::vector<int>{6});
}

}  // namespace
}  // namespace app
