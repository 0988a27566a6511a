// Scrolling graphs as drawn: the trace through its device points, the incremental picture
// the same as a full paint (also across a jump and a sweep's second pass), and each update
// repainting no more than its segment.

#include "scroll_graph_fixture.h"

#include "plotbase/drawing_tools.h"
#include "plotbase/graph_widget.h"
#include "plotbase/operations_window.h"
#include "tests/plotbase/pixel_probe.h"

#include <QPainter>
#include <QPaintEvent>
#include <QTest>

namespace dynaview::testing {
namespace {

using plotbase::testing::lineCentreInColumn;
using plotbase::testing::pixelsOfColour;

QColor palette(int index) { return plotbase::detail::toQColor(plotbase::Palette[static_cast<std::size_t>(index)]); }

// Collects the rectangles the graph window repaints.
struct PaintRecorder : QObject {
    QRegion painted;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) painted += static_cast<QPaintEvent*>(event)->rect();
        return false;
    }
};

class ScrollDrawing : public ScrollGraphTest {
protected:
    ScrollDrawing() { set = WRDefineDynDataSet("Level", 1, nullptr, nullptr, 0); }
    plotbase::GraphWidget* window() { return static_cast<plotbase::GraphWidget*>(plotbase::WGGetGraphWindow(env, graph)); }
    // The window shows a current picture that updates can draw into.
    void showWindow() {
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
        window()->repaint();
        ASSERT_TRUE(plotbase::WGWindowPictureCurrent(env, graph));
    }
    QImage fullPaint() {
        QImage image(window()->size(), QImage::Format_ARGB32);
        QPainter painter(&image);
        plotbase::ObjectInterpreter(env, graph, painter, QRectF(image.rect()));
        return image;
    }
    // Pixels that differ between the window's picture and a full paint, inside the plot.
    int differences() {
        const QImage full = fullPaint();
        const QImage shown = window()->picture().convertToFormat(QImage::Format_ARGB32);
        int count = 0;
        for (int y = 31; y < 270; ++y)
            for (int x = 41; x < 360; ++x)
                if (full.pixel(x, y) != shown.pixel(x, y)) {
                    ++count;
                    if (qEnvironmentVariableIsSet("SCROLL_DEBUG")) std::printf("diff %d,%d full %08x shown %08x\n", x, y, full.pixel(x, y), shown.pixel(x, y));
                }
        return count;
    }
    void pushAll(const std::vector<double>& values) {
        for (double v : values) push(set, v);
        QCoreApplication::processEvents();
    }
    int set = 0;
    const int red[1] = {4};
};

TEST_F(ScrollDrawing, TheTraceRunsThroughTheDevicePointsOfItsSamples) {
    ASSERT_GT(WRSetScrollGraph(graph, set, 10.0, 0.5, 1, 0, nullptr, nullptr, red), 0);
    pushAll({20.0, 80.0, 50.0, 50.0});
    QImage image(400, 300, QImage::Format_ARGB32);
    plotbase::RenderPage(env, page, image);
    // Halfway along each segment.
    const std::vector<std::pair<double, double>> expected{{5.0, 50.0}, {15.0, 65.0}, {25.0, 50.0}};
    for (const auto& [x, value] : expected) {
        const auto centre = lineCentreInColumn(image, static_cast<int>(deviceX(x)), palette(4), 31, 269);
        ASSERT_TRUE(centre) << x;
        EXPECT_NEAR(*centre, deviceY(value), 2.0) << x;
    }
    // Nothing beyond the newest sample.
    EXPECT_EQ(pixelsOfColour(image, QRect(static_cast<int>(deviceX(30.0)) + 2, 31, 100, 238), palette(4)), 0);
}

TEST_F(ScrollDrawing, EachUpdateRepaintsOnlyTheBoxOfItsNewSegment) {
    const int widths[1] = {3};
    const int g = WRSetScrollGraph(graph, set, 10.0, 0.5, 1, 0, nullptr, widths, red);
    showWindow();
    pushAll({10.0, 40.0});
    const int fullPaints = window()->fullPaintCount();
    PaintRecorder recorder;
    window()->installEventFilter(&recorder);
    push(set, 30.0);
    QCoreApplication::processEvents();
    window()->removeEventFilter(&recorder);
    EXPECT_EQ(window()->fullPaintCount(), fullPaints);
    // The segment from column 1 (40) to column 2 (30), widened by the pen.
    const QRectF segment = QRectF(QPointF(deviceX(10.0), deviceY(40.0)), QPointF(deviceX(20.0), deviceY(30.0))).normalized();
    const QRect allowed = segment.adjusted(-3, -3, 3, 3).toAlignedRect().adjusted(-1, -1, 1, 1);
    ASSERT_FALSE(recorder.painted.isEmpty());
    EXPECT_TRUE(allowed.contains(recorder.painted.boundingRect())) << "repainted " << recorder.painted.boundingRect().x() << ","
                                                                  << recorder.painted.boundingRect().y() << " "
                                                                  << recorder.painted.boundingRect().width() << "x"
                                                                  << recorder.painted.boundingRect().height();
    EXPECT_TRUE(object(g).lastRepaint().toAlignedRect().intersects(allowed));
    const auto centre = lineCentreInColumn(window()->picture(), static_cast<int>(deviceX(15.0)), palette(4), 31, 269);
    ASSERT_TRUE(centre);
    EXPECT_NEAR(*centre, deviceY(35.0), 2.0);
}

TEST_F(ScrollDrawing, TheIncrementalPictureIsTheFullPaintAlsoAfterJumps) {
    for (int style : {0, 1, 2}) {
        const int g = WRSetScrollGraph(graph, set, 10.0, 0.5, 1, style, nullptr, nullptr, red);
        showWindow();
        const int fullPaints = window()->fullPaintCount();
        std::vector<double> values;
        for (int i = 0; i < 30; ++i) values.push_back(50.0 + 40.0 * std::sin(i * 0.7));
        pushAll(values);  // 11 points across: two jumps
        EXPECT_TRUE(object(g).windowFull);
        EXPECT_EQ(window()->fullPaintCount(), fullPaints) << style;
        // A join drawn in one polyline may differ by a pixel from two segments drawn apart.
        EXPECT_LE(differences(), 3) << style;
        WRDeleteRTObject(graph, g);
    }
}

TEST_F(ScrollDrawing, ASweepErasesItsOldPassUnderTheSweepLine) {
    const int g = WRSetSweepGraph(graph, set, 10.0, 1, 0, 2, nullptr, nullptr, red);
    showWindow();
    pushAll(std::vector<double>(11, 80.0));
    pushAll({20.0, 20.0, 20.0});  // the second pass: columns 1..3 (column 0 carries 80)
    EXPECT_EQ(object(g).column, 4);
    const QImage shown = window()->picture();
    // The old trace at 80 is gone between columns 1 and 3, still there beyond the line.
    EXPECT_EQ(pixelsOfColour(shown, QRect(static_cast<int>(deviceX(10.0)) + 2, static_cast<int>(deviceY(80.0)) - 2, 60, 5), palette(4)), 0);
    EXPECT_GT(pixelsOfColour(shown, QRect(static_cast<int>(deviceX(60.0)), static_cast<int>(deviceY(80.0)) - 2, 60, 5), palette(4)), 50);
    // The sweep line runs across the plot at the next column.
    EXPECT_GT(pixelsOfColour(shown, QRect(static_cast<int>(deviceX(40.0)) - 1, 40, 3, 200), palette(2)), 150);
    EXPECT_LE(differences(), 2 * 240);  // the full paint leaves out one old segment under the line
}

TEST_F(ScrollDrawing, BarsStandOnZeroOnePerSample) {
    const int g = WRSetScrollBargraph(graph, set, 0, 10.0, 0.5, 1, 6.0, -1, 4);
    ASSERT_GT(g, 0);
    showWindow();
    pushAll({50.0, 25.0});
    const QImage shown = window()->picture();
    // A bar of 6 world units (19 pixels) around column 1, from 0 to 25.
    EXPECT_GT(pixelsOfColour(shown, QRect(static_cast<int>(deviceX(10.0)) - 8, static_cast<int>(deviceY(25.0)) + 2, 16, 55), palette(4)), 16 * 55 - 10);
    EXPECT_EQ(pixelsOfColour(shown, QRect(static_cast<int>(deviceX(10.0)) - 8, static_cast<int>(deviceY(50.0)), 16, 20), palette(4)), 0);
    EXPECT_LE(differences(), 3);
}

TEST_F(ScrollDrawing, AVerticalGraphAdvancesDownTheValueAxisAcross) {
    ASSERT_GT(WRSetScrollGraph(graph, set, 10.0, 0.5, 0, 0, nullptr, nullptr, red), 0);
    pushAll({20.0, 30.0});
    QImage image(400, 300, QImage::Format_ARGB32);
    plotbase::RenderPage(env, page, image);
    // From (20 at y world 0) to (30 at y world 10): halfway at y world 5, x world 25.
    const auto centre = plotbase::testing::lineCentreInRow(image, static_cast<int>(deviceY(5.0)), palette(4), 41, 359);
    ASSERT_TRUE(centre);
    EXPECT_NEAR(*centre, deviceX(25.0), 2.0);
}

}  // namespace
}  // namespace dynaview::testing
