// The "Meter Parameters" and "Meter Background" dialogs, opened from the selected meter and
// worked through their controls. DYNAVIEW_SAVE_RENDERINGS=1 saves each dialog as
// /tmp/<name>.png.

#include "dialog_fixture.h"

#include "dynaview/meters/dialogs/meter_dialog.h"
#include "dynaview/meters/meter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include <functional>

namespace dynaview::testing {
namespace {

class MeterDialogs : public DynaviewDialogTest {
protected:
    MeterDialogs() {
        set = WRDefineDynDataSet("Tank", 2, "degC", nullptr, 0);
        meter = WRSetMeter(graph, set, 0, 0.0, 100.0, 0.5, 0.6, 0.5, 30, 150, 2, nullptr, 0.1, 10.0, 1, 0, 0, 1, 1, 0, 1.0, nullptr);
    }

    Meter& record() { return *dynamic_cast<Meter*>(env.graph(graph)->objects.at(meter)); }

    int set = 0;
    int meter = 0;
};

TEST_F(MeterDialogs, TheMeterDialogChangesScaleTicksReadoutAndNeedles) {
    ASSERT_GT(meter, 0);
    const int result = editSelected(meter, [&](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Meter Parameters");
        EXPECT_FALSE(control<QLineEdit>(dialog, "CentreValueEd")->isEnabled());  // a needle meter fills nothing
        picture(dialog, "meter_dialog");
        control<QLineEdit>(dialog, "FromEd")->setText("-50");
        control<QLineEdit>(dialog, "ToEd")->setText("150");
        control<QSpinBox>(dialog, "AngleFromSpin")->setValue(0);
        control<QSpinBox>(dialog, "AngleToSpin")->setValue(180);
        control<QLineEdit>(dialog, "TickStepEd")->setText("50");
        control<QCheckBox>(dialog, "ReadoutCheck")->setChecked(false);
        control<QComboBox>(dialog, "NeedleStyleCombo")->setCurrentIndex(4);
        control<QPushButton>(dialog, "OKBtn")->click();
        EXPECT_FALSE(dialog.isVisible());
    });
    EXPECT_EQ(result, 1);
    double from = 0, to = 0;
    ASSERT_EQ(WRGetMeterRange(graph, meter, &from, &to, nullptr), 1);
    EXPECT_EQ(from, -50.0);
    EXPECT_EQ(to, 150.0);
    int angleFrom = 0, angleTo = 0;
    ASSERT_EQ(WRGetMeterAngles(graph, meter, &angleFrom, &angleTo), 1);
    EXPECT_EQ(angleFrom, 0);
    EXPECT_EQ(angleTo, 180);
    EXPECT_EQ(record().tickStep, 50.0);
    EXPECT_FALSE(record().readout);
    EXPECT_EQ(record().needleStyle, 4);
    // The new scale is in use: -50 now sits at the end angle.
    const double values[2] = {-50.0, 0.0};
    WRUpdateData(set, values, 0);
    EXPECT_EQ(record().needles[0].angle, 180);
}

TEST_F(MeterDialogs, AnEmptyRangeOrATooLargeStepKeepsTheDialogOpenAndTheMeterUnchanged) {
    editSelected(meter, [&](QDialog& dialog) {
        control<QLineEdit>(dialog, "ToEd")->setText("0");
        control<QPushButton>(dialog, "OKBtn")->click();
        EXPECT_TRUE(dialog.isVisible());
        control<QLineEdit>(dialog, "ToEd")->setText("100");
        control<QLineEdit>(dialog, "TickStepEd")->setText("500");
        control<QPushButton>(dialog, "OKBtn")->click();
        EXPECT_TRUE(dialog.isVisible());
    });
    EXPECT_EQ(boxTexts().size(), 2u);
    EXPECT_EQ(record().tickStep, 10.0);
    double from = 0, to = 0;
    WRGetMeterRange(graph, meter, &from, &to, nullptr);
    EXPECT_EQ(to, 100.0);
}

TEST_F(MeterDialogs, TheBackgroundDialogSetsFaceAndBorder) {
    MeterBackgroundDialog dialog(env, graph, meter, nullptr);
    EXPECT_EQ(dialog.windowTitle(), "Meter Background");
    picture(dialog, "meter_background_dialog");
    control<QComboBox>(dialog, "BorderStyleCombo")->setCurrentIndex(2);
    control<QLineEdit>(dialog, "WidthEd")->setText("0.8");
    control<QLineEdit>(dialog, "HeightEd")->setText("5");  // beyond the graph four times over
    dialog.OKBtnClick();
    EXPECT_EQ(dialog.result(), 0);
    EXPECT_EQ(record().borderStyle, 0);
    control<QLineEdit>(dialog, "HeightEd")->setText("0.5");
    dialog.OKBtnClick();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(record().borderStyle, 2);
    EXPECT_EQ(record().borderWidthNorm, 0.8);
    // Deleted behind an open dialog: OK changes nothing and closes.
    MeterBackgroundDialog late(env, graph, meter, nullptr);
    ASSERT_EQ(WRDeleteRTObject(graph, meter), 1);
    late.OKBtnClick();
    EXPECT_EQ(late.result(), QDialog::Accepted);
}

}  // namespace
}  // namespace dynaview::testing
