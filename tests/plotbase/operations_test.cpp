// Data sets and plots, axes and the rescale hook, cursors and texts.

#include "plotbase_fixture.h"

namespace plotbase::testing {
namespace {

using Operations = PlotbaseTest;

TEST_F(Operations, DataSetsShareTheCallersBlocksAndFreeingOneLeavesTheOthers) {
    DoubleBlock x = AllocateBlock(3);
    DoubleBlock y1 = AllocateBlock(3);
    DoubleBlock y2 = AllocateBlock(3);
    const int first = WGDefineDataSet(env, graph, "first", x, y1, 3);
    const int second = WGDefineDataSet(env, graph, "second", x, y2, 3);
    const std::weak_ptr<std::vector<double>> watch = y1;
    x.reset();
    y1.reset();
    (*WGGetObjectAs<DataSet>(env, graph, first)->x)[2] = 7.0;  // the blocks, not copies
    EXPECT_EQ((*WGGetObjectAs<DataSet>(env, graph, second)->x)[2], 7.0);

    EXPECT_EQ(WGFreeDataSet(env, graph, first, -1), 1);
    EXPECT_TRUE(watch.expired());
    ASSERT_NE(WGGetObjectAs<DataSet>(env, graph, second), nullptr);
    EXPECT_EQ((*WGGetObjectAs<DataSet>(env, graph, second)->x)[2], 7.0);  // the shared x block stays
}

TEST_F(Operations, PlotsOfAFreedDataSetShowNothingUntilReconnected) {
    const int plot = plotOf({0, 100}, {0, 0}, 4);
    const int set = WGGetObjectAs<LinePlot>(env, graph, plot)->dataSet;
    WGFreeDataSet(env, graph, set, -1);
    EXPECT_EQ(WGGetObjectAs<LinePlot>(env, graph, plot)->dataSet, 0);
    const int again = WGDefineDataSet(env, graph, "again", AllocateBlock(2), AllocateBlock(2), 2);
    EXPECT_EQ(again, set);  // the freed slot
    EXPECT_EQ(WGGetObjectAs<LinePlot>(env, graph, plot)->dataSet, 0);
    EXPECT_EQ(WGReconnectDataSet(env, graph, plot, again), 1);
    EXPECT_EQ(WGGetObjectAs<LinePlot>(env, graph, plot)->dataSet, again);
}

TEST_F(Operations, ObjectsTakeTheCurrentAttributesAndPlotsTheCurrentAxes) {
    WGSetLineStyle(env, graph, DotLine, 2, 9);
    WGSetTextParams(env, graph, 900, FixedFamily, 5, BoldText);
    const int title = WGTitleAxis(env, graph, yAxis, 1, "volts");
    const auto* record = WGGetObjectAs<AxisTitle>(env, graph, title);
    EXPECT_EQ(record->attributes.pattern, DotLine);
    EXPECT_EQ(record->attributes.width, 2);
    EXPECT_EQ(record->attributes.colour, 9);
    EXPECT_EQ(record->attributes.text.angle, 900);
    EXPECT_EQ(record->attributes.text.family, FixedFamily);
    EXPECT_EQ(record->attributes.text.style, BoldText);

    const int plot = plotOf({0, 1}, {0, 1}, 14);
    EXPECT_EQ(WGGetObject(env, graph, plot)->links[0], xAxis);
    EXPECT_EQ(WGGetObject(env, graph, plot)->links[1], yAxis);
    EXPECT_EQ(WGGetObject(env, graph, plot)->attributes.colour, 14);
}

TEST_F(Operations, AnAxisRangeChangeRescalesThePlotAreaAndCallsTheHookOnce) {
    std::vector<std::pair<int, int>> calls;
    env.rescaleHook = [&](Environment& e, int g, int axis) {
        calls.emplace_back(g, axis);
        // A hook that refuses the range puts the old one back; that must not call it again.
        WGChangeAxisRange(e, g, axis, -1.0, 1.0);
    };
    EXPECT_EQ(WGChangeAxisRange(env, graph, yAxis, 0.0, 5.0), 1);
    EXPECT_EQ(calls, (std::vector<std::pair<int, int>>{{graph, yAxis}}));
    double min = 0, max = 0;
    WGGetAxisRange(env, graph, yAxis, min, max);
    EXPECT_EQ(min, -1.0);
    EXPECT_EQ(max, 1.0);

    env.rescaleHook = nullptr;
    WGChangeAxisRange(env, graph, xAxis, 20.0, 40.0);
    const Graph* record = WGGetGraph(env, graph);
    EXPECT_EQ(record->xmin, 20.0);
    EXPECT_EQ(record->xmax, 40.0);
    EXPECT_EQ(scaling().deviceX(30.0), 200.0);
}

TEST_F(Operations, CursorsMoveWithAndWithoutRepaintAndTextsChange) {
    const int cursor = WGSetDataCursor(env, graph, xAxis, yAxis, 10);
    EXPECT_FALSE(WGGetObjectAs<DataCursor>(env, graph, cursor)->placed);
    EXPECT_EQ(WGMoveDataCursor(env, graph, cursor, 42.0, 1.0, false), 1);
    const auto* record = WGGetObjectAs<DataCursor>(env, graph, cursor);
    EXPECT_TRUE(record->placed);
    EXPECT_EQ(record->x, 42.0);
    EXPECT_EQ(record->y, 1.0);
    EXPECT_EQ(record->attributes.colour, 10);

    const int text = WGTextNorm(env, graph, "", 0.3, 0.04, AlignLeft + AlignBaseline, 0);
    EXPECT_EQ(WGChangeString(env, graph, text, "Vp:"), 1);
    EXPECT_EQ(WGGetObjectAs<TextObject>(env, graph, text)->text, "Vp:");
    const int title = WGTitleAxis(env, graph, xAxis, 0, "metres");
    EXPECT_EQ(WGChangeString(env, graph, title, "feet"), 1);
    EXPECT_EQ(WGGetObjectAs<AxisTitle>(env, graph, title)->text, "feet");
}

}  // namespace
}  // namespace plotbase::testing
