// Scrolling graphs as their exported functions drive them: the window and its jump, sweep,
// variable step, XY pairs, logic and stacked lanes, history view, reset and change, and the
// refusals.

#include "scroll_graph_fixture.h"

#include "dynaview/frame/error_texts.h"
#include "plotbase/operations_change.h"

#include <cmath>

namespace dynaview::testing {
namespace {

using scroll::ScrollGraph;

class ScrollWindow : public ScrollGraphTest {
protected:
    // Records the time labels' moves of the graph.
    void watchLabels(int index) {
        object(index).moveTimeLabels = [this](const ObjectPlace&, const TimeLabelSlots&, double delta) { labelMoves.push_back(delta); };
    }
    std::vector<double> labelMoves;
};

TEST_F(ScrollWindow, AtTheEndTheLastColumnsMoveToTheStartAndTheLabelsFollow) {
    const int set = WRDefineDynDataSet("Flow", 1, nullptr, nullptr, 0);
    const int g = WRSetScrollGraph(graph, set, 1.0, 0.5, 1, 0, nullptr, nullptr, nullptr);
    ASSERT_GT(g, 0);
    ScrollGraph& s = object(g);
    EXPECT_EQ(s.points(), 101);
    EXPECT_EQ(s.window.resetColumn, 50);
    watchLabels(g);
    pushRange(set, 1, 101);
    EXPECT_EQ(s.column, 101);
    EXPECT_FALSE(s.windowFull);
    EXPECT_TRUE(labelMoves.empty());
    push(set, 102);
    // Samples 51..101 (the last 51 columns) now start the window; 102 follows them.
    EXPECT_TRUE(s.windowFull);
    EXPECT_EQ(s.column, 52);
    EXPECT_EQ(shown(g, 0), 51.0f);
    EXPECT_EQ(shown(g, 50), 101.0f);
    EXPECT_EQ(shown(g, 51), 102.0f);
    EXPECT_EQ(labelMoves, std::vector<double>{50.0});
    pushRange(set, 103, 152);  // the next jump, again by 50 samples
    EXPECT_EQ(shown(g, 0), 101.0f);
    EXPECT_EQ(labelMoves, (std::vector<double>{50.0, 50.0}));
}

TEST_F(ScrollWindow, ResetOneIsReducedSoTheWindowMovesAColumnPerSampleAndResetZeroAWholeWidth) {
    const int set = WRDefineDynDataSet("Flow", 1, nullptr, nullptr, 0);
    const int one = WRSetScrollGraph(graph, set, 1.0, 1.0, 1, 0, nullptr, nullptr, nullptr);
    const int zero = WRSetScrollGraph(graph, set, 2.0, 0.0, 1, 0, nullptr, nullptr, nullptr);
    double interval = 0, reset = 0;
    int style = -1;
    ASSERT_EQ(WRGetScrollGraphParams(graph, one, &interval, &reset, &style), 1);
    EXPECT_NEAR(reset, 0.99, 1e-6);
    EXPECT_EQ(object(one).window.resetColumn, 99);
    watchLabels(one);
    pushRange(set, 1, 101);
    push(set, 102);
    EXPECT_EQ(shown(one, 0), 2.0f);
    EXPECT_EQ(shown(one, 100), 102.0f);
    push(set, 103);
    EXPECT_EQ(shown(one, 0), 3.0f);
    EXPECT_EQ(labelMoves, (std::vector<double>{1.0, 1.0}));
    // 51 points at interval 2: the 52nd sample starts a new window after the last one.
    EXPECT_EQ(object(zero).points(), 51);
    EXPECT_EQ(object(zero).column, 3);
    EXPECT_EQ(shown(zero, 0), 101.0f);
    EXPECT_EQ(shown(zero, 2), 103.0f);
}

TEST_F(ScrollWindow, ABlockUpdateAdvancesOneColumnPerRow) {
    const int set = WRDefineDynDataSet("Two", 2, nullptr, nullptr, 0);
    const int g = WRSetScrollGraph(graph, set, 1.0, 0.5, 1, 0, nullptr, nullptr, nullptr);
    const double rows[] = {1, 10, 2, 20, 3, 30, 4, 40, 5, 50};
    WRUpdateBlockData(set, rows, 5, 0);
    EXPECT_EQ(object(g).column, 5);
    EXPECT_EQ(shown(g, 4, 0), 5.0f);
    EXPECT_EQ(shown(g, 4, 1), 50.0f);
    EXPECT_EQ(shown(g, 0, 1), 10.0f);
}

TEST_F(ScrollWindow, ANewGraphShowsTheNewestHistoryAtOnce) {
    const int set = WRDefineDynDataSet("Flow", 1, nullptr, nullptr, 500);
    pushRange(set, 1, 40);
    const int g = WRSetScrollGraph(graph, set, 1.0, 0.5, 1, 0, nullptr, nullptr, nullptr);
    EXPECT_EQ(object(g).column, 40);
    EXPECT_EQ(shown(g, 0), 1.0f);
    EXPECT_EQ(shown(g, 39), 40.0f);
    pushRange(set, 41, 300);
    const int late = WRSetScrollGraph(graph, set, 1.0, 0.5, 1, 0, nullptr, nullptr, nullptr);
    EXPECT_EQ(object(late).column, 100);  // N - 1
    EXPECT_EQ(shown(late, 99), 300.0f);
    EXPECT_TRUE(object(late).windowFull);
}

TEST_F(ScrollWindow, ASweepRestartsAtColumnOneWithTheLastPointCarriedOver) {
    const int set = WRDefineDynDataSet("Pulse", 1, nullptr, nullptr, 0);
    const int g = WRSetSweepGraph(graph, set, 10.0, 1, 0, 4, nullptr, nullptr, nullptr);
    ScrollGraph& s = object(g);
    EXPECT_EQ(s.points(), 11);
    watchLabels(g);
    pushRange(set, 1, 11);
    EXPECT_EQ(s.column, 11);
    push(set, 12);
    EXPECT_TRUE(s.windowFull);
    EXPECT_EQ(s.column, 2);
    EXPECT_EQ(shown(g, 0), 11.0f);
    EXPECT_EQ(shown(g, 1), 12.0f);
    EXPECT_EQ(shown(g, 2), 3.0f);  // the old pass stays until overwritten
    EXPECT_TRUE(labelMoves.empty());  // a sweep does not move its time
}

TEST_F(ScrollWindow, AVariableStepPlacesSamplesByTheirStepAndMovesByWholeJumpSpans) {
    const int set = WRDefineDynDataSet("Var", 2, nullptr, nullptr, 0);  // value, step
    const int g = WRSetVarScroll(graph, set, 0.5, 1, 0, nullptr, nullptr, nullptr);
    ASSERT_GT(g, 0);
    ScrollGraph& s = object(g);
    EXPECT_EQ(s.points(), 31);
    EXPECT_EQ(s.traceCount, 1);
    watchLabels(g);
    for (int i = 0; i <= 10; ++i) {
        const double sample[] = {static_cast<double>(i), 10.0};
        WRUpdateData(set, sample, 0);
    }
    EXPECT_DOUBLE_EQ(s.positionOf(10), 100.0);
    EXPECT_TRUE(labelMoves.empty());
    const double far[] = {11.0, 65.0};  // position 165: two spans of 50 bring it back inside
    WRUpdateData(set, far, 0);
    EXPECT_EQ(labelMoves, std::vector<double>{100.0});
    EXPECT_DOUBLE_EQ(s.windowStart(), 100.0);
    // Kept: the last sample before the window's start, the one at it, then the new one.
    EXPECT_EQ(s.column, 3);
    EXPECT_DOUBLE_EQ(s.positionOf(0), 90.0);
    EXPECT_DOUBLE_EQ(s.positionOf(2), 165.0);
    // The arrays grow by 10 points when the columns run out.
    for (int i = 0; i < 40; ++i) {
        const double small[] = {1.0, 0.5};
        WRUpdateData(set, small, 0);
    }
    EXPECT_EQ(s.column, 43);
    EXPECT_EQ(s.points(), 51);
    double interval = -1;
    WRGetScrollGraphParams(graph, g, &interval, nullptr, nullptr);
    EXPECT_EQ(interval, -1);  // not given for a variable step
}

TEST_F(ScrollWindow, AnXYGraphOverSixChannelsDrawsThreeCurvesOfItsPairs) {
    const int set = WRDefineDynDataSet("Pairs", 6, nullptr, nullptr, 0);
    const int g = WRSetXYGraph(graph, set, 50, nullptr, nullptr, nullptr);
    ASSERT_GT(g, 0);
    ScrollGraph& s = object(g);
    EXPECT_EQ(s.traceCount, 3);
    EXPECT_TRUE(dataSet(set).xy);
    const double sample[] = {10, 20, 30, 40, 50, 60};
    WRUpdateData(set, sample, 0);
    const plotbase::Scaling scaling({40, 30, 320, 240}, {0, 100}, {0, 100});
    for (int curve = 0; curve < 3; ++curve) {
        const QPointF p = s.devicePoint(scaling, curve, 0);
        EXPECT_DOUBLE_EQ(p.x(), deviceX(sample[2 * curve]));
        EXPECT_DOUBLE_EQ(p.y(), deviceY(sample[2 * curve + 1]));
    }
    // Once full, the oldest point leaves with each new one.
    for (int i = 0; i < 60; ++i) WRUpdateData(set, sample, 0);
    EXPECT_EQ(s.column, 50);
    EXPECT_EQ(s.window.resetColumn, 48);
    const int wide = WRDefineDynDataSet("Wide", 18, nullptr, nullptr, 0);
    EXPECT_EQ(WRSetXYGraph(graph, wide, 50, nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(WRSetXYGraph(graph, set, 1, nullptr, nullptr, nullptr), 0);
}

TEST_F(ScrollWindow, ALogicGraphFollowsItsOwnBinaryWordInLanes) {
    const int set = WRDefineDynDataSet("Valves", 4, nullptr, nullptr, 0);
    const int other = WRDefineDynDataSet("Other", 1, nullptr, nullptr, 0);
    const int g = WRSetLogicGraph(graph, set, 1.0, 0.5, 1, 0, nullptr, nullptr, nullptr);
    ScrollGraph& s = object(g);
    EXPECT_EQ(s.traceCount, 4);
    WRUpdateBinaryData(set, 0x5, 0);
    WRUpdateBinaryData(set, 0x6, 0);
    const double values[] = {1, 2, 3, 4};
    WRUpdateData(set, values, 0);  // analog values do not advance it
    WRUpdateBinaryData(other, 0xF, 0);  // nor does another data set's word
    EXPECT_EQ(s.column, 2);
    EXPECT_EQ(shown(g, 1), 6.0f);
    // Four lanes of 25 over 0..100: bit 1 of 0x6 is high in lane 1, bit 0 low in lane 0.
    const plotbase::Scaling scaling({40, 30, 320, 240}, {0, 100}, {0, 100});
    EXPECT_DOUBLE_EQ(s.devicePoint(scaling, 1, 1).y(), deviceY(25.0 + 0.75 * 25.0));
    EXPECT_DOUBLE_EQ(s.devicePoint(scaling, 0, 1).y(), deviceY(0.25 * 25.0));
    const char* tags[] = {"Inlet", "Outlet valve name too long", nullptr, "Drain"};
    EXPECT_EQ(WRLogicTagsPtr(graph, g, tags), 1);
    EXPECT_EQ(s.logicTags[1], "Outlet valve na");
    EXPECT_EQ(s.logicTags[2], "");
    char packed[64] = {};
    packed[0] = 'A';
    packed[16] = 'B';
    EXPECT_EQ(WRLogicTags(graph, g, packed), 1);
    EXPECT_EQ(s.logicTags[1], "B");
    const int lines = WRSetScrollGraph(graph, set, 1.0, 0.5, 1, 0, nullptr, nullptr, nullptr);
    EXPECT_EQ(WRLogicTags(graph, lines, packed), 0);
    EXPECT_EQ(lastErrorCode(), plotbase::WrongObjectType);
}

TEST_F(ScrollWindow, StackedTracesEachKeepToTheirLane) {
    const int set = WRDefineDynDataSet("Two", 2, nullptr, nullptr, 0);
    const int g = WRSetStackedGraph(graph, set, 1.0, 0.5, 1, 0, nullptr, nullptr, nullptr);
    const double sample[] = {50.0, 150.0};
    WRUpdateData(set, sample, 0);
    const plotbase::Scaling scaling({40, 30, 320, 240}, {0, 100}, {0, 100});
    EXPECT_DOUBLE_EQ(object(g).devicePoint(scaling, 0, 0).y(), deviceY(25.0));
    EXPECT_DOUBLE_EQ(object(g).devicePoint(scaling, 1, 0).y(), deviceY(100.0));  // held inside its lane
}

// --- history view ---

class HistoryView : public ScrollWindow {
protected:
    HistoryView() {
        set = WRDefineDynDataSet("Level", 1, nullptr, nullptr, 500);
        g = WRSetScrollGraph(graph, set, 1.0, 0.5, 1, 0, nullptr, nullptr, nullptr);
        watchLabels(g);
    }
    int set = 0;
    int g = 0;
};

TEST_F(HistoryView, IsRefusedBeforeTheWindowHasFilledOnce) {
    pushRange(set, 1, 101);
    double shownBack = -1;
    EXPECT_EQ(WRShowHist(graph, g, 10.0, &shownBack), 0);
    EXPECT_EQ(shownBack, -1);
    EXPECT_FALSE(object(g).historyShown());
}

TEST_F(HistoryView, ShowsAPrivateCopyWhileLiveValuesFlowAndResumesAtTheNewest) {
    pushRange(set, 1, 150);  // jumped once at 102: columns 0..99 hold 51..150
    EXPECT_EQ(object(g).column, 100);
    labelMoves.clear();
    double shownBack = 0;
    ASSERT_EQ(WRShowHist(graph, g, 10.2, &shownBack), 1);
    EXPECT_DOUBLE_EQ(shownBack, 10.0);
    EXPECT_EQ(shown(g, 99), 140.0f);
    EXPECT_EQ(shown(g, 0), 41.0f);
    // Live values go into the data set only.
    pushRange(set, 151, 155);
    double last = 0;
    WRGetLastData(set, &last, nullptr);
    EXPECT_EQ(last, 155.0);
    EXPECT_EQ(dataSet(set).history.stored(), 155);
    EXPECT_EQ(shown(g, 99), 140.0f);
    EXPECT_EQ(object(g).arrivedDuringHistory(), 5);
    double moved = 0;
    ASSERT_EQ(WRMoveHistScroll(graph, g, 2.6, &moved), 1);
    EXPECT_DOUBLE_EQ(moved, 3.0);
    EXPECT_EQ(shown(g, 99), 143.0f);
    ASSERT_EQ(WRMoveHistScroll(graph, g, 50.0, &moved), 1);  // no further than the newest
    EXPECT_DOUBLE_EQ(moved, 7.0);
    ASSERT_EQ(WRResumeScroll(graph, g), 1);
    EXPECT_FALSE(object(g).historyShown());
    EXPECT_EQ(object(g).column, 100);
    EXPECT_EQ(shown(g, 99), 155.0f);
    EXPECT_EQ(shown(g, 0), 56.0f);
    // The labels went back 10, on 3, on 7, and on by what arrived meanwhile: net +5.
    EXPECT_EQ(labelMoves, (std::vector<double>{-10.0, 3.0, 7.0, 5.0}));
    push(set, 156);
    EXPECT_EQ(shown(g, 100), 156.0f);
    EXPECT_EQ(WRResumeScroll(graph, g), 0);  // not in history view
}

TEST_F(HistoryView, AskingForMoreThanThereIsShowsTheOldestSamples) {
    const int shortSet = WRDefineDynDataSet("Short", 1, nullptr, nullptr, 120);
    const int s = WRSetScrollGraph(graph, shortSet, 1.0, 0.5, 1, 0, nullptr, nullptr, nullptr);
    pushRange(shortSet, 1, 150);
    double shownBack = 0;
    ASSERT_EQ(WRShowHist(graph, s, 1000.0, &shownBack), 1);
    EXPECT_DOUBLE_EQ(shownBack, 20.0);
    EXPECT_EQ(shown(s, 0), 31.0f);  // the oldest the ring still holds
    EXPECT_EQ(shown(s, 99), 130.0f);
}

TEST_F(HistoryView, WithoutHistoryTheDataSetIsNamedInTheError) {
    const int bare = WRDefineDynDataSet("Bare", 1, nullptr, nullptr, 0);
    const int s = WRSetScrollGraph(graph, bare, 1.0, 0.5, 1, 0, nullptr, nullptr, nullptr);
    pushRange(bare, 1, 110);
    EXPECT_EQ(WRShowHist(graph, s, 5.0, nullptr), 0);
    EXPECT_EQ(lastErrorCode(), NoHistory);
    EXPECT_NE(env.lastError.text.find("Bare"), std::string::npos);
    const int var = WRDefineDynDataSet("Var", 2, nullptr, nullptr, 100);
    const int v = WRSetVarScroll(graph, var, 0.5, 1, 0, nullptr, nullptr, nullptr);
    EXPECT_EQ(WRShowHist(graph, v, 5.0, nullptr), 0);
}

TEST_F(HistoryView, AResetLeavesTheViewAndEmptiesTheWindow) {
    pushRange(set, 1, 150);
    ASSERT_EQ(WRShowHist(graph, g, 10.0, nullptr), 1);
    EXPECT_EQ(WRResetScroll(graph, g), 1);
    EXPECT_FALSE(object(g).historyShown());
    EXPECT_EQ(object(g).column, 0);
    EXPECT_EQ(object(g).row, -1);
    EXPECT_FALSE(object(g).windowFull);
    push(set, 151);
    EXPECT_EQ(shown(g, 0), 151.0f);
}

// --- change, query, refusals ---

TEST_F(ScrollWindow, AChangedIntervalRebuildsTheWindowFromHistory) {
    const int set = WRDefineDynDataSet("Level", 1, nullptr, nullptr, 500);
    const int g = WRSetScrollGraph(graph, set, 1.0, 0.5, 1, 0, nullptr, nullptr, nullptr);
    pushRange(set, 1, 60);
    ASSERT_EQ(WRChangeScrollGraph(graph, g, 2.0, 0.2, 2), 1);
    double interval = 0, reset = 0;
    int style = 0;
    WRGetScrollGraphParams(graph, g, &interval, &reset, &style);
    EXPECT_EQ(interval, 2.0);
    EXPECT_NEAR(reset, 0.2, 1e-6);
    EXPECT_EQ(style, 2);
    EXPECT_EQ(object(g).points(), 51);
    EXPECT_EQ(object(g).window.resetColumn, 10);
    EXPECT_EQ(object(g).column, 50);
    EXPECT_EQ(shown(g, 49), 60.0f);
    EXPECT_EQ(WRChangeScrollGraph(graph, g, 0.001, 0.2, 0), 0);  // 100000 points do not fit
    EXPECT_EQ(WRChangeScrollGraph(graph, g, 2.0, 1.5, 0), 0);
    EXPECT_EQ(WRChangeScrollGraph(graph, g, 2.0, 0.5, 3), 0);
    EXPECT_EQ(WRChangeScrollGraph(graph, 99, 2.0, 0.5, 0), 0);
    EXPECT_EQ(env.lastError.text, "No such object - WRChangeScrollGraph");
    EXPECT_EQ(WRGetScrollGraphParams(graph, 99, nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(env.lastError.text, "No such object - WRGetScrollGraph");
}

TEST_F(ScrollWindow, AWiderAxisRebuildsTheWindowAndATooWideOneIsRefused) {
    const int set = WRDefineDynDataSet("Level", 1, nullptr, nullptr, 500);
    const int g = WRSetScrollGraph(graph, set, 1.0, 0.5, 1, 0, nullptr, nullptr, nullptr);
    pushRange(set, 1, 80);
    plotbase::WGChangeAxisRange(env, graph, xAxis, 0.0, 200.0);
    EXPECT_EQ(object(g).points(), 201);
    EXPECT_EQ(object(g).column, 80);
    plotbase::WGChangeAxisRange(env, graph, xAxis, 0.0, 40000.0);
    EXPECT_EQ(lastErrorCode(), RangeTooLarge);
    EXPECT_EQ(object(g).points(), 201);
}

TEST_F(ScrollWindow, CreatorsRefuseWhatTheyCannotDraw) {
    const int set = WRDefineDynDataSet("Two", 2, nullptr, nullptr, 0);
    const int badColours[] = {3, 16};
    const int badWidths[] = {1, -1};
    EXPECT_EQ(WRSetScrollGraph(graph, set, 0.0, 0.5, 1, 0, nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(lastErrorCode(), plotbase::InvalidArgument);
    EXPECT_EQ(WRSetScrollGraph(graph, set, 1.0, std::nan(""), 1, 0, nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(WRSetScrollGraph(graph, set, 1.0, -0.5, 1, 0, nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(WRSetScrollGraph(graph, set, 1.0, 0.5, 1, 3, nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(WRSetScrollGraph(graph, set, 1.0, 0.5, 1, 0, nullptr, nullptr, badColours), 0);
    EXPECT_EQ(WRSetScrollGraph(graph, set, 1.0, 0.5, 1, 0, nullptr, badWidths, nullptr), 0);
    EXPECT_EQ(WRSetScrollGraph(graph, set, 0.001, 0.5, 1, 0, nullptr, nullptr, nullptr), 0);  // 100001 points
    EXPECT_EQ(WRSetScrollBargraph(graph, set, 2, 1.0, 0.5, 1, 0.6, -1, 4), 0);  // no channel 2
    EXPECT_EQ(WRSetScrollBargraph(graph, set, 1, 1.0, 0.5, 1, 0.6, 6, 4), 0);
    const int one = WRDefineDynDataSet("One", 1, nullptr, nullptr, 0);
    EXPECT_EQ(WRSetVarScroll(graph, one, 0.5, 1, 0, nullptr, nullptr, nullptr), 0);  // no step channel
    auto refusedWith = [&](int created, const std::string& text) {
        EXPECT_EQ(created, 0);
        EXPECT_EQ(env.lastError.text, text);
    };
    refusedWith(WRSetScrollGraph(graph, 77, 1.0, 0.5, 1, 0, nullptr, nullptr, nullptr), "No such data set - WRSetScrollGraph");
    refusedWith(WRSetSweepGraph(graph, 77, 1.0, 1, 0, 4, nullptr, nullptr, nullptr), "No such data set - WRSetSweepGraph");
    refusedWith(WRSetVarScroll(graph, 77, 0.5, 1, 0, nullptr, nullptr, nullptr), "No such data set - WRSetVarScroll");
    refusedWith(WRSetXYGraph(graph, 77, 10, nullptr, nullptr, nullptr), "No such data set - WRSetXYGraph");
    EXPECT_EQ(dataSet(set).referenceCount, 0);  // nothing half-made stays bound
}

TEST_F(ScrollWindow, ResetIsForScrollingGraphsOnly) {
    const int set = WRDefineDynDataSet("One", 1, nullptr, nullptr, 0);
    const int lines = WRSetAlarmLines(graph, set, 0, 1, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(WRResetScroll(graph, lines), 0);
    EXPECT_EQ(env.lastError.text, "Invalid record - WRResetScroll");
    EXPECT_EQ(WRResetScroll(graph, 99), 0);
    EXPECT_EQ(env.lastError.text, "No such object - WRResetScroll");
    EXPECT_EQ(WRShowHist(graph, lines, 1.0, nullptr), 0);
    EXPECT_EQ(lastErrorCode(), plotbase::WrongObjectType);
}

TEST_F(ScrollWindow, DeletingTheGraphFreesItsDataSet) {
    const int set = WRDefineDynDataSet("One", 1, nullptr, nullptr, 100);
    const int g = WRSetScrollGraph(graph, set, 1.0, 0.5, 1, 0, nullptr, nullptr, nullptr);
    pushRange(set, 1, 120);
    ASSERT_EQ(WRShowHist(graph, g, 5.0, nullptr), 1);
    EXPECT_EQ(WRFreeDynDataSet(set), 0);
    WRDeleteRTObject(graph, g);
    EXPECT_EQ(WRFreeDynDataSet(set), 1);
}

}  // namespace
}  // namespace dynaview::testing
