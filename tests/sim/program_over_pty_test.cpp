// rfx410-sim as the program meets it: a pseudo-terminal opened through the production
// serial layer (QSerialPort, Qt clock), on a real event loop. Waits are short and bounded.

#include "platform/qt/qt_clock.h"
#include "platform/qt/qt_serial_device.h"
#include "platform/serial_port.h"
#include "tests/sim/sim_harness.h"
#include "tests/support/sim_program.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

namespace simtest {
namespace {

using testsupport::SimProgram;
using testsupport::waitFor;

// The program's side of the line.
class Client {
public:
    explicit Client(const std::string& devicePath, int baud = 57600) : port_(devices_, clock_), collector_(port_) {
        opened = port_.openPath(devicePath, baud);
        EXPECT_TRUE(opened) << port_.lastError();
        collector_.setHandler([this](const std::uint8_t* data, std::size_t size) { packet_.assign(data, data + size); });
    }

    std::optional<Reply> command(std::string_view text, int maxMs = 5000) {
        packet_.clear();
        port_.flushInput();
        collector_.enable();
        port_.writeString(wire::buildFrame(text));
        if (!waitFor([this] { return !packet_.empty(); }, maxMs)) {
            collector_.disable();
            return std::nullopt;
        }
        const auto replies = decodeReplies(packet_);
        if (replies.size() != 1) return std::nullopt;
        return replies[0];
    }
    // Bytes arriving outside frames within maxMs.
    std::string rawExchange(std::string_view text, std::size_t expected, int maxMs = 3000) {
        collector_.disable();
        port_.flushInput();
        port_.writeString(text);
        std::string received;
        waitFor([&] {
            while (auto b = port_.readByte()) received += static_cast<char>(*b);
            return received.size() >= expected;
        }, maxMs);
        return received;
    }

    bool opened = false;

private:
    platform::QtClock clock_;
    platform::QtSerialDeviceFactory devices_;
    platform::SerialPort port_;
    platform::PacketCollector collector_;
    std::vector<std::uint8_t> packet_;
};

TEST(ProgramOverPty, DumpRoundTripWithAValidCrc) {
    SimProgram sim({});
    ASSERT_FALSE(sim.devicePath.empty()) << sim.errorOutput().toStdString();
    Client client(sim.devicePath);
    ASSERT_TRUE(client.opened);
    const auto reply = client.command("DUMP");
    ASSERT_TRUE(reply);
    EXPECT_TRUE(reply->crcOk);
    EXPECT_EQ(reply->name, "DUMP");
    EXPECT_EQ(reply->data.size(), 36u);
    EXPECT_FLOAT_EQ(reply->value(2), 251.0f);
    // The terminal echo comes first and once; on a busy machine the answer to the typed line
    // may arrive in the same read.
    const std::string typed = client.rawExchange("ab\r", 4);
    EXPECT_EQ(typed.substr(0, 4), "ab\r\n");
    EXPECT_EQ(typed.find("ab", 1), std::string::npos) << typed;
    EXPECT_EQ(sim.stop(), 0);
}

TEST(ProgramOverPty, FullWaveformOf2048Points) {
    SimProgram sim({"--dielectric", "9", "--seed", "3"});
    Client client(sim.devicePath);
    ASSERT_TRUE(client.opened);
    ASSERT_EQ(client.command("SPNT 2048")->type, '$');
    const auto reply = client.command("GWAV", 4000);
    ASSERT_TRUE(reply);
    EXPECT_TRUE(reply->crcOk);
    EXPECT_EQ(reply->wordCount(), 2048u);
    // The same seed and set-up give the same waveform in memory.
    sim::SimulatorConfig config;
    config.medium.dielectric = 9;
    config.seed = 3;
    SimHarness memory(config);
    memory.configure({"SPNT 2048"});
    EXPECT_EQ(reply->values(), memory.fetch("GWAV").values());
}

TEST(ProgramOverPty, EachFaultGivenAsAnOption) {
    // Silence is waited for briefly (DUMP takes 25 ms); answers as long as a loaded machine needs.
    constexpr int silenceMs = 600;
    struct Case {
        const char* option;
        bool answered;
        std::function<void(const std::optional<Reply>&)> check;
    } cases[] = {
        {"no-reply:DUMP", false, [](const auto& r) { EXPECT_FALSE(r); }},
        {"bad-crc:DUMP", true, [](const auto& r) { ASSERT_TRUE(r); EXPECT_FALSE(r->crcOk); }},
        {"wrong-name:DUMP", true, [](const auto& r) { ASSERT_TRUE(r); EXPECT_NE(r->name, "DUMP"); EXPECT_TRUE(r->crcOk); }},
        {"wrong-size:DUMP", true, [](const auto& r) { ASSERT_TRUE(r); EXPECT_EQ(r->data.size(), 40u); }},
        {"error=18:DUMP", true, [](const auto& r) { ASSERT_TRUE(r); EXPECT_EQ(r->error, 18); }},
        {"dead-line:DUMP", false, [](const auto& r) { EXPECT_FALSE(r); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.option);
        SimProgram sim({"--fault", c.option});
        Client client(sim.devicePath);
        ASSERT_TRUE(client.opened);
        c.check(client.command("DUMP", c.answered ? 5000 : silenceMs));
        const bool dead = std::string(c.option).starts_with("dead-line");
        const auto next = client.command("GVER", dead ? silenceMs : 5000);
        EXPECT_EQ(next.has_value(), !dead);
        if (dead) {
            EXPECT_EQ(client.rawExchange("X", 1, silenceMs), "");
        }
    }
}

TEST(ProgramOverPty, LateReplyOption) {
    SimProgram sim({"--fault", "late=700:DUMP"});
    Client client(sim.devicePath);
    ASSERT_TRUE(client.opened);
    QElapsedTimer timer;
    timer.start();
    const auto reply = client.command("DUMP", 3000);
    ASSERT_TRUE(reply);
    EXPECT_GE(timer.elapsed(), 700);
}

TEST(ProgramOverPty, PacedOutputTakesTheLinesTransferTime) {
    SimProgram sim({"--pace"});
    Client client(sim.devicePath, 115200);
    ASSERT_TRUE(client.opened);
    ASSERT_EQ(client.command("SPNT 2048")->type, '$');
    const auto times = client.command("GTIM");
    ASSERT_TRUE(times);
    QElapsedTimer timer;
    timer.start();
    const auto reply = client.command("GWAV", 5000);
    const auto elapsed = timer.elapsed();
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->wordCount(), 2048u);
    const double transferMs = reply->raw.size() * 10.0 * 1000.0 / 115200.0;  // about 0.7 s
    EXPECT_GE(elapsed, 0.9 * transferMs);
    EXPECT_LT(elapsed, std::floor(times->value(1)) * 1000);  // within the program's time-out
}

TEST(ProgramOverPty, LinkIsMadeReplacingAStaleOneAndRemovedAtExit) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString link = dir.filePath("rfx410");
    ASSERT_TRUE(QFile::link("/nonexistent/pts", link));
    {
        SimProgram sim({"--link", link});
        ASSERT_FALSE(sim.devicePath.empty()) << sim.errorOutput().toStdString();
        EXPECT_EQ(QFileInfo(link).symLinkTarget().toStdString(), sim.devicePath);
        Client client(link.toStdString());
        EXPECT_TRUE(client.command("GDTS"));
        EXPECT_EQ(sim.stop(), 0);
    }
    EXPECT_FALSE(QFileInfo(link).isSymLink());

    // Anything that is not a link is left alone.
    QFile file(dir.filePath("precious"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    QProcess refused;
    refused.start(QStringLiteral(RFX410_SIM_PATH), {"--link", file.fileName()});
    ASSERT_TRUE(refused.waitForFinished(3000));
    EXPECT_EQ(refused.exitCode(), 1);
    EXPECT_TRUE(QFileInfo(file.fileName()).isFile());
}

TEST(ProgramOverPty, Sigusr1PullsTheCableAndPutsItBack) {
    QTemporaryDir dir;
    const QString link = dir.filePath("rfx410");
    SimProgram sim({"--link", link, "--verbose"});
    ASSERT_FALSE(sim.devicePath.empty()) << sim.errorOutput().toStdString();
    {
        Client client(link.toStdString());
        ASSERT_TRUE(client.command("SNAV 16"));
        sim.toggleCable();
        // The device vanishes under the open port, and the link with it.
        EXPECT_TRUE(waitFor([&] { return !QFileInfo::exists(link) && !QFileInfo::exists(QString::fromStdString(sim.devicePath)); }, 3000));
        EXPECT_FALSE(client.command("DUMP", 300));
    }
    sim.toggleCable();
    const std::string again = sim.nextDevicePath(3000);
    ASSERT_FALSE(again.empty());
    EXPECT_EQ(QFileInfo(link).symLinkTarget().toStdString(), again);
    // The same instrument, settings kept.
    Client client(link.toStdString());
    const auto dump = client.command("DUMP");
    ASSERT_TRUE(dump);
    EXPECT_FLOAT_EQ(dump->value(1), 16.0f);
    EXPECT_TRUE(sim.errorOutput().contains("cable pulled"));
    EXPECT_EQ(sim.stop(), 0);
}

TEST(ProgramOverPty, HelpAndBadOptions) {
    QProcess help;
    help.start(QStringLiteral(RFX410_SIM_PATH), {"--help"});
    ASSERT_TRUE(help.waitForFinished(3000));
    EXPECT_EQ(help.exitCode(), 0);
    EXPECT_TRUE(help.readAllStandardOutput().contains("--fault FAULT"));

    QProcess bad;
    bad.start(QStringLiteral(RFX410_SIM_PATH), {"--fault", "sleep"});
    ASSERT_TRUE(bad.waitForFinished(3000));
    EXPECT_EQ(bad.exitCode(), 2);
    EXPECT_TRUE(bad.readAllStandardOutput().isEmpty());
    EXPECT_TRUE(bad.readAllStandardError().contains("unknown kind"));
}

}  // namespace
}  // namespace simtest
