// The distance and value axes: every row of their tick and decimals tables, refused ranges,
// and where the axes cross.

#include "graph_fixture.h"

#include <limits>
#include <ostream>
#include <string>

namespace graph::testing {
namespace {

struct DistanceRow {
    float xmin, xmax;
    double spacing;
    int count;
};

void PrintTo(const DistanceRow& row, std::ostream* out) { *out << "SetDistanceAxis(" << row.xmin << ", " << row.xmax << ")"; }

class DistanceAxisTable : public GraphTest, public ::testing::WithParamInterface<DistanceRow> {};

TEST_P(DistanceAxisTable, SetsRangeTicksCrossingAndTitle) {
    const DistanceRow row = GetParam();
    plotbase::WGChangeString(env(), g(), h().xTitle, "something else");
    gfx.SetDistanceAxis(row.xmin, row.xmax);
    EXPECT_EQ(xAxis().min, row.xmin);
    EXPECT_EQ(xAxis().max, row.xmax);
    EXPECT_EQ(xAxis().tickSpacing, row.spacing);
    EXPECT_EQ(xAxis().tickCount, row.count);
    EXPECT_EQ(xAxis().side, 0);
    EXPECT_EQ(yAxis().intercept, row.xmin);  // the value axis stands at the window start
    EXPECT_EQ(object<plotbase::AxisTitle>(h().xTitle).text, "distance (meters)");
}

INSTANTIATE_TEST_SUITE_P(EveryRow, DistanceAxisTable,
                         ::testing::Values(DistanceRow{0.0f, 0.5f, 0.1, 0}, DistanceRow{3.0f, 3.99f, 0.1, 0},
                                           DistanceRow{0.0f, 1.0f, 1.0, 1}, DistanceRow{2.0f, 12.0f, 1.0, 1},
                                           DistanceRow{0.0f, 11.0f, 2.0, 1}, DistanceRow{0.0f, 20.9f, 2.0, 1},
                                           DistanceRow{0.0f, 21.0f, 5.0, 4}, DistanceRow{-2.0f, 48.0f, 5.0, 4},
                                           DistanceRow{0.0f, 51.0f, 10.0, 9}, DistanceRow{0.0f, 100.0f, 10.0, 9},
                                           DistanceRow{0.0f, 101.0f, 50.0, 4}, DistanceRow{0.0f, 500.0f, 50.0, 4},
                                           DistanceRow{0.0f, 501.0f, 100.0, 9}, DistanceRow{0.0f, 1000.0f, 100.0, 9},
                                           DistanceRow{0.0f, 1001.0f, 200.0, 3}, DistanceRow{10.0f, 2010.0f, 200.0, 3},
                                           DistanceRow{0.0f, 2001.0f, 500.0, 4}, DistanceRow{-2.0f, 1e30f, 500.0, 4}),
                         [](const auto& info) { return "Row" + std::to_string(info.index); });

struct ValueRow {
    float ymin, ymax;
    int decimals;
    double spacing;
    int count;
};

void PrintTo(const ValueRow& row, std::ostream* out) { *out << "SetValueAxis(" << row.ymin << ", " << row.ymax << ")"; }

class ValueAxisTable : public GraphTest, public ::testing::WithParamInterface<ValueRow> {};

TEST_P(ValueAxisTable, SetsRangeDecimalsTicksAndCrossing) {
    const ValueRow row = GetParam();
    gfx.SetValueAxis(row.ymin, row.ymax);
    EXPECT_EQ(yAxis().min, row.ymin);
    EXPECT_EQ(yAxis().max, row.ymax);
    EXPECT_EQ(object<plotbase::AxisLabels>(h().yLabels).decimals, row.decimals);
    EXPECT_EQ(yAxis().tickSpacing, row.spacing);
    EXPECT_EQ(yAxis().tickCount, row.count);
    EXPECT_EQ(yAxis().side, 1);
    EXPECT_EQ(xAxis().intercept, row.ymin);  // the distance axis runs along the bottom
}

INSTANTIATE_TEST_SUITE_P(
    EveryRow, ValueAxisTable,
    ::testing::Values(
        // below 0.1: decimals by decade, ticks every 0.005
        ValueRow{0.185f, 0.22f, 3, 0.005, 4}, ValueRow{0.0f, 0.005f, 4, 0.005, 4}, ValueRow{0.0f, 0.0005f, 5, 0.005, 4},
        ValueRow{0.0f, 0.00005f, 2, 0.005, 4},
        // 0.1 up to 1: two decimals, ticks by tenths of the range
        ValueRow{0.0f, 0.15f, 2, 0.01, 4}, ValueRow{0.0f, 0.25f, 2, 0.02, 4}, ValueRow{0.0f, 0.35f, 2, 0.05, 4},
        ValueRow{0.0f, 0.75f, 2, 0.05, 4}, ValueRow{0.0f, 0.85f, 2, 0.1, 4}, ValueRow{0.1f, 1.05f, 2, 0.1, 4},
        // 1 and above: one decimal, ticks by the whole range
        ValueRow{-1.0f, 0.5f, 1, 0.1, 1}, ValueRow{-1.0f, 1.0f, 1, 0.5, 4}, ValueRow{0.0f, 9.5f, 1, 0.5, 4},
        ValueRow{-5.0f, 5.0f, 1, 1.0, 4}, ValueRow{0.0f, 10.5f, 1, 1.0, 4}, ValueRow{0.0f, 11.0f, 1, 1.5, 2},
        ValueRow{-10.0f, 9.0f, 1, 1.5, 2}, ValueRow{-10.0f, 10.0f, 1, 2.0, 3}, ValueRow{0.0f, 20.5f, 1, 2.0, 3},
        // over 20: the ticks stay as they were (0.5 and 4 from the start)
        ValueRow{-10.0f, 15.0f, 1, 0.5, 4}),
    [](const auto& info) { return "Row" + std::to_string(info.index); });

class AxisState : public GraphTest {
protected:
    // Everything the two axis operations touch.
    std::vector<double> snapshot() {
        return {xAxis().min, xAxis().max, xAxis().intercept, xAxis().tickSpacing, double(xAxis().tickCount),
                yAxis().min, yAxis().max, yAxis().intercept, yAxis().tickSpacing, double(yAxis().tickCount),
                double(object<plotbase::AxisLabels>(h().yLabels).decimals)};
    }
};

TEST_F(AxisState, AnEmptyOrReversedRangeChangesNothing) {
    gfx.SetValueAxis(-0.5f, 0.5f);
    gfx.SetDistanceAxis(2.0f, 7.0f);
    const auto before = snapshot();
    gfx.SetValueAxis(1.0f, 1.0f);
    gfx.SetValueAxis(2.0f, 1.0f);
    gfx.SetValueAxis(0.0f, std::numeric_limits<float>::quiet_NaN());
    gfx.SetDistanceAxis(5.0f, 5.0f);
    gfx.SetDistanceAxis(9.0f, -1.0f);
    EXPECT_EQ(snapshot(), before);
    EXPECT_TRUE(dialogs.records.empty());
}

TEST_F(AxisState, AxesCrossAtTheLowerLeftCornerFromTheStart) {
    EXPECT_EQ(xAxis().min, 0.0);
    EXPECT_EQ(xAxis().max, 100.0);
    EXPECT_EQ(yAxis().min, -1.0);
    EXPECT_EQ(yAxis().max, 1.5);
    EXPECT_EQ(xAxis().intercept, -1.0);
    EXPECT_EQ(yAxis().intercept, 0.0);
    EXPECT_EQ(xAxis().tickSpacing, 50.0);
    EXPECT_EQ(xAxis().tickCount, 4);
    EXPECT_EQ(yAxis().tickSpacing, 0.5);
    EXPECT_EQ(yAxis().tickCount, 4);
    EXPECT_EQ(object<plotbase::AxisLabels>(h().xLabels).decimals, 2);
    EXPECT_EQ(object<plotbase::AxisLabels>(h().yLabels).decimals, -1);
}

}  // namespace
}  // namespace graph::testing
