#pragma once
// A data object and its driver on the in-memory serial line, with every platform service
// a test double. The test plays the instrument: it reads the frames written and answers
// with packets built by the wire format.

#include "link/data_object.h"
#include "link/wire.h"

#include "platform/doubles/test_platform.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace instrument::testing {

class LinkFixture : public ::testing::Test {
protected:
    LinkFixture() : services(platform.platform()), data(services) {
        data.Driver().SetLogDirectory(::testing::TempDir());
        EXPECT_TRUE(data.OpenPort(1, 57600));
    }

    // Answers the instrument side would give, delivered at the next turn of the loop.
    void reply(const std::vector<std::uint8_t>& packet) {
        platform.serial.sendToHost(std::span<const std::uint8_t>(packet.data(), packet.size()));
        platform.clock.runDue();
    }
    void reply(std::string_view raw) {
        platform.serial.sendToHost(raw);
        platform.clock.runDue();
    }
    static std::vector<std::uint8_t> data32(std::string_view name, std::vector<float> values) {
        std::vector<std::uint32_t> words;
        for (float v : values) words.push_back(wire::floatToWord(v));
        return wire::buildData(name, words);
    }
    // A request whose completion records the code.
    std::int32_t get(std::string_view name, int timeoutSecs = 10) {
        return data.GetCommand(name, timeoutSecs, [this](std::int32_t code) { outcomes.push_back(code); });
    }
    std::int32_t set(std::string_view text) {
        return data.SetCommand(text, [this](std::int32_t code) { outcomes.push_back(code); });
    }
    std::vector<std::string> messages() const { return platform.dialogs.texts(); }

    ::platform::TestPlatform platform;
    ::platform::Platform services;
    TTDRdataObject data;
    std::vector<std::int32_t> outcomes;
};

}  // namespace instrument::testing
