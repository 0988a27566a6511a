// The data link on a bus of the test's own, with dynaview-feed as the server: the first
// text and the advises in the channels, a shared conversation failing when its server
// quits, the limits of the table, and a server started from its command line.

#include "dynaview/alarms/alarm_block.h"
#include "dynaview/datasets/dyn_data_set.h"
#include "dynaview/dde/link_state.h"
#include "dynaview/dde/link_text.h"
#include "dynaview_fixture.h"
#include "tests/support/private_bus.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>

#include <csignal>
#include <functional>
#include <memory>

namespace dynaview::testing {
namespace {

std::vector<unsigned>* procedureEvents = nullptr;
intptr_t recordEvent(unsigned type, unsigned, uintptr_t, uintptr_t, uintptr_t, uintptr_t, uintptr_t, uintptr_t) {
    if (procedureEvents) procedureEvents->push_back(type);
    return 0;
}

QString feedProgram() { return qEnvironmentVariable("WAVIX_BUILD_DIR") + QStringLiteral("/dynaview/feed/dynaview-feed"); }

// Runs the event loop until the condition holds or the time is up.
bool waitFor(const std::function<bool()>& condition, int ms = 10000) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > ms) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return true;
}

struct BusFirst {
    testsupport::PrivateBus bus;
};

class LinkBusTest : public BusFirst, public DynaviewTest {
protected:
    void SetUp() override {
        if (!bus.running()) GTEST_SKIP() << "dbus-daemon could not be started (Debian package dbus)";
        probe = std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(QString::fromStdString(bus.address()), QStringLiteral("probe")));
        ASSERT_TRUE(probe->isConnected());
        procedureEvents = &events;
        UseClock(nullptr);  // the servers run in real time
    }
    void TearDown() override {
        procedureEvents = nullptr;
        for (auto& feed : feeds) {
            feed->kill();
            feed->waitForFinished(5000);
        }
        if (probe) {
            probe.reset();
            QDBusConnection::disconnectFromBus(QStringLiteral("probe"));
        }
    }
    ~LinkBusTest() override { RTCleanup(handle); }

    bool published(const std::string& service) {
        return probe->interface()->isServiceRegistered(QString::fromStdString(link::BusNameForService(service))).value();
    }
    // The item's text as a client asking the server directly gets it.
    std::string requested(const std::string& service, const QString& topic, const QString& item) {
        QDBusMessage call = QDBusMessage::createMethodCall(QString::fromStdString(link::BusNameForService(service)),
                                                           QStringLiteral("/org/dynaview/Link"), QStringLiteral("org.dynaview.Link1"),
                                                           QStringLiteral("Request"));
        call << topic << item;
        const QDBusMessage reply = probe->call(call, QDBus::Block, 3000);
        return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty() ? reply.arguments().constFirst().toString().toStdString()
                                                                                            : std::string();
    }
    // A feed reading standard input, once its service is on the bus.
    QProcess* startFeed(const QStringList& arguments, const std::string& service) {
        feeds.push_back(std::make_unique<QProcess>());
        QProcess* feed = feeds.back().get();
        feed->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        feed->start(feedProgram(), arguments);
        EXPECT_TRUE(feed->waitForStarted(5000)) << feedProgram().toStdString();
        EXPECT_TRUE(waitFor([&] { return published(service); })) << service;
        return feed;
    }
    bool failing(int set, int channel = 0) { return dataSet(set).alarm.currentState[static_cast<std::size_t>(channel)] & AlarmBit(FailAlarm); }

    std::unique_ptr<QDBusConnection> probe;
    std::vector<std::unique_ptr<QProcess>> feeds;
    std::vector<unsigned> events;
};

TEST_F(LinkBusTest, AReplyOfThreeNumbersFillsThreeChannelsAndEachAdviseRunsTheAlarmCheck) {
    QProcess* feed = startFeed({"--values", "3", "Tank", "Plant", "Three"}, "Tank");
    feed->write("Three 1.5 2.5 3.5\n");
    ASSERT_NE(WRInitDde(), 0u);
    const int set = WRDefineDynDataSet("Three", 3, "", nullptr, 0);
    WRSetAlarm(set, DV_ALARM_HIGH, 5.0, "Hot");
    WRSetDdeProc(recordEvent);
    // Once the feed has read the line, the first reply holds its three numbers.
    ASSERT_TRUE(waitFor([&] { return requested("Tank", "Plant", "Three") == "1.5 2.5 3.5"; }));
    ASSERT_NE(WRConnectDDE(set, nullptr, "Tank", "Plant", "Three", 1), 0u);
    EXPECT_FLOAT_EQ(dataSet(set).current[2], 3.5f);
    EXPECT_FLOAT_EQ(dataSet(set).current[0], 1.5f);
    EXPECT_FLOAT_EQ(dataSet(set).current[1], 2.5f);

    feed->write("Three 4 5 6\n");
    ASSERT_TRUE(waitFor([&] { return dataSet(set).current[2] == 6.0f; }));
    EXPECT_FLOAT_EQ(dataSet(set).previous[2], 3.5f);
    EXPECT_EQ(calls, (std::vector<AlarmCall>{{set, 1, DV_ALARM_HIGH, 5.0, 1}, {set, 2, DV_ALARM_HIGH, 6.0, 1}}));
    EXPECT_TRUE(events.empty());  // advise data never reaches the application's procedure
}

TEST_F(LinkBusTest, TwoDataSetsShareAConversationAndBothFailWhenTheServerQuits) {
    QProcess* feed = startFeed({"Tank", "Plant", "Temp", "Level"}, "Tank");
    WRSetDdeProc(recordEvent);
    const int temp = WRDefineDynDataSet("T", 1, "", nullptr, 0), level = WRDefineDynDataSet("L", 1, "", nullptr, 0);
    WRSetAlarm(temp, DV_ALARM_HIGH, 100.0, "Hot");
    WRSetAlarm(level, DV_ALARM_HIGH, 100.0, "Full");
    const std::uintptr_t first = WRConnectDDE(temp, nullptr, "Tank", "Plant", "Temp", 1);
    ASSERT_NE(first, 0u);
    EXPECT_EQ(WRConnectDDE(level, nullptr, "Tank", "Plant", "Level", 1), first);

    feed->closeWriteChannel();  // the end of its input ends the feed
    ASSERT_TRUE(waitFor([&] { return failing(temp) && failing(level); }));
    EXPECT_EQ(calls, (std::vector<AlarmCall>{{temp, 0, DV_ALARM_FAIL, 0.0, 1}, {level, 0, DV_ALARM_FAIL, 0.0, 1}}));
    EXPECT_EQ(events, std::vector<unsigned>{DV_LINK_DISCONNECT});
    // The data set stays failed, and a reconnection is refused while nobody publishes.
    EXPECT_EQ(WRConnectDDE(temp, nullptr, "Tank", "Plant", "Temp", 1), 0u);
    EXPECT_EQ(lastErrorCode(), 110);
}

TEST_F(LinkBusTest, TheSixthConversationAndTheSeventeenthItemAreRefused) {
    QStringList items;
    for (int i = 0; i < 17; ++i) items << QStringLiteral("I%1").arg(i);
    startFeed(QStringList{"S0", "Plant"} + items, "S0");
    for (int s = 1; s < 5; ++s) startFeed({QStringLiteral("S%1").arg(s), "Plant", "I0"}, "S" + std::to_string(s));
    const int set = WRDefineDynDataSet("T", 1, "", nullptr, 0);
    for (int s = 0; s < 5; ++s) ASSERT_NE(WRConnectDDE(set, nullptr, ("S" + std::to_string(s)).c_str(), "Plant", "I0", 0), 0u);
    EXPECT_EQ(WRConnectDDE(set, nullptr, "S5", "Plant", "I0", 0), 0u);
    EXPECT_EQ(lastErrorCode(), DV_ERR_TOO_MANY_CONVERSATIONS);
    for (int i = 1; i < 16; ++i) ASSERT_NE(WRConnectDDE(set, nullptr, "S0", "Plant", ("I" + std::to_string(i)).c_str(), 0), 0u);
    EXPECT_EQ(WRConnectDDE(set, nullptr, "S0", "Plant", "I16", 0), 0u);
    EXPECT_EQ(lastErrorCode(), DV_ERR_TOO_MANY_ITEMS);
    EXPECT_TRUE(failing(set));
}

TEST_F(LinkBusTest, AServerGivenByItsCommandLineIsStartedAndConnected) {
    ASSERT_NE(WRInitDde(), 0u);
    // Slow machines (sanitizers) start the feed in more than 500 ms; the wait ends as soon as it is there.
    LinkStateOf(top()).serverStartWaitMs = 20000;
    const int set = WRDefineDynDataSet("T", 2, "", nullptr, 0);
    // No service: the command line's program, "dynaview-feed", which publishes under that name.
    const std::string commandLine = "\"" + feedProgram().toStdString() + "\" --sine --values 2 --range 10 20 dynaview-feed Plant Wave";
    EXPECT_NE(WRConnectDDE(set, commandLine.c_str(), nullptr, "Plant", "Wave", 1), 0u);
    EXPECT_TRUE(published("dynaview-feed"));
    EXPECT_GE(dataSet(set).current[0], 10.0f);
    EXPECT_LE(dataSet(set).current[0], 20.0f);
    const float first = dataSet(set).current[1];
    EXPECT_TRUE(waitFor([&] { return dataSet(set).current[1] != first; }));  // the sine moves on
    // The started server is not the test's child: end it through its bus name.
    const uint pid = probe->interface()->servicePid(QString::fromStdString(link::BusNameForService("dynaview-feed"))).value();
    ASSERT_GT(pid, 0u);
    ::kill(static_cast<pid_t>(pid), SIGTERM);
    EXPECT_TRUE(waitFor([&] { return failing(set, 0) && failing(set, 1); }));
}

}  // namespace
}  // namespace dynaview::testing
