// The graph window's picture: what an object draws a little at a time is copied to the
// screen without drawing the graph again, and anything else that asks for a repaint gets
// the whole graph drawn afresh from the objects' state.

#include "plotbase_fixture.h"
#include "plotbase/graph_widget.h"

#include <QPaintEvent>
#include <QPainter>
#include <QTest>

namespace plotbase::testing {
namespace {

struct Marker : GraphObject {
    Marker() : GraphObject(120, 0) {}
};

class PaintRecorder : public QObject {
public:
    std::vector<QRegion> regions;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) regions.push_back(static_cast<QPaintEvent*>(event)->region());
        return false;
    }
};

class WindowPicture : public PlotbaseTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
        window()->repaint();
        window()->installEventFilter(&paints);
        marker = WGInsertObject(env, graph, std::make_unique<Marker>());
    }
    GraphWidget* window() { return static_cast<GraphWidget*>(WGGetGraphWindow(env, graph)); }
    QColor pictureAt(int x, int y) { return window()->picture().pixelColor(x, y); }
    bool drawRedSquare() {
        return WGDrawInWindow(env, graph, marker, [](QPainter& painter, const DrawContext& context) {
            EXPECT_NEAR(context.scaling.deviceX(100.0), 360.0, 0.5);  // the graph's scaling
            const QRectF square(50, 50, 10, 10);
            painter.fillRect(square, Qt::red);
            return square;
        });
    }

    PaintRecorder paints;
    int marker = 0;
};

TEST_F(WindowPicture, AnIncrementRepaintsOnlyItsRectangleWithoutDrawingTheGraphAgain) {
    const int fullPaints = window()->fullPaintCount();
    ASSERT_TRUE(drawRedSquare());
    QCoreApplication::processEvents();
    ASSERT_FALSE(paints.regions.empty());
    EXPECT_EQ(paints.regions.back().boundingRect(), QRect(50, 50, 10, 10));
    EXPECT_EQ(window()->fullPaintCount(), fullPaints);
    EXPECT_EQ(pictureAt(55, 55), QColor(Qt::red));
}

TEST_F(WindowPicture, AnyOtherRepaintDrawsTheWholeGraphFromItsObjects) {
    const int fullPaints = window()->fullPaintCount();
    ASSERT_TRUE(drawRedSquare());
    WGRedrawObject(env, graph, 0, 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(window()->fullPaintCount(), fullPaints + 1);
    EXPECT_EQ(pictureAt(55, 55), QColor(Qt::white));  // the square was never part of an object

    // A plain repaint request from outside plotbase (an expose, say) draws afresh too.
    ASSERT_TRUE(drawRedSquare());
    window()->update(QRect(0, 0, 20, 20));
    QCoreApplication::processEvents();
    EXPECT_EQ(window()->fullPaintCount(), fullPaints + 2);
}

TEST_F(WindowPicture, NothingIsDrawnWhileTheWindowHasNoCurrentPicture) {
    WGRedrawObject(env, graph, 0, 0);  // a full repaint is pending
    EXPECT_FALSE(drawRedSquare());
    QCoreApplication::processEvents();
    EXPECT_TRUE(WGWindowPictureCurrent(env, graph));
    host.hide();
    EXPECT_FALSE(WGWindowPictureCurrent(env, graph));
    EXPECT_FALSE(drawRedSquare());
    EXPECT_FALSE(WGDrawInWindow(env, graph, marker + 1, [](QPainter&, const DrawContext&) { return QRectF(); }));
}

TEST_F(WindowPicture, ThinObjectsOfALibraryAreFoundOnlyWhereNothingElseIs) {
    env.foreignObjects.lateHitTest = [](const DrawContext&, const GraphObject&, double, double) { return true; };
    const Scaling s = scaling();
    auto pickAt = [&](QPointF at) {
        QTest::mouseClick(window(), Qt::LeftButton, {}, at.toPoint());
        return ObjFind(env, graph);
    };
    EXPECT_EQ(pickAt({s.deviceX(40.0), s.deviceY(-1.0) + 3}), xAxis);
    EXPECT_EQ(pickAt({s.deviceX(40.0), s.deviceY(0.5)}), marker);
}

TEST_F(WindowPicture, ALibrarysOwnErrorIsRecordedWithoutABox) {
    EXPECT_EQ(RecordError(env, 135, "Range is too large"), 135);
    EXPECT_EQ(env.lastError.code, 135);
    EXPECT_EQ(env.lastError.text, "Range is too large");
    EXPECT_TRUE(dialogs.records.empty());
}

}  // namespace
}  // namespace plotbase::testing
