// The alarm check on each update, and the definition it works from.

#include "dynaview_fixture.h"

namespace dynaview::testing {
namespace {

class Alarms : public DynaviewTest {
protected:
    Alarms() { set = WRDefineDynDataSet("Tank", 1, "degC", nullptr, 0); }
    // Pushes each value; returns the calls they caused.
    std::vector<AlarmCall> feed(std::initializer_list<double> values) {
        calls.clear();
        for (double v : values) push(set, v);
        return calls;
    }
    AlarmCall call(int kind, double value, int state) const { return {set, 0, kind, value, state}; }
    int set = 0;
};

TEST_F(Alarms, HighEntersAtTheLimitAndLeavesBelowTheDeadBand) {
    WRSetAlarm(set, HighAlarm, 80.0, "Hot");
    WRSetAlarmHyst(set, 5.0, 0.0);
    EXPECT_TRUE(feed({79.0}).empty());
    EXPECT_EQ(feed({80.0}), std::vector<AlarmCall>{call(HighAlarm, 80.0, 1)});
    EXPECT_TRUE(feed({76.0}).empty());
    EXPECT_EQ(feed({74.9}), std::vector<AlarmCall>{call(HighAlarm, static_cast<float>(74.9), 0)});
}

TEST_F(Alarms, LowEntersAtTheLimitAndLeavesAboveTheDeadBand) {
    WRSetAlarm(set, LowAlarm, 20.0, "Cold");
    WRSetAlarmHyst(set, 5.0, 0.0);
    EXPECT_EQ(feed({20.0}), std::vector<AlarmCall>{call(LowAlarm, 20.0, 1)});
    EXPECT_TRUE(feed({24.0}).empty());
    EXPECT_EQ(feed({25.1}), std::vector<AlarmCall>{call(LowAlarm, static_cast<float>(25.1), 0)});
}

TEST_F(Alarms, RateComparesWithThePreviousSample) {
    WRSetAlarm(set, RateAlarm, 10.0, "Jump");
    EXPECT_EQ(feed({0.0, 15.0, 20.0}), (std::vector<AlarmCall>{call(RateAlarm, 15.0, 1), call(RateAlarm, 20.0, 0)}));
}

TEST_F(Alarms, DeviationFromTheSetpointWithItsOwnDeadBand) {
    WRSetAlarm(set, DeviationAlarm, 10.0, "Off target");
    WRSetSetpoint(set, 50.0);
    WRSetAlarmHyst(set, 0.0, 2.0);
    EXPECT_EQ(feed({39.0, 41.0, 42.5, 49.0}), (std::vector<AlarmCall>{call(DeviationAlarm, 39.0, 1), call(DeviationAlarm, 42.5, 0)}));
}

TEST_F(Alarms, OneUpdateCallsInTheOrderRateHighHighHigh) {
    WRSetAlarm(set, HighHighAlarm, 90.0, "Very hot");
    WRSetAlarm(set, HighAlarm, 80.0, "Hot");
    WRSetAlarm(set, RateAlarm, 50.0, "Jump");
    EXPECT_EQ(feed({0.0, 95.0}),
              (std::vector<AlarmCall>{call(RateAlarm, 95.0, 1), call(HighAlarm, 95.0, 1), call(HighHighAlarm, 95.0, 1)}));
    // Each channel of a data set is checked on its own.
    const int pair = WRDefineDynDataSet("pair", 2, nullptr, nullptr, 0);
    WRSetAlarm(pair, LowAlarm, 0.0, "Low");
    calls.clear();
    const double values[2] = {5.0, -1.0};
    WRUpdateData(pair, values, 0);
    EXPECT_EQ(calls, (std::vector<AlarmCall>{{pair, 1, LowAlarm, -1.0, 1}}));
}

TEST_F(Alarms, SwitchingTheCheckOffClearsSilentlyAndOnAgainReportsAfresh) {
    WRSetAlarm(set, HighAlarm, 80.0, "Hot");
    feed({85.0});
    EXPECT_EQ(WREnableAlarmCheck(set, 0), 1);
    EXPECT_TRUE(feed({86.0}).empty());
    EXPECT_EQ(dataSet(set).alarm.currentState[0], 0);
    WREnableAlarmCheck(set, 1);
    EXPECT_EQ(feed({87.0}), std::vector<AlarmCall>{call(HighAlarm, 87.0, 1)});
}

TEST_F(Alarms, RemovingADefinitionClearsAnActiveAlarmWithoutACall) {
    WRSetAlarm(set, HighAlarm, 80.0, "Hot");
    feed({85.0});
    EXPECT_EQ(WRChangeAlarm(set, HighAlarm, 0.0, 0, nullptr), 1);
    EXPECT_EQ(dataSet(set).alarm.currentState[0], 0);
    EXPECT_TRUE(feed({10.0, 90.0}).empty());
    // Defined again through the same call.
    WRChangeAlarm(set, HighAlarm, 80.0, 1, "Hot again");
    EXPECT_EQ(feed({91.0}), std::vector<AlarmCall>{call(HighAlarm, 91.0, 1)});
}

TEST_F(Alarms, DefinitionsAreReadBackAndMessagesCut) {
    const std::string longMessage(40, 'm');
    EXPECT_EQ(WRSetAlarm(set, LowLowAlarm, 5.5, longMessage.c_str()), 1);
    EXPECT_EQ(WRSetAlarm(set, NormalAlarm, 0.0, "All is quite well"), 1);
    EXPECT_EQ(WRSetAlarm(set, 8, 1.0, "x"), 0);
    EXPECT_EQ(WRSetAlarm(set, -1, 1.0, "x"), 0);
    EXPECT_EQ(WRSetAlarm(150, HighAlarm, 1.0, "x"), 0);
    double limit = 0;
    int defined = 0;
    const char* message = nullptr;
    ASSERT_EQ(WRGetAlarm(set, LowLowAlarm, &limit, &defined, &message), 1);
    EXPECT_EQ(limit, 5.5);
    EXPECT_EQ(defined, 0x08);
    EXPECT_EQ(std::string(message), std::string(31, 'm'));
    ASSERT_EQ(WRGetAlarm(set, NormalAlarm, nullptr, nullptr, &message), 1);
    EXPECT_STREQ(message, "All is quit");  // 11 characters
    EXPECT_EQ(WRGetAlarm(set, HighAlarm, &limit, &defined, nullptr), 1);
    EXPECT_EQ(defined, 0);
    EXPECT_EQ(WRGetAlarm(set, LowAlarm, nullptr, nullptr, nullptr), 1);
}

TEST_F(Alarms, AProcedureThatFreesEverythingEndsTheCheck) {
    WRSetAlarm(set, HighAlarm, 80.0, "Hot");
    WRSetAlarm(set, HighHighAlarm, 90.0, "Very hot");
    int called = 0;
    SetAlarmProcedure([&](int, int, int, double, int) {
        ++called;
        RTCleanup(handle);
    });
    EXPECT_EQ(push(set, 95.0), 1);
    EXPECT_EQ(called, 1);
    EXPECT_EQ(TopOf(env), nullptr);
    EXPECT_EQ(push(set, 95.0), 0);
}

TEST_F(Alarms, ALinkFedChannelReportsFailOnce) {
    DynDataSet& fed = dataSet(set);
    fed.ddeLink = std::make_unique<DdeLinkCell>();
    WRSetAlarm(set, HighAlarm, 80.0, "Hot");
    fed.alarm.currentState[0] |= AlarmBit(FailAlarm);
    EXPECT_EQ(feed({0.0, 0.0}), std::vector<AlarmCall>{call(FailAlarm, 0.0, 1)});
    fed.alarm.currentState[0] &= static_cast<std::uint8_t>(~AlarmBit(FailAlarm));
    fed.current[0] = 85.0f;  // the link writes the values itself
    EXPECT_EQ(feed({0.0}), (std::vector<AlarmCall>{call(FailAlarm, 85.0, 0), call(HighAlarm, 85.0, 1)}));
}

}  // namespace
}  // namespace dynaview::testing
