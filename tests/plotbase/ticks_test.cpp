// Tick positions and automatic label decimals.

#include "plotbase/ticks.h"

#include <gtest/gtest.h>

namespace plotbase {
namespace {

TEST(Ticks, MajorsAreTheMultiplesOfTheSpacingInsideTheRange) {
    EXPECT_EQ(majorTicks(0, 100, 50), (std::vector<double>{0, 50, 100}));
    EXPECT_EQ(majorTicks(2.5, 52.5, 5).front(), 5.0);
    EXPECT_EQ(majorTicks(2.5, 52.5, 5).back(), 50.0);
    EXPECT_EQ(majorTicks(-1, 1.5, 0.5).size(), 6u);
    EXPECT_TRUE(majorTicks(0.01, 0.09, 0.1).empty());
    EXPECT_TRUE(majorTicks(0, 1, 0).empty());
    EXPECT_TRUE(majorTicks(1, 0, 0.1).empty());
}

TEST(Ticks, RangesFromSinglePrecisionKeepTheirEndTicks) {
    const auto ticks = majorTicks(0.185f, 0.22f, 0.005);
    ASSERT_EQ(ticks.size(), 8u);
    EXPECT_NEAR(ticks.front(), 0.185, 1e-12);
    EXPECT_NEAR(ticks.back(), 0.22, 1e-12);
}

TEST(Ticks, MinorsFillTheGapsBetweenMajors) {
    const auto minors = minorTicks(0, 100, 50, 4);
    EXPECT_EQ(minors, (std::vector<double>{10, 20, 30, 40, 60, 70, 80, 90}));
    EXPECT_EQ(minorTicks(-1, 1, 0.5, 4).size(), 16u);
    EXPECT_TRUE(minorTicks(0, 1, 0.1, 0).empty());
}

TEST(Ticks, AreThinnedRatherThanCountlessAndAlwaysEnd) {
    const auto ticks = majorTicks(-1e6, 1e6, 0.001);
    EXPECT_LE(ticks.size(), static_cast<std::size_t>(MaxTicksPerAxis) + 1);
    EXPECT_GE(ticks.size(), 2u);
    EXPECT_LE(majorTicks(1e20, 1e20 + 1e8, 1.0).size(), static_cast<std::size_t>(MaxTicksPerAxis) + 1);
}

TEST(Ticks, AutomaticDecimalsWriteEveryMultipleExactly) {
    EXPECT_EQ(automaticDecimals(50), 0);
    EXPECT_EQ(automaticDecimals(0.5), 1);
    EXPECT_EQ(automaticDecimals(1.5), 1);
    EXPECT_EQ(automaticDecimals(0.25), 2);
    EXPECT_EQ(automaticDecimals(0.005), 3);
    EXPECT_EQ(automaticDecimals(0), 0);
}

}  // namespace
}  // namespace plotbase
