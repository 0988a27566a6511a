// The link after its serial device went away: the request under way fails at once, the
// same device is tried once a second, and once it is back the instrument is greeted.

#include "link/chain_table.h"
#include "link/link_reconnect.h"

#include "platform/doubles/test_platform.h"
#include "platform/serial_port.h"
#include "sim/memory_line_link.h"
#include "sim/rfx410.h"
#include "tests/support/own_temp_path.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace instrument {
namespace {

class LinkReconnectTest : public ::testing::Test {
protected:
    LinkReconnectTest()
        : services(test.platform()),
          rfx(test.clock),
          data(services),
          reconnect(data, test.clock,
                    {[this](const LostDevice& d) {
                         // Reported before the request fails.
                         events.push_back("lost " + d.devicePath + " " + std::to_string(d.baud) +
                                          (data.Busy() ? " busy" : ""));
                     },
                     [this](const std::string& path) { events.push_back("back " + path); }}) {
        sim::connectToLine(rfx, test.serial);
        // A test here turns the byte log on: it must not write the log other tests read.
        std::filesystem::create_directories(logDirectory);
        data.Driver().SetLogDirectory(logDirectory);
        EXPECT_TRUE(data.OpenPort(2, 19200));
    }

    std::int32_t get(std::string_view name) {
        return data.GetCommand(name, 10, [this](std::int32_t code) { outcomes.push_back(code); });
    }

    std::filesystem::path logDirectory = testsupport::OwnTempPath("link_reconnect_log");
    platform::TestPlatform test;
    platform::Platform services;
    sim::Rfx410 rfx;
    TTDRdataObject data;
    LinkReconnect reconnect;
    std::vector<std::string> events;
    std::vector<std::int32_t> outcomes;
};

TEST_F(LinkReconnectTest, TheRequestUnderWayFailsAtOnceAndTheSameDeviceComesBack) {
    ASSERT_EQ(get("GCAL"), Success);  // 200 ms at the instrument
    test.clock.advance(50);
    test.serial.unplug();
    test.clock.runDue();
    EXPECT_EQ(events, std::vector<std::string>{"lost /dev/ttyS1 19200 busy"});
    EXPECT_EQ(outcomes, std::vector<std::int32_t>{PortNotOpen});
    EXPECT_EQ(test.dialogs.texts(), std::vector<std::string>{"ERROR: Response to Command GCAL = COMM PORT NOT OPEN"});
    EXPECT_FALSE(data.Busy());
    EXPECT_TRUE(reconnect.Waiting());
    EXPECT_EQ(reconnect.DevicePath(), "/dev/ttyS1");
    EXPECT_EQ(get("DUMP"), PortNotOpen);  // refused while it is gone

    // Tried once a second while it stays away.
    test.clock.advance(3000);
    EXPECT_EQ(reconnect.Attempts(), 3);
    EXPECT_TRUE(reconnect.Waiting());

    const int greetings = rfx.greetingCount();
    const int opens = test.serial.openCount();
    test.serial.plugIn();
    test.clock.advance(1000);
    EXPECT_FALSE(reconnect.Waiting());
    EXPECT_EQ(test.serial.openCount(), opens + 1);
    EXPECT_EQ(test.serial.openedPath(), "/dev/ttyS1");
    EXPECT_EQ(test.serial.openedBaud(), 19200);
    // Greeted 125 ms after the open, as at start-up, and only then said to be back.
    EXPECT_EQ(events.size(), 1u);
    test.clock.advance(LinkReconnect::GreetingDelayMs + 10);
    EXPECT_EQ(rfx.greetingCount(), greetings + 1);
    EXPECT_EQ(events.back(), "back /dev/ttyS1");

    outcomes.clear();
    ASSERT_EQ(get("DUMP"), Success);
    test.clock.advance(100);
    EXPECT_EQ(outcomes, std::vector<std::int32_t>{Success});
    EXPECT_EQ(test.dialogs.texts().size(), 1u);
}

TEST_F(LinkReconnectTest, AnotherPortOpenedMeanwhileEndsTheWait) {
    test.serial.unplug();
    test.clock.runDue();
    ASSERT_TRUE(reconnect.Waiting());
    ASSERT_TRUE(data.OpenPortPath("/dev/ttyUSB0", 57600));  // the communication settings
    test.serial.plugIn();
    test.clock.advance(5000);
    EXPECT_FALSE(reconnect.Waiting());
    EXPECT_EQ(test.serial.openedPath(), "/dev/ttyUSB0");
    EXPECT_EQ(events, std::vector<std::string>{"lost /dev/ttyS1 19200"});

    // A switch that failed (the port closed, another device refused) ends it too.
    test.serial.unplug();
    test.clock.runDue();
    ASSERT_TRUE(reconnect.Waiting());
    test.serial.setUnavailable("/dev/ttyS3");
    EXPECT_FALSE(data.OpenPortPath("/dev/ttyS3", 57600));
    test.serial.plugIn();
    test.clock.advance(5000);
    EXPECT_FALSE(reconnect.Waiting());
    EXPECT_FALSE(data.Connected());
}

TEST_F(LinkReconnectTest, TheTerminalsReceiverAndTheLoggingSurviveTheReconnection) {
    std::string raw;
    data.SetRawReceiver([&](std::size_t count) {
        for (std::size_t i = 0; i < count; ++i) raw += static_cast<char>(*data.Driver().Port()->readByte());
    });
    data.Driver().SetLowLevelLogging(true);
    data.Driver().SetLogging(true);
    test.serial.unplug();
    test.clock.runDue();
    test.serial.plugIn();
    test.clock.advance(1200);
    ASSERT_EQ(events.back(), "back /dev/ttyS1");
    EXPECT_TRUE(data.Driver().Port()->log().isEnabled());
    data.SendChar('A');
    data.SendChar('\r');
    test.clock.advance(100);
    EXPECT_NE(raw.find("A\r\n"), std::string::npos);  // the instrument's echo reaches the terminal
}

TEST_F(LinkReconnectTest, AChainGoesToItsErrorStateOnceItWaitsForACommand) {
    TStateMach machine(test.clock);
    std::vector<std::string> entered;
    auto note = [&](const char* name) { entered.push_back(name); };
    auto request = [&](const char* name) {
        return [&, name](std::int32_t& r) {
            note(name);
            r = data.GetCommand(name, 10, [&](std::int32_t) { machine.ActionDone = true; });
        };
    };
    ASSERT_TRUE(LoadChain(machine, {
        {0, "GCAL", request("GCAL"), 20000, 1, 3},
        {1, "Cond", [&](std::int32_t& r) { note("Cond"); r = 0; machine.ActionDone = true; }, NoLimit, 2, 4},
        {2, "GNWA", request("GNWA"), 60000, 1, 3},
        {3, "Err", [&](std::int32_t& r) { note("Err"); r = 0; data.CommandDone("", 0); machine.ActionDone = true; },
         NoLimit, 4, 4},
        {4, "END", [&](std::int32_t& r) { note("END"); r = 0; machine.Stop(); }, NoLimit, NoTarget, NoTarget},
    }));

    // A request under way: the error state at once, which cancels it.
    machine.Start(0);
    ASSERT_TRUE(data.Busy());
    EXPECT_TRUE(EndChainForLostDevice(machine, data));
    EXPECT_EQ(machine.Current(), 3);
    EXPECT_EQ(machine.ExitCodeOf(0), ExitTimeLimit);
    EXPECT_FALSE(data.Busy());
    test.clock.advance(300);
    EXPECT_TRUE(machine.IsIdle());
    EXPECT_EQ(entered, (std::vector<std::string>{"GCAL", "Err", "END"}));

    // Between two commands nothing is done until the next one is refused; then the same.
    entered.clear();
    ASSERT_TRUE(LoadChain(machine, {
        {0, "Cond", [&](std::int32_t& r) { note("Cond"); r = 0; machine.ActionDone = true; }, NoLimit, 1, 3},
        {1, "GNWA", request("GNWA"), 60000, 0, 2},
        {2, "Err", [&](std::int32_t& r) { note("Err"); r = 0; data.CommandDone("", 0); machine.ActionDone = true; },
         NoLimit, 3, 3},
        {3, "END", [&](std::int32_t& r) { note("END"); r = 0; machine.Stop(); }, NoLimit, NoTarget, NoTarget},
    }));
    data.ClosePort();
    machine.Start(0);
    EXPECT_FALSE(EndChainForLostDevice(machine, data));
    test.clock.advance(100);  // GNWA is entered and refused
    EXPECT_TRUE(EndChainForLostDevice(machine, data));
    test.clock.advance(300);
    EXPECT_EQ(entered, (std::vector<std::string>{"Cond", "GNWA", "Err", "END"}));
    EXPECT_TRUE(EndChainForLostDevice(machine, data));  // nothing running: nothing to do
    EXPECT_EQ(machine.Abort(), 5);
}

TEST(LinkReconnectHints, SayWhichDevice) {
    EXPECT_EQ(DisconnectedHint("/dev/ttyUSB0"), "RFX410 disconnected (/dev/ttyUSB0); waiting for it to come back");
    EXPECT_EQ(ReconnectedHint("/tmp/rfx410"), "RFX410 reconnected (/tmp/rfx410)");
}

}  // namespace
}  // namespace instrument
