#pragma once
// The RFX410's wire format, shared by the program's protocol driver and the simulated
// instrument.
//
// Command frame (host to instrument):  ':' text checksum(2 uppercase hex digits) CR
//   checksum = sum of the text bytes modulo 256.
// Reply packet (instrument to host):   ':' type body crc(2 bytes, high first) CR
//   type '!' error (body: two decimal digits), '#' data (body: 4-character name + data
//   words, big-endian), '$' acknowledgement (body: 4-character name).
//   crc = CRC-16/CCITT-FALSE over type..last body byte.
//   Escapes: between ':' and CR, byte 0x22 means "the next byte is the two's complement
//   of the real one", so that no data byte can be read as a CR.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace wire {

constexpr std::uint8_t FrameStart = ':';
constexpr std::uint8_t FrameEnd = '\r';
constexpr std::uint8_t Escape = 0x22;

constexpr char ErrorReply = '!';
constexpr char DataReply = '#';
constexpr char AckReply = '$';

// CRC-16/CCITT-FALSE: polynomial 0x1021, initial 0xFFFF, no reflection, no final XOR.
std::uint16_t crc16(std::span<const std::uint8_t> bytes);
std::uint16_t crc16(std::string_view text);

// Sum of the bytes modulo 256, as two uppercase hexadecimal digits.
std::string checksumDigits(std::string_view text);
std::string buildFrame(std::string_view commandText);

// Which bytes travel escaped: the CR that ends a packet and the escape byte itself.
bool needsEscape(std::uint8_t byte);
// Appends one body byte to a packet being built, escaped when it must be.
void appendEscaped(std::vector<std::uint8_t>& packet, std::uint8_t byte);
// Removes escapes from a received packet (delimiters included). An escape byte with
// nothing after it (or only the final CR) makes the packet malformed: nothing is returned.
std::optional<std::vector<std::uint8_t>> unescape(std::span<const std::uint8_t> packet);

// Builds a complete reply packet: ':' + escaped(type + body + crc) + CR.
std::vector<std::uint8_t> buildPacket(char type, std::span<const std::uint8_t> body);
std::vector<std::uint8_t> buildAck(std::string_view name);
std::vector<std::uint8_t> buildError(int number);
std::vector<std::uint8_t> buildData(std::string_view name, std::span<const std::uint32_t> words);

// Big-endian 32-bit words and IEEE single-precision values carried in them.
std::uint32_t readWord(const std::uint8_t* p);
void appendWord(std::vector<std::uint8_t>& out, std::uint32_t word);
std::uint32_t floatToWord(float value);
float wordToFloat(std::uint32_t word);

}  // namespace wire
