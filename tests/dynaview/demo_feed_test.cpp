// End to end: dynaview-feed generating a sine on a bus of the test's own, dynaview-demo
// showing it (offscreen): the values the demo's trend draws move, and stopping the feed
// turns the demo's channel to Fail. The same through an MQTT broker of the test's own:
// stopping the broker fails the channel, starting it again clears the Fail.

#include "dynaview/dde/link_text.h"
#include "tests/support/mqtt_broker.h"
#include "tests/support/own_temp_path.h"
#include "tests/support/private_bus.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>

#include <gtest/gtest.h>

namespace {

QString program(const char* path) { return qEnvironmentVariable("WAVIX_BUILD_DIR") + QLatin1String(path); }

TEST(DemoFeed, TheDemoShowsWhatTheFeedPublishesAndFailsWhenItStops) {
    testsupport::PrivateBus bus;
    if (!bus.running()) GTEST_SKIP() << "dbus-daemon could not be started (Debian package dbus)";
    QProcess feed;
    feed.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    feed.start(program("/dynaview/feed/dynaview-feed"), {"--sine", "--period", "4", "--interval", "50", "--range", "30", "95", "Tank",
                                                         "Plant", "Temp"});
    ASSERT_TRUE(feed.waitForStarted(5000));
    {
        QDBusConnection probe = QDBusConnection::connectToBus(QString::fromStdString(bus.address()), QStringLiteral("demo-probe"));
        const QString name = QString::fromStdString(dynaview::link::BusNameForService("Tank"));
        QElapsedTimer waited;
        waited.start();
        while (!probe.interface()->isServiceRegistered(name).value() && waited.elapsed() < 10000) QThread::msleep(20);
    }
    QDBusConnection::disconnectFromBus(QStringLiteral("demo-probe"));

    const auto screenshots = testsupport::OwnTempPath("demo_feed");
    QProcess demo;
    demo.start(program("/dynaview/demo/dynaview-demo"),
               {"--feed", "Tank", "Plant", "Temp", "--seconds", "4", "--screenshots", QString::fromStdString(screenshots.string())});
    ASSERT_TRUE(demo.waitForStarted(5000));
    // Half way, the feed goes: the demo's temperature enters Fail.
    QThread::msleep(2500);
    feed.terminate();
    ASSERT_TRUE(demo.waitForFinished(60000));
    const QString output = QString::fromUtf8(demo.readAllStandardOutput());
    EXPECT_EQ(demo.exitCode(), 0) << output.toStdString();

    const QRegularExpressionMatch summary = QRegularExpression(QStringLiteral("feed: (\\d+) values from ([-\\d.]+) to ([-\\d.]+)")).match(output);
    ASSERT_TRUE(summary.hasMatch()) << output.toStdString();
    EXPECT_GE(summary.captured(1).toInt(), 5);
    EXPECT_GE(summary.captured(2).toDouble(), 30.0);
    EXPECT_LE(summary.captured(3).toDouble(), 95.0);
    EXPECT_GT(summary.captured(3).toDouble() - summary.captured(2).toDouble(), 1.0);  // the trace moved
    EXPECT_TRUE(output.contains(QStringLiteral("Fail"))) << output.toStdString();       // logged by the alarm procedure
    // The loop worked on exactly the fed values, and held once the feed had gone.
    const QRegularExpressionMatch loop =
        QRegularExpression(QStringLiteral("loop: (\\d+) steps on process values from ([-\\d.]+) to ([-\\d.]+), held (\\d+)")).match(output);
    ASSERT_TRUE(loop.hasMatch()) << output.toStdString();
    EXPECT_EQ(loop.captured(2), summary.captured(2));
    EXPECT_EQ(loop.captured(3), summary.captured(3));
    EXPECT_GT(loop.captured(4).toInt(), 0);
    std::error_code ignored;
    std::filesystem::remove_all(screenshots, ignored);
}

TEST(DemoFeed, ThroughABrokerTheChannelFailsWhileTheBrokerIsAwayAndRecovers) {
    testsupport::MqttBroker broker;
    if (!broker.available()) GTEST_SKIP() << "mosquitto is not installed (Debian package mosquitto)";
    ASSERT_TRUE(broker.start());
    QProcess feed;
    feed.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    feed.start(program("/dynaview/feed/dynaview-feed"), {"--mqtt", QString::fromStdString(broker.url()), "--sine", "--period", "4",
                                                         "--interval", "50", "--range", "30", "95", "Plant", "Temp"});
    ASSERT_TRUE(feed.waitForStarted(5000));
    QThread::msleep(500);  // the feed's first text is on the broker

    QProcess demo;
    demo.start(program("/dynaview/demo/dynaview-demo"),
               {"--feed", QString::fromStdString(broker.url()), "Plant", "Temp", "--seconds", "9"});
    ASSERT_TRUE(demo.waitForStarted(5000));
    QThread::msleep(3000);  // the demo is up and connected (slower under the sanitizers)
    broker.stop();
    QThread::msleep(1500);
    ASSERT_TRUE(broker.start());
    ASSERT_TRUE(demo.waitForFinished(60000));
    feed.terminate();
    feed.waitForFinished(5000);
    const QString output = QString::fromUtf8(demo.readAllStandardOutput());
    EXPECT_EQ(demo.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains(QStringLiteral("Tank temperature: Fail entered"))) << output.toStdString();
    EXPECT_TRUE(output.contains(QStringLiteral("Tank temperature: Fail left"))) << output.toStdString();
    const QRegularExpressionMatch summary = QRegularExpression(QStringLiteral("feed: (\\d+) values from ([-\\d.]+) to ([-\\d.]+)")).match(output);
    ASSERT_TRUE(summary.hasMatch()) << output.toStdString();
    EXPECT_GT(summary.captured(3).toDouble() - summary.captured(2).toDouble(), 1.0);  // the trace moved
}

}  // namespace
