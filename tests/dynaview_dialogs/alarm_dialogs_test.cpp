// The alarm dialogs, opened as an application opens them (the selected object's editor,
// or a dialog by its name) and worked through their controls.

#include "dialog_fixture.h"

#include "dynaview/alarms/alarm_displays.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>

#include <functional>

namespace dynaview::testing {
namespace {

class AlarmDialogs : public DynaviewDialogTest {
protected:
    AlarmDialogs() {
        set = WRDefineDynDataSet("Boiler", 1, "degC", nullptr, 0);
        WRSetAlarm(set, HighAlarm, 80.0, "Hot");
        WRSetSetpoint(set, 55.0);
    }

    static void ok(QDialog& dialog) { control<QPushButton>(dialog, "OKBtn")->click(); }
    // Every control carries its names; those the dialog's template defines carry its identifier.
    static void expectNamed(QDialog& dialog, std::initializer_list<std::pair<const char*, int>> identifiers) {
        for (QWidget* w : dialog.findChildren<QWidget*>()) {
            if (qobject_cast<QLabel*>(w) || w->inherits("QGroupBox") || (!qobject_cast<QAbstractButton*>(w) && !qobject_cast<QLineEdit*>(w) &&
                                                                          !qobject_cast<QComboBox*>(w) && !qobject_cast<QSpinBox*>(w)))
                continue;
            if (w->parent() && (qobject_cast<QComboBox*>(w->parent()) || qobject_cast<QSpinBox*>(w->parent()))) continue;
            EXPECT_FALSE(w->objectName().isEmpty()) << w->metaObject()->className();
            EXPECT_FALSE(w->accessibleName().isEmpty()) << w->objectName().toStdString();
            EXPECT_TRUE(w->property("controlId").isValid()) << w->objectName().toStdString();
        }
        for (const auto& [name, id] : identifiers) {
            QWidget* w = dialog.findChild<QWidget*>(QString::fromLatin1(name));
            ASSERT_NE(w, nullptr) << name;
            EXPECT_EQ(w->property("controlId").toInt(), id) << name;
        }
    }

    int set = 0;
};

TEST_F(AlarmDialogs, AlarmAttributesShowsAndAppliesTheDefinition) {
    calls.clear();
    const DVDialogParam param{graph, 0, set, 0};
    const int result = testsupport::WithModalDialog([&] { return rtDisplayDialogBoxParam(AlarmLimitDlgProc, "AlarmAttrib", nullptr, &param); },
                                  [](QDialog& dialog) {
                                      EXPECT_EQ(dialog.windowTitle(), "Alarm Attributes");
                                      expectNamed(dialog, {{"DataSetName", 1788}, {"HighDefinedCheck", 1780}, {"FailDefinedCheck", 1786},
                                                           {"HighLimitEd", 1763}, {"FailLimitEd", 1769}, {"HighMessageEd", 1773},
                                                           {"SetpointEd", 1762}, {"NormalMessageEd", 1772}, {"DeadBandHighLowEd", 1770},
                                                           {"DeadBandDeviationEd", 1771}, {"GlobalEnableCheck", 1787}, {"OKBtn", 1}, {"CancelBtn", 2}});
                                      EXPECT_EQ(control<QLabel>(dialog, "DataSetName")->text(), "Boiler");
                                      EXPECT_EQ(control<QLineEdit>(dialog, "HighLimitEd")->text(), "80.0000");
                                      EXPECT_TRUE(control<QCheckBox>(dialog, "HighDefinedCheck")->isChecked());
                                      EXPECT_EQ(control<QLineEdit>(dialog, "SetpointEd")->text(), "55.0000");
                                      control<QCheckBox>(dialog, "LowDefinedCheck")->setChecked(true);
                                      control<QLineEdit>(dialog, "LowLimitEd")->setText("12.5");
                                      control<QLineEdit>(dialog, "LowMessageEd")->setText("Cold");
                                      control<QCheckBox>(dialog, "HighDefinedCheck")->setChecked(false);
                                      control<QLineEdit>(dialog, "DeadBandHighLowEd")->setText("1.5");
                                      control<QLineEdit>(dialog, "NormalMessageEd")->setText("Fine");
                                      ok(dialog);
                                  });
    EXPECT_EQ(result, 1);
    const AlarmBlock& block = dataSet(set).alarm;
    EXPECT_TRUE(block.isDefined(LowAlarm));
    EXPECT_FALSE(block.isDefined(HighAlarm));
    EXPECT_EQ(block.limit(LowAlarm).limit, 12.5f);
    EXPECT_EQ(block.limit(LowAlarm).message, "Cold");
    EXPECT_EQ(block.deadBandHighLow, 1.5);
    EXPECT_EQ(block.normalMessage, "Fine");
    EXPECT_TRUE(block.checkOn);
    push(set, 10.0);
    EXPECT_EQ(calls, (std::vector<AlarmCall>{{set, 0, LowAlarm, 10.0, 1}}));
}

TEST_F(AlarmDialogs, ABadNumberIsNamedAndTheDialogStaysOpen) {
    const DVDialogParam param{graph, 0, set, 0};
    bool stayedOpen = false;
    const int result = testsupport::WithModalDialog([&] { return AlarmLimitDlgProc(nullptr, nullptr, &param); }, [&](QDialog& dialog) {
        control<QLineEdit>(dialog, "SetpointEd")->setText("fifty");
        ok(dialog);
        stayedOpen = dialog.isVisible();
    });
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(result, 2);
    ASSERT_EQ(boxTexts().size(), 1u);
    EXPECT_EQ(boxTexts()[0], "Setpoint is not a number.");
    EXPECT_EQ(dataSet(set).alarm.setpoint, 55.0);
}

TEST_F(AlarmDialogs, WithoutTheGlobalEnableTheKindsCannotBeChosen) {
    WREnableAlarmCheck(set, 0);
    testsupport::WithModalDialog([&] {
        const DVDialogParam param{graph, 0, set, 0};
        return AlarmLimitDlgProc("AlarmAttrib", nullptr, &param);
    }, [](QDialog& dialog) {
        auto* enable = control<QCheckBox>(dialog, "GlobalEnableCheck");
        EXPECT_FALSE(enable->isChecked());
        EXPECT_FALSE(control<QCheckBox>(dialog, "RateDefinedCheck")->isEnabled());
        enable->click();
        EXPECT_TRUE(control<QCheckBox>(dialog, "RateDefinedCheck")->isEnabled());
        ok(dialog);
    });
    EXPECT_TRUE(dataSet(set).alarm.checkOn);
}

TEST_F(AlarmDialogs, TheSelectedAlarmLinesOpenTheirDialog) {
    const int lines = WRSetAlarmLines(graph, set, 0, 1, nullptr, nullptr, nullptr, nullptr);
    const int result = editSelected(lines, [](QDialog& dialog) {
        EXPECT_EQ(dialog.objectName(), "AlarmLines");
        EXPECT_EQ(dialog.windowTitle(), "Alarm Lines");
        expectNamed(dialog, {{"AlarmAttributesBtn", 1760}});
        EXPECT_FALSE(control<QCheckBox>(dialog, "HighHighLineCheck")->isChecked());
        control<QCheckBox>(dialog, "HighHighLineCheck")->setChecked(true);
        control<QComboBox>(dialog, "HighColourCombo")->setCurrentIndex(15);
        control<QSpinBox>(dialog, "LowWidthSpin")->setValue(3);
        control<QRadioButton>(dialog, "VerticalRadio")->setChecked(true);
        control<QSpinBox>(dialog, "RefreshPeriodSpin")->setValue(10);
        ok(dialog);
    });
    EXPECT_EQ(result, 1);
    WRSetAlarm(set, HighHighAlarm, 95.0, "Very hot");
    EXPECT_EQ(WRGetAlarmLineState(graph, lines, 3), 1);
    const auto* object = dynamic_cast<const AlarmLines*>(env.graph(graph)->objects.at(lines));
    EXPECT_EQ(object->colours[1], 15);
    EXPECT_EQ(object->widths[2], 3);
    EXPECT_EQ(object->direction, 0);
    EXPECT_EQ(object->period, 10);
}

TEST_F(AlarmDialogs, TheirAlarmAttributesButtonEditsTheDataSetShown) {
    const int marks = WRSetAlarmMarks(graph, set, yAxis, 0, 8, nullptr, 1, nullptr, nullptr);
    std::string nestedTitle;
    editSelected(marks, [&](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Alarm Marks");
        QTimer::singleShot(0, [&] {
            auto* nested = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(nested, nullptr);
            nestedTitle = nested->windowTitle().toStdString();
            control<QLineEdit>(*nested, "SetpointEd")->setText("60");
            ok(*nested);
        });
        control<QPushButton>(dialog, "AlarmAttributesBtn")->click();
        control<QLineEdit>(dialog, "HighNameEd")->setText("HOT");
        control<QRadioButton>(dialog, "OutsideRadio")->setChecked(true);
        ok(dialog);
    });
    EXPECT_EQ(nestedTitle, "Alarm Attributes");
    EXPECT_EQ(dataSet(set).alarm.setpoint, 60.0);
    const auto* object = dynamic_cast<const AlarmMarks*>(env.graph(graph)->objects.at(marks));
    EXPECT_EQ(object->names[1], "HOT");
    EXPECT_EQ(object->position, 1);
}

TEST_F(AlarmDialogs, TheAlarmTextDialogMovesAndRecoloursTheBox) {
    const int text = WRSetAlarmText(graph, set, 0, 10, 10, 30, 10, 0, 1, 7, 0, nullptr, nullptr, 0, 0);
    bool refused = false;
    const int result = editSelected(text, [&](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Alarm Text");
        expectNamed(dialog, {{"LeftEd", 1814}, {"TopEd", 1813}, {"WidthEd", 1812}, {"HeightEd", 1811}, {"BorderCheck", 1810},
                             {"BackgroundCombo", 1050}});
        control<QLineEdit>(dialog, "WidthEd")->setText("0");
        ok(dialog);
        refused = dialog.isVisible();
        control<QLineEdit>(dialog, "WidthEd")->setText("40");
        control<QLineEdit>(dialog, "LeftEd")->setText("50");
        control<QCheckBox>(dialog, "BorderCheck")->setChecked(false);
        control<QComboBox>(dialog, "BackgroundCombo")->setCurrentIndex(0);  // transparent
        control<QComboBox>(dialog, "HighColourCombo")->setCurrentIndex(5);
        ok(dialog);
    });
    EXPECT_TRUE(refused);
    EXPECT_EQ(result, 1);
    const auto* object = dynamic_cast<const AlarmText*>(env.graph(graph)->objects.at(text));
    EXPECT_EQ(object->left, 50.0);
    EXPECT_EQ(object->width, 40.0);
    EXPECT_EQ(object->borderPattern, -1);
    EXPECT_EQ(object->background, -1);
    EXPECT_EQ(object->colours[0], 5);
}

TEST_F(AlarmDialogs, PlotbasesOwnObjectsKeepPlotbasesEditor) {
    const int result = editSelected(yAxis, [](QDialog& dialog) { EXPECT_EQ(dialog.objectName(), "ObjectEditorDlg"); });
    EXPECT_EQ(result, 2);
}

}  // namespace
}  // namespace dynaview::testing
