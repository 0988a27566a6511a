#include "link/wire.h"

#include <bit>
#include <cstdio>

namespace wire {

namespace {

constexpr std::uint16_t crcTableEntry(std::uint8_t index) {
    std::uint16_t crc = static_cast<std::uint16_t>(index << 8);
    for (int bit = 0; bit < 8; ++bit)
        crc = static_cast<std::uint16_t>((crc & 0x8000) ? (crc << 1) ^ 0x1021 : crc << 1);
    return crc;
}

struct CrcTable {
    std::uint16_t entries[256];
    constexpr CrcTable() : entries{} {
        for (int i = 0; i < 256; ++i) entries[i] = crcTableEntry(static_cast<std::uint8_t>(i));
    }
};

constexpr CrcTable table;

}  // namespace

std::uint16_t crc16(std::span<const std::uint8_t> bytes) {
    std::uint16_t crc = 0xFFFF;
    for (std::uint8_t b : bytes)
        crc = static_cast<std::uint16_t>((crc << 8) ^ table.entries[((crc >> 8) ^ b) & 0xFF]);
    return crc;
}

std::uint16_t crc16(std::string_view text) {
    return crc16(std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

std::string checksumDigits(std::string_view text) {
    unsigned sum = 0;
    for (unsigned char c : text) sum += c;
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02X", sum & 0xFF);
    return digits;
}

std::string buildFrame(std::string_view commandText) {
    std::string frame;
    frame.reserve(commandText.size() + 4);
    frame += static_cast<char>(FrameStart);
    frame += commandText;
    frame += checksumDigits(commandText);
    frame += static_cast<char>(FrameEnd);
    return frame;
}

bool needsEscape(std::uint8_t byte) { return byte == FrameEnd || byte == Escape; }

void appendEscaped(std::vector<std::uint8_t>& packet, std::uint8_t byte) {
    if (needsEscape(byte)) {
        packet.push_back(Escape);
        packet.push_back(static_cast<std::uint8_t>(256 - byte));
    } else {
        packet.push_back(byte);
    }
}

std::optional<std::vector<std::uint8_t>> unescape(std::span<const std::uint8_t> packet) {
    std::vector<std::uint8_t> out;
    out.reserve(packet.size());
    const std::size_t n = packet.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (packet[i] == Escape && i > 0) {
            // The last byte is the packet's CR: an escape right before it escapes nothing.
            if (i + 2 >= n) return std::nullopt;
            out.push_back(static_cast<std::uint8_t>(256 - packet[++i]));
        } else {
            out.push_back(packet[i]);
        }
    }
    return out;
}

std::vector<std::uint8_t> buildPacket(char type, std::span<const std::uint8_t> body) {
    std::vector<std::uint8_t> plain;
    plain.reserve(body.size() + 1);
    plain.push_back(static_cast<std::uint8_t>(type));
    plain.insert(plain.end(), body.begin(), body.end());
    const std::uint16_t crc = crc16(plain);
    plain.push_back(static_cast<std::uint8_t>(crc >> 8));
    plain.push_back(static_cast<std::uint8_t>(crc & 0xFF));

    std::vector<std::uint8_t> packet;
    packet.reserve(plain.size() + plain.size() / 16 + 4);
    packet.push_back(FrameStart);
    for (std::uint8_t b : plain) appendEscaped(packet, b);
    packet.push_back(FrameEnd);
    return packet;
}

std::vector<std::uint8_t> buildAck(std::string_view name) {
    std::vector<std::uint8_t> body(name.begin(), name.end());
    body.resize(4, ' ');
    return buildPacket(AckReply, body);
}

std::vector<std::uint8_t> buildError(int number) {
    char digits[8];
    std::snprintf(digits, sizeof digits, "%02d", number % 100 < 0 ? 0 : number % 100);
    const std::uint8_t body[2] = {static_cast<std::uint8_t>(digits[0]), static_cast<std::uint8_t>(digits[1])};
    return buildPacket(ErrorReply, body);
}

std::vector<std::uint8_t> buildData(std::string_view name, std::span<const std::uint32_t> words) {
    std::vector<std::uint8_t> body(name.begin(), name.end());
    body.resize(4, ' ');
    body.reserve(4 + words.size() * 4);
    for (std::uint32_t w : words) appendWord(body, w);
    return buildPacket(DataReply, body);
}

std::uint32_t readWord(const std::uint8_t* p) {
    return (static_cast<std::uint32_t>(p[0]) << 24) | (static_cast<std::uint32_t>(p[1]) << 16) |
           (static_cast<std::uint32_t>(p[2]) << 8) | static_cast<std::uint32_t>(p[3]);
}

void appendWord(std::vector<std::uint8_t>& out, std::uint32_t word) {
    out.push_back(static_cast<std::uint8_t>(word >> 24));
    out.push_back(static_cast<std::uint8_t>(word >> 16));
    out.push_back(static_cast<std::uint8_t>(word >> 8));
    out.push_back(static_cast<std::uint8_t>(word));
}

std::uint32_t floatToWord(float value) { return std::bit_cast<std::uint32_t>(value); }

float wordToFloat(std::uint32_t word) { return std::bit_cast<float>(word); }

}  // namespace wire
