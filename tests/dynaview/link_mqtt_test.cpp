// The data link through an MQTT broker started by the test, with dynaview-feed publishing:
// the retained text first, each message an advise, a lost broker failing the channels
// and its return clearing them.

#include "dynaview/alarms/alarm_block.h"
#include "dynaview/datasets/dyn_data_set.h"
#include "dynaview/dde/mqtt_transport.h"
#include "dynaview_fixture.h"
#include "tests/support/mqtt_broker.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>

#include <functional>

namespace dynaview::testing {
namespace {

QString feedProgram() { return qEnvironmentVariable("WAVIX_BUILD_DIR") + QStringLiteral("/dynaview/feed/dynaview-feed"); }

bool waitFor(const std::function<bool()>& condition, int ms = 15000) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > ms) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return true;
}

class LinkMqttTest : public DynaviewTest {
protected:
    void SetUp() override {
        if (!broker.available()) GTEST_SKIP() << "mosquitto is not installed (Debian package mosquitto)";
        ASSERT_TRUE(broker.start());
        UseClock(nullptr);
    }
    void TearDown() override {
        RTCleanup(handle);
        if (feed.state() != QProcess::NotRunning) {
            feed.terminate();
            feed.waitForFinished(5000);
        }
    }
    void startFeed(QStringList arguments) {
        feed.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        feed.start(feedProgram(), QStringList{"--mqtt", QString::fromStdString(broker.url())} + arguments);
        ASSERT_TRUE(feed.waitForStarted(5000));
    }
    bool failing(int set, int channel = 0) { return dataSet(set).alarm.currentState[static_cast<std::size_t>(channel)] & AlarmBit(FailAlarm); }
    // Connects once the feed's first text is on the broker.
    std::uintptr_t connect(int set, const char* item, int autoUpdate = 1) {
        std::uintptr_t conversation = 0;
        waitFor([&] {
            conversation = WRConnectDDE(set, nullptr, broker.url().c_str(), "Plant", item, autoUpdate);
            return conversation != 0;
        });
        return conversation;
    }

    testsupport::MqttBroker broker;
    QProcess feed;
};

TEST_F(LinkMqttTest, TheRetainedTextComesFirstAndEveryMessageIsAnAdvise) {
    dvShowErrorMessages(handle, 0);
    startFeed({"--values", "2", "Plant", "Temp"});
    feed.write("Temp 21.5 22.5\n");
    const int set = WRDefineDynDataSet("T", 2, "", nullptr, 0);
    WRSetAlarm(set, DV_ALARM_HIGH, 30.0, "Hot");
    ASSERT_NE(connect(set, "Temp"), 0u);
    // The first text is the feed's opening "0 0" or already the line: either way the line arrives.
    ASSERT_TRUE(waitFor([&] { return dataSet(set).current[1] == 22.5f; }));
    EXPECT_FLOAT_EQ(dataSet(set).current[0], 21.5f);
    feed.write("Temp 35 36\n");
    ASSERT_TRUE(waitFor([&] { return dataSet(set).current[1] == 36.0f; }));
    EXPECT_FLOAT_EQ(dataSet(set).previous[1], 22.5f);
    EXPECT_EQ(calls, (std::vector<AlarmCall>{{set, 0, DV_ALARM_HIGH, 35.0, 1}, {set, 1, DV_ALARM_HIGH, 36.0, 1}}));
}

TEST_F(LinkMqttTest, ALostBrokerFailsTheChannelsAndItsReturnClearsThem) {
    startFeed({"--sine", "--interval", "50", "--range", "10", "20", "Plant", "Wave"});
    const int set = WRDefineDynDataSet("W", 1, "", nullptr, 0);
    WRSetAlarm(set, DV_ALARM_HIGH, 100.0, "Hot");
    ASSERT_NE(connect(set, "Wave"), 0u);
    EXPECT_GE(dataSet(set).current[0], 10.0f);

    broker.stop();
    ASSERT_TRUE(waitFor([&] { return failing(set); }));
    EXPECT_EQ(calls.back(), (AlarmCall{set, 0, DV_ALARM_FAIL, dataSet(set).current[0], 1}));

    ASSERT_TRUE(broker.start());
    ASSERT_TRUE(waitFor([&] { return !failing(set); }));
    EXPECT_EQ(calls.back().kind, DV_ALARM_FAIL);
    EXPECT_EQ(calls.back().state, 0);
    // The feed is back too, and its values move on.
    const float value = dataSet(set).current[0];
    EXPECT_TRUE(waitFor([&] { return dataSet(set).current[0] != value; }));
}

TEST_F(LinkMqttTest, BadBrokersAreReportedAndFailTheChannels) {
    const int set = WRDefineDynDataSet("T", 1, "", nullptr, 0);
    EXPECT_EQ(WRConnectDDE(set, nullptr, "mqtt://", "Plant", "Temp", 1), 0u);
    EXPECT_EQ(lastErrorCode(), 106);
    EXPECT_TRUE(failing(set));
    EXPECT_EQ(WRConnectDDE(set, nullptr, broker.url().c_str(), "Plant/#", "Temp", 1), 0u);
    EXPECT_EQ(lastErrorCode(), 106);
    broker.stop();
    EXPECT_EQ(WRConnectDDE(set, nullptr, broker.url().c_str(), "Plant", "Temp", 1), 0u);
    EXPECT_EQ(lastErrorCode(), 110);
}

TEST(BrokerAddress, HostAndPortOfAnMqttService) {
    using link::ParseBrokerAddress;
    EXPECT_EQ(ParseBrokerAddress("mqtt://plant.local")->host, "plant.local");
    EXPECT_EQ(ParseBrokerAddress("mqtt://plant.local")->port, 1883);
    EXPECT_EQ(ParseBrokerAddress("mqtt://10.0.0.2:8883/")->port, 8883);
    EXPECT_EQ(ParseBrokerAddress("mqtt://[::1]:1884")->host, "::1");
    EXPECT_EQ(ParseBrokerAddress("mqtt://[::1]:1884")->port, 1884);
    for (const char* bad : {"mqtt://", "mqtt://host:", "mqtt://host:0", "mqtt://host:65536", "mqtt://host:12a", "mqtt://a b", "tcp://host",
                            "mqtt://[::1", "mqtt://[::1]x"})
        EXPECT_FALSE(ParseBrokerAddress(bad)) << bad;
}

}  // namespace
}  // namespace dynaview::testing
