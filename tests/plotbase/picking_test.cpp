// Finding the object under the pointer: what the graph window was told last.

#include "plotbase_fixture.h"

#include <QTest>

namespace plotbase::testing {
namespace {

class Picking : public PlotbaseTest {
protected:
    int pickAt(QPointF at) {
        QTest::mouseMove(WGGetGraphWindow(env, graph), at.toPoint());
        QTest::mousePress(WGGetGraphWindow(env, graph), Qt::LeftButton, {}, at.toPoint());
        QTest::mouseRelease(WGGetGraphWindow(env, graph), Qt::LeftButton, {}, at.toPoint());
        return ObjFind(env, graph);
    }
};

TEST_F(Picking, FindsTheObjectUnderThePointerAndSelectsIt) {
    const int plot = plotOf({0, 100}, {-0.5, 0.5}, 14);
    const int cursor = WGSetDataCursor(env, graph, xAxis, yAxis, 10);
    WGMoveDataCursor(env, graph, cursor, 80.0, 1.0, true);
    const int text = WGTextNorm(env, graph, "Label", 0.5, 0.05, AlignCentre + AlignTop, 0);
    const Scaling s = scaling();

    EXPECT_EQ(pickAt({s.deviceX(25.0), s.deviceY(-0.25) + 2}), plot);
    EXPECT_EQ(WGGetSelObject(env, graph), plot);
    EXPECT_EQ(pickAt({s.deviceX(80.0) + 1, s.deviceY(-0.8)}), cursor);
    EXPECT_EQ(pickAt({200, 20}), text);
    EXPECT_EQ(pickAt({s.deviceX(40.0), s.deviceY(-1.0) + 3}), xAxis);
    EXPECT_EQ(pickAt({s.deviceX(0.0) - 3, s.deviceY(0.3)}), yAxis);
    EXPECT_EQ(pickAt({s.deviceX(25.0), s.deviceY(0.6)}), 0);
    EXPECT_EQ(WGGetSelObject(env, graph), 0);
}

TEST_F(Picking, PrefersTheTopmostAndAskslibrariesAboutTheirOwnObjectsFirst) {
    const int lower = plotOf({0, 100}, {0.0, 0.0}, 14);
    const int upper = plotOf({0, 100}, {0.0, 0.0}, 4);
    const QPointF onBoth(scaling().deviceX(50), scaling().deviceY(0));
    EXPECT_EQ(pickAt(onBoth), upper);
    WGDeleteObject(env, graph, upper);
    EXPECT_EQ(pickAt(onBoth), lower);

    struct Dial : GraphObject {
        Dial() : GraphObject(110, 0) {}
    };
    const int dial = WGInsertObject(env, graph, std::make_unique<Dial>());
    env.foreignObjects.hitTest = [](const DrawContext&, const GraphObject&, double x, double) { return x > 150; };
    EXPECT_EQ(pickAt(onBoth), dial);
}

TEST_F(Picking, TheKeyboardSelectsEveryEditableObjectInTurn) {
    const int set = WGDefineDataSet(env, graph, "s", AllocateBlock(2), AllocateBlock(2), 2);
    const int plot = WGLinePlot(env, graph, set);
    const int emptyText = WGTextNorm(env, graph, "", 0.5, 0.5, 0, 0);
    const int cursor = WGSetDataCursor(env, graph, xAxis, yAxis, 10);  // not placed yet
    EXPECT_EQ(WGSelectNextObject(env, graph), xAxis);
    EXPECT_EQ(WGSelectNextObject(env, graph), yAxis);
    EXPECT_EQ(WGSelectNextObject(env, graph), plot);  // data sets, empty texts, unplaced cursors skipped
    EXPECT_EQ(WGSelectNextObject(env, graph), xAxis);
    (void)emptyText;
    (void)cursor;
}

}  // namespace
}  // namespace plotbase::testing
