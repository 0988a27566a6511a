// The axis range dialog on the main window: what it accepts and the chain it sends.

#include "window_fixture.h"

#include "graph/axis_range_check.h"
#include "graph/axis_range_dialog.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

namespace app::testing {
namespace {

std::optional<std::string> verdict(const char* xmin, const char* xmax, const char* ymin, const char* ymax) {
    const auto v = graph::CheckAxisRanges({xmin, xmax, ymin, ymax}, platform::Numbers('.'));
    if (v.ranges) return std::nullopt;
    return v.message;
}

TEST(AxisRangeChecks, BoundariesInSinglePrecision) {
    EXPECT_EQ(verdict("-2", "-1.9", "-1", "1"), std::nullopt);
    EXPECT_EQ(verdict("-2.01", "0", "-1", "1"), "X-axis Min value Out of Range( -2 to 10000 )");
    EXPECT_EQ(verdict("10000", "10000.1", "-1", "1"), std::nullopt);
    EXPECT_EQ(verdict("10000.5", "10001", "-1", "1"), "X-axis Min value Out of Range( -2 to 10000 )");
    EXPECT_EQ(verdict("10", "2010", "-1", "1"), std::nullopt);
    EXPECT_EQ(verdict("10", "2010.01", "-1", "1"), "X-axis Max value Out of Range( XaxisMin + 0.1 to XaxisMin + 2000 )");
    EXPECT_EQ(verdict("10", "10.05", "-1", "1"), "X-axis Max value Out of Range( XaxisMin + 0.1 to XaxisMin + 2000 )");
    EXPECT_EQ(verdict("0", "25", "-10", "10"), std::nullopt);
    EXPECT_EQ(verdict("0", "25", "-1", "10.5"), "Graph Window Y-axis Max Out of Range( <= 10 )");
    EXPECT_EQ(verdict("0", "25", "-10.5", "1"), "Graph Window Y-axis Min Out of Range( >= -10 )");
    EXPECT_EQ(verdict("0", "25", "1", "1"), "Graph Window Y-axis Min Out of Range( >= -10 )");
    EXPECT_EQ(verdict("x", "25", "-1", "1"), "X-axis Min value Out of Range( -2 to 10000 )");
}

using AxisRange = WindowTest;

TEST_F(AxisRange, OkAppliesTheRangesAndSendsTheNewWindow) {
    auto& dialog = *rig.dialogs.axisRange;
    dialog.SetXYMaxMin(50.0f, 0.0f, 1.0f, -1.0f);
    dialog.show();
    EXPECT_EQ(dialog.findChild<QLineEdit*>("Xmin")->text(), "0.0000");
    EXPECT_EQ(dialog.findChild<QLineEdit*>("Ymin")->text(), "-1");
    dialog.findChild<QLineEdit*>("Xmin")->setText("5.");  // sent exactly as typed
    dialog.findChild<QLineEdit*>("Xmax")->setText("30");
    dialog.findChild<QLineEdit*>("Ymin")->setText("-0.5");
    dialog.findChild<QLineEdit*>("Ymax")->setText("0.75");
    rig.instrument.clearReceivedCommands();
    dialog.OKbtnClick();
    EXPECT_FALSE(dialog.isVisible());
    const auto y = form.Graph().Gfx().GetValueAxisRange();
    EXPECT_DOUBLE_EQ(y->min, -0.5);
    EXPECT_FLOAT_EQ(form.Graph().Gfx().YaxisMax, 0.75f);
    EXPECT_FALSE(form.EditOf(TagVp)->isEnabled());
    ASSERT_TRUE(rig.RunChain());
    EXPECT_EQ(sent(), (std::vector<std::string>{"SDIS 5.", "SWLN 25.0000", "DUMP"}));
    EXPECT_EQ(form.SettingText(TagStart), "5.00");  // the settings read back
    EXPECT_EQ(form.SettingText(TagLength), "25.00");
    EXPECT_TRUE(form.EditOf(TagVp)->isEnabled());
    EXPECT_TRUE(messages().empty());
}

TEST_F(AxisRange, RefusedValuesKeepTheDialogOpenAndChangeNothing) {
    auto& dialog = *rig.dialogs.axisRange;
    dialog.SetXYMaxMin(50.0f, 0.0f, 1.0f, -1.0f);
    dialog.show();
    dialog.findChild<QLineEdit*>("Ymin")->setText("1");
    rig.instrument.clearReceivedCommands();
    dialog.OKbtnClick();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(messages(), std::vector<std::string>{"Graph Window Y-axis Min Out of Range( >= -10 )"});
    EXPECT_TRUE(form.StateMachine().IsIdle());
    dialog.CancelBtnClick();
    EXPECT_TRUE(sent().empty());
}

TEST_F(AxisRange, KeysTypedIntoTheEdits) {
    auto& dialog = *rig.dialogs.axisRange;
    dialog.SetXYMaxMin(50.0f, 0.0f, 1.0f, -1.0f);
    dialog.show();
    QLineEdit* xmax = dialog.findChild<QLineEdit*>("Xmax");
    xmax->setFocus();
    xmax->setText("50.25");
    xmax->setCursorPosition(0);
    rig.test.tones.clear();

    // Under X11 and Wayland the Delete key arrives with the text "\x7f"; it deletes.
    QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, QStringLiteral("\x7f"));
    QApplication::sendEvent(xmax, &del);
    EXPECT_EQ(xmax->text(), "0.25");
    EXPECT_TRUE(rig.test.tones.beeps.empty());
    EXPECT_TRUE(rig.test.tones.messageBeeps.empty());

    // A second point is refused with the default beep, also typed over the first.
    xmax->setCursorPosition(4);
    QTest::keyClick(xmax, Qt::Key_Period);
    xmax->setSelection(0, 3);
    QTest::keyClick(xmax, Qt::Key_Period);
    EXPECT_EQ(xmax->text(), "0.25");
    EXPECT_EQ(rig.test.tones.messageBeeps, std::vector<unsigned>(2, platform::Tones::Default));
    // Other keys are refused with the 500 Hz tone.
    QTest::keyClick(xmax, Qt::Key_A);
    EXPECT_EQ(xmax->text(), "0.25");
    EXPECT_EQ(rig.test.tones.beeps, (std::vector<platform::ToneRecord>{{500, 500}}));
    QTest::keyClick(xmax, Qt::Key_7);
    EXPECT_EQ(xmax->text(), "75");
    dialog.CancelBtnClick();
}

}  // namespace
}  // namespace app::testing
