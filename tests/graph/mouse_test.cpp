// The mouse and the keyboard in the graph window.

#include "graph_fixture.h"

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>

namespace graph::testing {
namespace {

class Mouse : public GraphTest {
protected:
    Mouse() {
        gfx.SetValueAxis(-1.0f, 1.0f);
        std::vector<float> level(101, 0.5f);
        gfx.DrawDataArray(101, level, 0.0f, 10.0f);
    }
    QWidget* graphWindow() { return plotbase::WGGetGraphWindow(env(), g()); }
    QWidget* pageWindow() { return plotbase::WGGetPageWindow(env(), h().page); }
    // A point on the 0.5 trace of the 472 x 318 page (graph window coordinates).
    QPoint onTrace() {
        const auto s = *plotbase::WGGetScaling(env(), g());
        return QPointF(s.deviceX(5.0), s.deviceY(0.5)).toPoint();
    }

    struct Seen {
        bool shown = false;
        QString title;
        bool graphEnabled = true;
        bool pageEnabled = true;
        bool dialogEnabled = false;
        int highlighted = 0;
    };
    // Records what is true while the editor is up, then cancels it.
    Seen whileEditorOpen(std::function<void()> open) {
        Seen seen;
        // A timer of this scope: when no editor opens it must not fire in a later test.
        QTimer timer;
        timer.setSingleShot(true);
        QObject::connect(&timer, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog) return;
            seen.shown = true;
            seen.title = dialog->windowTitle();
            seen.graphEnabled = graphWindow()->isEnabled();
            seen.pageEnabled = pageWindow()->isEnabled();
            seen.dialogEnabled = dialog->isEnabled();
            seen.highlighted = env().graph(g())->highlighted;
            dialog->reject();
        });
        timer.start(0);
        open();
        return seen;
    }
};

TEST_F(Mouse, AClickSelectsTheObjectUnderThePointer) {
    QTest::mouseClick(graphWindow(), Qt::LeftButton, {}, onTrace());
    EXPECT_EQ(plotbase::WGGetSelObject(env(), g()), h().mainPlot);
    QTest::mouseClick(graphWindow(), Qt::LeftButton, {}, onTrace() + QPoint(0, 40));
    EXPECT_EQ(plotbase::WGGetSelObject(env(), g()), 0);
}

TEST_F(Mouse, ADoubleClickEditsTheObjectWithTheGraphStillBehindTheEditor) {
    const Seen seen = whileEditorOpen([&] { QTest::mouseDClick(graphWindow(), Qt::LeftButton, {}, onTrace()); });
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.title, "Edit Line Plot");
    EXPECT_FALSE(seen.graphEnabled);
    EXPECT_FALSE(seen.pageEnabled);
    EXPECT_TRUE(seen.dialogEnabled);
    EXPECT_EQ(seen.highlighted, h().mainPlot);
    EXPECT_TRUE(graphWindow()->isEnabled());
    EXPECT_TRUE(pageWindow()->isEnabled());
    EXPECT_EQ(env().graph(g())->highlighted, 0);
}

TEST_F(Mouse, ADoubleClickOnNothingOpensNothing) {
    const Seen seen = whileEditorOpen([&] { QTest::mouseDClick(graphWindow(), Qt::LeftButton, {}, onTrace() + QPoint(0, 40)); });
    EXPECT_FALSE(seen.shown);
}

TEST_F(Mouse, TheKeyboardSelectsAndEditsToo) {
    QTest::keyClick(graphWindow(), Qt::Key_Space);
    const int first = plotbase::WGGetSelObject(env(), g());
    EXPECT_EQ(first, h().xAxis);  // the empty annotation texts are skipped
    EXPECT_EQ(env().graph(g())->highlighted, first);
    const Seen seen = whileEditorOpen([&] { QTest::keyClick(graphWindow(), Qt::Key_Return); });
    EXPECT_TRUE(seen.shown);
    EXPECT_EQ(seen.title, "Edit Horizontal Axis");
    QTest::keyClick(graphWindow(), Qt::Key_Space);
    QTest::keyClick(graphWindow(), Qt::Key_Escape);
    EXPECT_EQ(env().graph(g())->highlighted, 0);
}

}  // namespace
}  // namespace graph::testing
