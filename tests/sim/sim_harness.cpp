#include "tests/sim/sim_harness.h"

#include <gtest/gtest.h>

namespace simtest {

std::vector<float> Reply::values() const {
    std::vector<float> out;
    for (std::size_t i = 0; i < wordCount(); ++i) out.push_back(value(i));
    return out;
}

std::vector<Reply> decodeReplies(const std::vector<std::uint8_t>& bytes) {
    std::vector<Reply> replies;
    std::size_t i = 0;
    while (i < bytes.size()) {
        if (bytes[i] != wire::FrameStart) {
            ++i;
            continue;
        }
        std::size_t end = i + 1;
        while (end < bytes.size() && bytes[end] != wire::FrameEnd) ++end;
        if (end >= bytes.size()) break;
        Reply reply;
        reply.raw.assign(bytes.begin() + static_cast<std::ptrdiff_t>(i), bytes.begin() + static_cast<std::ptrdiff_t>(end + 1));
        i = end + 1;
        const auto plain = wire::unescape(reply.raw);
        if (!plain || plain->size() < 5) {
            replies.push_back(reply);
            continue;
        }
        const std::size_t n = plain->size();
        const std::uint16_t crc = wire::crc16(std::span<const std::uint8_t>(plain->data() + 1, n - 4));
        reply.crcOk = crc == ((*plain)[n - 3] << 8 | (*plain)[n - 2]);
        reply.type = static_cast<char>((*plain)[1]);
        if (reply.type == wire::ErrorReply && n >= 7) {
            reply.error = ((*plain)[2] - '0') * 10 + ((*plain)[3] - '0');
        } else if (n >= 9) {
            reply.name.assign(plain->begin() + 2, plain->begin() + 6);
            reply.data.assign(plain->begin() + 6, plain->end() - 3);
        }
        replies.push_back(reply);
    }
    return replies;
}

SimHarness::SimHarness(const sim::SimulatorConfig& config) : instrument(clock, config) {
    instrument.setTransmitter([this](std::span<const std::uint8_t> bytes) {
        output.insert(output.end(), bytes.begin(), bytes.end());
        outputTimes.push_back(clock.elapsed());
    });
}

void SimHarness::send(std::string_view bytes) {
    instrument.receive(std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
}

std::optional<Reply> SimHarness::command(std::string_view commandText, std::uint32_t maxMs) {
    const std::size_t before = replies().size();
    sendFrame(commandText);
    if (!clock.advanceUntil([&] { return replies().size() > before; }, maxMs, 5)) return std::nullopt;
    return replies()[before];
}

Reply SimHarness::fetch(std::string_view name) {
    const auto reply = command(name);
    EXPECT_TRUE(reply.has_value()) << "no reply to " << name;
    if (!reply) return {};
    EXPECT_EQ(reply->type, '#') << name << " answered with error " << reply->error;
    EXPECT_EQ(reply->name, name);
    EXPECT_TRUE(reply->crcOk);
    return *reply;
}

void SimHarness::configure(std::initializer_list<std::string_view> settingCommands) {
    for (std::string_view text : settingCommands) {
        const auto reply = command(text);
        ASSERT_TRUE(reply.has_value()) << text;
        EXPECT_EQ(reply->type, '$') << text << " answered with error " << reply->error;
    }
}

}  // namespace simtest
