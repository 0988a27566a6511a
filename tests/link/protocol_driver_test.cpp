// The protocol driver: frames out, reply packets in, every check a reply passes through,
// the reply timer, and the byte log.

#include "link_fixture.h"

#include "platform/serial_port.h"

#include <filesystem>
#include <fstream>

namespace instrument::testing {
namespace {

using Driver = LinkFixture;

std::vector<std::uint8_t> raw(std::string_view s) { return {s.begin(), s.end()}; }

// A packet built by hand: ':' + type/body + CRC + CR, with no escaping of the body.
std::vector<std::uint8_t> unescapedPacket(std::string_view typeAndBody) {
    const std::uint16_t crc = wire::crc16(typeAndBody);
    std::string packet = ":";
    packet += typeAndBody;
    packet += static_cast<char>(crc >> 8);
    packet += static_cast<char>(crc & 0xFF);
    packet += '\r';
    return raw(packet);
}

TEST_F(Driver, AcknowledgementMustNameTheCommandSent) {
    ASSERT_EQ(set("S_VP 0.67"), Success);
    reply(wire::buildAck("S_VP"));
    ASSERT_EQ(set("SNAV 16"), Success);
    reply(wire::buildAck("S_VP"));
    EXPECT_EQ(outcomes, (std::vector<std::int32_t>{Success, CommandFailed}));
    EXPECT_EQ(messages(), std::vector<std::string>{"ERROR: Response to Command SNAV = COMMAND FAILED"});
}

TEST_F(Driver, ErrorPacketCountsWhateverCommandIsOutstanding) {
    ASSERT_EQ(get("GWAV"), Success);
    reply(wire::buildError(5));
    ASSERT_EQ(set("SPRO 0.000"), Success);
    reply(wire::buildError(0));  // an error reply carrying 0 is success
    EXPECT_EQ(outcomes, (std::vector<std::int32_t>{5, Success}));
}

TEST_F(Driver, ShortWaveformReplyLeavesTheRestOfTheStoreAlone) {
    ASSERT_EQ(get("GWAV"), Success);
    reply(data32("GWAV", std::vector<float>(2048, 9.0f)));
    ASSERT_EQ(get("GNWA"), Success);
    reply(data32("GNWA", std::vector<float>(251, -0.5f)));
    EXPECT_EQ(outcomes, (std::vector<std::int32_t>{Success, Success}));
    EXPECT_EQ(data.WaveformAt(1), -0.5f);
    EXPECT_EQ(data.WaveformAt(251), -0.5f);
    EXPECT_EQ(data.WaveformAt(252), 9.0f);
    EXPECT_EQ(data.WaveformAt(2048), 9.0f);
    EXPECT_EQ(data.LastArrayPoints, 251);
}

TEST_F(Driver, FixedSizeRepliesCheckTheirSizeAndWholeWords) {
    ASSERT_EQ(get("GCON"), Success);
    reply(data32("GCON", {0.05f, 0.05f}));
    EXPECT_EQ(outcomes.back(), PacketSizeError);
    EXPECT_EQ(messages().front(), "Error: GCON command response wrong size.");

    platform.dialogs.clear();
    ASSERT_EQ(get("GCON"), Success);
    std::vector<std::uint8_t> body = raw("GCON");
    body.insert(body.end(), {1, 2, 3, 4, 5, 6});
    reply(wire::buildPacket(wire::DataReply, body));
    EXPECT_EQ(outcomes.back(), MalformedPacket);
    EXPECT_EQ(messages(), (std::vector<std::string>{"Error: GVER command response malformed.",
                                                    "ERROR: Response to Command GCON = MALFORMED PKT"}));
    EXPECT_EQ(data.GconValue, 0.0f);
}

TEST_F(Driver, DumpFillsTheSettingsTruncatingCounts) {
    ASSERT_EQ(get("DUMP"), Success);
    auto words = std::vector<std::uint32_t>{wire::floatToWord(0.67f), wire::floatToWord(16.9f), wire::floatToWord(251.0f),
                                            wire::floatToWord(-1.5f), wire::floatToWord(50.0f), wire::floatToWord(0.3f),
                                            wire::floatToWord(0.012f), 0xDEADBEEF, 0x00020005};
    reply(wire::buildData("DUMP", words));
    const auto& s = data.Settings;
    EXPECT_EQ(s.Vp, 0.67f);
    EXPECT_EQ(s.Averages, 16);
    EXPECT_EQ(s.Points, 251);
    EXPECT_EQ(s.WinStart, -1.5f);
    EXPECT_EQ(s.WinLgt, 50.0f);
    EXPECT_EQ(s.ProbeLgt, 0.3f);
    EXPECT_EQ(s.ProbeOffset, 0.012f);
    EXPECT_EQ(s.DumpWord8, 0xDEADBEEFu);
    EXPECT_EQ(s.DumpWord9, 0x00020005u);
}

TEST_F(Driver, OtherFixedRepliesLandInTheirFields) {
    ASSERT_EQ(get("GTIM"), Success);
    reply(wire::buildData("GTIM", std::vector<std::uint32_t>{7, wire::floatToWord(2.5f), wire::floatToWord(4.0f)}));
    ASSERT_EQ(get("GVAR"), Success);
    reply(data32("GVAR", {31.0f, 47.5f, 3.3f}));
    ASSERT_EQ(get("GVER"), Success);
    reply(wire::buildData("GVER", std::vector<std::uint32_t>{1, 2, 3, 4}));
    ASSERT_EQ(set("CCCC 21.5"), Success);
    reply(data32("CCCC", {6.25f}));
    EXPECT_EQ(outcomes, std::vector<std::int32_t>(4, Success));
    EXPECT_EQ(data.Times.Word1, 7u);
    EXPECT_EQ(data.Times.WaveformSeconds, 2.5f);
    EXPECT_EQ(data.Times.WaterContentSeconds, 4.0f);
    EXPECT_EQ(data.Vars[1], 31.0f);
    EXPECT_EQ(data.Vars[2], 47.5f);
    EXPECT_EQ(data.Version[4], 4u);
    EXPECT_EQ(data.CellConstValue, 6.25f);
}

TEST_F(Driver, DerivativeGainAppliesWhenStoring) {
    data.DerivativeGain = 5.0f;
    ASSERT_EQ(get("GLDR", 20), Success);
    reply(data32("GLDR", {0.1f, -0.2f}));
    EXPECT_FLOAT_EQ(data.DerivativeAt(1), 0.5f);
    EXPECT_FLOAT_EQ(data.DerivativeAt(2), -1.0f);
    data.DerivativeGain = 1.0f;  // points already stored keep the gain they got
    EXPECT_FLOAT_EQ(data.DerivativeAt(1), 0.5f);
}

TEST_F(Driver, EscapedCarriageReturnAndBytesBeforeTheStartArrivePlain) {
    ASSERT_EQ(get("GCON"), Success);
    // 0x0D inside the data travels escaped; the instrument's echo of the start-up
    // greeting and other noise may precede the packet.
    const float value = wire::wordToFloat(0x3F0D0D22);
    auto packet = data32("GCON", {value});
    ASSERT_GT(packet.size(), 9u + 4u);  // escapes present
    auto withNoise = raw("$\r\nnoise");
    withNoise.insert(withNoise.end(), packet.begin(), packet.end());
    reply(withNoise);
    EXPECT_EQ(outcomes, std::vector<std::int32_t>{Success});
    EXPECT_EQ(wire::floatToWord(data.GconValue), 0x3F0D0D22u);
}

TEST_F(Driver, CorruptedPacketsFailWithTheirCode) {
    struct Case {
        const char* what;
        std::vector<std::uint8_t> packet;
        std::int32_t code;
    };
    auto badCrc = wire::buildAck("DUMP");
    badCrc[badCrc.size() - 2] ^= 0x01;
    std::vector<Case> cases = {
        {"CRC mismatch", badCrc, CrcFailed},
        {"unknown reply type", unescapedPacket("?DUMP"), UnknownError},
        {"error code not decimal", unescapedPacket("!0A"), UnknownError},
        {"too short to be a reply", raw(":!0\r"), MalformedPacket},
        {"named reply without its name", unescapedPacket("$DU"), MalformedPacket},
        {"escape right before the CR", raw(":$DUMP\x12\x34\x22\r"), MalformedPacket},
    };
    for (const auto& c : cases) {
        outcomes.clear();
        ASSERT_EQ(get("DUMP"), Success) << c.what;
        reply(c.packet);
        EXPECT_EQ(outcomes, std::vector<std::int32_t>{c.code}) << c.what;
        EXPECT_FALSE(data.Busy()) << c.what;
    }
    EXPECT_EQ(data.Settings.Points, 0);  // nothing corrupt reached the store
}

TEST_F(Driver, UnknownDataReplyIsReportedButSucceeds) {
    ASSERT_EQ(get("GXYZ"), Success);
    reply(data32("GXYZ", {1.0f}));
    EXPECT_EQ(outcomes, std::vector<std::int32_t>{Success});
    EXPECT_EQ(messages(), std::vector<std::string>{"Error: Response to Unknown command recieved!"});
}

TEST_F(Driver, NoReplyTimesOutWithABeepAfterTheRequestedSeconds) {
    ASSERT_EQ(get("DUMP", 10), Success);
    platform.clock.advance(9999);
    EXPECT_TRUE(outcomes.empty());
    platform.clock.advance(1);
    EXPECT_EQ(outcomes, std::vector<std::int32_t>{Timeout});
    EXPECT_EQ(messages(), std::vector<std::string>{"ERROR: Response to Command DUMP = TIMEOUT"});
    EXPECT_EQ(platform.tones.beeps, (std::vector<::platform::ToneRecord>{{1500, 100}}));
    // The late reply finds nothing outstanding.
    reply(data32("DUMP", {1, 4, 251, 0, 50, 0.3f, 0, 0, 0}));
    EXPECT_EQ(outcomes.size(), 1u);
    EXPECT_EQ(data.Settings.Points, 0);
}

TEST_F(Driver, ZeroSecondTimeoutWaitsAsLongAsTheRequestBefore) {
    ASSERT_EQ(get("GCAL", 20), Success);
    reply(wire::buildData("GCAL", std::vector<std::uint32_t>{2500}));
    ASSERT_EQ(get("GNWA", 0), Success);  // no GTIM yet: the acquisition time is 0
    platform.clock.advance(19999);
    EXPECT_EQ(outcomes, std::vector<std::int32_t>{Success});
    platform.clock.advance(1);
    EXPECT_EQ(outcomes, (std::vector<std::int32_t>{Success, Timeout}));
}

TEST_F(Driver, ZeroSecondTimeoutAsTheFirstRequestOfAPortWaitsTenSeconds) {
    ASSERT_EQ(get("GNWA", 0), Success);
    platform.clock.advance(9999);
    EXPECT_TRUE(outcomes.empty());
    platform.clock.advance(1);
    EXPECT_EQ(outcomes, std::vector<std::int32_t>{Timeout});

    // A port opened again starts over, whatever the old one waited last.
    ASSERT_EQ(get("GCAL", 20), Success);
    reply(wire::buildData("GCAL", std::vector<std::uint32_t>{2500}));
    ASSERT_TRUE(data.OpenPort(1, 57600));
    ASSERT_EQ(get("GNWA", 0), Success);
    platform.clock.advance(9999);
    EXPECT_EQ(outcomes.size(), 2u);
    platform.clock.advance(1);
    EXPECT_EQ(outcomes.back(), Timeout);
}

TEST_F(Driver, StrayPacketWithNothingOutstandingChangesNothing) {
    data.AttachPort();  // leaves the collector listening
    reply(data32("GMOS", {4.2f}));
    EXPECT_EQ(data.GmosValue, 0.0f);
    EXPECT_TRUE(messages().empty());
}

TEST_F(Driver, SendCharWritesOneRawByte) {
    platform.serial.clearWritten();
    EXPECT_EQ(data.SendChar('$'), Success);
    EXPECT_EQ(data.SendChar('\r'), Success);
    EXPECT_EQ(platform.serial.writtenText(), "$\r");
    data.ClosePort();
    EXPECT_EQ(data.SendChar('$'), PortNotOpen);
}

TEST_F(Driver, OpenFailureLeavesTheDriverUnconnectedAndSaysWhy) {
    platform.serial.setAllUnavailable(true);
    EXPECT_FALSE(data.OpenPort(2, 9600));
    EXPECT_FALSE(data.Driver().Connected());
    EXPECT_NE(data.Driver().LastOpenError().find("/dev/ttyS1"), std::string::npos);
    EXPECT_EQ(set("S_VP 0.67"), PortNotOpen);
}

TEST_F(Driver, ReopenWithNewSettingsBringsTheLinkBack) {
    data.DetachPort();
    EXPECT_EQ(data.Driver().ReplyTimer(), 0);
    data.ClosePort();
    ASSERT_TRUE(data.OpenPort(2, 19200));
    data.AttachPort();
    EXPECT_NE(data.Driver().ReplyTimer(), 0);
    EXPECT_EQ(platform.serial.openedBaud(), 19200);
    ASSERT_EQ(get("DUMP"), Success);
    reply(data32("DUMP", {1, 4, 251, 0, 50, 0.3f, 0, 0, 0}));
    EXPECT_EQ(outcomes, std::vector<std::int32_t>{Success});
}

TEST_F(Driver, ByteLogIsAppendedAfterEachReplyAndStaysOnOnlyWhileTheBoxIsChecked) {
    const auto file = std::filesystem::path(::testing::TempDir()) / "TDR_IO.log";
    std::filesystem::remove(file);
    data.Driver().SetLowLevelLogging(true);
    data.Driver().SetLogging(true);
    ASSERT_EQ(get("DUMP"), Success);
    reply(wire::buildError(9));
    EXPECT_TRUE(data.Driver().Port()->log().isEnabled());
    EXPECT_TRUE(data.Driver().Port()->log().entries().empty());

    data.Driver().SetLowLevelLogging(false);
    ASSERT_EQ(get("GTIM"), Success);
    reply(wire::buildError(9));
    EXPECT_FALSE(data.Driver().Port()->log().isEnabled());

    std::ifstream in(file);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("|:DUMP36.|"), std::string::npos) << text;
    EXPECT_NE(text.find("|:GTIM"), std::string::npos) << text;
    EXPECT_NE(text.find(" RX "), std::string::npos);
    std::filesystem::remove(file);
}

}  // namespace
}  // namespace instrument::testing
