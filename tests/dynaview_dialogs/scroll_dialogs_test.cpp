// The scrolling graphs' dialogs, opened as the selected object's editor and worked through
// their controls.

#include "dialog_fixture.h"

#include "dynaview/scroll/scroll_graph.h"

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include <functional>

namespace dynaview::testing {
namespace {

class ScrollDialogs : public DynaviewDialogTest {
protected:
    ScrollDialogs() { set = WRDefineDynDataSet("Flow", 2, nullptr, nullptr, 0); }

    scroll::ScrollGraph& object(int index) { return *dynamic_cast<scroll::ScrollGraph*>(env.graph(graph)->objects.at(index)); }
    int set = 0;
};

TEST_F(ScrollDialogs, ScrollingGraphChangesIntervalResetStyleAndTraces) {
    const int g = WRSetScrollGraph(graph, set, 1.0, 0.5, 1, 0, nullptr, nullptr, nullptr);
    const int result = editSelected(g, [](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Scrolling Graph");
        EXPECT_EQ(control<QLineEdit>(dialog, "IntervalEd")->property("controlId").toInt(), 2101);
        control<QLineEdit>(dialog, "IntervalEd")->setText("2");
        control<QLineEdit>(dialog, "ResetEd")->setText("0.25");
        control<QRadioButton>(dialog, "StepEndRadio")->setChecked(true);
        control<QSpinBox>(dialog, "Trace2WidthSpin")->setValue(3);
        control<QComboBox>(dialog, "Trace2ColourCombo")->setCurrentIndex(12);
        control<QPushButton>(dialog, "OKBtn")->click();
    });
    EXPECT_EQ(result, 1);
    double interval = 0, reset = 0;
    int style = 0;
    WRGetScrollGraphParams(graph, g, &interval, &reset, &style);
    EXPECT_EQ(interval, 2.0);
    EXPECT_NEAR(reset, 0.25, 1e-6);
    EXPECT_EQ(style, 2);
    EXPECT_EQ(object(g).points(), 51);
    EXPECT_EQ(object(g).params.widths[1], 3);
    EXPECT_EQ(object(g).params.colours[1], 12);
}

TEST_F(ScrollDialogs, ARefusedIntervalKeepsTheDialogOpenAndCancelChangesNothing) {
    const int g = WRSetScrollGraph(graph, set, 1.0, 0.5, 1, 0, nullptr, nullptr, nullptr);
    const int result = editSelected(g, [](QDialog& dialog) {
        control<QLineEdit>(dialog, "IntervalEd")->setText("0");
        control<QPushButton>(dialog, "OKBtn")->click();
        EXPECT_TRUE(dialog.isVisible());
        control<QPushButton>(dialog, "CancelBtn")->click();
    });
    EXPECT_EQ(result, 2);
    double interval = 0;
    WRGetScrollGraphParams(graph, g, &interval, nullptr, nullptr);
    EXPECT_EQ(interval, 1.0);
}

TEST_F(ScrollDialogs, EachSubtypeGetsItsOwnDialog) {
    const int bars = WRSetScrollBargraph(graph, set, 1, 1.0, 0.5, 1, 0.6, -1, 4);
    EXPECT_EQ(editSelected(bars, [](QDialog& dialog) {
                  EXPECT_EQ(dialog.windowTitle(), "Scrolling Bars");
                  control<QLineEdit>(dialog, "BarWidthEd")->setText("0.8");
                  control<QComboBox>(dialog, "HatchCombo")->setCurrentIndex(5);
                  control<QSpinBox>(dialog, "ChannelSpin")->setValue(0);
                  control<QPushButton>(dialog, "OKBtn")->click();
              }),
              1);
    EXPECT_DOUBLE_EQ(object(bars).params.barWidth, 0.8);
    EXPECT_EQ(object(bars).params.hatchStyle, 4);
    EXPECT_EQ(object(bars).params.barChannel, 0);

    const int logic = WRSetLogicGraph(graph, set, 1.0, 0.5, 1, 0, nullptr, nullptr, nullptr);
    EXPECT_EQ(editSelected(logic, [](QDialog& dialog) {
                  EXPECT_EQ(dialog.windowTitle(), "Logic Graph Parameters");
                  control<QLineEdit>(dialog, "Trace1TagEd")->setText("Pump");
                  control<QPushButton>(dialog, "OKBtn")->click();
              }),
              1);
    EXPECT_EQ(object(logic).logicTags[0], "Pump");

    const int stacked = WRSetStackedGraph(graph, set, 1.0, 0.5, 1, 0, nullptr, nullptr, nullptr);
    editSelected(stacked, [](QDialog& dialog) { EXPECT_EQ(dialog.windowTitle(), "Logic Graph Parameters"); });

    const int xy = WRSetXYGraph(graph, set, 40, nullptr, nullptr, nullptr);
    editSelected(xy, [](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "XY Plot Parameters");
        EXPECT_EQ(dialog.findChild<QLineEdit*>(QStringLiteral("IntervalEd")), nullptr);
        EXPECT_NE(dialog.findChild<QComboBox*>(QStringLiteral("Trace1ColourCombo")), nullptr);
    });

    const int sweep = WRSetSweepGraph(graph, set, 1.0, 1, 0, 2, nullptr, nullptr, nullptr);
    editSelected(sweep, [](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Scrolling Graph");
        EXPECT_EQ(dialog.findChild<QLineEdit*>(QStringLiteral("ResetEd")), nullptr);  // a sweep has no reset
    });
    // A dialog procedure asked for another kind of object refuses it.
    const DVDialogParam param{graph, bars, set, 0};
    EXPECT_EQ(ScrollGraphDlgProc("SCROLLG", nullptr, &param), 0);
    EXPECT_EQ(lastErrorCode(), plotbase::WrongObjectType);
}

}  // namespace
}  // namespace dynaview::testing
