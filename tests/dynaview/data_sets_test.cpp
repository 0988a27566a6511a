// Defining, feeding and freeing data sets; block and binary updates and what they redraw.

#include "dynaview_fixture.h"

#include "dynaview/frame/object_access.h"
#include "dynaview/frame/type_sizes.h"

#include <cstring>

namespace dynaview::testing {
namespace {

// An object that takes data updates and records what it saw at each.
struct Recorder final : DynObject {
    explicit Recorder(DataUpdate kind) : DynObject(ScrollGraphType, 1), kind_(kind) {}
    struct Seen {
        float current;
        float previous;
        int historyRows;
    };
    bool hasUpdateProcedure() const override { return true; }
    DataUpdate dataUpdate() const override { return kind_; }
    bool takesBinaryUpdate(int) const override { return kind_ == DataUpdate::None; }
    bool rebindable() const override { return true; }
    void update(const ObjectPlace& place) override {
        const DynDataSet* set = dataSet(TopOf(place.env));
        seen.push_back({set->current[0], set->previous[0], set->history.stored()});
    }
    std::vector<Seen> seen;

private:
    DataUpdate kind_;
};

class DataSets : public DynaviewTest {
protected:
    Recorder& addRecorder(int set, DataUpdate kind, int inGraph = 0) {
        auto object = std::make_unique<Recorder>(kind);
        Recorder& record = *object;
        const int index = AddDynObject(env, inGraph ? inGraph : graph, std::move(object));
        EXPECT_GT(index, 0);
        BindDataSet(top(), record, set);
        return record;
    }
};

TEST_F(DataSets, TakeTheFirstFreeSlotAndRefuseThe200th) {
    for (int i = 1; i <= 199; ++i) ASSERT_EQ(WRDefineDynDataSet(nullptr, 1, nullptr, nullptr, 0), i);
    EXPECT_EQ(WRDefineDynDataSet("one more", 1, nullptr, nullptr, 0), 0);
    EXPECT_EQ(lastErrorCode(), 138);
    ASSERT_EQ(dialogs.records.size(), 1u);
    EXPECT_EQ(dialogs.records[0].title, "SERIOUS ERROR");
    EXPECT_EQ(WRFreeDynDataSet(5), 1);
    EXPECT_EQ(WRDefineDynDataSet(nullptr, 1, nullptr, nullptr, 0), 5);
    EXPECT_EQ(dataSet(7).name, "Dynamic Data Set # 7");
}

TEST_F(DataSets, KeepCutCopiesOfNamesUnitsAndTags) {
    const std::string fifty(50, 'n');
    char tags[3][16];
    std::memset(tags, 'T', sizeof tags);  // no terminating zero anywhere
    std::memcpy(tags[1], "flow", 5);
    const int set = WRDefineDynDataSet(fifty.c_str(), 3, "millimetres", &tags[0][0], 0);
    EXPECT_EQ(dataSet(set).name, std::string(41, 'n'));
    EXPECT_EQ(fifty.size(), 50u);  // the caller's string is left alone
    EXPECT_EQ(dataSet(set).units, "millimetre");
    EXPECT_STREQ(dataSet(set).tags[0].data(), std::string(15, 'T').c_str());
    EXPECT_STREQ(dataSet(set).tags[1].data(), "flow");
    EXPECT_EQ(WRDefineDynDataSet("", 1, nullptr, nullptr, 0), 2);
    EXPECT_EQ(dataSet(2).name, "Dynamic Data Set # 2");
}

TEST_F(DataSets, RefuseChannelCountsOutsideOneTo32) {
    for (int channels : {0, -1, 33, 1000}) {
        EXPECT_EQ(WRDefineDynDataSet("bad", channels, nullptr, nullptr, 0), 0) << channels;
        EXPECT_EQ(lastErrorCode(), 18);
    }
    EXPECT_EQ(WRDefineDynDataSet("bad", 1, nullptr, nullptr, -1), 0);
    EXPECT_EQ(WRDefineDynDataSet("all", 32, nullptr, nullptr, 0), 1);
}

TEST_F(DataSets, KeepTheLatestSampleAndTheOneBefore) {
    const int set = WRDefineDynDataSet("pair", 2, nullptr, nullptr, 0);
    const double first[2] = {1.5, -2.0}, second[2] = {3.25, 1e300};
    WRUpdateData(set, first, 0);
    WRUpdateData(set, second, 0);
    double current[2], previous[2];
    ASSERT_EQ(WRGetLastData(set, current, previous), 1);
    EXPECT_EQ(current[0], 3.25);
    EXPECT_TRUE(std::isinf(current[1]));  // beyond single precision
    EXPECT_EQ(previous[0], 1.5);
    EXPECT_EQ(previous[1], -2.0);
    EXPECT_EQ(WRGetLastData(set, nullptr, previous), 1);
    EXPECT_EQ(WRUpdateData(0, first, 0), 0);  // index 0 does nothing
    EXPECT_EQ(WRUpdateData(set, nullptr, 0), 0);
}

TEST_F(DataSets, WithBoundObjectsCannotBeFreed) {
    const int set = WRDefineDynDataSet("bound", 1, nullptr, nullptr, 0);
    const int lines = WRSetAlarmLines(graph, set, 0, 1, nullptr, nullptr, nullptr, nullptr);
    ASSERT_GT(lines, 0);
    EXPECT_EQ(dataSet(set).referenceCount, 1);
    EXPECT_EQ(WRFreeDynDataSet(set), 0);
    EXPECT_EQ(WRDeleteRTObject(graph, lines), 1);
    EXPECT_EQ(WRFreeDynDataSet(set), 1);
    EXPECT_EQ(WRFreeDynDataSet(set), 0);
}

TEST_F(DataSets, ABlockGoesIntoTheHistoryBeforeAnythingIsDrawn) {
    const int set = WRDefineDynDataSet("block", 1, nullptr, nullptr, 10);
    Recorder& perRow = addRecorder(set, DataUpdate::PerRow);
    Recorder& once = addRecorder(set, DataUpdate::Once);
    WRSetAlarm(set, HighAlarm, 25.0, "high");
    SetAlarmProcedure([&](int, int, int, double, int) { calls.push_back({0, 0, 0, 0, static_cast<int>(once.seen.size())}); });
    const double rows[4] = {10, 20, 30, 40};
    ASSERT_EQ(WRUpdateBlockData(set, rows, 4, 0), 1);

    ASSERT_EQ(perRow.seen.size(), 4u);  // one update per row, each row shown as the current values
    for (std::size_t r = 0; r < 4; ++r) {
        EXPECT_EQ(perRow.seen[r].current, rows[r]);
        EXPECT_EQ(perRow.seen[r].historyRows, 4);
    }
    ASSERT_EQ(once.seen.size(), 1u);  // the others once, with the last two rows
    EXPECT_EQ(once.seen[0].current, 40);
    EXPECT_EQ(once.seen[0].previous, 30);
    // The data set keeps the last rows, and the alarm check ran after the redraw.
    double current = 0, previous = 0;
    WRGetLastData(set, &current, &previous);
    EXPECT_EQ(current, 40);
    EXPECT_EQ(previous, 30);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].state, 1);  // called when the object had already been updated
}

TEST_F(DataSets, ABlockOfOneIsAnUpdateAndAnEmptyBlockNothing) {
    const int set = WRDefineDynDataSet("block", 1, nullptr, nullptr, 10);
    Recorder& perRow = addRecorder(set, DataUpdate::PerRow);
    const double rows[2] = {1, 2};
    EXPECT_EQ(WRUpdateBlockData(set, rows, 0, 0), 0);
    EXPECT_EQ(WRUpdateBlockData(set, rows, -3, 0), 0);
    EXPECT_TRUE(perRow.seen.empty());
    EXPECT_EQ(WRUpdateBlockData(set, rows, 1, 0), 1);
    ASSERT_EQ(perRow.seen.size(), 1u);
    EXPECT_EQ(dataSet(set).history.stored(), 1);
}

TEST_F(DataSets, AnUpdateRedrawsTheBoundObjectsOfOneGraphOrOfAll) {
    const int other = plotbase::InitGraph(env, page, 0.5, 0.5, 1.0, 1.0, 0, 0, 0, nullptr);
    const int set = WRDefineDynDataSet("walk", 1, nullptr, nullptr, 0);
    const int unrelated = WRDefineDynDataSet("other", 1, nullptr, nullptr, 0);
    Recorder& here = addRecorder(set, DataUpdate::Once);
    Recorder& there = addRecorder(set, DataUpdate::Once, other);
    Recorder& elsewhere = addRecorder(unrelated, DataUpdate::Once, other);
    Recorder& timerOnly = addRecorder(set, DataUpdate::None);
    push(set, 1.0);
    push(set, 2.0, other);
    EXPECT_EQ(here.seen.size(), 1u);
    EXPECT_EQ(there.seen.size(), 2u);
    EXPECT_TRUE(elsewhere.seen.empty());
    EXPECT_TRUE(timerOnly.seen.empty());
    there.enabled = false;
    push(set, 3.0);
    EXPECT_EQ(there.seen.size(), 2u);
    EXPECT_EQ(push(set, 4.0, 9999), 0);  // no such graph: refused before anything changes
    EXPECT_EQ(lastErrorCode(), 32);
    EXPECT_EQ(dataSet(set).current[0], 3.0f);
}

TEST_F(DataSets, UpdatesReachTheGraphsOfTheLastPage) {
    int last = 0;
    while ((last = plotbase::InitPage(env, "P", &host, "P", 0, 15, 8, 0, {}, nullptr)) < plotbase::MaxPages) ASSERT_GT(last, 0);
    const int lastGraph = plotbase::InitGraph(env, last, 0, 0, 1, 1, 0, 0, 0, nullptr);
    const int set = WRDefineDynDataSet("walk", 1, nullptr, nullptr, 0);
    Recorder& onLastPage = addRecorder(set, DataUpdate::Once, lastGraph);
    push(set, 1.0);
    EXPECT_EQ(onLastPage.seen.size(), 1u);
}

TEST_F(DataSets, BinaryChannelsKeepSixteenBits) {
    const int set = WRDefineDynDataSet("bits", 1, nullptr, nullptr, 0);
    Recorder& logic = addRecorder(set, DataUpdate::None);
    WRUpdateBinaryData(set, 0x12345u, 0);
    EXPECT_EQ(WRGetBinData(set), 0x2345);
    EXPECT_EQ(logic.seen.size(), 1u);
    WRUpdateBinaryData(set, 0x0001u, 0);
    WRSetBit(set, 3, 1, 0);
    EXPECT_EQ(WRGetBinData(set), 0x0009);
    WRSetBit(set, 0, 0, 0);
    EXPECT_EQ(WRGetBinData(set), 0x0008);
    WRSetBitExclusive(set, 3, 0);
    EXPECT_EQ(WRGetBinData(set), 0x0008);
    EXPECT_EQ(dataSet(set).previousBinary, 0x0008u);
    // Bits the word does not have are refused; 32 and above were always ignored.
    EXPECT_EQ(WRSetBit(set, 16, 1, 0), 0);
    EXPECT_EQ(lastErrorCode(), 18);
    EXPECT_EQ(WRSetBitExclusive(set, 31, 0), 0);
    EXPECT_EQ(WRSetBit(set, -1, 1, 0), 0);
    env.lastError = {};
    EXPECT_EQ(WRSetBit(set, 32, 1, 0), 0);
    EXPECT_EQ(lastErrorCode(), 0);
    EXPECT_EQ(WRGetBinData(set), 0x0008);
    EXPECT_EQ(WRGetBinData(150), 0);
}

TEST_F(DataSets, ReconnectingMovesTheBindingAndItsCounts) {
    const int first = WRDefineDynDataSet("first", 1, nullptr, nullptr, 0);
    const int second = WRDefineDynDataSet("second", 1, nullptr, nullptr, 0);
    const int lines = WRSetAlarmLines(graph, first, 0, 1, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(WRReconnectDynDataSet(graph, lines, first), 0);  // already bound there
    EXPECT_EQ(WRReconnectDynDataSet(graph, lines, second), 1);
    EXPECT_EQ(dataSet(first).referenceCount, 0);
    EXPECT_EQ(dataSet(second).referenceCount, 1);
    EXPECT_EQ(WRFreeDynDataSet(first), 1);
    EXPECT_EQ(WRFreeDynDataSet(second), 0);

    EXPECT_EQ(WRReconnectDynDataSet(graph, lines, 77), 0);
    EXPECT_EQ(env.lastError.text, "No such data set - WRReconnectDynDataSet");
    EXPECT_EQ(WRReconnectDynDataSet(graph, 50, second), 0);
    EXPECT_EQ(env.lastError.text, "No such object - WRReconnectDynDataSet");
    EXPECT_EQ(WRReconnectDynDataSet(graph, xAxis, second), 0);
    EXPECT_EQ(lastErrorCode(), 29);
}

TEST_F(DataSets, AnXYDataSetHoldsAtMostSixteenChannels) {
    const int wide = WRDefineDynDataSet("wide", 17, nullptr, nullptr, 0);
    const int pairs = WRDefineDynDataSet("pairs", 16, nullptr, nullptr, 0);
    EXPECT_FALSE(dataSet(wide).markXY());
    EXPECT_FALSE(dataSet(wide).xy);
    ASSERT_TRUE(dataSet(pairs).markXY());
    std::vector<double> values(16, 2.0);
    WRUpdateData(pairs, values.data(), 0);
    WRUpdateData(pairs, values.data(), 0);
    EXPECT_EQ(dataSet(pairs).previous[15], 2.0f);
}

}  // namespace
}  // namespace dynaview::testing
