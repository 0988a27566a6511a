// The data link's rules on a transport of the test's own: conversations shared and
// limited, the first text and every advise in the channels, failures as Fail alarms, the
// application's link procedure, the server started from its command line.

#include "dynaview/alarms/alarm_block.h"
#include "dynaview/datasets/dyn_data_set.h"
#include "dynaview/dde/link_state.h"
#include "dynaview_fixture.h"
#include "fake_link_transport.h"

#include <string>
#include <vector>

namespace dynaview::testing {
namespace {

struct ProcedureCall {
    unsigned type;
    std::uintptr_t conversation;
};
std::vector<ProcedureCall>* procedureCalls = nullptr;
intptr_t recordProcedure(unsigned type, unsigned, uintptr_t conversation, uintptr_t, uintptr_t, uintptr_t, uintptr_t, uintptr_t) {
    if (procedureCalls) procedureCalls->push_back({type, conversation});
    return 7;
}

class LinkTest : public DynaviewTest {
protected:
    LinkTest() {
        auto fake = std::make_unique<FakeLinkTransport>(clock, log);
        transport = fake.get();
        LinkStateOf(top()).bus = std::move(fake);
        transport->running["Tank"] = FakeServer{{"Plant", "Lab"}, {{"Temp", "21.5"}, {"Three", "1.5 2.5;3.5"}, {"Level", "40"}}};
        procedureCalls = &procedure;
    }
    ~LinkTest() override { procedureCalls = nullptr; }

    bool failing(int set, int channel = 0) {
        return dataSet(set).alarm.currentState[static_cast<std::size_t>(channel)] & AlarmBit(FailAlarm);
    }
    std::uintptr_t connect(int set, const char* item, int autoUpdate = 1, const char* topic = "Plant") {
        return WRConnectDDE(set, nullptr, "Tank", topic, item, autoUpdate);
    }

    std::shared_ptr<FakeLinkLog> log = std::make_shared<FakeLinkLog>();
    FakeLinkTransport* transport = nullptr;
    std::vector<ProcedureCall> procedure;
};

TEST_F(LinkTest, TheFirstTextFillsTheChannelsAndRunsTheAlarmCheck) {
    EXPECT_NE(WRInitDde(), 0u);
    const int set = WRDefineDynDataSet("Three", 3, "", nullptr, 0);
    WRSetAlarm(set, DV_ALARM_HIGH, 3.0, "Hot");
    const std::uintptr_t conversation = connect(set, "Three");
    ASSERT_NE(conversation, 0u);
    EXPECT_FLOAT_EQ(dataSet(set).current[0], 1.5f);
    EXPECT_FLOAT_EQ(dataSet(set).current[1], 2.5f);
    EXPECT_FLOAT_EQ(dataSet(set).current[2], 3.5f);
    EXPECT_EQ(calls, (std::vector<AlarmCall>{{set, 2, DV_ALARM_HIGH, 3.5, 1}}));
    EXPECT_EQ(log->advised, (std::vector<std::pair<std::uintptr_t, std::string>>{{conversation, "Three"}}));
    EXPECT_EQ(dataSet(set).alarm.limit(FailAlarm).message, "FAIL");
}

TEST_F(LinkTest, WithoutAutoUpdateTheValuesWaitForTheApplicationsUpdate) {
    const int set = WRDefineDynDataSet("T", 1, "", nullptr, 0);
    WRSetAlarm(set, DV_ALARM_HIGH, 20.0, "Hot");
    ASSERT_NE(connect(set, "Temp", 0), 0u);
    EXPECT_FLOAT_EQ(dataSet(set).current[0], 21.5f);
    EXPECT_TRUE(calls.empty());
    // The link writes the values: the application's update runs the check without any.
    EXPECT_EQ(WRUpdateData(set, nullptr, 0), 1);
    EXPECT_EQ(calls.size(), 1u);
}

TEST_F(LinkTest, DataSetsOnOneServiceAndTopicShareAConversationAndAllFailWhenTheServerGoes) {
    WRSetDdeProc(recordProcedure);
    const int temp = WRDefineDynDataSet("T", 1, "", nullptr, 0), level = WRDefineDynDataSet("L", 1, "", nullptr, 0);
    WRSetAlarm(temp, DV_ALARM_HIGH, 100.0, "Hot");
    WRSetAlarm(level, DV_ALARM_HIGH, 100.0, "Full");
    const std::uintptr_t first = connect(temp, "Temp"), second = connect(level, "Level");
    ASSERT_NE(first, 0u);
    EXPECT_EQ(second, first);
    EXPECT_EQ(log->open.size(), 1u);
    EXPECT_NE(connect(WRDefineDynDataSet("X", 1, "", nullptr, 0), "Temp", 1, "Lab"), first);  // another topic

    transport->stop("Tank");
    EXPECT_TRUE(failing(temp));
    EXPECT_TRUE(failing(level));
    EXPECT_EQ(calls, (std::vector<AlarmCall>{{temp, 0, DV_ALARM_FAIL, 21.5, 1}, {level, 0, DV_ALARM_FAIL, 40.0, 1}}));
    ASSERT_EQ(procedure.size(), 2u);  // one disconnect per conversation
    EXPECT_EQ(procedure[0].type, static_cast<unsigned>(DV_LINK_DISCONNECT));
    // The whole conversation ended, both items with it: its slot is free for the next server.
    EXPECT_TRUE(log->open.empty());
    for (const Conversation& c : LinkStateOf(top()).conversations) EXPECT_EQ(c.handle, 0u);
}

TEST_F(LinkTest, AReconnectionAfterTheServerCameBackClearsTheFail) {
    const int set = WRDefineDynDataSet("T", 1, "", nullptr, 0);
    WRSetAlarm(set, DV_ALARM_HIGH, 100.0, "Hot");
    ASSERT_NE(connect(set, "Temp"), 0u);
    const FakeServer server = transport->running["Tank"];
    // Servers that come and go many times never use the table up.
    for (int round = 0; round < 2 * MaxConversations; ++round) {
        transport->stop("Tank");
        EXPECT_TRUE(failing(set));
        transport->running["Tank"] = server;
        ASSERT_NE(connect(set, "Temp"), 0u) << "round " << round;
        EXPECT_FALSE(failing(set));
    }
    EXPECT_EQ(calls.back(), (AlarmCall{set, 0, DV_ALARM_FAIL, 21.5, 0}));
}

TEST_F(LinkTest, TheSixthConversationAndTheSeventeenthItemAreRefused) {
    std::map<std::string, std::string> items;
    for (int i = 0; i < 20; ++i) items["I" + std::to_string(i)] = std::to_string(i);
    for (const char* topic : {"A", "B", "C", "D", "E", "F"}) transport->running["Tank"].topics.insert(topic);
    transport->running["Tank"].items = items;
    const int set = WRDefineDynDataSet("S", 1, "", nullptr, 0);
    for (const char* topic : {"A", "B", "C", "D", "E"}) ASSERT_NE(connect(set, "I0", 1, topic), 0u);
    EXPECT_EQ(connect(set, "I0", 1, "F"), 0u);
    EXPECT_EQ(lastErrorCode(), DV_ERR_TOO_MANY_CONVERSATIONS);
    EXPECT_EQ(boxTexts().back(), "Too many conversations\nWould you like to continue ?");
    EXPECT_TRUE(failing(set));

    for (int i = 1; i < MaxConversationItems; ++i) ASSERT_NE(connect(set, ("I" + std::to_string(i)).c_str(), 1, "A"), 0u);
    EXPECT_EQ(connect(set, "I16", 1, "A"), 0u);
    EXPECT_EQ(lastErrorCode(), DV_ERR_TOO_MANY_ITEMS);
    EXPECT_TRUE(failing(set));
}

TEST_F(LinkTest, AServerThatIsNotRunningIsStartedFromItsCommandLine) {
    transport->startable["/opt/plant/bin/tankserver.bin --quiet"] = {"tankserver", FakeServer{{"Plant"}, {{"Temp", "50"}}}};
    const int set = WRDefineDynDataSet("T", 1, "", nullptr, 0);
    const std::uint32_t before = clock.tickCount();
    // No service name: the program's file name without directory and extension.
    EXPECT_NE(WRConnectDDE(set, "/opt/plant/bin/tankserver.bin --quiet", nullptr, "Plant", "Temp", 1), 0u);
    EXPECT_EQ(log->started, std::vector<std::string>{"/opt/plant/bin/tankserver.bin --quiet"});
    EXPECT_EQ(clock.tickCount() - before, 500u);
    EXPECT_FLOAT_EQ(dataSet(set).current[0], 50.0f);
}

TEST_F(LinkTest, AServerThatCannotBeReachedIsReportedAndFailsTheChannels) {
    const int set = WRDefineDynDataSet("T", 2, "", nullptr, 0);
    EXPECT_EQ(WRConnectDDE(set, nullptr, "Boiler", "Plant", "Temp", 1), 0u);
    EXPECT_EQ(lastErrorCode(), 110);
    EXPECT_EQ(boxTexts().back(), "No conversation established with Boiler\nWould you like to continue ?");
    EXPECT_TRUE(failing(set, 0));
    EXPECT_TRUE(failing(set, 1));

    EXPECT_EQ(WRConnectDDE(set, "no-such-server -x", "Boiler", "Plant", "Temp", 1), 0u);
    EXPECT_EQ(boxTexts().back(), "No conversation established with no-such-server -x\nWould you like to continue ?");
    // A started server that never answers: a second report after the wait.
    transport->startable["slow"] = {"Boiler", FakeServer{{"Plant"}, {}}};
    transport->startUpMs = 10000;
    EXPECT_EQ(WRConnectDDE(set, "slow", "Boiler", "Plant", "Temp", 1), 0u);
    EXPECT_EQ(boxTexts().back(), "No conversation established with Boiler\nWould you like to continue ?");
    EXPECT_TRUE(log->open.empty());
}

TEST_F(LinkTest, AnItemTheServerDoesNotHaveEndsTheNewConversation) {
    const int set = WRDefineDynDataSet("T", 1, "", nullptr, 0);
    EXPECT_EQ(connect(set, "Pressure"), 0u);
    EXPECT_EQ(lastErrorCode(), 109);
    EXPECT_EQ(boxTexts().back(), "Not processed - Pressure\nWould you like to continue ?");
    EXPECT_TRUE(log->open.empty());
    EXPECT_TRUE(failing(set));
    // On a shared conversation only this item's count is taken back.
    const int other = WRDefineDynDataSet("O", 1, "", nullptr, 0);
    const std::uintptr_t conversation = connect(other, "Temp");
    EXPECT_EQ(connect(set, "Pressure"), 0u);
    EXPECT_EQ(LinkStateOf(top()).find(conversation)->itemCount, 1);
}

TEST_F(LinkTest, AnAdviseRefusedByTheServerIsAcceptedOnlyAsNotProcessed) {
    const int set = WRDefineDynDataSet("T", 1, "", nullptr, 0);
    transport->adviseError = link::NotProcessed;
    EXPECT_NE(connect(set, "Temp"), 0u);
    transport->adviseError = link::AdviseAckTimeout;
    EXPECT_EQ(connect(set, "Level", 1, "Lab"), 0u);
    EXPECT_EQ(lastErrorCode(), 100);
    EXPECT_EQ(log->open.size(), 1u);
    EXPECT_TRUE(failing(set));
}

TEST_F(LinkTest, AdviseDataMovesTheChannelsOnAndTheProcedureNeverSeesIt) {
    WRSetDdeProc(recordProcedure);
    const int single = WRDefineDynDataSet("T", 2, "", nullptr, 0), multi = WRDefineDynDataSet("M", 3, "", nullptr, 0);
    WRSetAlarm(single, DV_ALARM_HIGH, 30.0, "Hot");
    ASSERT_NE(connect(single, "Temp"), 0u);
    ASSERT_NE(connect(multi, "Three", 0), 0u);

    // An item whose first text held one value: channel 0 moves on, whatever the new text holds.
    transport->change("Tank", "Temp", "35 99");
    EXPECT_FLOAT_EQ(dataSet(single).previous[0], 21.5f);
    EXPECT_FLOAT_EQ(dataSet(single).current[0], 35.0f);
    EXPECT_FLOAT_EQ(dataSet(single).current[1], 0.0f);
    EXPECT_EQ(calls, (std::vector<AlarmCall>{{single, 0, DV_ALARM_HIGH, 35.0, 1}}));

    // Several values: each channel from 0 on; no auto update, no check.
    transport->change("Tank", "Three", "4;5");
    EXPECT_FLOAT_EQ(dataSet(multi).current[0], 4.0f);
    EXPECT_FLOAT_EQ(dataSet(multi).previous[0], 1.5f);
    EXPECT_FLOAT_EQ(dataSet(multi).current[1], 5.0f);
    EXPECT_FLOAT_EQ(dataSet(multi).current[2], 3.5f);
    // A text without a number changes nothing.
    transport->change("Tank", "Temp", "n/a");
    EXPECT_FLOAT_EQ(dataSet(single).current[0], 35.0f);
    EXPECT_EQ(calls.size(), 1u);
    EXPECT_TRUE(procedure.empty());
}

TEST_F(LinkTest, DdeCallbackFromTheApplicationIsCheckedAndAsksForMissingTexts) {
    WRSetDdeProc(recordProcedure);
    const int set = WRDefineDynDataSet("T", 1, "", nullptr, 0);
    const std::uintptr_t conversation = connect(set, "Temp", 0);
    ASSERT_NE(conversation, 0u);
    // Unknown conversation: nothing at all, not even the procedure.
    EXPECT_EQ(DdeCallback(DV_LINK_DISCONNECT, 0, conversation + 99, 0, 0, 0, 0, 0), 0);
    EXPECT_TRUE(procedure.empty());

    const Conversation& c = *LinkStateOf(top()).find(conversation);
    const std::uintptr_t item = c.items[0]->itemString;
    transport->running["Tank"].items["Temp"] = "60";
    // Advise data without a text (or with a data handle the link did not make): requested.
    EXPECT_EQ(DdeCallback(DV_LINK_ADVDATA, DV_LINK_TEXT, conversation, c.topic, item, 0xdeadbeef, 0, 0), DV_LINK_ACK);
    EXPECT_FLOAT_EQ(dataSet(set).current[0], 60.0f);
    EXPECT_EQ(log->requests.back(), "Temp");
    // Other events go to the procedure with its answer.
    EXPECT_EQ(DdeCallback(0x1234, 0, conversation, 0, 0, 0, 0, 0), 7);
    ASSERT_EQ(procedure.size(), 1u);

    char text[8];
    EXPECT_EQ(dvLinkQueryString(item, text, sizeof text), 4);
    EXPECT_STREQ(text, "Temp");
    EXPECT_EQ(dvLinkQueryString(item, text, 3), 4);
    EXPECT_STREQ(text, "Te");
    EXPECT_EQ(dvLinkQueryString(item, nullptr, 0), 4);
    EXPECT_EQ(dvLinkQueryString(12345, text, sizeof text), -1);
}

TEST_F(LinkTest, ArgumentsAreCheckedBeforeAnythingHappens) {
    EXPECT_EQ(connect(42, "Temp"), 0u);
    EXPECT_EQ(lastErrorCode(), DV_ERR_NO_SUCH_DATA_SET);
    const int set = WRDefineDynDataSet("T", 1, "", nullptr, 0);
    EXPECT_EQ(WRConnectDDE(set, nullptr, "Tank", nullptr, "Temp", 1), 0u);
    EXPECT_EQ(lastErrorCode(), DV_ERR_INVALID_ARGUMENT);
    EXPECT_TRUE(failing(set));
    EXPECT_EQ(WRConnectDDE(set, nullptr, "Tank", "Plant", nullptr, 1), 0u);
    EXPECT_TRUE(log->open.empty());
    // No service name and no command line: the empty service.
    transport->running[""] = FakeServer{{"Plant"}, {{"Temp", "1"}}};
    EXPECT_NE(WRConnectDDE(set, nullptr, nullptr, "Plant", "Temp", 1), 0u);
}

TEST_F(LinkTest, CleanUpEndsEveryConversationEvenFromAnAlarmProcedure) {
    const int set = WRDefineDynDataSet("T", 1, "", nullptr, 0);
    WRSetAlarm(set, DV_ALARM_HIGH, 30.0, "Hot");
    ASSERT_NE(connect(set, "Temp"), 0u);
    ASSERT_NE(connect(set, "Temp", 1, "Lab"), 0u);
    SetAlarmProcedure([this](int, int, int, double, int) { RTCleanup(handle); });
    transport->change("Tank", "Temp", "40");  // the procedure ends everything while the link calls it
    EXPECT_EQ(TopOf(env), nullptr);
    EXPECT_TRUE(log->open.empty());
    EXPECT_EQ(log->disconnected.size(), 2u);
}

}  // namespace
}  // namespace dynaview::testing
