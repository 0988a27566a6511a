// Dynamic text that takes its colours from the object showing the same channels: the bar of
// a bar graph, the trace of a scrolling graph, the curve of an XY graph, the bar of a
// scrolling bar graph; and where there is nothing to take, the text's own colours.

#include "scroll_graph_fixture.h"

#include <array>

namespace dynaview::testing {
namespace {

class ColourSource : public ScrollGraphTest {
protected:
    // A text over every channel of the set, in colour 8 of its own, coloured by `source`.
    int textFrom(int set, int source) {
        const std::array<int, 8> own{8, 8, 8, 8, 8, 8, 8, 8};
        return WRSetDynText(graph, set, -1, 10, 10, 40, 40, -1, 0, own.data(), -1, 0, 0, 1, source, 0);
    }
    int colourOf(int text, int channel) {
        int colour = -1;
        EXPECT_EQ(WRGetDynTextColor(graph, text, channel, &colour), 1) << channel;
        return colour;
    }
};

TEST_F(ColourSource, BarsGiveTheNearestPaletteColourOfTheirFill) {
    const int set = WRDefineDynDataSet("Levels", 3, nullptr, nullptr, 0);
    const int fills[3] = {0xD62728, 0x2050A0, 0xFFFFFF};  // red exactly, near navy, the background
    const int bars = WRSetBargraph(graph, set, 0.0, 1, 20.0, 80.0, -1.0, fills, nullptr, nullptr);
    ASSERT_GT(bars, 0);
    const int text = textFrom(set, bars);
    ASSERT_GT(text, 0);
    EXPECT_EQ(colourOf(text, 0), 4);
    EXPECT_EQ(colourOf(text, 1), 1);
    EXPECT_EQ(colourOf(text, 2), 8);  // white text on white would vanish: the text's own
    // A bar graph without fills is all background: the text keeps its colours.
    const int plain = WRSetBargraph(graph, set, 0.0, 1, 20.0, 80.0, -1.0, nullptr, nullptr, nullptr);
    EXPECT_EQ(colourOf(textFrom(set, plain), 0), 8);
}

TEST_F(ColourSource, ScrollingGraphsGiveTheColourOfTheTraceThatShowsTheChannel) {
    const int three = WRDefineDynDataSet("Three", 3, nullptr, nullptr, 0);
    const int traceColours[3] = {9, 12, 14};
    const int lines = WRSetScrollGraph(graph, three, 1.0, 0.5, 1, 0, nullptr, nullptr, traceColours);
    ASSERT_GT(lines, 0);
    const int text = textFrom(three, lines);
    EXPECT_EQ(colourOf(text, 0), 9);
    EXPECT_EQ(colourOf(text, 2), 14);

    // XY curves take channels in pairs: channels 2 and 3 are curve 1.
    const int four = WRDefineDynDataSet("Four", 4, nullptr, nullptr, 0);
    const int curveColours[2] = {5, 13};
    const int xy = WRSetXYGraph(graph, four, 50, nullptr, nullptr, curveColours);
    ASSERT_GT(xy, 0);
    const int xyText = textFrom(four, xy);
    EXPECT_EQ(colourOf(xyText, 1), 5);
    EXPECT_EQ(colourOf(xyText, 3), 13);

    // A scrolling bar graph shows one channel; the others keep the text's colours.
    const int bars = WRSetScrollBargraph(graph, three, 1, 1.0, 0.5, 1, 0.5, -1, 6);
    ASSERT_GT(bars, 0);
    const int barText = textFrom(three, bars);
    EXPECT_EQ(colourOf(barText, 1), 6);
    EXPECT_EQ(colourOf(barText, 0), 8);

    // A logic graph shows bits, not channels.
    const int logic = WRSetLogicGraph(graph, three, 1.0, 0.5, 1, 0, nullptr, nullptr, traceColours);
    ASSERT_GT(logic, 0);
    EXPECT_EQ(colourOf(textFrom(three, logic), 0), 8);
}

}  // namespace
}  // namespace dynaview::testing
