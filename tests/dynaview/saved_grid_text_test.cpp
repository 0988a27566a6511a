// Dynamic grids and dynamic text in page files: their records byte for byte as written by
// hand from the record tables, and the objects they come back as, colour source included.

#include "saved_pages_fixture.h"

#include "dynaview/scroll/scroll_graph.h"
#include "dynaview/text/dynamic_text.h"
#include "dynaview/timeaxis/dynamic_grid.h"
#include "plotbase/operations_build.h"

#include <cstdio>

namespace dynaview::testing {
namespace {

// A meter (no saved form) whose needles give the channel colours.
struct ColouredMeter final : DynObject {
    ColouredMeter() : DynObject(MeterType, 1) {}
    int channelColour(int channel) const override { return channel == 1 ? 10 : 12; }
};

class SavedGridAndText : public SavedPages {
protected:
    SavedGridAndText() {
        pair = WRDefineDynDataSet("Pair", 2, nullptr, nullptr, 0);
        const int patterns[2] = {0, 1}, widths[2] = {1, 2}, colours[2] = {5, 9};
        scroll = WRSetScrollGraph(graph, pair, 1.0, 0.5, 1, 1, patterns, widths, colours);
        EXPECT_EQ(scroll, 3) << env.lastError.text;
    }

    // Every channel of Pair, one row each, taking its colours from `source`.
    int textWithSource(int source) {
        return WRSetDynText(graph, pair, -1, 10.0, 20.0, 30.0, 8.0, -1, 0, nullptr, 7, 1, 12, 3, source, 2);
    }
    // Restores one record read from a C stream into the fixture's graph.
    int restoreThroughStream(const std::string& record) {
        std::FILE* file = std::tmpfile();
        EXPECT_NE(file, nullptr);
        if (!file) return 0;
        std::fwrite(record.data(), 1, record.size(), file);
        std::rewind(file);
        unsigned char head[4] = {};
        std::fread(head, 1, 4, file);
        const int index = RestoreDynObject(file, graph, head[2] | head[3] << 8, head[0] | head[1] << 8);
        std::fclose(file);
        return index;
    }
    const DynamicText* textAt(int g, int index) { return objectAt<DynamicText>(g, index); }

    int pair = 0;
    int scroll = 0;
};

const std::string textWithScrollSource = bytes({
    100, 0, 107, 0, 1, 0,                    // length, type, subtype
    2, 0, 0, 0,                              // data set
    0xff, 0xff, 0xff, 0xff,                  // channel -1: every channel
    0, 0, 0, 0, 0, 0, 0x24, 0x40,            // left 10
    0, 0, 0, 0, 0, 0, 0x34, 0x40,            // top 20
    0, 0, 0, 0, 0, 0, 0x3e, 0x40,            // width 30
    0, 0, 0, 0, 0, 0, 0x20, 0x40,            // height 8
    0xff, 0xff, 0xff, 0xff,                  // no border
    0, 0, 0, 0,                              // border width
    7, 0, 0, 0,                              // background
    1, 0, 0, 0,                              // layout
    12, 0, 0, 0,                             // the argument between layout and precision
    3, 0, 0, 0,                              // precision
    3, 0,                                    // colour source: object 3
    2, 0, 0, 0,                              // margin style
    0, 0, 0, 0,                              // n: no colours follow
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  // alarm text only: not written
    0, 0, 0, 0, 0, 0,                        // not written
});

TEST_F(SavedGridAndText, DynamicTextLeavesItsRecordByteForByteWithAndWithoutAColourSource) {
    const int withSource = textWithSource(scroll);
    ASSERT_NE(withSource, 0) << env.lastError.text;
    EXPECT_EQ(recordOf(withSource), textWithScrollSource);
    // The source is followed live: row 1 shows the second trace's colour.
    EXPECT_EQ(textAt(graph, withSource)->colourOfRow(env, graph, 1), 9);

    const int colours[2] = {11, 13};
    const int own = WRSetDynText(graph, pair, -1, 50.0, 60.0, 0.0, 0.0, 0, 2, colours, -1, 0, 0, 1, 0, 5);
    ASSERT_NE(own, 0) << env.lastError.text;
    const std::string record = recordOf(own);
    EXPECT_EQ(record.size(), 100u + 2 * 4);
    EXPECT_EQ(record, bytes({
        100, 0, 107, 0, 1, 0,                    // length, type, subtype
        2, 0, 0, 0,                              // data set
        0xff, 0xff, 0xff, 0xff,                  // every channel
        0, 0, 0, 0, 0, 0, 0x49, 0x40,            // left 50
        0, 0, 0, 0, 0, 0, 0x4e, 0x40,            // top 60
        0, 0, 0, 0, 0, 0, 0, 0,                  // width 0: sized from the text
        0, 0, 0, 0, 0, 0, 0, 0,                  // height 0
        0, 0, 0, 0,                              // border pattern: solid
        2, 0, 0, 0,                              // border width
        0xff, 0xff, 0xff, 0xff,                  // background: transparent
        0, 0, 0, 0,                              // layout
        0, 0, 0, 0,                              // the argument between layout and precision
        1, 0, 0, 0,                              // precision
        0, 0,                                    // no colour source
        5, 0, 0, 0,                              // margin style
        2, 0, 0, 0,                              // n
        0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  // alarm text only: not written
        0, 0, 0, 0, 0, 0,                        // not written
        11, 0, 0, 0, 13, 0, 0, 0,                // one colour per row
    }));
}

TEST_F(SavedGridAndText, ADynamicGridLeavesItsRecordByteForByte) {
    ASSERT_EQ(plotbase::WGSetLineStyle(env, graph, plotbase::DotLine, 1, 6), 1);
    const int grid = WRDynGrid(graph, yAxis, 0, 3);
    ASSERT_NE(grid, 0) << env.lastError.text;
    ASSERT_EQ(plotbase::WGSetLineStyle(env, graph, plotbase::DashLine, 2, 14), 1);
    ASSERT_EQ(WRDynGrid(graph, yAxis, 1, 0), grid);  // one object holds both grids
    EXPECT_EQ(recordOf(grid), bytes({
        38, 0, 102, 0,                           // length, type
        2, 0,                                    // axis object
        3, 0,                                    // refresh period
        1, 0, 0, 0, 1, 0, 0, 0,                  // both grids present
        2, 0, 1, 0, 0, 0, 6, 0, 0, 0,            // first: dotted, width 1, colour 6
        1, 0, 2, 0, 0, 0, 14, 0, 0, 0,           // second: dashed, width 2, colour 14
        0, 0,                                    // not written
    }));
}

TEST_F(SavedGridAndText, GridsAndTextsComeBackAsTheyWereAndSaveToTheSameBytes) {
    plotbase::WGSetLineStyle(env, graph, plotbase::DotLine, 1, 6);
    const int yGrid = WRDynGrid(graph, yAxis, 0, 3);
    plotbase::WGSetLineStyle(env, graph, plotbase::DashLine, 2, 14);
    const int xGrid = WRDynGrid(graph, xAxis, 1, 0);  // only the second grid
    const int withSource = textWithSource(scroll);
    const int colours[1] = {4};
    const int own = WRSetDynText(graph, set, 0, 5.0, 5.0, 20.0, 10.0, 1, 1, colours, 15, 0, 0, 2, 0, 1);
    for (int index : {yGrid, xGrid, withSource, own}) ASSERT_NE(index, 0) << env.lastError.text;

    const int restored = savedAndOpened();
    ASSERT_NE(restored, 0) << env.lastError.text;

    const int g = firstGraph(restored);
    const auto* y = objectAt<DynamicGrid>(g, yGrid);
    ASSERT_NE(y, nullptr);
    EXPECT_EQ(y->refreshPeriod, 3);
    EXPECT_EQ(y->axis(), yAxis);
    EXPECT_EQ(y->grids[0].colour, 6);
    EXPECT_FALSE(y->grids[1].present);
    const auto* x = objectAt<DynamicGrid>(g, xGrid);
    ASSERT_NE(x, nullptr);
    EXPECT_FALSE(x->grids[0].present);
    EXPECT_EQ(x->grids[1].pattern, plotbase::DashLine);
    const auto* t = textAt(g, withSource);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->colourSource, scroll);
    EXPECT_EQ(t->colourOfRow(env, g, 1), 9);
    EXPECT_EQ(t->precision, 3);
    ASSERT_NE(textAt(g, own), nullptr);
    EXPECT_EQ(textAt(g, own)->colourOfRow(env, g, 0), 4);
}

TEST_F(SavedGridAndText, AColourSourceInALaterSlotIsAttachedOnceItIsBack) {
    // The text takes a freed slot before its source's.
    const int placeholder = plotbase::WGTextNorm(env, graph, "x", 0.5, 0.5, 0, 0);
    const int source = WRSetScrollGraph(graph, pair, 1.0, 0.5, 1, 1, nullptr, nullptr, nullptr);
    ASSERT_GT(source, placeholder);
    ASSERT_EQ(plotbase::WGDeleteObject(env, graph, placeholder), 1);
    const int text = textWithSource(source);
    ASSERT_EQ(text, placeholder);

    const int restored = savedAndOpened();
    ASSERT_NE(restored, 0) << env.lastError.text;
    const int g = firstGraph(restored);
    const auto* t = textAt(g, text);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->colourSource, source);
    const auto* s = objectAt<scroll::ScrollGraph>(g, source);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(t->colourOfRow(env, g, 1), s->params.colours[1]);
}

TEST_F(SavedGridAndText, ATextWhoseSourceIsNotSavedKeepsTheColoursItShows) {
    const int meter = AddDynObject(env, graph, std::make_unique<ColouredMeter>());
    const int text = textWithSource(meter);
    ASSERT_NE(text, 0) << env.lastError.text;
    std::string expected = textWithScrollSource;
    expected[70] = 0;  // no colour source
    expected[76] = 2;  // two colours follow
    EXPECT_EQ(recordOf(text), expected + bytes({12, 0, 0, 0, 10, 0, 0, 0}));

    write(pageBytes(page));
    const int restored = open();
    ASSERT_NE(restored, 0) << env.lastError.text;
    const int g = firstGraph(restored);
    const auto* t = textAt(g, text);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->colourSource, 0);
    EXPECT_EQ(t->colourOfRow(env, g, 0), 12);
    EXPECT_EQ(t->colourOfRow(env, g, 1), 10);
}

TEST_F(SavedGridAndText, ARecordNamingOneOfPlotbasesObjectsAsColourSourceRefusesThePage) {
    ASSERT_NE(textWithSource(scroll), 0);
    const std::string saved = pageBytes(page);
    std::string axisAsSource = textWithScrollSource;
    axisAsSource[70] = static_cast<char>(yAxis);
    write(replaced(saved, textWithScrollSource, axisAsSource));
    EXPECT_EQ(open(), 0);
    EXPECT_EQ(lastErrorCode(), plotbase::PageFileRead);
    EXPECT_NE(env.lastError.text.find("cannot be a colour source"), std::string::npos) << env.lastError.text;
    std::string beyond = textWithScrollSource;
    beyond[70] = 40;
    write(replaced(saved, textWithScrollSource, beyond));
    EXPECT_EQ(open(), 0);
    EXPECT_NE(env.lastError.text.find("beyond the graph's objects"), std::string::npos) << env.lastError.text;
}

TEST_F(SavedGridAndText, ARecordWithFewerColoursThanTheDataSetNowHasRowsRestoresSafely) {
    // Saved when Pair had one channel: one colour, now two rows.
    std::string record = textWithScrollSource;
    record[70] = 0;
    record[76] = 1;
    record += bytes({11, 0, 0, 0});
    const int index = restoreThroughStream(record);
    ASSERT_NE(index, 0) << env.lastError.text;
    const auto* t = textAt(graph, index);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->colourOfRow(env, graph, 0), 11);
    EXPECT_EQ(t->colourOfRow(env, graph, 1), env.page(page)->graphs[0]->current.colour);
}

TEST_F(SavedGridAndText, RestoringAGridLeavesTheGraphsCurrentLineAndNeedsAPresentGrid) {
    ASSERT_EQ(plotbase::WGSetLineStyle(env, graph, plotbase::SolidLine, 3, 4), 1);
    const std::string grid = bytes({38, 0, 102, 0, 2, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0,  // second grid only, no timer
                                    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 1, 0, 0, 0, 13, 0, 0, 0, 0, 0});
    const int index = restoreThroughStream(grid);
    ASSERT_NE(index, 0) << env.lastError.text;
    const auto* g = objectAt<DynamicGrid>(graph, index);
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->grids[1].colour, 13);
    EXPECT_EQ(g->grids[1].pattern, plotbase::DotLine);
    EXPECT_EQ(g->refreshPeriod, 0);
    const auto& current = env.page(page)->graphs[0]->current;
    EXPECT_EQ(current.width, 3);
    EXPECT_EQ(current.colour, 4);

    std::string neither = grid;
    neither[12] = 0;
    EXPECT_EQ(restoreThroughStream(neither), 0);
}

}  // namespace
}  // namespace dynaview::testing
