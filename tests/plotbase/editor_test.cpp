// The object editor: driven through its controls as a user would.

#include "plotbase_fixture.h"
#include "support/modal_dialog.h"

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include <functional>

namespace plotbase::testing {
namespace {

class Editor : public PlotbaseTest {
protected:
    // Opens the editor on the object and lets `act` work the dialog while it is up.
    int edit(int object, const std::function<void(QDialog&)>& act) {
        WGSelectObject(env, graph, object);
        return testsupport::WithModalDialog([this] { return DefEditObject(env, graph); }, act);
    }

    template <typename T>
    static T* control(QDialog& dialog, const char* name) {
        return testsupport::DialogControl<T>(dialog, name);
    }

    static void ok(QDialog& dialog) { control<QPushButton>(dialog, "OKBtn")->click(); }
};

TEST_F(Editor, ChangesAnAxisRangeAndTicks) {
    int rescaled = 0;
    env.rescaleHook = [&](Environment&, int, int axis) { rescaled = axis; };
    const int result = edit(yAxis, [](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Edit Vertical Axis");
        EXPECT_EQ(control<QLineEdit>(dialog, "AxisMinEd")->text(), "-1");
        control<QLineEdit>(dialog, "AxisMinEd")->setText("-2");
        control<QLineEdit>(dialog, "AxisMaxEd")->setText("3");
        control<QLineEdit>(dialog, "TickSpacingEd")->setText("0.25");
        control<QSpinBox>(dialog, "TickCountSpin")->setValue(1);
        control<QComboBox>(dialog, "TickSideCombo")->setCurrentIndex(0);
        ok(dialog);
    });
    EXPECT_EQ(result, 1);
    const auto* axis = WGGetObjectAs<Axis>(env, graph, yAxis);
    EXPECT_EQ(axis->min, -2.0);
    EXPECT_EQ(axis->max, 3.0);
    EXPECT_EQ(axis->tickSpacing, 0.25);
    EXPECT_EQ(axis->tickCount, 1);
    EXPECT_EQ(axis->side, 0);
    EXPECT_EQ(rescaled, yAxis);
}

TEST_F(Editor, NamesABadEntryAndKeepsTheDialogOpenWithNothingChanged) {
    const int result = edit(xAxis, [this](QDialog& dialog) {
        control<QLineEdit>(dialog, "AxisMaxEd")->setText("-5");
        ok(dialog);
        EXPECT_TRUE(dialog.isVisible());
        control<QLineEdit>(dialog, "AxisMaxEd")->setText("abc");
        ok(dialog);
        control<QLineEdit>(dialog, "AxisMaxEd")->setText("50");
        control<QLineEdit>(dialog, "TickSpacingEd")->setText("0");
        ok(dialog);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(WGGetObjectAs<Axis>(env, graph, xAxis)->max, 100.0);
        control<QLineEdit>(dialog, "TickSpacingEd")->setText("5");
        ok(dialog);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(dialogs.texts(), (std::vector<std::string>{"Axis Maximum must be greater than Axis Minimum.",
                                                         "Axis Maximum is not a number.", "Tick Spacing must be greater than 0."}));
    EXPECT_EQ(WGGetObjectAs<Axis>(env, graph, xAxis)->max, 50.0);
}

TEST_F(Editor, ChangesAPlotsLineAndCancelLeavesItAsItWas) {
    const int plot = plotOf({0, 100}, {0, 1}, 14);
    EXPECT_EQ(edit(plot,
                   [](QDialog& dialog) {
                       control<QComboBox>(dialog, "ColourCombo")->setCurrentIndex(4);
                       dialog.reject();
                   }),
              2);
    EXPECT_EQ(WGGetObject(env, graph, plot)->attributes.colour, 14);

    EXPECT_EQ(edit(plot,
                   [](QDialog& dialog) {
                       control<QComboBox>(dialog, "ColourCombo")->setCurrentIndex(4);
                       control<QSpinBox>(dialog, "LineWidthSpin")->setValue(3);
                       control<QComboBox>(dialog, "LinePatternCombo")->setCurrentIndex(DashLine);
                       ok(dialog);
                   }),
              1);
    const auto& attributes = WGGetObject(env, graph, plot)->attributes;
    EXPECT_EQ(attributes.colour, 4);
    EXPECT_EQ(attributes.width, 3);
    EXPECT_EQ(attributes.pattern, DashLine);
}

TEST_F(Editor, ChangesTextsLabelDecimalsAndCursorColours) {
    const int title = WGTitleAxis(env, graph, xAxis, 0, "distance");
    const int labels = WGLabelAxis(env, graph, yAxis, -1);
    const int cursor = WGSetDataCursor(env, graph, xAxis, yAxis, 10);
    edit(title, [](QDialog& dialog) {
        control<QLineEdit>(dialog, "TextEd")->setText("time (ns)");
        ok(dialog);
    });
    edit(labels, [](QDialog& dialog) {
        EXPECT_EQ(control<QSpinBox>(dialog, "DecimalsSpin")->text(), "Automatic");
        control<QSpinBox>(dialog, "DecimalsSpin")->setValue(3);
        ok(dialog);
    });
    edit(cursor, [](QDialog& dialog) {
        control<QComboBox>(dialog, "ColourCombo")->setCurrentIndex(2);
        ok(dialog);
    });
    EXPECT_EQ(WGGetObjectAs<AxisTitle>(env, graph, title)->text, "time (ns)");
    EXPECT_EQ(WGGetObjectAs<AxisLabels>(env, graph, labels)->decimals, 3);
    EXPECT_EQ(WGGetObject(env, graph, cursor)->attributes.colour, 2);
}

TEST_F(Editor, EveryControlHasAnAccessibleName) {
    edit(xAxis, [](QDialog& dialog) {
        EXPECT_FALSE(dialog.accessibleName().isEmpty());
        for (QWidget* widget : dialog.findChildren<QWidget*>()) {
            if (qobject_cast<QLineEdit*>(widget) || qobject_cast<QComboBox*>(widget) || qobject_cast<QSpinBox*>(widget) ||
                qobject_cast<QPushButton*>(widget)) {
                if (widget->parent() != &dialog) continue;  // the spin boxes' inner edits
                EXPECT_FALSE(widget->objectName().isEmpty());
                EXPECT_FALSE(widget->accessibleName().isEmpty()) << widget->objectName().toStdString();
            }
        }
    });
}

TEST_F(Editor, OpensNothingWhenNothingEditableIsSelected) {
    EXPECT_EQ(DefEditObject(env, graph), 0);
    const int set = WGDefineDataSet(env, graph, "s", AllocateBlock(1), AllocateBlock(1), 1);
    WGSelectObject(env, graph, set);
    EXPECT_EQ(DefEditObject(env, graph), 0);
}

}  // namespace
}  // namespace plotbase::testing
