// The "Dynamic Bar Graphs" dialog: opened on the bar under the pointer, it changes the bars'
// width and that bar's hatch and colour.

#include "dialog_fixture.h"

#include "dynaview/bars/bar_graph.h"
#include "dynaview/frame/object_access.h"
#include "plotbase/operations_window.h"

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include <functional>

namespace dynaview::testing {
namespace {

class BarDialogs : public DynaviewDialogTest {
protected:
    BarDialogs() {
        set = WRDefineDynDataSet("Levels", 4, "m", nullptr, 0);
        const int fills[4] = {0x102030, 0x405060, 0x708090, 0xA0B0C0};
        bars = WRSetBargraph(graph, set, 0.0, 1, 20.0, 80.0, -1.0, fills, nullptr, nullptr);
    }
    BarGraph& record() { return *FindDynObjectOf<BarGraph>(env, graph, bars, BarGraphType); }
    // Opens the editor as a double click at (x, y) of the graph window would.
    int editAt(double x, double y, const std::function<void(QDialog&)>& act) {
        plotbase::Graph* g = env.graph(graph);
        g->pointerX = x;
        g->pointerY = y;
        return editSelected(bars, act);
    }
    int set = 0;
    int bars = 0;
};

TEST_F(BarDialogs, EditsTheBarUnderThePointer) {
    // Bar 3 stands at 60 of 0..100: x = 40 + 0.6 * 320.
    const int result = editAt(232.0, 200.0, [](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Dynamic Bar Graphs");
        for (auto [name, id] : {std::pair{"WidthEd", 1846}, {"HatchStylesCombo", 1260}, {"RedScroll", 1250}, {"GreenScroll", 1251},
                                {"BlueScroll", 1252}, {"RedValue", 1253}, {"GreenValue", 1254}, {"BlueValue", 1255},
                                {"ColourSample", 1090}, {"AlarmAttributesBtn", 1760}, {"OKBtn", 1}, {"CancelBtn", 2}}) {
            QWidget* w = dialog.findChild<QWidget*>(QString::fromLatin1(name));
            ASSERT_NE(w, nullptr) << name;
            EXPECT_EQ(w->property("controlId").toInt(), id) << name;
            EXPECT_FALSE(w->accessibleName().isEmpty()) << name;
        }
        EXPECT_EQ(dialog.findChild<QLabel*>("BarLabel")->text(), "Bar 3 of 4");
        EXPECT_EQ(dialog.findChild<QLineEdit*>("WidthEd")->text(), "19.2000");  // 0.96 of the spacing of 20
        EXPECT_EQ(dialog.findChild<QComboBox*>("HatchStylesCombo")->currentText(), "Solid");
        EXPECT_EQ(dialog.findChild<QScrollBar*>("RedScroll")->value(), 0x70);
        EXPECT_EQ(dialog.findChild<QLabel*>("GreenValue")->text(), "128");
        dialog.findChild<QScrollBar*>("RedScroll")->setValue(255);
        EXPECT_EQ(dialog.findChild<QLabel*>("RedValue")->text(), "255");
        dialog.findChild<QComboBox*>("HatchStylesCombo")->setCurrentIndex(4);
        dialog.findChild<QLineEdit*>("WidthEd")->setText("10");
        dialog.findChild<QPushButton*>("OKBtn")->click();
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(record().fills[2], 0xFF8090u);
    EXPECT_EQ(record().hatches[2], 4);
    EXPECT_EQ(record().fills[1], 0x405060u);  // the others keep theirs
    EXPECT_EQ(record().hatches[1], BarGraph::SolidHatch);
    EXPECT_FLOAT_EQ(record().widthFraction, 0.1f);
}

TEST_F(BarDialogs, AWidthOfNothingIsRefusedAndCancelKeepsEverything) {
    bool stayed = false;
    editAt(50.0, 200.0, [&](QDialog& dialog) {
        dialog.findChild<QLineEdit*>("WidthEd")->setText("0");
        dialog.findChild<QPushButton*>("OKBtn")->click();
        stayed = dialog.isVisible();
        dialog.findChild<QScrollBar*>("BlueScroll")->setValue(0);
    });
    EXPECT_TRUE(stayed);
    EXPECT_EQ(record().fills[0], 0x102030u);
    EXPECT_FLOAT_EQ(record().widthFraction, 0.192f);
}

}  // namespace
}  // namespace dynaview::testing
