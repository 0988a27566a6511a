// The arithmetic of the scrolling window: points across, reset column, runs and history views.

#include "dynaview/scroll/scroll_geometry.h"

#include <gtest/gtest.h>

#include <cmath>

namespace dynaview::scroll {
namespace {

TEST(ScrollGeometry, RangeOfAHundredAtIntervalOneHoldsAHundredAndOnePointsAndResetsHalfway) {
    const int n = PointsAcross(100.0, 1.0);
    EXPECT_EQ(n, 101);
    const WindowGeometry g = Geometry(n, 0.5, 100.0);
    EXPECT_EQ(g.resetColumn, 50);
    EXPECT_FLOAT_EQ(g.jumpSpan, 50.0f);
    // With reset 0 the window jumps a whole width; the largest reset keeps all but one column.
    EXPECT_EQ(ResetColumn(n, 0.0), 0);
    EXPECT_EQ(ResetColumn(n, ReducedReset(1.0, 1.0, 100.0)), 99);
    EXPECT_EQ(ResetColumn(n, 1.0), 99);  // never N - 1: a jump must free a column
    EXPECT_DOUBLE_EQ(ReducedReset(1.0, 1.0, 100.0), 0.99);
    EXPECT_DOUBLE_EQ(ReducedReset(0.3, 1.0, 100.0), 0.3);
}

TEST(ScrollGeometry, IntervalsThatDoNotFitTheWindowAreRecognised) {
    EXPECT_TRUE(IntervalFits(100.0, 1.0));
    EXPECT_TRUE(IntervalFits(32700.0, 1.0));
    EXPECT_FALSE(IntervalFits(32701.0, 1.0));
    EXPECT_FALSE(IntervalFits(100.0, 0.0));
    EXPECT_FALSE(IntervalFits(100.0, -1.0));
    EXPECT_FALSE(IntervalFits(100.0, 200.0));  // wider than the window
    EXPECT_FALSE(IntervalFits(100.0, std::nan("")));
}

TEST(ScrollGeometry, RunsHoldFifteenPointsUntilTheWindowIsWide) {
    EXPECT_EQ(RunLength(101), 15);
    EXPECT_EQ(RunLength(599), 15);   // 599 / 40 = 14
    EXPECT_EQ(RunLength(600), 16);   // K = 15
    EXPECT_EQ(RunLength(10001), 251);
}

TEST(ScrollGeometry, HistoryViewsStayInsideTheHistory) {
    // 500 samples stored, a window of 100 shown.
    HistoryWindow view = HistoryView(10.4, 1.0, 500, 100);
    EXPECT_EQ(view.pointsBack, 10);
    EXPECT_EQ(view.shown, 100);
    EXPECT_EQ(HistoryView(10.5, 1.0, 500, 100).pointsBack, 11);
    EXPECT_EQ(HistoryView(-5.0, 1.0, 500, 100).pointsBack, 0);
    // More than there is: the oldest window, and the time reduced to match.
    EXPECT_EQ(HistoryView(1000.0, 1.0, 500, 100).pointsBack, 400);
    EXPECT_EQ(HistoryView(1000.0, 1.0, 60, 100).pointsBack, 0);
    EXPECT_EQ(HistoryView(1000.0, 1.0, 60, 100).shown, 60);
    // Moves towards the newest lower pointsBack and stop at both ends.
    EXPECT_EQ(MovedHistoryView(view, 4, 500, 100).pointsBack, 6);
    EXPECT_EQ(MovedHistoryView(view, 40, 500, 100).pointsBack, 0);
    EXPECT_EQ(MovedHistoryView(view, -1000, 500, 100).pointsBack, 400);
}

TEST(ScrollGeometry, TimeBecomesPointsRoundedHalfAwayFromZero) {
    EXPECT_EQ(PointsOfTime(2.5, 1.0), 3);
    EXPECT_EQ(PointsOfTime(-2.5, 1.0), -3);
    EXPECT_EQ(PointsOfTime(2.4, 1.0), 2);
    EXPECT_EQ(PointsOfTime(1.0, 0.5), 2);
    EXPECT_EQ(PointsOfTime(1e15, 1.0), 2000000000);
    EXPECT_EQ(PointsOfTime(1e300, 1e-300), 0);  // beyond any count
    EXPECT_EQ(PointsOfTime(std::nan(""), 1.0), 0);
}

}  // namespace
}  // namespace dynaview::scroll
