#include "link/wire.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace wire {
namespace {

std::vector<std::uint8_t> bytes(std::string_view s) { return {s.begin(), s.end()}; }

TEST(Wire, CrcAndCommandFramesMatchKnownVectors) {
    EXPECT_EQ(crc16(std::string_view("123456789")), 0x29B1);
    EXPECT_EQ(bytes(buildFrame("DUMP")), (std::vector<std::uint8_t>{0x3A, 0x44, 0x55, 0x4D, 0x50, 0x33, 0x36, 0x0D}));
    EXPECT_EQ(buildFrame("SMUX 13"), ":SMUX 13D1\r");
    EXPECT_EQ(checksumDigits(""), "00");
}

TEST(Wire, EveryByteValueSurvivesEscapingAndNoneLooksLikeTheEnd) {
    std::vector<std::uint8_t> body;
    for (int b = 0; b < 256; ++b) body.push_back(static_cast<std::uint8_t>(b));
    const auto packet = buildPacket(DataReply, body);
    // Only the final byte may be a CR.
    for (std::size_t i = 0; i + 1 < packet.size(); ++i) EXPECT_NE(packet[i], FrameEnd) << i;
    EXPECT_EQ(packet.back(), FrameEnd);
    const auto plain = unescape(packet);
    ASSERT_TRUE(plain);
    ASSERT_EQ(plain->size(), body.size() + 5);
    EXPECT_TRUE(std::equal(body.begin(), body.end(), plain->begin() + 2));
    const std::uint16_t crc = crc16(std::span<const std::uint8_t>(plain->data() + 1, body.size() + 1));
    EXPECT_EQ((*plain)[plain->size() - 3], crc >> 8);
    EXPECT_EQ((*plain)[plain->size() - 2], crc & 0xFF);
}

TEST(Wire, EscapedCarriageReturnTravelsAsTwoBytes) {
    std::vector<std::uint8_t> packet;
    appendEscaped(packet, 0x0D);
    EXPECT_EQ(packet, (std::vector<std::uint8_t>{0x22, 0xF3}));
}

TEST(Wire, EscapeWithNothingToEscapeMakesThePacketMalformed) {
    EXPECT_FALSE(unescape(bytes(":$S_VP\x22\r")));
    EXPECT_FALSE(unescape(bytes(":$S_VP\x22")));
    EXPECT_TRUE(unescape(bytes(":$S_VP\x22\xF3\r")));
}

TEST(Wire, WordsAreBigEndianFloats) {
    std::vector<std::uint8_t> out;
    appendWord(out, floatToWord(1.0f));
    EXPECT_EQ(out, (std::vector<std::uint8_t>{0x3F, 0x80, 0x00, 0x00}));
    EXPECT_EQ(wordToFloat(readWord(out.data())), 1.0f);
    const auto ack = buildAck("S_VP");
    const auto plain = unescape(ack);
    ASSERT_TRUE(plain);
    EXPECT_EQ(std::string(plain->begin() + 1, plain->begin() + 6), "$S_VP");
    const auto err = unescape(buildError(5));
    EXPECT_EQ(std::string(err->begin() + 1, err->begin() + 4), "!05");
}

}  // namespace
}  // namespace wire
