// A data set's history: which samples a query returns and where it puts them.

#include "dynaview_fixture.h"

#include <cmath>

namespace dynaview::testing {
namespace {

class History : public DynaviewTest {
protected:
    // A one-channel data set with N rows that has received samples 1, 2, ... n.
    int withSamples(int rows, int n) {
        const int set = WRDefineDynDataSet("h", 1, nullptr, nullptr, rows);
        for (int i = 1; i <= n; ++i) push(set, i);
        return set;
    }
    static constexpr double Untouched = -7.0;
    std::vector<double> query(int set, int back, int count, int* written) {
        std::vector<double> buffer(static_cast<std::size_t>(count), Untouched);
        *written = WRGetHistData(set, 0, buffer.data(), back, count);
        return buffer;
    }
};

TEST_F(History, AWrappedRingReturnsItsSamplesOldestFirst) {
    const int set = withSamples(4, 6);
    EXPECT_TRUE(dataSet(set).history.wrapped());
    EXPECT_EQ(dataSet(set).history.writeIndex(), 2);
    int n = 0;
    EXPECT_EQ(query(set, 4, 4, &n), (std::vector<double>{3, 4, 5, 6}));
    EXPECT_EQ(n, 4);
    // Two back, two asked: the last two.
    EXPECT_EQ(query(set, 2, 2, &n), (std::vector<double>{5, 6}));
}

TEST_F(History, AnUnwrappedRingReturnsWhatItHas) {
    const int set = withSamples(10, 3);
    int n = 0;
    const std::vector<double> got = query(set, 5, 5, &n);
    EXPECT_EQ(n, 3);
    EXPECT_EQ(got, (std::vector<double>{1, 2, 3, Untouched, Untouched}));
    EXPECT_EQ(query(set, 0, 5, &n)[0], Untouched);  // nothing before the write index
    EXPECT_EQ(n, 0);
}

TEST_F(History, AskingMoreThanTheRingHoldsFillsTheEndOfTheBuffer) {
    const int set = withSamples(10, 13);
    int n = 0;
    const std::vector<double> got = query(set, 10, 12, &n);
    EXPECT_EQ(n, 10);
    EXPECT_EQ(got, (std::vector<double>{Untouched, Untouched, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}));
}

TEST_F(History, AReadNeverPassesTheNewestSample) {
    // Reading four from two back would run on into the oldest rows of the ring.
    const int set = withSamples(4, 6);
    int n = 0;
    EXPECT_EQ(query(set, 2, 4, &n), (std::vector<double>{5, 6, Untouched, Untouched}));
    EXPECT_EQ(n, 2);
}

TEST_F(History, MinimumAndMaximumOverOneOrEveryChannel) {
    const int set = WRDefineDynDataSet("two", 2, nullptr, nullptr, 3);
    double min = 0, max = 0;
    EXPECT_EQ(WRGetMinMaxValues(set, -1, &min, &max), 0);  // nothing stored yet
    EXPECT_EQ(lastErrorCode(), 134);
    for (const auto& row : {std::array<double, 2>{1, -4}, {5, 2}, {3, 9}, {2, 0}}) WRUpdateData(set, row.data(), 0);
    ASSERT_EQ(WRGetMinMaxValues(set, 0, &min, &max), 1);  // rows {5,2} {3,9} {2,0} are left
    EXPECT_EQ(min, 2);
    EXPECT_EQ(max, 5);
    ASSERT_EQ(WRGetMinMaxValues(set, -1, &min, &max), 1);
    EXPECT_EQ(min, 0);
    EXPECT_EQ(max, 9);
    EXPECT_EQ(WRGetMinMaxValues(set, 2, &min, &max), 0);  // no third channel
}

TEST_F(History, ADataSetWithoutHistoryAnswersQueriesWithError134) {
    const int set = WRDefineDynDataSet("Plain", 1, nullptr, nullptr, 0);
    push(set, 1.0);
    double buffer[2];
    double min = 0, max = 0;
    EXPECT_EQ(WRGetHistData(set, 0, buffer, 1, 1), 0);
    EXPECT_EQ(env.lastError.text, "No history collection for data set Plain");
    EXPECT_EQ(WRGetMinMaxValues(set, 0, &min, &max), 0);
    EXPECT_EQ(lastErrorCode(), 134);
    EXPECT_EQ(WRResetHistBuffer(set), 1);  // nonzero: nothing to reset
}

TEST_F(History, ResettingEmptiesTheRing) {
    const int set = withSamples(4, 6);
    EXPECT_EQ(WRResetHistBuffer(set), 0);
    EXPECT_FALSE(dataSet(set).history.wrapped());
    EXPECT_EQ(dataSet(set).history.writeIndex(), 0);
    double buffer[4];
    EXPECT_EQ(WRGetHistData(set, 0, buffer, 4, 4), 0);
    EXPECT_EQ(WRResetHistBuffer(99), 0);
}

TEST_F(History, QueriesOutsideTheDataSetAreRefused) {
    const int set = withSamples(4, 2);
    double buffer[4] = {Untouched, Untouched, Untouched, Untouched};
    EXPECT_EQ(WRGetHistData(set, 1, buffer, 2, 2), 0);  // one channel only
    EXPECT_EQ(lastErrorCode(), 18);
    EXPECT_EQ(WRGetHistData(set, -1, buffer, 2, 2), 0);
    EXPECT_EQ(WRGetHistData(set, 0, buffer, -1, 2), 0);
    EXPECT_EQ(WRGetHistData(set, 0, nullptr, 2, 2), 0);
    EXPECT_EQ(WRGetHistData(set, 0, buffer, 2, 0), 0);
    EXPECT_EQ(WRGetHistData(set + 1, 0, buffer, 2, 2), 0);
    EXPECT_EQ(lastErrorCode(), 55);
    EXPECT_EQ(buffer[0], Untouched);
    // A huge count neither overflows nor writes past what there is.
    std::vector<double> big(3, Untouched);
    EXPECT_EQ(WRGetHistData(set, 0, big.data(), 2, 2147483647), 2);
}

TEST_F(History, ARingTooLargeForMemoryIsRefused) {
    EXPECT_EQ(WRDefineDynDataSet("huge", 32, nullptr, nullptr, 2147483647), 0);
    EXPECT_EQ(lastErrorCode(), 53);
    EXPECT_EQ(top().dataSets.at(1), nullptr);  // the slot stays free
}

}  // namespace
}  // namespace dynaview::testing
