// Frames in, packets out: checksums, the command set's errors, settings and DUMP, and the
// escapes and CRC of what comes back.

#include "tests/sim/sim_harness.h"

#include <gtest/gtest.h>

namespace simtest {
namespace {

TEST(CommandErrors, BadFramesAndUnknownCommandsGetTheirErrorNumbers) {
    SimHarness sim;
    struct Case {
        std::string bytes;
        int error;
    } cases[] = {
        {":DUMP37\r", 1},                    // checksum off by one
        {":DUMP\r", 2},                      // no checksum digits ("MP" are not hex)
        {":D\r", 2},                         // too short to hold checksum digits
        {":" + std::string(200, 'A') + "00\r", 2},  // longer than any command
        {":00\r", 3},                        // nothing but a checksum
        {wire::buildFrame("XYZW"), 5},
        {wire::buildFrame("DUM"), 5},
        {wire::buildFrame("DUMPX"), 5},
        {wire::buildFrame("DUMP 5"), 2},     // fetches take no argument
        {wire::buildFrame("SNAV"), 4},       // settings need one
        {wire::buildFrame("SNAV four"), 4},
        {wire::buildFrame("S_VP 0,5,1"), 4},  // one decimal separator at most
        {wire::buildFrame("SNAV 2.5"), 4},   // averages are whole
    };
    for (const Case& c : cases) {
        sim.output.clear();
        sim.send(c.bytes);
        sim.advance(100);
        const auto replies = sim.replies();
        ASSERT_EQ(replies.size(), 1u) << c.bytes;
        EXPECT_EQ(replies[0].type, '!') << c.bytes;
        EXPECT_EQ(replies[0].error, c.error) << c.bytes;
        EXPECT_TRUE(replies[0].crcOk);
    }
    // Lowercase checksum digits are read as well.
    std::string lowercase = wire::buildFrame("GNWA");  // checksum 2D
    for (char& c : lowercase)
        if (c >= 'A' && c <= 'F' && &c > &lowercase[4]) c = static_cast<char>(c - 'A' + 'a');
    sim.output.clear();
    sim.send(lowercase);
    sim.advance(500);
    ASSERT_EQ(sim.replies().size(), 1u) << lowercase;
    EXPECT_EQ(sim.replies()[0].name, "GNWA");
}

TEST(CommandErrors, SettingsOutsideTheirRangesAreRefusedAndKeepTheOldValue) {
    SimHarness sim;
    struct Case {
        const char* command;
        bool accepted;
    } cases[] = {
        {"S_VP 0.1", true},    {"S_VP 1.0", true},     {"S_VP 0,67", true},     {"S_VP 0.09", false},  {"S_VP 1.01", false},
        {"SNAV 1", true},      {"SNAV 128", true},     {"SNAV 0", false},     {"SNAV 129", false},
        {"SPNT 20", true},     {"SPNT 2048", true},    {"SPNT 19", false},    {"SPNT 2049", false},
        {"SDIS -2", true},     {"SDIS 2100", true},    {"SDIS -2.01", false}, {"SDIS 2100.5", false},
        {"SWLN 0.1", true},    {"SWLN 2100", true},    {"SWLN 0.09", false},  {"SWLN 0", false},
        {"SPRL 0", true},      {"SPRL 10.0", true},    {"SPRL 10.001", false}, {"SPRL -0.1", false},
        {"SPRO 0", true},      {"SPRO 0.200", true},   {"SPRO 0.201", false}, {"SPRO -0.001", false},
        {"CCCC 100", true},    {"CCCC 0.1", true},     {"CCCC 0", false},     {"CCCC 100.1", false},
    };
    for (const Case& c : cases) {
        const sim::InstrumentSettings before = sim.instrument.settings();
        const auto reply = sim.command(c.command);
        ASSERT_TRUE(reply) << c.command;
        if (c.accepted) {
            EXPECT_NE(reply->type, '!') << c.command << " refused with " << reply->error;
        } else {
            EXPECT_EQ(reply->error, 10) << c.command;
            EXPECT_EQ(sim.instrument.settings(), before) << c.command;
        }
    }
}

TEST(Settings, SetCommandsAreAcknowledgedAndDumpReflectsThem) {
    SimHarness sim;
    const char* commands[] = {"S_VP 0.67", "SNAV 16", "SPNT  2048", "SDIS -1.5", "SWLN 25", "SPRL 0.150", "SPRO 0.02"};
    for (const char* text : commands) {
        const auto reply = sim.command(text);
        ASSERT_TRUE(reply);
        EXPECT_EQ(reply->type, '$');
        EXPECT_EQ(reply->name, std::string(text, 4));
        EXPECT_TRUE(reply->crcOk);
        EXPECT_TRUE(reply->data.empty());
    }
    const Reply dump = sim.fetch("DUMP");
    ASSERT_EQ(dump.data.size(), 36u);
    EXPECT_FLOAT_EQ(dump.value(0), 0.67f);
    EXPECT_FLOAT_EQ(dump.value(1), 16.0f);
    EXPECT_FLOAT_EQ(dump.value(2), 2048.0f);
    EXPECT_FLOAT_EQ(dump.value(3), -1.5f);
    EXPECT_FLOAT_EQ(dump.value(4), 25.0f);
    EXPECT_FLOAT_EQ(dump.value(5), 0.15f);
    EXPECT_FLOAT_EQ(dump.value(6), 0.02f);
    EXPECT_EQ(dump.word(7), 0u);  // no multiplexer switched
    EXPECT_EQ(dump.word(8), sim.instrument.processor().config().serialNumber);
}

TEST(Settings, EveryFetchAnswersWithItsSize) {
    SimHarness sim;
    sim.configure({"SPNT 300"});
    const std::pair<const char*, std::size_t> sizes[] = {
        {"DUMP", 36}, {"GTIM", 12}, {"GCAL", 4}, {"GCON", 4}, {"GMOS", 4},   {"GVAR", 12},  {"GVER", 16},
        {"GDTS", 4},  {"GRLN", 4},  {"GWAV", 1200}, {"GNWA", 1200}, {"GLWF", 1200}, {"GLDR", 1200}, {"GNDR", 1200},
        {"CCCC 25", 4},
    };
    for (const auto& [command, size] : sizes) {
        const auto reply = sim.command(command);
        ASSERT_TRUE(reply) << command;
        EXPECT_EQ(reply->type, '#') << command << " error " << reply->error;
        EXPECT_EQ(reply->name, std::string(command, 4));
        EXPECT_EQ(reply->data.size(), size) << command;
        EXPECT_TRUE(reply->crcOk) << command;
    }
}

TEST(ReplyEncoding, CarriageReturnAndQuoteBytesTravelEscaped) {
    // A cell constant whose float32 holds the bytes 0x0D and 0x22.
    sim::SimulatorConfig config;
    config.probe.cellConstant = wire::wordToFloat(0x410D2241);
    SimHarness sim(config);
    const auto reply = sim.command("CCCC 20");
    ASSERT_TRUE(reply);
    ASSERT_EQ(reply->type, '#');
    EXPECT_TRUE(reply->crcOk);
    EXPECT_EQ(reply->word(0), 0x410D2241u);
    // Only the final CR is unescaped; each special byte is 0x22 and its two's complement.
    const auto& raw = reply->raw;
    EXPECT_EQ(std::count(raw.begin(), raw.end(), std::uint8_t{0x0D}), 1);
    const std::vector<std::uint8_t> escapedCr{0x22, 0xF3}, escapedQuote{0x22, 0xDE};
    EXPECT_NE(std::search(raw.begin(), raw.end(), escapedCr.begin(), escapedCr.end()), raw.end());
    EXPECT_NE(std::search(raw.begin(), raw.end(), escapedQuote.begin(), escapedQuote.end()), raw.end());
}

TEST(ReplyEncoding, EveryPacketOfALongSessionHasAValidCrc) {
    SimHarness sim;
    sim.configure({"SPNT 2048", "SNAV 1", "SWLN 30"});
    for (int i = 0; i < 5; ++i) sim.fetch("GWAV");
    for (const Reply& r : sim.replies()) {
        EXPECT_TRUE(r.crcOk);
        // Exactly one CR per packet: escapes kept every data CR out of the stream.
        EXPECT_EQ(std::count(r.raw.begin(), r.raw.end(), std::uint8_t{0x0D}), 1);
    }
}

TEST(Replies, ComeThroughTheClockAfterAProcessingDelayAndInOrder) {
    SimHarness sim;
    sim.sendFrame("SNAV 8");
    sim.sendFrame("GVER");
    sim.sendFrame("DUMP");
    EXPECT_TRUE(sim.output.empty());  // nothing from inside receive()
    sim.advance(0);
    EXPECT_TRUE(sim.output.empty());
    sim.advance(1000);
    const auto replies = sim.replies();
    ASSERT_EQ(replies.size(), 3u);
    EXPECT_EQ(replies[0].name, "SNAV");
    EXPECT_EQ(replies[1].name, "GVER");
    EXPECT_EQ(replies[2].name, "DUMP");
    EXPECT_FLOAT_EQ(replies[2].value(1), 8.0f);
    EXPECT_EQ(sim.instrument.receivedCommands(), (std::deque<std::string>{"SNAV 8", "GVER", "DUMP"}));
}

}  // namespace
}  // namespace simtest
