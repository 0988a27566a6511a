// The "PID Parameters" dialog: what it shows, which entries it takes, what Enter, OK and
// Cancel do to the loop, and the one-dialog rule.

#include "dialog_fixture.h"

#include "dynaview/pid/pid_table.h"

#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

#include <functional>

namespace dynaview::testing {
namespace {

class PidDialogs : public DynaviewDialogTest {
protected:
    PidDialogs() {
        // Gain 2, integral 0.5 per second, derivative 3 s, bias 20, output 0..100 limited to 10..90, dt 0.5 s.
        loop = WRDefinePID(0, 0, "Tank", 60.0, 2.0, 0.5, 3.0, 20.0, 100.0, 0.0, 0.0, 100.0, 90.0, 10.0, 50.0, 0.5, 0.2, 0);
    }
    PidLoop& live() { return PidTable::of(top()).at(loop)->loop; }

    int edit(const std::function<void(QDialog&)>& act) {
        return testsupport::WithModalDialog([this] { return WREditPIDDlg(loop); }, act);
    }
    static QLineEdit* field(QDialog& dialog, const char* name) {
        auto* found = dialog.findChild<QLineEdit*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    static void press(QDialog& dialog, const char* name) { dialog.findChild<QPushButton*>(QString::fromLatin1(name))->click(); }
    static bool accepted(QLineEdit* edit) { return edit->property("accepted").toBool(); }

    int loop = 0;
};

TEST_F(PidDialogs, ShowsTheLoopWithItsControlsNamed) {
    const int result = edit([](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "PID Parameters");
        for (auto [name, id] : {std::pair{"RangeHighEd", 1701}, {"RangeLowEd", 1702}, {"LimitHighEd", 1709}, {"LimitLowEd", 1710},
                                {"OutputEd", 1713}, {"OutputLabel", 1714}, {"AutoCheck", 1715}, {"GainEd", 1704}, {"IntegralEd", 1705},
                                {"DerivativeEd", 1706}, {"BiasEd", 1707}, {"FilterEd", 1716}, {"RateLimitEd", 1712}, {"SetpointEd", 1708},
                                {"EnterBtn", 42}, {"OKBtn", 1}, {"CancelBtn", 2}}) {
            QWidget* w = dialog.findChild<QWidget*>(QString::fromLatin1(name));
            ASSERT_NE(w, nullptr) << name;
            EXPECT_EQ(w->property("controlId").toInt(), id) << name;
            EXPECT_FALSE(w->accessibleName().isEmpty()) << name;
        }
        EXPECT_EQ(field(dialog, "LimitHighEd")->accessibleName(), "Limit High");
        EXPECT_EQ(field(dialog, "RangeHighEd")->text(), "100");
        EXPECT_TRUE(field(dialog, "RangeHighEd")->isReadOnly());
        EXPECT_EQ(field(dialog, "GainEd")->text(), "2");
        EXPECT_EQ(field(dialog, "IntegralEd")->text(), "0.5000");
        EXPECT_EQ(field(dialog, "DerivativeEd")->text(), "3.0000");
        EXPECT_EQ(field(dialog, "SetpointEd")->text(), "60");
        EXPECT_TRUE(dialog.findChild<QCheckBox*>("AutoCheck")->isChecked());
        EXPECT_TRUE(field(dialog, "OutputEd")->text().isEmpty());  // automatic: no output to enter
        EXPECT_FALSE(field(dialog, "OutputEd")->isEnabled());
    });
    EXPECT_EQ(result, 0);  // left without OK
}

TEST_F(PidDialogs, EntriesOutsideTheirRulesAreNotTaken) {
    edit([](QDialog& dialog) {
        QLineEdit* high = field(dialog, "LimitHighEd");
        high->setText("120");  // above the output range
        EXPECT_FALSE(accepted(high));
        high->setText("10");  // not above the limit low
        EXPECT_FALSE(accepted(high));
        high->setText("80");
        EXPECT_TRUE(accepted(high));
        QLineEdit* low = field(dialog, "LimitLowEd");
        low->setText("-1");
        EXPECT_FALSE(accepted(low));
        low->setText("80");  // not below the limit high
        EXPECT_FALSE(accepted(low));
        low->setText("5");
        EXPECT_TRUE(accepted(low));
        QLineEdit* gain = field(dialog, "GainEd");
        gain->setText("-2");
        EXPECT_FALSE(accepted(gain));
        QLineEdit* bias = field(dialog, "BiasEd");
        bias->setText("85");  // above the new limit high of 80
        EXPECT_FALSE(accepted(bias));
        bias->setText("4.5");
        EXPECT_FALSE(accepted(bias));
        bias->setText("30");
        EXPECT_TRUE(accepted(bias));
        QLineEdit* filter = field(dialog, "FilterEd");
        filter->setText("1");
        EXPECT_FALSE(accepted(filter));
        QLineEdit* rate = field(dialog, "RateLimitEd");
        rate->setText("-3");
        EXPECT_FALSE(accepted(rate));
        field(dialog, "SetpointEd")->setText("abc");
        EXPECT_FALSE(accepted(field(dialog, "SetpointEd")));
        press(dialog, "OKBtn");
    });
    EXPECT_EQ(live().limitHigh, 80.0);
    EXPECT_EQ(live().limitLow, 5.0);
    EXPECT_EQ(live().kp, 2.0);
    EXPECT_EQ(live().bias, 30.0);
    EXPECT_EQ(live().filter, 0.2);
    EXPECT_EQ(live().rateLimit, 50.0);
    EXPECT_EQ(live().setpoint, 60.0);
}

TEST_F(PidDialogs, EnterAppliesAndStaysOpenCancelAppliesNothing) {
    bool open = false;
    int result = edit([&](QDialog& dialog) {
        field(dialog, "SetpointEd")->setText("150");  // pinned to the process range when applied
        press(dialog, "EnterBtn");
        open = dialog.isVisible();
        EXPECT_EQ(live().setpoint, 100.0);
        field(dialog, "SetpointEd")->setText("40");
        press(dialog, "CancelBtn");
    });
    EXPECT_TRUE(open);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(live().setpoint, 100.0);
    result = edit([](QDialog& dialog) {
        field(dialog, "SetpointEd")->setText("45.5");
        press(dialog, "OKBtn");
    });
    EXPECT_EQ(result, 1);
    double sp = 0;
    WRGetPIDSetp(loop, &sp);
    EXPECT_EQ(sp, 45.5);
}

TEST_F(PidDialogs, GainAndIntegralKeepTheIntegralActionAndTheFieldsTheirMeaning) {
    live().sum = 100.0;  // Ki = 0.5 * 2 * 0.5 = 0.5: Ki x S = 50
    edit([](QDialog& dialog) {
        field(dialog, "GainEd")->setText("4");
        field(dialog, "IntegralEd")->setText("0.25");
        press(dialog, "OKBtn");
    });
    EXPECT_EQ(live().kp, 4.0);
    EXPECT_DOUBLE_EQ(live().ki, 0.25 * 4.0 * 0.5);
    EXPECT_DOUBLE_EQ(live().kd, 3.0 * 4.0 / 0.5);  // the derivative field still means 3 s
    double g = 0, i = 0, d = 0;
    WRGetPIDConstants(loop, &g, &i, &d);
    EXPECT_DOUBLE_EQ(i, 0.25);
    EXPECT_DOUBLE_EQ(d, 3.0);
}

TEST_F(PidDialogs, WithoutGainTheConversionsShowNothing) {
    WRChangePIDConstants(loop, 0.0, 0.5, 3.0);
    live().sum = 7.0;
    edit([](QDialog& dialog) {
        EXPECT_TRUE(field(dialog, "IntegralEd")->text().isEmpty());
        EXPECT_TRUE(field(dialog, "DerivativeEd")->text().isEmpty());
        press(dialog, "OKBtn");
    });
    EXPECT_EQ(live().sum, 7.0);  // Ki = 0: the sum is kept
    EXPECT_EQ(live().ki, 0.0);
}

TEST_F(PidDialogs, ManualOutputAndBackToAutomatic) {
    live().u = 33.0;
    edit([](QDialog& dialog) {
        auto* automatic = dialog.findChild<QCheckBox*>("AutoCheck");
        automatic->click();
        EXPECT_EQ(field(dialog, "OutputEd")->text(), "33");
        EXPECT_TRUE(field(dialog, "OutputEd")->isEnabled());
        field(dialog, "OutputEd")->setText("55");
        press(dialog, "OKBtn");
    });
    EXPECT_EQ(WRGetPIDAutoState(loop), 0);
    double u = 0;
    WRCalcPID(loop, 10.0, &u);
    EXPECT_EQ(u, 55.0);
    edit([](QDialog& dialog) {
        dialog.findChild<QCheckBox*>("AutoCheck")->click();
        EXPECT_TRUE(field(dialog, "OutputEd")->text().isEmpty());
        press(dialog, "OKBtn");
    });
    EXPECT_EQ(WRGetPIDAutoState(loop), 1);
}

TEST_F(PidDialogs, OnlyOneOpensAndBadLoopsAreRefused) {
    int second = -1;
    edit([&](QDialog&) {
        const DVDialogParam param{0, 0, 0, loop};
        second = PIDDlgProc("PIDDLG", nullptr, &param);
    });
    EXPECT_EQ(second, 2);
    EXPECT_EQ(WREditPIDDlg(0), 0);
    EXPECT_EQ(WREditPIDDlg(128), 0);
    EXPECT_EQ(lastErrorCode(), 18);
    EXPECT_EQ(WREditPIDDlg(9), 0);
    const DVDialogParam empty{0, 0, 0, 9};
    EXPECT_EQ(PIDDlgProc(nullptr, nullptr, &empty), 0);
    EXPECT_EQ(lastErrorCode(), 30);
    // By name, as an application opens any dialog.
    const DVDialogParam param{0, 0, 0, loop};
    EXPECT_EQ(testsupport::WithModalDialog([&] { return rtDisplayDialogBoxParam(PIDDlgProc, "PIDDLG", nullptr, &param); },
                         [](QDialog& dialog) { press(dialog, "OKBtn"); }),
              1);
}

}  // namespace
}  // namespace dynaview::testing
