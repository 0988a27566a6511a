// The four draw operations and the markers.

#include "graph_fixture.h"

#include <limits>
#include <memory>
#include <utility>

namespace graph::testing {
namespace {

using Drawing = GraphTest;

TEST_F(Drawing, StartsWithThreeOnePointSetsOnOneSharedXBlock) {
    ASSERT_TRUE(created);
    EXPECT_EQ(set(h().mainSet).name, "TDR Data Set");
    EXPECT_EQ(set(h().savedSet).name, "TDR Saved Data");
    EXPECT_EQ(set(h().derivativeSet).name, "TDR Deriv Data");
    for (int s : {h().mainSet, h().savedSet, h().derivativeSet}) EXPECT_EQ(set(s).count, 1);
    EXPECT_EQ(set(h().mainSet).x, set(h().savedSet).x);
    EXPECT_EQ(set(h().mainSet).x, set(h().derivativeSet).x);
    EXPECT_NE(set(h().mainSet).y, set(h().savedSet).y);
}

TEST_F(Drawing, AWaveformRunsFromPointOneToPointNAcrossTheWindow) {
    ASSERT_TRUE(gfx.DrawWaveform(251, 1.5f, 10.0f));
    const auto& s = set(h().mainSet);
    EXPECT_EQ(s.name, "TDR Data Set");
    ASSERT_EQ(s.count, 251);
    EXPECT_EQ(y(s, 0), store.WaveformAt(1));
    EXPECT_EQ(y(s, 250), store.WaveformAt(251));
    EXPECT_EQ(x(s, 0), 1.5);
    for (int i = 1; i < 251; ++i) EXPECT_NEAR(x(s, i) - x(s, i - 1), 10.0 / 250, 1e-12);
    EXPECT_NEAR(x(s, 250), 11.5, 1e-9);
    EXPECT_EQ(object<plotbase::LinePlot>(h().mainPlot).dataSet, h().mainSet);
    EXPECT_EQ(xAxis().min, 1.5);  // the distance axis shows the window
    EXPECT_EQ(xAxis().max, 11.5);
    EXPECT_EQ(xAxis().tickSpacing, 1.0);
}

TEST_F(Drawing, ASinglePointSitsAtTheStart) {
    ASSERT_TRUE(gfx.DrawWaveform(1, 2.5f, 10.0f));
    const auto& s = set(h().mainSet);
    ASSERT_EQ(s.count, 1);
    EXPECT_EQ(x(s, 0), 2.5);
    EXPECT_EQ(y(s, 0), store.WaveformAt(1));
}

TEST_F(Drawing, ArraysFeedTheMainAndSavedTracesFromPositionZero) {
    const std::vector<float> values{0.25f, -0.5f, 0.75f, 1.0f};
    ASSERT_TRUE(gfx.DrawDataArray(3, values, 0.0f, 4.0f));
    EXPECT_EQ(y(set(h().mainSet), 0), 0.25);
    EXPECT_EQ(y(set(h().mainSet), 2), 0.75);
    EXPECT_EQ(x(set(h().mainSet), 2), 4.0);
    EXPECT_EQ(xAxis().max, 4.0);

    ASSERT_TRUE(gfx.DrawSavedData(4, values, 20.0f, 30.0f));
    const auto& saved = set(h().savedSet);
    EXPECT_EQ(saved.name, "TDR Save Data");
    EXPECT_EQ(y(saved, 3), 1.0);
    EXPECT_EQ(x(saved, 3), 50.0);
    EXPECT_EQ(object<plotbase::LinePlot>(h().savedPlot).dataSet, h().savedSet);
    EXPECT_EQ(xAxis().min, 0.0);  // the overlay leaves the distance axis alone
    EXPECT_EQ(xAxis().max, 4.0);
}

TEST_F(Drawing, TheDerivativeComesFromTheStoreAndLeavesTheDistanceAxisAlone) {
    ASSERT_TRUE(gfx.DrawDerivative(100, 3.0f, 9.9f));
    const auto& s = set(h().derivativeSet);
    EXPECT_EQ(s.name, "TDR Deriv. Data");
    EXPECT_EQ(y(s, 0), store.DerivativeAt(1));
    EXPECT_EQ(y(s, 99), store.DerivativeAt(100));
    EXPECT_NEAR(x(s, 99), 12.9, 1e-6);
    EXPECT_EQ(object<plotbase::LinePlot>(h().derivativePlot).dataSet, h().derivativeSet);
    EXPECT_EQ(xAxis().max, 100.0);
}

TEST_F(Drawing, BadCountsAreRefusedAndTheTraceStays) {
    ASSERT_TRUE(gfx.DrawWaveform(10, 0.0f, 1.0f));
    const std::vector<float> three{1, 2, 3};
    EXPECT_FALSE(gfx.DrawWaveform(0, 0.0f, 1.0f));
    EXPECT_FALSE(gfx.DrawWaveform(-4, 0.0f, 1.0f));
    EXPECT_FALSE(gfx.DrawWaveform(TDRGFX::MaxPoints + 1, 0.0f, 1.0f));
    EXPECT_FALSE(gfx.DrawDataArray(4, three, 0.0f, 1.0f));
    EXPECT_FALSE(gfx.DrawSavedData(4, three, 0.0f, 1.0f));
    EXPECT_FALSE(gfx.DrawDerivative(0, 0.0f, 1.0f));
    EXPECT_EQ(set(h().mainSet).count, 10);
    EXPECT_EQ(set(h().savedSet).count, 1);
    EXPECT_TRUE(gfx.DrawWaveform(TDRGFX::MaxPoints, 0.0f, 1.0f));
}

TEST_F(Drawing, MarkersSitAtStartPlusPositionOverNTimesLength) {
    gfx.MoveMarkers(500, true, 10.0f, 2.0f, 125.0f, 400.0f);
    const auto& m1 = object<plotbase::DataCursor>(h().marker1);
    const auto& m2 = object<plotbase::DataCursor>(h().marker2);
    EXPECT_EQ(m1.x, 4.5);  // 2 + 125 / 500 * 10, not / 499
    EXPECT_EQ(m2.x, 10.0);
    EXPECT_EQ(m1.y, 1.0);
    EXPECT_EQ(m2.y, 1.0);

    gfx.MoveMarkers(3, false, 0.7f, 0.1f, 1.0f, 2.0f);  // in single precision
    EXPECT_EQ(object<plotbase::DataCursor>(h().marker1).x, static_cast<double>(0.1f + 1.0f / 3.0f * 0.7f));
    EXPECT_EQ(object<plotbase::DataCursor>(h().marker2).x, static_cast<double>(0.1f + 2.0f / 3.0f * 0.7f));

    gfx.MoveMarkers(0, true, 10.0f, 0.0f, 1.0f, 2.0f);  // no points: left where they are
    EXPECT_EQ(object<plotbase::DataCursor>(h().marker1).x, static_cast<double>(0.1f + 1.0f / 3.0f * 0.7f));
}

TEST_F(Drawing, RangesAndPositionsThatAreNotFiniteChangeNothingAndRaiseNoError) {
    gfx.SetDistanceAxis(1.0f, 11.0f);
    gfx.SetValueAxis(-0.5f, 0.5f);
    gfx.MoveMarkers(10, true, 10.0f, 1.0f, 2.0f, 5.0f);
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float huge = std::numeric_limits<float>::max();
    for (auto [min, max] : {std::pair{0.0f, inf}, std::pair{-inf, 0.0f}, std::pair{nan, 1.0f}, std::pair{0.0f, nan},
                            std::pair{-huge, huge}}) {
        gfx.SetDistanceAxis(min, max);
        gfx.SetValueAxis(min, max);
    }
    gfx.MoveMarkers(10, true, inf, 0.0f, 1.0f, 2.0f);
    gfx.MoveMarkers(10, true, 10.0f, 0.0f, nan, 9.0f);  // the second marker still moves
    EXPECT_EQ(xAxis().min, 1.0);
    EXPECT_EQ(xAxis().max, 11.0);
    EXPECT_EQ(yAxis().min, -0.5);
    EXPECT_EQ(yAxis().max, 0.5);
    EXPECT_EQ(object<plotbase::DataCursor>(h().marker1).x, 3.0);
    EXPECT_EQ(object<plotbase::DataCursor>(h().marker2).x, 9.0);
    EXPECT_TRUE(dialogs.records.empty());
}

TEST_F(Drawing, NothingHappensOnceTheGraphIsGone) {
    plotbase::KillGraphPage(env(), h().page);
    EXPECT_FALSE(gfx.DrawWaveform(10, 0.0f, 1.0f));
    EXPECT_FALSE(gfx.DrawDataArray(1, std::vector<float>{1.0f}, 0.0f, 1.0f));
    EXPECT_FALSE(gfx.DrawSavedData(1, std::vector<float>{1.0f}, 0.0f, 1.0f));
    EXPECT_FALSE(gfx.DrawDerivative(10, 0.0f, 1.0f));
    gfx.MoveMarkers(10, true, 1.0f, 0.0f, 1.0f, 2.0f);
    gfx.SetDistanceAxis(0.0f, 5.0f);
    gfx.SetValueAxis(0.0f, 5.0f);
    gfx.SetValueAxisTitle("Difference");
    gfx.RedrawTrace();
    EXPECT_FALSE(gfx.GetValueAxisRange());
    EXPECT_FALSE(gfx.PrintWaveformGraph({}));
    EXPECT_TRUE(dialogs.records.empty());  // and no error boxes either
}

TEST_F(Drawing, RedrawingReplacesTheSetWithoutGrowth) {
    gfx.DrawWaveform(2048, 0.0f, 10.0f);
    const std::weak_ptr<std::vector<double>> oldX = set(h().mainSet).x;
    const std::weak_ptr<std::vector<double>> oldY = set(h().mainSet).y;
    const int objects = env().graph(g())->objects.size();
    const auto records = env().records.size();
    for (int i = 0; i < 10000; ++i) {
        ASSERT_TRUE(gfx.DrawWaveform(2048, 0.0f, 10.0f));
        gfx.DrawDerivative(2048, 0.0f, 10.0f);
    }
    EXPECT_TRUE(oldX.expired());
    EXPECT_TRUE(oldY.expired());
    EXPECT_EQ(env().graph(g())->objects.size(), objects);
    EXPECT_EQ(env().graph(g())->objects.capacity(), plotbase::ObjectTable::InitialCapacity + plotbase::ObjectTable::GrowthStep);
    EXPECT_EQ(env().records.size(), records);
    EXPECT_EQ(set(h().mainSet).x.use_count(), 1);  // held by the set alone
}

}  // namespace
}  // namespace graph::testing
