// Bar graphs: width and geometry on the graph's scale, bars on either side of the base,
// the strip an update repaints, defaults and refusals. The plot area spans x 40..360 and
// y 30..270; the tests scale it to 0..6 across and 0..10 up.

#include "dynaview/bars/bar_graph.h"
#include "dynaview/frame/object_access.h"
#include "dynaview_fixture.h"
#include "plotbase/graph_widget.h"
#include "plotbase/operations_change.h"
#include "plotbase/operations_window.h"

#include <QImage>
#include <QPainter>
#include <QTest>

namespace dynaview::testing {
namespace {

class Bars : public DynaviewTest {
protected:
    Bars() {
        plotbase::WGScalePlotArea(env, graph, 0.0, 0.0, 6.0, 10.0);
        plotbase::WGChangeAxisRange(env, graph, xAxis, 0.0, 6.0);
        plotbase::WGChangeAxisRange(env, graph, yAxis, 0.0, 10.0);
        set = WRDefineDynDataSet("Levels", 5, "m", nullptr, 0);
        window = static_cast<plotbase::GraphWidget*>(plotbase::WGGetGraphWindow(env, graph));
    }
    BarGraph& bars(int index) { return *FindDynObjectOf<BarGraph>(env, graph, index, BarGraphType); }
    plotbase::DrawContext context(int index) {
        scaling.emplace(*plotbase::WGGetScaling(env, graph));
        const QRect r = window->rect();
        return plotbase::DrawContext{env, graph, index, *scaling, {0.0, 0.0, double(r.width()), double(r.height())}, false};
    }
    void feed(std::initializer_list<double> values) {
        std::vector<double> v(values);
        WRUpdateData(set, v.data(), 0);
        QCoreApplication::processEvents();
    }
    void showWindow() {
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
        window->repaint();
    }
    // The graph drawn afresh from every object's state.
    QImage fullPaint() {
        QImage image(window->picture().size(), window->picture().format());
        QPainter painter(&image);
        plotbase::ObjectInterpreter(env, graph, painter, QRectF(window->rect()));
        return image;
    }
    static int differingPixels(const QImage& a, const QImage& b) {
        int n = 0;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x) n += a.pixel(x, y) != b.pixel(x, y);
        return n;
    }

    int set = 0;
    plotbase::GraphWidget* window = nullptr;
    std::optional<plotbase::Scaling> scaling;
};

const int Colours[5] = {0xD62728, 0x1F4E9C, 0x22B14C, 0xF07F0F, 0x8E3FA8};

TEST(BarWidth, AutomaticWidthLeavesFourPercentOfTheSpacing) {
    EXPECT_DOUBLE_EQ(BarWidthFraction(-1.0, 1.0, 5.0, 5, 6.0), 0.16);
    EXPECT_DOUBLE_EQ(BarWidthFraction(0.5, 1.0, 5.0, 5, 6.0), 0.5 / 6.0);
    EXPECT_DOUBLE_EQ(BarWidthFraction(-1.0, 2.0, 2.0, 1, 6.0), 0.9);
    EXPECT_DOUBLE_EQ(BarWidthFraction(-1.0, 0.0, 0.0, 1, 6.0), -0.9);
}

TEST_F(Bars, FiveChannelsStandAtTheirPositionsWithAutomaticWidth) {
    const int index = WRSetBargraph(graph, set, 0.0, 1, 1.0, 5.0, -1.0, Colours, nullptr, nullptr);
    ASSERT_GT(index, 0);
    BarGraph& b = bars(index);
    EXPECT_EQ(b.barCount, 5);
    EXPECT_FLOAT_EQ(b.widthFraction, 0.16f);
    EXPECT_EQ(b.orientation, 0);
    const plotbase::DrawContext c = context(index);
    b.shown = {4.0, 4.0, 4.0, 4.0, 4.0};
    for (int bar = 0; bar < 5; ++bar) {
        const QRect r = b.barRect(c, bar, 4.0);
        EXPECT_EQ(r.width(), 51) << bar;  // 0.16 of 320 pixels, rounded
        EXPECT_NEAR(r.center().x() + 0.5, 40.0 + (bar + 1) * 320.0 / 6.0, 1.0) << bar;
        EXPECT_EQ(r.bottom(), 269);  // stands on the base at y 270
        EXPECT_EQ(r.top(), 174);     // 4 of 10 over 240 pixels
    }
}

TEST_F(Bars, ValueAtTheBaseIsEmptyAndBelowItHangsOnTheOtherSide) {
    const int index = WRSetBargraph(graph, set, 5.0, 1, 1.0, 5.0, -1.0, Colours, nullptr, nullptr);
    BarGraph& b = bars(index);
    const plotbase::DrawContext c = context(index);
    EXPECT_TRUE(b.barRect(c, 0, 5.0).isEmpty());
    const QRect up = b.barRect(c, 0, 7.5), down = b.barRect(c, 0, 2.5);
    EXPECT_EQ(up.bottom() + 1, 150);  // the base
    EXPECT_EQ(up.top(), 90);
    EXPECT_EQ(down.top(), 150);
    EXPECT_EQ(down.bottom() + 1, 210);
    // Lying bars: positions go up the vertical axis, values across.
    const int lying = WRSetBargraph(graph, set, 0.0, 0, 2.0, 8.0, -1.0, nullptr, nullptr, nullptr);
    ASSERT_GT(lying, 0);
    plotbase::WGChangeAxisRange(env, graph, xAxis, 0.0, 6.0);
    const QRect across = bars(lying).barRect(context(lying), 0, 3.0);
    EXPECT_EQ(across.left(), 40);
    EXPECT_EQ(across.right() + 1, 200);
    EXPECT_GT(across.height(), 1);
}

TEST_F(Bars, UpdateRepaintsOnlyTheStripBetweenTheOldAndTheNewEnd) {
    const int index = WRSetBargraph(graph, set, 0.0, 1, 1.0, 5.0, -1.0, Colours, nullptr, nullptr);
    showWindow();
    BarGraph& b = bars(index);
    feed({5, 5, 5, 5, 5});
    ASSERT_EQ(b.lastStrips.size(), 5u);
    const int fullPaints = window->fullPaintCount();
    const QImage before = window->picture();
    feed({5, 6, 5, 5, 5});
    ASSERT_EQ(b.lastStrips.size(), 1u);
    const QRect strip = b.lastStrips[0];
    const QRect bar = b.barRect(context(index), 1, 6.0);
    EXPECT_EQ(strip, QRect(bar.left(), 126, bar.width(), 24));  // 5 to 6: y 150 up to 126
    const QImage after = window->picture();
    EXPECT_EQ(differingPixels(before, after), strip.width() * strip.height());
    EXPECT_EQ(window->fullPaintCount(), fullPaints);
    // Shrinking gives back what lay under the bar, as a full paint would draw it.
    feed({1, 2, 9, 0, 5});
    EXPECT_EQ(b.lastStrips.size(), 4u);
    EXPECT_EQ(differingPixels(window->picture(), fullPaint()), 0);
    EXPECT_EQ(window->fullPaintCount(), fullPaints);
}

TEST_F(Bars, UnchangedValuesRepaintNothing) {
    const int index = WRSetBargraph(graph, set, 0.0, 1, 1.0, 5.0, -1.0, Colours, nullptr, nullptr);
    showWindow();
    feed({1, 2, 3, 4, 5});
    struct PaintCounter : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* event) override {
            paints += event->type() == QEvent::Paint;
            return false;
        }
    } counter;
    window->installEventFilter(&counter);
    feed({1, 2, 3, 4, 5});
    EXPECT_TRUE(bars(index).lastStrips.empty());
    EXPECT_EQ(counter.paints, 0);
    window->removeEventFilter(&counter);
    // Below a pixel the end does not move: an empty strip.
    EXPECT_TRUE(bars(index).changedStrip(context(index), 0, 1.0, 1.001).isEmpty());
}

TEST_F(Bars, StripsReachOverTheBaseLineAndTheOutlines) {
    const int outlines[5] = {0, -1, -1, -1, -1};
    const int index = WRSetBargraph(graph, set, 5.0, 1, 1.0, 5.0, -1.0, Colours, nullptr, outlines);
    BarGraph& b = bars(index);
    const plotbase::DrawContext c = context(index);
    const QRect plain = b.changedStrip(c, 1, 6.0, 7.0);
    EXPECT_EQ(plain.top(), 102);
    EXPECT_EQ(plain.bottom() + 1, 126);
    const QRect fromBase = b.changedStrip(c, 1, 5.0, 7.0);
    EXPECT_EQ(fromBase.bottom() + 1, 151);  // one line width past the base
    const QRect outlined = b.changedStrip(c, 0, 6.0, 7.0);
    EXPECT_EQ(outlined.top(), 101);  // a pixel more at both ends, not sideways
    EXPECT_EQ(outlined.bottom() + 1, 127);
    EXPECT_EQ(outlined.width(), plain.width());
    // Crossing the base covers both sides.
    const QRect crossing = b.changedStrip(c, 1, 2.5, 7.5);
    EXPECT_EQ(crossing.top(), 90);
    EXPECT_EQ(crossing.bottom() + 1, 210);
}

TEST_F(Bars, HatchedAndOutlinedBarsMatchAFullPaintAfterUpdates) {
    const int hatches[5] = {0, 1, 2, 5, 255};
    const int outlines[5] = {0, 4, -1, 2, 0};
    const int index = WRSetBargraph(graph, set, 3.0, 1, 1.0, 5.0, -1.0, Colours, hatches, outlines);
    ASSERT_GT(index, 0);
    plotbase::WGDrawGrid(env, graph, yAxis, 0);
    showWindow();
    for (auto values : {std::vector<double>{8, 1, 3, 9.5, 6}, {2, 7, 4, 0, 6}, {3, 3, 12, -4, 1}}) {
        WRUpdateData(set, values.data(), 0);
        QCoreApplication::processEvents();
        ASSERT_EQ(differingPixels(window->picture(), fullPaint()), 0);
    }
}

TEST_F(Bars, WithoutArraysBarsAreSolidInTheGraphBackground) {
    const int index = WRSetBargraph(graph, set, 0.0, 1, 1.0, 5.0, -1.0, nullptr, nullptr, nullptr);
    ASSERT_GT(index, 0);
    const BarGraph& b = bars(index);
    for (int bar = 0; bar < 5; ++bar) {
        EXPECT_EQ(b.fills[static_cast<std::size_t>(bar)], 0xFFFFFFu);
        EXPECT_EQ(b.hatches[static_cast<std::size_t>(bar)], BarGraph::SolidHatch);
        EXPECT_FALSE(b.outlined(bar));
        EXPECT_EQ(b.shown[static_cast<std::size_t>(bar)], 0.0);  // every bar starts at the base
    }
    EXPECT_EQ(dataSet(set).referenceCount, 1);
}

TEST_F(Bars, BadArgumentsAreRefused) {
    EXPECT_EQ(WRSetBargraph(graph, 77, 0.0, 1, 1.0, 5.0, -1.0, nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(lastErrorCode(), 55);
    EXPECT_EQ(env.lastError.text.substr(env.lastError.text.size() - 16), " - WRSetBargraph");
    const int badHatch[5] = {0, 1, 6, 0, 0};
    EXPECT_EQ(WRSetBargraph(graph, set, 0.0, 1, 1.0, 5.0, -1.0, nullptr, badHatch, nullptr), 0);
    EXPECT_EQ(lastErrorCode(), 18);
    const int badColour[5] = {0, 0x1000000, 0, 0, 0};
    EXPECT_EQ(WRSetBargraph(graph, set, 0.0, 1, 1.0, 5.0, -1.0, badColour, nullptr, nullptr), 0);
    const int badOutline[5] = {0, 16, 0, 0, 0};
    EXPECT_EQ(WRSetBargraph(graph, set, 0.0, 1, 1.0, 5.0, -1.0, nullptr, nullptr, badOutline), 0);
    EXPECT_EQ(WRSetBargraph(graph, set, NAN, 1, 1.0, 5.0, -1.0, nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(WRSetBargraph(9999, set, 0.0, 1, 1.0, 5.0, -1.0, nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(lastErrorCode(), 32);
    EXPECT_EQ(dataSet(set).referenceCount, 0);
}

}  // namespace
}  // namespace dynaview::testing
