// The cell-constant dialog on the main window: its two sizes, its checks, the chain that
// has the instrument measure Kp, and where the accepted Kp is kept.

#include "window_fixture.h"

#include "analysis/dialogs/cell_constant_dialog.h"
#include "platform/profile_file.h"

#include <QLabel>
#include <QTest>
#include <QTimer>

namespace app::testing {
namespace {

class CellConstantDialog : public WindowTest {
protected:
    analysis::TCellConst& dialog() { return *rig.dialogs.cellConst; }
    QLineEdit* edit(const char* name) { return dialog().findChild<QLineEdit*>(name); }
    QPushButton* dialogButton(const char* name) { return dialog().findChild<QPushButton*>(name); }
    platform::ProfileFile ini(const std::string& name) { return platform::ProfileFile(rig.StartDirectory() / name); }
    // Opens the dialog from the menu; `whileOpen` runs once it is up.
    void openFromMenu(std::function<void()> whileOpen) {
        QTimer::singleShot(0, &dialog(), [this, whileOpen] {
            whileOpen();
            if (dialog().isVisible()) dialog().reject();
        });
        form.CalibrationBECClick();
    }
};

TEST_F(CellConstantDialog, OpensSmallWithKpAndGrowsForTheMeasuringProcedure) {
    int collapsed = 0;
    int expanded = 0;
    bool instructionBefore = true;
    openFromMenu([&] {
        collapsed = dialog().height();
        instructionBefore = dialog().findChild<QLabel*>("lblInstruction")->isVisible();
        EXPECT_EQ(edit("CellConstEd")->text(), "1");  // Kp 1.0 in its shortest form
        dialog().CalculateBtnClick();
        expanded = dialog().height();
        EXPECT_TRUE(dialog().findChild<QLabel*>("lblInstruction")->isVisible());
        EXPECT_FALSE(dialogButton("CalculateBtn")->isEnabled());
        EXPECT_TRUE(edit("WaterTempEd")->isVisible());
    });
    EXPECT_EQ(collapsed, 180);
    EXPECT_EQ(expanded, 525);
    EXPECT_FALSE(instructionBefore);
    EXPECT_EQ(dialog().windowTitle(), "Compute Probe Cell Constant");
    EXPECT_EQ(dialog().property("helpContext").toInt(), 8);
    EXPECT_EQ(edit("WaterTempEd")->accessibleName(), "Temperature");
    EXPECT_EQ(edit("CellConstEd")->accessibleName(), "Probe Cell Constant ( Kp )");
    EXPECT_EQ(dialog().findChild<QLabel*>("lblInstruction")->text(), "Compute probe cell constant (Kp) procedure");
    // Shown again, it starts small again.
    openFromMenu([&] { collapsed = dialog().height(); });
    EXPECT_EQ(collapsed, 180);
}

TEST_F(CellConstantDialog, DoItChecksThenHasTheInstrumentMeasureKp) {
    rig.instrument.setWaterTemperature(21.5);
    rig.instrument.clearReceivedCommands();
    dialog().show();
    dialog().CalculateBtnClick();
    // The first failing check speaks; nothing is sent.
    dialog().DoItBtnClick();
    EXPECT_EQ(messages(), std::vector<std::string>{"Value Required for Temperature!"});
    edit("WaterTempEd")->setText("100.1");
    dialog().DoItBtnClick();
    EXPECT_EQ(messages().back(), "Value Out of Range. [ 0 <= Temperature > 100 ]");
    edit("WaterTempEd")->setText("21.5");
    type(TagStart, "-2");
    dialog().DoItBtnClick();
    EXPECT_EQ(messages().back(), "Value Out of Range. [ -2 <= Waveform Start >= 2100 ]");
    type(TagStart, "6");
    type(TagProbeLength, "");
    dialog().DoItBtnClick();
    EXPECT_EQ(messages().back(), "Value Required for Probe Length on main window!");
    rig.test.clock.advance(2000);
    EXPECT_TRUE(sent().empty());

    type(TagProbeLength, "0.15");
    rig.test.dialogs.clear();
    dialog().DoItBtnClick();
    // While the instrument measures: the dialog's buttons are off, the main window stays on.
    for (const char* b : {"OKbtn", "CancelBtn", "HelpBtn", "DoItBtn"}) EXPECT_FALSE(dialogButton(b)->isEnabled()) << b;
    EXPECT_TRUE(button("GetWfPB")->isEnabled());
    dialog().reject();  // Escape does not close it meanwhile
    EXPECT_TRUE(dialog().isVisible());
    ASSERT_TRUE(rig.RunChain());
    EXPECT_EQ(sent(), (std::vector<std::string>{"SDIS 6", "SPRL 0.15", "CCCC 21.5"}));
    EXPECT_EQ(edit("CellConstEd")->text(), "6.0000");  // the probe's own Kp at the water's temperature
    for (const char* b : {"OKbtn", "CancelBtn", "HelpBtn", "DoItBtn"}) EXPECT_TRUE(dialogButton(b)->isEnabled()) << b;
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(rig.test.tones.beeps.back(), (platform::ToneRecord{10000, 50}));

    // A wrong temperature gives a wrong Kp: pure water conducts more when warmer.
    edit("WaterTempEd")->setText("30");
    dialog().DoItBtnClick();
    ASSERT_TRUE(rig.RunChain());
    EXPECT_GT(edit("CellConstEd")->text().toDouble(), 6.5);
    dialog().hide();
}

TEST_F(CellConstantDialog, ChainThatCannotStartGivesTheButtonsBackAndAFailedMeasurementIsReported) {
    dialog().show();
    dialog().CalculateBtnClick();
    edit("WaterTempEd")->setText("20");
    form.GetWfPBClick();  // another chain holds the machine
    dialog().DoItBtnClick();
    EXPECT_EQ(messages(), std::vector<std::string>{"Another Command Currently Active!"});
    EXPECT_TRUE(dialogButton("OKbtn")->isEnabled());
    ASSERT_TRUE(rig.RunChain());

    rig.test.dialogs.clear();
    form.DataObject().ClosePort();
    dialog().DoItBtnClick();
    ASSERT_TRUE(rig.RunChain());
    EXPECT_EQ(messages(), (std::vector<std::string>{"ERROR: Initiating SDIS command = COMM PORT NOT OPEN",
                                                    "Error: Failed to compute cell constant!"}));
    EXPECT_TRUE(dialogButton("OKbtn")->isEnabled());
    dialog().hide();
}

TEST_F(CellConstantDialog, OkTakesKpFromOneToAThousandAndKeepsItInTheSettingsFiles) {
    auto accept = [this](const char* text) {
        openFromMenu([this, text] {
            edit("CellConstEd")->setText(text);
            dialog().OKbtnClick();
        });
    };
    accept("0.99");
    EXPECT_EQ(messages(), std::vector<std::string>{"Value Out of Range!"});
    EXPECT_DOUBLE_EQ(form.CellConstant(), 1.0);  // Cancel after the refusal: nothing changed
    accept("1000.01");
    EXPECT_EQ(messages().back(), "Value Out of Range!");
    accept("");
    EXPECT_EQ(messages().back(), "Value Required for Kp!");
    accept(".");
    EXPECT_EQ(messages().back(), "'.' is not a valid floating point value");

    rig.test.dialogs.clear();
    accept("1000");
    EXPECT_DOUBLE_EQ(form.CellConstant(), 1000.0);
    accept("1");
    EXPECT_DOUBLE_EQ(form.CellConstant(), 1.0);
    accept("2.5");
    EXPECT_TRUE(messages().empty());
    EXPECT_DOUBLE_EQ(form.CellConstant(), 2.5);
    // No probe selected: only the settings file.
    EXPECT_DOUBLE_EQ(ini("RFX410.INI").readFloat("Settings", "CellConst", 0, rig.services.numbers), 2.5);
    EXPECT_FALSE(std::filesystem::exists(rig.StartDirectory() / "?-?-?.INI"));

    // With a probe selected, its own file too.
    form.findChild<QLabel*>("CurMuxAddr")->setText("1-2-3");
    accept("7.25");
    EXPECT_DOUBLE_EQ(ini("1-2-3.INI").readFloat("Settings", "CellConst", 0, rig.services.numbers), 7.25);
    EXPECT_DOUBLE_EQ(ini("RFX410.INI").readFloat("Settings", "CellConst", 0, rig.services.numbers), 7.25);
}

TEST_F(CellConstantDialog, EditsTakeDigitsAndOnePoint) {
    dialog().show();
    dialog().CalculateBtnClick();
    for (const char* name : {"CellConstEd", "WaterTempEd"}) {
        QLineEdit* e = edit(name);
        e->clear();
        e->setFocus();
        QTest::keyClicks(e, "2a.5-.");
        EXPECT_EQ(e->text(), "2.5") << name;
        e->selectAll();  // a point typed over a selection holding the point is refused too
        QTest::keyClick(e, '.');
        EXPECT_EQ(e->text(), "2.5") << name;
        QTest::keyClick(e, Qt::Key_Insert, Qt::ShiftModifier);  // paste: refused
        EXPECT_EQ(e->text(), "2.5") << name;
        QTest::keyClick(e, Qt::Key_Backspace);
        EXPECT_EQ(e->text(), "") << name;
    }
    EXPECT_EQ(rig.test.tones.messageBeeps.size(), 10u);
    dialog().hide();
}

}  // namespace
}  // namespace app::testing
