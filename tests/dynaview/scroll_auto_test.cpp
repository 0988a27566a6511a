// The automatic scrolling chart: its layout, what it creates and where it refuses.

#include "scroll_graph_fixture.h"

#include "dynaview/frame/error_texts.h"
#include "dynaview/scroll/auto_layout.h"
#include "dynaview/text/dynamic_text.h"
#include "dynaview/timeaxis/legend.h"

#include <QCoreApplication>

namespace dynaview::testing {
namespace {

using scroll::AutoChartLayout;
using scroll::ChartLayoutInput;
using scroll::PanelDecimals;
using scroll::PlaceSidePanels;
using scroll::ValueLabelChars;

TEST(AutoChartLayout, LeavesRoomForTheValueLabelsTheTimeLabelsAndTheLegend) {
    ChartLayoutInput in;
    in.charWidth = 0.015;
    in.valueLabelChars = 3;
    scroll::ChartLayout layout = AutoChartLayout(in);
    EXPECT_NEAR(layout.left, (3 * 0.7 + 2) * 0.015 + 0.01, 1e-12);
    EXPECT_NEAR(layout.right, 0.92, 1e-12);
    EXPECT_NEAR(layout.top, 0.18, 1e-12);
    EXPECT_NEAR(layout.bottom, 0.915, 1e-12);
    in.titleHeight = 0.05;
    in.legend = true;
    in.tagWidth = 0.1;
    layout = AutoChartLayout(in);
    EXPECT_NEAR(layout.bottom, 0.865, 1e-12);
    EXPECT_NEAR(layout.right, 1.0 - (3 * 0.7 + 2) * 0.015 - 0.1, 1e-12);
    EXPECT_FALSE(layout.tooSmall());
    in.tagWidth = 0.8;
    EXPECT_TRUE(AutoChartLayout(in).tooSmall());
    EXPECT_EQ(ValueLabelChars(0.0, 100.0, -1), 3);
    EXPECT_EQ(ValueLabelChars(-100.0, 100.0, -1), 4);
    EXPECT_EQ(ValueLabelChars(0.0, 1.0, 2), 4);  // "0.20"
}

TEST(AutoChartLayout, PutsTheLegendRightOfThePlotAndTheValuesBelowIt) {
    scroll::ChartLayout layout;
    layout.top = 0.18;
    layout.right = 0.7;
    scroll::SidePanelPlaces places = PlaceSidePanels(layout, 0.2);
    EXPECT_NEAR(places.legendLeft, 71.0, 1e-9);
    EXPECT_NEAR(places.legendTop, 18.0, 1e-9);
    EXPECT_NEAR(places.valuesLeft, 71.0, 1e-9);
    EXPECT_NEAR(places.valuesTop, 18.0 + 20.0 + 1.0, 1e-9);
    EXPECT_NEAR(places.valuesWidth, 28.0, 1e-9);
    // Without a legend the values take the top; a strip too thin still gets a usable width.
    EXPECT_NEAR(PlaceSidePanels(layout, 0.0).valuesTop, 18.0, 1e-9);
    layout.right = 0.995;
    EXPECT_GT(PlaceSidePanels(layout, 0.0).valuesWidth, 0.0);
    EXPECT_EQ(PanelDecimals(0.0, 100.0, -1), 0);
    EXPECT_EQ(PanelDecimals(0.0, 10.0, -1), 1);
    EXPECT_EQ(PanelDecimals(-0.5, 0.5, -1), 2);
    EXPECT_EQ(PanelDecimals(0.0, 100.0, 3), 3);
    EXPECT_EQ(PanelDecimals(0.0, 100.0, 99), 15);
}

class AutoScroll : public ScrollGraphTest {
protected:
    template <class T>
    const T* made(int index) {
        return dynamic_cast<const T*>(env.graph(graph)->objects.at(index));
    }
};

TEST_F(AutoScroll, TheLegendSwitchAddsALegendOfTheTagsAndAValuePanelInTheTracesColours) {
    char tags[2][16] = {"TT-101", "LT-102"};
    const int set = WRDefineDynDataSet("Tank", 2, nullptr, &tags[0][0], 0);
    int16_t results[11];
    const int trace = WRSetAutoScrollGraph2(graph, set, 1.0, 0.5, 0.0, 60.0, 0.0, 100.0, 1, 0, 0.0, 0.0, 1, results, -1);
    ASSERT_GT(trace, 0);
    const auto* legend = made<Legend>(results[8]);
    const auto* values = made<DynamicText>(results[9]);
    ASSERT_NE(legend, nullptr);
    ASSERT_NE(values, nullptr);
    EXPECT_EQ(legend->source, trace);
    EXPECT_EQ(values->channel, -1);
    EXPECT_EQ(values->colourSource, trace);
    EXPECT_EQ(values->precision, 0);
    // Each value in its trace's colour.
    EXPECT_EQ(values->colourOfRow(env, graph, 1), object(trace).params.colours[1]);
    EXPECT_NE(object(trace).params.colours[1], object(trace).params.colours[0]);
    // Both right of the plot, the values under the legend.
    const double plotRight = env.graph(graph)->plotArea.right * 100.0;
    EXPECT_GT(legend->left, plotRight);
    EXPECT_DOUBLE_EQ(values->left, legend->left);
    EXPECT_GT(values->top, legend->top);
    EXPECT_LE(values->left + values->width, 100.0);
    EXPECT_EQ(results[10], 0);
    for (int i = 0; i < 30; ++i) {
        const double values[2] = {50.0 + i, 20.0 + i / 2.0};
        WRUpdateData(set, values, graph);
    }
    QCoreApplication::processEvents();
    if (qEnvironmentVariableIsSet("DYNAVIEW_SAVE_RENDERINGS")) host.grab().save(QStringLiteral("/tmp/AutoScrollLegend.png"));

    // Without tags there is no legend and the values move up; a bar trace shows one value.
    const int plain = WRDefineDynDataSet("Plain", 2, nullptr, nullptr, 0);
    ASSERT_GT(WRSetAutoScrollGraph2(graph, plain, 1.0, 0.5, 0.0, 60.0, 0.0, 10.0, 2, 0, 0.0, 0.0, 1, results, -1), 0);
    EXPECT_EQ(results[8], 0);
    const auto* single = made<DynamicText>(results[9]);
    ASSERT_NE(single, nullptr);
    EXPECT_EQ(single->channel, 0);
    EXPECT_EQ(single->precision, 1);
    EXPECT_NEAR(single->top, env.graph(graph)->plotArea.top * 100.0, 1e-9);
    // The switch off makes neither.
    ASSERT_GT(WRSetAutoScrollGraph2(graph, set, 1.0, 0.5, 0.0, 60.0, 0.0, 100.0, 1, 0, 0.0, 0.0, 0, results, -1), 0);
    EXPECT_EQ(results[8], 0);
    EXPECT_EQ(results[9], 0);
}

TEST_F(AutoScroll, BuildsTheWholeChartAndNamesWhatItMade) {
    const int set = WRDefineDynDataSet("Tank", 1, nullptr, nullptr, 0);
    int16_t results[11];
    std::fill(std::begin(results), std::end(results), int16_t{-7});
    const int trace = WRSetAutoScrollGraph2(graph, set, 1.0, 0.5, 0.0, 60.0, -20.0, 120.0, 1, 1, 20.0, 80.0, 0, results, 1);
    ASSERT_GT(trace, 0);
    EXPECT_EQ(results[0], trace);
    EXPECT_EQ(object(trace).points(), 61);
    const plotbase::Graph& g = *env.graph(graph);
    EXPECT_EQ(g.objects.as<plotbase::Axis>(results[1], plotbase::AxisType)->max, 60.0);
    EXPECT_EQ(g.objects.as<plotbase::Axis>(results[2], plotbase::AxisType)->min, -20.0);
    EXPECT_DOUBLE_EQ(g.objects.as<plotbase::Axis>(results[2], plotbase::AxisType)->tickSpacing, 28.0);
    EXPECT_GT(results[3], 0);
    EXPECT_GT(results[5], 0);  // the grid
    EXPECT_GT(results[7], 0);  // alarm lines at 20 and 80
    EXPECT_EQ(dataSet(set).alarm.limit(HighAlarm).limit, 80.0);
    EXPECT_EQ(results[10], 0);
    // The same limits draw no alarm lines; a bar or a sweep style makes that kind of trace.
    const int bars = WRSetAutoScrollGraph(graph, set, 1.0, 0.5, 0.0, 60.0, 0.0, 100.0, 2, 0, 5.0, 5.0, 0, results);
    EXPECT_EQ(object(bars).subtype, scroll::BarsSubtype);
    EXPECT_EQ(results[7], 0);
    EXPECT_EQ(results[5], 0);
    const int sweep = WRSetAutoScrollGraph(graph, set, 1.0, 0.5, 0.0, 60.0, 0.0, 100.0, 3, 0, 5.0, 5.0, 0, nullptr);
    EXPECT_EQ(object(sweep).subtype, scroll::SweepSubtype);
}

TEST_F(AutoScroll, AGraphTooNarrowForItsLegendIsRefusedWith136) {
    char tags[32] = "A long tag name";
    const int set = WRDefineDynDataSet("Tank", 1, nullptr, tags, 0);
    host.resize(90, 80);
    QCoreApplication::processEvents();
    int16_t results[11];
    EXPECT_EQ(WRSetAutoScrollGraph2(graph, set, 1.0, 0.5, 0.0, 60.0, 0.0, 100.0, 1, 0, 0.0, 0.0, 1, results, -1), 0);
    EXPECT_EQ(lastErrorCode(), GraphTooSmall);
    EXPECT_EQ(env.lastError.text, "Graph window is too small  - WRSetAutoScroll");
    EXPECT_EQ(results[0], 0);
}

TEST_F(AutoScroll, RefusesScalesAndStylesItCannotDraw) {
    const int set = WRDefineDynDataSet("Tank", 1, nullptr, nullptr, 0);
    EXPECT_EQ(WRSetAutoScrollGraph(graph, set, 1.0, 0.5, 60.0, 0.0, 0.0, 100.0, 1, 0, 0, 0, 0, nullptr), 0);
    EXPECT_EQ(WRSetAutoScrollGraph(graph, set, 1.0, 0.5, 0.0, 60.0, 0.0, std::nan(""), 1, 0, 0, 0, 0, nullptr), 0);
    EXPECT_EQ(WRSetAutoScrollGraph(graph, set, 1.0, 0.5, 0.0, 60.0, 0.0, 100.0, 4, 0, 0, 0, 0, nullptr), 0);
    EXPECT_EQ(lastErrorCode(), plotbase::InvalidArgument);
    EXPECT_EQ(WRSetAutoScrollGraph(graph, 55, 1.0, 0.5, 0.0, 60.0, 0.0, 100.0, 1, 0, 0, 0, 0, nullptr), 0);
    EXPECT_EQ(env.lastError.text, "No such data set - WRSetAutoScroll");
}

}  // namespace
}  // namespace dynaview::testing
