// Creating and closing the graph, its value-axis title and range.

#include "graph_fixture.h"

namespace graph::testing {
namespace {

using Lifecycle = GraphTest;

TEST_F(Lifecycle, CreatesThePageWithItsGraphTracesMarkersAndTexts) {
    ASSERT_TRUE(created);
    const plotbase::Page* page = env().page(h().page);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->name, "PAGE1");
    EXPECT_EQ(page->title, "TDR-GRAPH");
    EXPECT_EQ(plotbase::WGGetPageWindow(env(), h().page)->parentWidget(), &host);
    EXPECT_EQ(plotbase::WGGetPageWindow(env(), h().page)->size(), host.size());

    const plotbase::Graph& graph = *plotbase::WGGetGraph(env(), g());
    EXPECT_EQ(graph.area.left, 0.005);
    EXPECT_EQ(graph.area.bottom, 0.995);
    EXPECT_EQ(graph.plotArea.left, 0.12);
    EXPECT_EQ(graph.plotArea.top, 0.07);
    EXPECT_EQ(graph.plotArea.right, 0.96);
    EXPECT_EQ(graph.plotArea.bottom, 0.89);
    EXPECT_TRUE(graph.gridsBehind);

    EXPECT_EQ(object<plotbase::LinePlot>(h().mainPlot).attributes.colour, 14);
    EXPECT_EQ(object<plotbase::LinePlot>(h().savedPlot).attributes.colour, 4);
    EXPECT_EQ(object<plotbase::LinePlot>(h().derivativePlot).attributes.colour, 15);
    EXPECT_EQ(object<plotbase::DataCursor>(h().marker1).attributes.colour, 10);
    EXPECT_EQ(object<plotbase::DataCursor>(h().marker2).attributes.colour, 12);
    EXPECT_EQ(object<plotbase::AxisTitle>(h().xTitle).text, "distance (meters)");
    EXPECT_EQ(object<plotbase::AxisTitle>(h().yTitle).text, "reflection coefficient (unitless)");

    std::vector<std::pair<int, int>> grids;  // kind, colour
    for (int i = 1; i <= graph.objects.size(); ++i)
        if (const auto* grid = graph.objects.as<plotbase::Grid>(i, plotbase::GridType))
            grids.emplace_back(grid->kind, grid->attributes.colour);
    EXPECT_EQ(grids, (std::vector<std::pair<int, int>>{{1, 3}, {1, 3}, {0, 11}, {0, 11}}));

    const double positions[] = {0.02, 0.05, 0.12, 0.16, 0.21, 0.27, 0.32, 0.442, 0.51, 0.628, 0.70, 0.855, 0.94, 0.97};
    for (std::size_t i = 0; i < h().texts.size(); ++i) {
        const auto& text = object<plotbase::TextObject>(h().texts[i]);
        EXPECT_EQ(text.text, "");
        EXPECT_EQ(text.x, positions[i]);
        EXPECT_EQ(text.y, 0.04);
    }
}

TEST_F(Lifecycle, ClosingReleasesPlotbaseAndEndsTheProgram) {
    const int graph = g();
    gfx.CloseGraphPage();
    EXPECT_EQ(quits, 1);
    EXPECT_FALSE(plotbase::WGIsGraphDescValid(env(), graph));
    EXPECT_TRUE(host.findChildren<QWidget*>().isEmpty());
    EXPECT_FALSE(env().initialised);
    EXPECT_FALSE(gfx.DrawWaveform(10, 0.0f, 1.0f));
    EXPECT_FALSE(gfx.GetValueAxisRange());
}

TEST_F(Lifecycle, TheValueAxisTitleKeepsAtMostFifteenCharacters) {
    gfx.SetValueAxisTitle("Difference");
    EXPECT_EQ(object<plotbase::AxisTitle>(h().yTitle).text, "Difference");
    gfx.SetValueAxisTitle("ABCDEFGHIJKLMNOPQRST");
    EXPECT_EQ(object<plotbase::AxisTitle>(h().yTitle).text, "ABCDEFGHIJKLMNO");
    gfx.SetValueAxisTitle("Größenunterschied der Welle");  // characters, not bytes
    EXPECT_EQ(object<plotbase::AxisTitle>(h().yTitle).text, "Größenunterschi");
}

TEST_F(Lifecycle, TheValueRangeIsWhatPlotbaseHolds) {
    gfx.SetValueAxis(0.185f, 0.22f);
    auto range = gfx.GetValueAxisRange();
    ASSERT_TRUE(range);
    EXPECT_EQ(range->min, 0.185f);
    EXPECT_EQ(range->max, 0.22f);
    plotbase::WGChangeAxisRange(env(), g(), h().yAxis, -3.0, 4.0);  // as the object editor does
    range = gfx.GetValueAxisRange();
    EXPECT_EQ(range->min, -3.0);
    EXPECT_EQ(range->max, 4.0);
    EXPECT_EQ(gfx.YaxisMin, -1.0f);  // the user's chosen range is the settings' business
    EXPECT_EQ(gfx.YaxisMax, 1.0f);
}

}  // namespace
}  // namespace graph::testing
