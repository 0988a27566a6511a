// The "Time Axis" and "Time Labels" dialogs, opened as the selected object's editor and
// worked through their controls. DYNAVIEW_SAVE_RENDERINGS=1 saves each dialog as
// /tmp/<its object name>.png.

#include "dialog_fixture.h"

#include "dynaview/timeaxis/time_axis_state.h"
#include "dynaview/timeaxis/time_labels.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include <functional>

namespace dynaview::testing {
namespace {

class TimeDialogs : public DynaviewDialogTest {
protected:
    TimeDialogs() {
        axis = WRDrawTimeAxis(graph, 10.0, 1, 0, 0.0, 1, Seconds);
        labels = WRLabelTimeAxis(graph, axis, 3, HoursMinutesSeconds, -1, 8, 0, 0, 0.0, 0, nullptr);
    }
    static void ok(QDialog& dialog) { control<QPushButton>(dialog, "OKBtn")->click(); }
    const plotbase::Axis& axisObject() { return *env.graph(graph)->objects.as<plotbase::Axis>(axis, plotbase::AxisType); }
    TimeLabels& labelsObject() { return *dynamic_cast<TimeLabels*>(env.graph(graph)->objects.at(labels)); }

    int axis = 0;
    int labels = 0;
};

TEST_F(TimeDialogs, TheTimeAxisDialogEditsRangeTicksUnitAndGrids) {
    const int result = editSelected(axis, [](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Time Axis");
        EXPECT_EQ(control<QComboBox>(dialog, "UnitCombo")->currentText(), "Seconds");
        EXPECT_EQ(control<QPushButton>(dialog, "OKBtn")->property("controlId").toInt(), 1);
        control<QLineEdit>(dialog, "StartEdit")->setText("10");
        control<QLineEdit>(dialog, "RangeEdit")->setText("60");
        control<QLineEdit>(dialog, "TickSpacingEdit")->setText("15");
        control<QSpinBox>(dialog, "MinorTicksSpin")->setValue(2);
        control<QComboBox>(dialog, "UnitCombo")->setCurrentIndex(Minutes);
        control<QCheckBox>(dialog, "MajorGridCheck")->setChecked(true);
        ok(dialog);
    });
    EXPECT_EQ(result, 1);
    const plotbase::Axis& a = axisObject();
    EXPECT_EQ(a.min, 10.0);
    EXPECT_EQ(a.max, 70.0);
    EXPECT_EQ(a.tickSpacing, 15.0);
    EXPECT_EQ(a.tickCount, 2);
    EXPECT_EQ(TimeAxisUnit(env, graph, axis), Minutes);
    EXPECT_EQ(labelsObject().settings.unit, Minutes);  // the labels step in the new unit
    int grids = 0;
    for (int i = 1; i <= env.graph(graph)->objects.size(); ++i)
        if (const auto* grid = env.graph(graph)->objects.as<plotbase::Grid>(i, plotbase::GridType); grid && grid->links[0] == axis) ++grids;
    EXPECT_EQ(grids, 1);
    // Unticked, the grid goes again.
    editSelected(axis, [](QDialog& dialog) {
        EXPECT_TRUE(control<QCheckBox>(dialog, "MajorGridCheck")->isChecked());
        control<QCheckBox>(dialog, "MajorGridCheck")->setChecked(false);
        ok(dialog);
    });
    for (int i = 1; i <= env.graph(graph)->objects.size(); ++i) EXPECT_EQ(env.graph(graph)->objects.as<plotbase::Grid>(i, plotbase::GridType), nullptr);
}

TEST_F(TimeDialogs, ABadNumberKeepsTheTimeAxisDialogOpen) {
    bool stayedOpen = false;
    editSelected(axis, [&](QDialog& dialog) {
        control<QLineEdit>(dialog, "RangeEdit")->setText("a minute");
        ok(dialog);
        stayedOpen = dialog.isVisible();
    });
    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(boxTexts().size(), 1u);
    EXPECT_EQ(boxTexts()[0], "Range is not a number.");
    EXPECT_EQ(axisObject().max, 100.0);
}

TEST_F(TimeDialogs, TheTimeLabelsDialogEditsPositionFormatStartAndLastLabel) {
    WRUpdateTimeLabels(graph, labels, 90.0);  // running: 08:01:30
    const int result = editSelected(labels, [](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Time Labels");
        EXPECT_EQ(control<QSpinBox>(dialog, "HoursSpin")->value(), 8);
        EXPECT_EQ(control<QSpinBox>(dialog, "MinutesSpin")->value(), 1);
        EXPECT_EQ(control<QSpinBox>(dialog, "SecondsSpin")->value(), 30);
        auto* position = control<QComboBox>(dialog, "PositionCombo");
        EXPECT_EQ(position->count(), 4);  // the horizontal positions only
        position->setCurrentIndex(position->findData(6));
        auto* format = control<QComboBox>(dialog, "FormatCombo");
        format->setCurrentIndex(format->findData(HoursMinutes));
        control<QRadioButton>(dialog, "FixedTextRadio")->setChecked(true);
        control<QLineEdit>(dialog, "FixedTextEdit")->setText("now");
        ok(dialog);
    });
    EXPECT_EQ(result, 1);
    const TimeLabels& l = labelsObject();
    EXPECT_EQ(l.position, 6);
    EXPECT_EQ(l.settings.format, HoursMinutes);
    EXPECT_EQ(l.settings.lastLabelMode, LastTickFixedText);
    EXPECT_EQ(l.settings.fixedText, "now");
    EXPECT_EQ(l.settings.start(), 8 * 3600 + 90);  // the start was left alone: it keeps running

    editSelected(labels, [](QDialog& dialog) {
        control<QSpinBox>(dialog, "HoursSpin")->setValue(23);
        control<QRadioButton>(dialog, "LastBlankRadio")->setChecked(true);
        ok(dialog);
    });
    EXPECT_EQ(labelsObject().settings.start(), 23 * 3600 + 90);
    EXPECT_EQ(labelsObject().settings.lastLabelMode, LastTickBlank);
    EXPECT_EQ(labelsObject().settings.fixedText, "");
}

// A label with a mnemonic but no control to move to shows its ampersand.
TEST_F(TimeDialogs, EveryLabelWithAMnemonicLeadsToAControl) {
    for (int object : {axis, labels}) {
        editSelected(object, [](QDialog& dialog) {
            for (const QLabel* label : dialog.findChildren<QLabel*>()) {
                if (!label->text().contains(QLatin1Char('&'))) continue;
                EXPECT_NE(label->buddy(), nullptr) << label->text().toStdString();
            }
            if (dialog.objectName() != QStringLiteral("TimeLabels")) return;
            int starts = 0;
            for (const QLabel* label : dialog.findChildren<QLabel*>()) {
                if (label->text() != QStringLiteral("Start &time")) continue;
                ++starts;
                EXPECT_EQ(label->buddy(), control<QSpinBox>(dialog, "HoursSpin"));
            }
            EXPECT_EQ(starts, 1);
        });
    }
}

TEST_F(TimeDialogs, NumberLabelsTakeTheirPrecisionAndStart) {
    const int numbers = WRLabelTimeAxis(graph, axis, 0, NumberFormat, -1, 0, 0, 0, 2.5, 0, nullptr);
    editSelected(numbers, [](QDialog& dialog) {
        control<QCheckBox>(dialog, "PrecisionCheck")->setChecked(true);
        control<QSpinBox>(dialog, "DecimalsSpin")->setValue(3);
        control<QLineEdit>(dialog, "NumericStartEdit")->setText("100");
        ok(dialog);
    });
    const auto& s = dynamic_cast<TimeLabels*>(env.graph(graph)->objects.at(numbers))->settings;
    EXPECT_TRUE(s.precision);
    EXPECT_EQ(s.decimals, 3);
    EXPECT_EQ(s.start(), 100.0);
}

TEST_F(TimeDialogs, TheProceduresRefuseObjectsOfOtherKinds) {
    const DVDialogParam onAxis{graph, axis, 0, 0};
    EXPECT_EQ(TimeLabelsDlgProc("TimeLabels", nullptr, &onAxis), 0);
    EXPECT_EQ(env.lastError.text, "Invalid record - TimeLabels");
    const DVDialogParam onLabels{graph, labels, 0, 0};
    EXPECT_EQ(TimeAxisDlgProc("TimeAxis", nullptr, &onLabels), 0);
    EXPECT_EQ(lastErrorCode(), plotbase::NoSuchAxis);
    EXPECT_EQ(TimeAxisDlgProc("TimeLabels", nullptr, &onAxis), 0);
}

}  // namespace
}  // namespace dynaview::testing
