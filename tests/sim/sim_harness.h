#pragma once
// A simulated instrument on a virtual clock with everything it sends captured, and the
// replies decoded the way the program decodes them.

#include "link/wire.h"
#include "platform/virtual_clock.h"
#include "sim/rfx410.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace simtest {

struct Reply {
    char type = 0;
    std::string name;  // data and acknowledgement replies
    int error = -1;    // error replies
    std::vector<std::uint8_t> data;
    bool crcOk = false;
    std::vector<std::uint8_t> raw;  // as sent, escapes included

    std::size_t wordCount() const { return data.size() / 4; }
    std::uint32_t word(std::size_t i) const { return wire::readWord(data.data() + 4 * i); }
    float value(std::size_t i) const { return wire::wordToFloat(word(i)); }
    std::vector<float> values() const;
};

// Splits captured bytes into packets (':' to the first CR), as the program's collector does.
std::vector<Reply> decodeReplies(const std::vector<std::uint8_t>& bytes);

class SimHarness {
public:
    explicit SimHarness(const sim::SimulatorConfig& config = {});

    void send(std::string_view bytes);
    void sendFrame(std::string_view commandText) { send(wire::buildFrame(commandText)); }
    // Sends a frame and advances the clock until one packet has come back (at most maxMs);
    // the reply, or nothing.
    std::optional<Reply> command(std::string_view commandText, std::uint32_t maxMs = 20000);
    // As command(), and fails the test when the reply is not a good data reply of the name.
    Reply fetch(std::string_view name);
    // Acknowledged settings, each "NAME value".
    void configure(std::initializer_list<std::string_view> settingCommands);

    void advance(std::uint64_t ms) { clock.advance(ms); }
    std::string outputText() const { return std::string(output.begin(), output.end()); }
    std::vector<Reply> replies() const { return decodeReplies(output); }

    platform::VirtualClock clock;
    sim::Rfx410 instrument;
    std::vector<std::uint8_t> output;
    std::vector<std::uint64_t> outputTimes;  // virtual time of each transmission
};

}  // namespace simtest
