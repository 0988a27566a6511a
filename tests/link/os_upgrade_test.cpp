// The operating-system upgrade against the simulated instrument's monitor and loader on
// the in-memory line, time virtual: a whole transfer with its progress, every way it can
// end, and what it must never do (erase the flash for a file it will not send, take a
// stale byte for the loader's answer).

#include "link/os_upgrade.h"

#include "platform/doubles/test_platform.h"
#include "platform/serial_port.h"
#include "sim/memory_line_link.h"
#include "sim/rfx410.h"
#include "tests/support/own_temp_path.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace instrument {
namespace {

// A good data record: S1, count, 16-bit address, data bytes, checksum.
std::string DataRecord(unsigned address, const std::vector<unsigned>& data) {
    const unsigned count = static_cast<unsigned>(data.size()) + 3;
    unsigned sum = count + (address >> 8) + (address & 0xFF);
    char text[24];
    std::snprintf(text, sizeof text, "S1%02X%04X", count, address);
    std::string record = text;
    for (unsigned b : data) {
        std::snprintf(text, sizeof text, "%02X", b);
        record += text;
        sum += b;
    }
    std::snprintf(text, sizeof text, "%02X", ~sum & 0xFF);
    return record + text;
}

// S0 header, data records, S9 end: `total` records in all.
std::vector<std::string> Firmware(int total, bool withEnd = true) {
    std::vector<std::string> records{"S00600004844521B"};
    for (int i = 0; static_cast<int>(records.size()) < total - (withEnd ? 1 : 0); ++i)
        records.push_back(DataRecord(0x1000 + 16 * static_cast<unsigned>(i), std::vector<unsigned>(16, static_cast<unsigned>(i))));
    if (withEnd) records.push_back("S9030000FC");
    return records;
}

sim::Fault RecordFault(sim::FaultKind kind, int record) {
    sim::Fault fault;
    fault.kind = kind;
    fault.value = record;
    return fault;
}

class RecordingView : public OsUpgradeView {
public:
    void ShowErasing(bool visible) override { erasing.push_back(visible); }
    void SetProgress(int percent) override { progress.push_back(percent); }
    void EnableButtons(bool enabled) override { buttonsEnabled = enabled; }
    void CloseWithOk() override { ++closed; }

    std::vector<bool> erasing;
    std::vector<int> progress;
    bool buttonsEnabled = true;
    int closed = 0;
};

class OsUpgradeTest : public ::testing::Test {
protected:
    explicit OsUpgradeTest(sim::SimulatorConfig config = {})
        : services(test.platform()), rfx(test.clock, config), data(services), upgrade(data, services, view) {
        sim::connectToLine(rfx, test.serial);
        data.Driver().SetLogDirectory(::testing::TempDir());
        EXPECT_TRUE(data.OpenPort(1, 57600));
        upgrade.FormShow();
    }
    ~OsUpgradeTest() override { std::filesystem::remove(file); }

    std::string Write(const std::string& text) {
        std::ofstream(file, std::ios::binary) << text;
        return file.string();
    }
    std::string WriteRecords(const std::vector<std::string>& records, const std::string& between = "\r\n") {
        std::string text;
        for (const auto& r : records) text += r + between;
        return Write(text);
    }
    // Runs until the upgrade has ended (or maxMs passed).
    bool RunToEnd(std::uint64_t maxMs = 60000) {
        return test.clock.advanceUntil([this] { return !upgrade.Busy(); }, maxMs, 5);
    }
    std::vector<std::string> messages() const { return test.dialogs.texts(); }

    platform::TestPlatform test;
    platform::Platform services;
    sim::Rfx410 rfx;
    TTDRdataObject data;
    RecordingView view;
    OsUpgrade upgrade;
    std::filesystem::path file = testsupport::OwnTempPath("os_upgrade_test", ".sr");
};

TEST_F(OsUpgradeTest, AHundredRecordsGoOutInFileOrderWithTheirProgress) {
    const auto records = Firmware(100);
    // Blank lines between the records are skipped and not counted.
    ASSERT_TRUE(upgrade.Start(WriteRecords(records, "\r\n\r\n")));
    EXPECT_EQ(upgrade.RecordCount(), 100);
    EXPECT_FALSE(view.buttonsEnabled);
    ASSERT_TRUE(RunToEnd());

    EXPECT_EQ(messages(), std::vector<std::string>{OsUpgradeText::Succeeded});
    EXPECT_EQ(rfx.acceptedRecords(), records);
    EXPECT_EQ(rfx.completedUpgrades(), 1);
    EXPECT_EQ(upgrade.Sent(), 100);
    // Records after the first: 1 % for the second record ... 99 % for the last one, then 0.
    ASSERT_EQ(view.progress.size(), 100u);
    EXPECT_EQ(view.progress.front(), 1);
    EXPECT_EQ(view.progress[98], 99);
    EXPECT_EQ(*std::max_element(view.progress.begin(), view.progress.end() - 1), 99);
    EXPECT_EQ(view.progress.back(), 0);
    EXPECT_EQ(view.erasing, (std::vector<bool>{true, false}));
    EXPECT_EQ(view.closed, 1);
    EXPECT_TRUE(view.buttonsEnabled);
    // On the line: the monitor, the loader, then the records without line ends.
    std::string expected = "MON\rS\r";
    for (const auto& r : records) expected += r;
    EXPECT_EQ(test.serial.writtenText(), expected);
    // The instrument runs the new build, once the protocol has its collector back.
    data.RestoreFraming();
    std::vector<std::int32_t> codes;
    ASSERT_EQ(data.GetCommand("GVER", 10, [&](std::int32_t c) { codes.push_back(c); }), Success);
    test.clock.advance(1000);
    EXPECT_EQ(codes, std::vector<std::int32_t>{Success});
    EXPECT_EQ(data.Version[3], 101u);
}

TEST_F(OsUpgradeTest, TheTwoWaitsRunOnTheClockAndTheErasePrecedesTheFirstRecord) {
    ASSERT_TRUE(upgrade.Start(WriteRecords(Firmware(3))));
    EXPECT_EQ(test.serial.writtenText(), "MON\r");  // nothing waited for inside Start
    EXPECT_EQ(upgrade.CurrentPhase(), OsUpgrade::Phase::Monitor);
    test.clock.advance(499);
    EXPECT_EQ(test.serial.writtenText(), "MON\r");
    test.clock.advance(1);
    EXPECT_EQ(test.serial.writtenText(), "MON\rS\r");
    EXPECT_EQ(view.erasing, std::vector<bool>{true});
    test.clock.advance(500);
    EXPECT_EQ(upgrade.CurrentPhase(), OsUpgrade::Phase::Erasing);
    // The loader takes its 3 s to erase; no record goes out before its ENQ.
    test.clock.advance(2000);
    EXPECT_EQ(test.serial.writtenText(), "MON\rS\r");
    EXPECT_TRUE(upgrade.Busy());
    EXPECT_FALSE(upgrade.Start(file.string()));  // one upgrade at a time
    ASSERT_TRUE(RunToEnd());
    EXPECT_EQ(messages(), std::vector<std::string>{OsUpgradeText::Succeeded});
}

TEST_F(OsUpgradeTest, AFileThatIsRefusedSendsNothingAtAll) {
    auto refused = [this](const std::string& fileName) {
        test.serial.clearWritten();
        test.dialogs.clear();
        EXPECT_FALSE(upgrade.Start(fileName));
        test.clock.advance(30000);
        EXPECT_EQ(test.serial.writtenText(), "") << fileName;
        EXPECT_TRUE(view.buttonsEnabled);
        EXPECT_EQ(view.closed, 0);
        EXPECT_EQ(rfx.loaderState(), sim::LoaderState::Off);
        return messages().size() == 1 ? messages()[0] : std::string("?");
    };

    EXPECT_EQ(refused(""), OsUpgradeText::FileMissing);
    EXPECT_EQ(refused((file.parent_path() / "missing.sr").string()), OsUpgradeText::FileMissing);
    EXPECT_EQ(refused(file.parent_path().string()), OsUpgradeText::FileMissing);  // a folder
    EXPECT_EQ(test.tones.messageBeeps.size(), 3u);

    // Only the last record is bad: the flash must not be erased for it.
    auto records = Firmware(10);
    records.back() = "S9030000FD";
    EXPECT_EQ(refused(WriteRecords(records)),
              std::string(OsUpgradeText::ChecksumFailed) + "\r\nLine 10: the record's checksum does not match its bytes.");
    records.back() = "S90300";
    EXPECT_EQ(refused(WriteRecords(records)),
              std::string(OsUpgradeText::ChecksumFailed) + "\r\nLine 10: the record is shorter than its byte count requires.");
    records.back() = "S9030000FC" + std::string(120, ' ');
    EXPECT_NE(refused(WriteRecords(records)).find("Line 10: the record is longer than the 128 characters"), std::string::npos);
    // Lowercase hexadecimal reads as 0; a line of spaces is a record, and a bad one.
    EXPECT_NE(refused(WriteRecords({"S00600004844521b", "S9030000FC"})).find("Line 1:"), std::string::npos);
    EXPECT_NE(refused(WriteRecords({"S00600004844521B", "      ", "S9030000FC"})).find("Line 2:"), std::string::npos);
    // Nothing to send is no reason to erase the instrument's flash either.
    EXPECT_EQ(refused(Write("\r\n\r\n")), OsUpgradeText::NoRecords);
}

TEST_F(OsUpgradeTest, WithoutAPortNothingStarts) {
    data.ClosePort();
    EXPECT_FALSE(upgrade.Start(WriteRecords(Firmware(3))));
    EXPECT_EQ(messages(), std::vector<std::string>{OsUpgradeText::NotConnected});
    EXPECT_TRUE(view.buttonsEnabled);
}

// Each way the transfer can end once it has started, with where it leaves the dialog.
struct Ending {
    const char* name;
    std::function<void(sim::Rfx410&)> arrange;
    std::vector<std::string> records;
    const char* message;
    bool closes;
    std::int32_t sent;
};

class OsUpgradeEnding : public OsUpgradeTest, public ::testing::WithParamInterface<Ending> {};

TEST_P(OsUpgradeEnding, EndsWithItsMessage) {
    const Ending& e = GetParam();
    e.arrange(rfx);
    ASSERT_TRUE(upgrade.Start(WriteRecords(e.records)));
    ASSERT_TRUE(RunToEnd(40000));
    EXPECT_EQ(messages(), std::vector<std::string>{e.message});
    EXPECT_EQ(upgrade.Sent(), e.sent);
    EXPECT_FALSE(upgrade.Transferring());
    EXPECT_EQ(view.closed, e.closes ? 1 : 0);
    // Closed: buttons back and the bar at 0. Not closed: the buttons stay off until the
    // user closes the dialog.
    EXPECT_EQ(view.buttonsEnabled, e.closes);
    if (e.closes) {
        EXPECT_EQ(view.progress.back(), 0);
    }
    EXPECT_FALSE(data.Driver().Collector()->isEnabled());
    // Nothing further happens on its own.
    test.dialogs.clear();
    test.clock.advance(60000);
    EXPECT_TRUE(messages().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, OsUpgradeEnding,
    ::testing::Values(
        Ending{"NoEnquiryWithin20s",
               [](sim::Rfx410& r) {
                   auto t = r.processor().config().timing;
                   t.eraseMs = 25000;
                   r.setTiming(t);
               },
               Firmware(5), OsUpgradeText::TimedOut, true, 0},
        Ending{"NoAnswerWithin3sOfARecord",
               [](sim::Rfx410& r) { r.faults().add(RecordFault(sim::FaultKind::SilentRecord, 3)); }, Firmware(5),
               OsUpgradeText::TimedOut, true, 3},
        Ending{"RecordDamagedOnItsWay",
               [](sim::Rfx410& r) { r.faults().add(RecordFault(sim::FaultKind::CorruptRecord, 2)); }, Firmware(5),
               OsUpgradeText::Failed, true, 2},
        Ending{"AcknowledgementAfterTheLastRecord", [](sim::Rfx410&) {}, Firmware(4, false), OsUpgradeText::AckAfterLast,
               false, 4}),
    [](const ::testing::TestParamInfo<Ending>& info) { return info.param.name; });

// The instrument side played by the test, byte by byte.
class OsUpgradeWithScriptedPeer : public ::testing::Test {
protected:
    OsUpgradeWithScriptedPeer() : services(test.platform()), data(services), upgrade(data, services, view) {
        test.serial.setPeerReceiver([this](std::span<const std::uint8_t> bytes) { heard.append(bytes.begin(), bytes.end()); });
        data.Driver().SetLogDirectory(::testing::TempDir());
        EXPECT_TRUE(data.OpenPort(1, 57600));
        std::ofstream(file, std::ios::binary) << "S00600004844521B\nS9030000FC\n";
        upgrade.FormShow();
    }
    ~OsUpgradeWithScriptedPeer() override { std::filesystem::remove(file); }
    void answer(std::string_view bytes) {
        test.serial.sendToHost(bytes);
        test.clock.runDue();
    }

    platform::TestPlatform test;
    platform::Platform services;
    TTDRdataObject data;
    RecordingView view;
    OsUpgrade upgrade;
    std::string heard;
    std::filesystem::path file = testsupport::OwnTempPath("os_upgrade_scripted", ".sr");
};

TEST_F(OsUpgradeWithScriptedPeer, AStaleByteInTheInputDoesNotStartTheTransfer) {
    ASSERT_TRUE(upgrade.Start(file.string()));
    test.clock.advance(500);
    ASSERT_EQ(heard, "MON\rS\r");
    // An ENQ (or an echo) that came before the loader was listened to is thrown away.
    answer("S\r\n\x05");
    test.clock.advance(500);
    EXPECT_EQ(upgrade.CurrentPhase(), OsUpgrade::Phase::Erasing);
    test.clock.advance(5000);
    EXPECT_EQ(heard, "MON\rS\r");
    EXPECT_EQ(upgrade.Sent(), 0);
    // The real one, after the erase, starts it.
    answer("\x05");
    EXPECT_EQ(heard, "MON\rS\rS00600004844521B");
    EXPECT_EQ(upgrade.Sent(), 1);
}

TEST_F(OsUpgradeWithScriptedPeer, AnythingButEnquiryDuringTheEraseIsLeftToTheTimeOut) {
    ASSERT_TRUE(upgrade.Start(file.string()));
    test.clock.advance(1000);
    answer("?\x05");  // after the '?' nothing more is listened to
    EXPECT_EQ(upgrade.Sent(), 0);
    test.clock.advance(OsUpgrade::EraseTimeoutMs - 1);
    EXPECT_TRUE(upgrade.Busy());
    test.clock.advance(1);
    EXPECT_EQ(test.dialogs.texts(), std::vector<std::string>{OsUpgradeText::TimedOut});
    EXPECT_EQ(heard, "MON\rS\r");
}

TEST_F(OsUpgradeWithScriptedPeer, AnUnknownAnswerEndsTheTransfer) {
    ASSERT_TRUE(upgrade.Start(file.string()));
    test.clock.advance(1000);
    answer("\x05");
    test.clock.advance(OsUpgrade::RecordTimeoutMs - 1);  // just within its time
    answer("X");
    EXPECT_EQ(test.dialogs.texts(), std::vector<std::string>{OsUpgradeText::Unexpected});
    EXPECT_EQ(view.closed, 1);
    EXPECT_FALSE(upgrade.Busy());
}

TEST_F(OsUpgradeWithScriptedPeer, ALostDeviceEndsTheTransferAtOnce) {
    ASSERT_TRUE(upgrade.Start(file.string()));
    test.clock.advance(1000);
    answer("\x05");
    test.serial.unplug();
    test.clock.runDue();
    upgrade.LinkLost();
    EXPECT_EQ(test.dialogs.texts(), std::vector<std::string>{OsUpgradeText::Disconnected});
    EXPECT_EQ(view.closed, 1);
    test.dialogs.clear();
    test.clock.advance(30000);
    EXPECT_TRUE(test.dialogs.texts().empty());  // no time-out afterwards
}

}  // namespace
}  // namespace instrument
