// The monitor and loader of an operating-system upgrade: MON, S, the flash erase, ENQ,
// one answer per S-record, and the way back to normal operation.

#include "platform/serial_port.h"
#include "sim/memory_line_link.h"
#include "tests/sim/sim_harness.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace simtest {
namespace {

std::vector<std::string> firmwareRecords() {
    const char* source = std::getenv("WAVIX_SOURCE_DIR");
    std::ifstream file(std::string(source ? source : ".") + "/tests/data/sim/firmware.sr");
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);)
        if (!line.empty()) lines.push_back(line);
    EXPECT_GT(lines.size(), 3u) << "tests/data/sim/firmware.sr";
    return lines;
}

// Brings the instrument to the point where it has sent ENQ.
void enterLoader(SimHarness& sim) {
    sim.send("MON\r");
    sim.advance(10);
    ASSERT_EQ(sim.instrument.loaderState(), sim::LoaderState::Monitor);
    sim.send("S\r");
    ASSERT_EQ(sim.instrument.loaderState(), sim::LoaderState::Erasing);
    sim.advance(10);
    sim.output.clear();
    sim.advance(sim.instrument.processor().config().timing.eraseMs);
    ASSERT_EQ(sim.outputText(), "\x05");
    ASSERT_EQ(sim.instrument.loaderState(), sim::LoaderState::Receiving);
    sim.output.clear();
}

// The loader's answer to a record (what follows a refused record is terminal input again,
// so its echo may come along).
char answerTo(SimHarness& sim, const std::string& record) {
    sim.output.clear();
    sim.send(record);
    const auto answer = [&] { return sim.outputText().find_first_of(".}>"); };
    sim.clock.advanceUntil([&] { return answer() != std::string::npos; }, 1000);
    return answer() == std::string::npos ? '?' : sim.outputText()[answer()];
}

TEST(Loader, AcceptsAFileRecordByRecordAndFinishesOnTheEndRecord) {
    SimHarness sim;
    const auto records = firmwareRecords();
    enterLoader(sim);
    for (std::size_t i = 0; i < records.size(); ++i) {
        const bool last = i + 1 == records.size();
        EXPECT_EQ(answerTo(sim, records[i]), last ? '}' : '.') << records[i];
    }
    EXPECT_EQ(sim.instrument.acceptedRecords(), records);
    EXPECT_EQ(sim.instrument.loaderState(), sim::LoaderState::Off);
    EXPECT_EQ(sim.instrument.completedUpgrades(), 1);
    // Back to normal operation, now with the next build.
    EXPECT_EQ(sim.fetch("GVER").word(2), sim::CommandProcessor::OsFirstBuild + 1);
}

TEST(Loader, MonitorEchoesAndTheEraseIgnoresInputUntilEnqIsSent) {
    SimHarness sim;
    sim.send("MON\r");
    sim.advance(10);
    EXPECT_EQ(sim.outputText(), "MON\r\nRFX410 Monitor\r\n");
    sim.sendFrame("DUMP");  // the monitor knows no frames
    sim.advance(100);
    EXPECT_EQ(sim.outputText().find("#DUMP"), std::string::npos);
    EXPECT_NE(sim.outputText().find(":DUMP36\r\n?\r\n"), std::string::npos);
    sim.send("\rS\r");
    sim.advance(500);
    sim.output.clear();
    sim.send("S00600004844521B");  // lost while the flash is erased
    sim.advance(sim.instrument.processor().config().timing.eraseMs - 520);
    EXPECT_TRUE(sim.output.empty());
    sim.advance(30);
    EXPECT_EQ(sim.outputText(), "\x05");
    EXPECT_EQ(sim.instrument.acceptedRecordCount(), 0u);
    // Line ends between records are skipped.
    EXPECT_EQ(answerTo(sim, "\r\nS00600004844521B"), '.');
}

TEST(Loader, BadRecordIsRefusedAndEndsTheLoader) {
    for (std::string bad : {"S00600004844521C",  // checksum
                            "S0060000484452",    // broken off, then a new record starts
                            "s00600004844521B",  // not an S
                            "S4030000FC",        // no such type
                            "S1020000FD",        // too short for an address
                            "S00600004844521b"}) {  // lowercase hex
        SimHarness sim;
        enterLoader(sim);
        if (bad.size() == 14) bad += "S";
        EXPECT_EQ(answerTo(sim, bad), '>') << bad;
        EXPECT_EQ(sim.instrument.loaderState(), sim::LoaderState::Off) << bad;
        EXPECT_EQ(sim.fetch("DUMP").type, '#');
    }
}

TEST(Loader, FaultsDamageOrSilenceTheRecordTheyName) {
    const auto records = firmwareRecords();
    {
        SimHarness sim;
        sim::Fault corrupt;
        corrupt.kind = sim::FaultKind::CorruptRecord;
        corrupt.value = 3;
        sim.instrument.faults().add(corrupt);
        enterLoader(sim);
        EXPECT_EQ(answerTo(sim, records[0]), '.');
        EXPECT_EQ(answerTo(sim, records[1]), '.');
        EXPECT_EQ(answerTo(sim, records[2]), '>');  // good on the wire, damaged on its way
        EXPECT_EQ(sim.instrument.loaderState(), sim::LoaderState::Off);
        EXPECT_EQ(sim.instrument.acceptedRecordCount(), 2u);
        // Used up: the next upgrade goes through.
        enterLoader(sim);
        for (const auto& record : records) answerTo(sim, record);
        EXPECT_EQ(sim.instrument.completedUpgrades(), 1);
    }
    {
        SimHarness sim;
        sim::Fault silent;
        silent.kind = sim::FaultKind::SilentRecord;
        silent.value = 2;
        sim.instrument.faults().add(silent);
        enterLoader(sim);
        EXPECT_EQ(answerTo(sim, records[0]), '.');
        EXPECT_EQ(answerTo(sim, records[1]), '?');  // taken, not answered
        EXPECT_EQ(answerTo(sim, records[2]), '.');  // the loader goes on
        EXPECT_EQ(sim.instrument.acceptedRecordCount(), 3u);
    }
}

TEST(Loader, MonitorAndLoaderGiveUpWhenLeftAlone) {
    SimHarness sim;
    sim.send("MON\r");
    sim.send("HELP\r");
    sim.advance(10);
    EXPECT_NE(sim.outputText().find("?\r\n"), std::string::npos);
    sim.send("Q\r");
    EXPECT_EQ(sim.instrument.loaderState(), sim::LoaderState::Off);

    enterLoader(sim);
    sim.send("S1130000");  // half a record, then silence
    sim.advance(sim.instrument.processor().config().timing.loaderIdleMs + 10);
    EXPECT_EQ(sim.instrument.loaderState(), sim::LoaderState::Off);
    EXPECT_EQ(sim.fetch("DUMP").type, '#');
}

TEST(Loader, UpgradeExchangeThroughTheProgramsSerialLayer) {
    // The program's side as the upgrade drives it: raw writes, one-byte packets.
    platform::VirtualClock clock;
    platform::MemorySerialLine line(clock);
    sim::Rfx410 instrument(clock);
    sim::connectToLine(instrument, line);
    platform::SerialPort port(line, clock);
    ASSERT_TRUE(port.openPath("/dev/ttyS0", 57600));
    platform::PacketCollector collector(port);
    std::string answers;
    collector.setStartAnyByte();
    collector.setEndSize(1);
    collector.setHandler([&](const std::uint8_t* data, std::size_t size) { answers.append(reinterpret_cast<const char*>(data), size); });

    port.writeString("MON\r");
    clock.advance(500);
    port.writeString("S\r");
    clock.advance(500);
    port.flushInput();
    collector.enable();
    const auto records = firmwareRecords();
    ASSERT_TRUE(clock.advanceUntil([&] { return answers == "\x05"; }, 20000, 10));
    for (const std::string& record : records) {
        answers.clear();
        collector.enable();
        port.writeString(record);
        ASSERT_TRUE(clock.advanceUntil([&] { return !answers.empty(); }, 3000, 1)) << record;
        EXPECT_EQ(answers, &record == &records.back() ? "}" : ".");
    }
    EXPECT_EQ(instrument.acceptedRecordCount(), records.size());
}

}  // namespace
}  // namespace simtest
