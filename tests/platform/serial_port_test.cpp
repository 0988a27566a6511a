// The serial layer over the in-memory line: input buffer, packet collector, timer
// triggers, write failures and open errors.

#include "platform/doubles/memory_serial.h"
#include "platform/port_map.h"
#include "platform/serial_port.h"
#include "platform/virtual_clock.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace platform {
namespace {

std::string str(const std::uint8_t* data, std::size_t size) { return std::string(data, data + size); }

class SerialPortTest : public ::testing::Test {
protected:
    SerialPortTest() : line(clock), port(line, clock) { EXPECT_TRUE(port.openPath("/dev/ttyTEST", 57600)); }

    void receive(std::string_view bytes) {
        line.sendToHost(bytes);
        clock.runDue();
    }

    VirtualClock clock;
    MemorySerialLine line;
    SerialPort port;
};

TEST_F(SerialPortTest, CollectorIgnoresBytesBeforeStartAndIncludesDelimiters) {
    PacketCollector collector(port);
    std::vector<std::string> packets;
    collector.setHandler([&](const std::uint8_t* d, std::size_t n) { packets.push_back(str(d, n)); });
    collector.enable();
    receive("noise\r$\r:$S_VP");
    EXPECT_TRUE(packets.empty());
    receive("xy\rtrailing");
    ASSERT_EQ(packets.size(), 1u);
    EXPECT_EQ(packets[0], ":$S_VPxy\r");
}

TEST_F(SerialPortTest, CollectorTakesOnePacketPerEnablingAndDisablesBeforeItsHandler) {
    PacketCollector collector(port);
    std::vector<std::string> packets;
    bool enabledInHandler = true;
    collector.setHandler([&](const std::uint8_t* d, std::size_t n) {
        packets.push_back(str(d, n));
        enabledInHandler = collector.isEnabled();
    });
    collector.enable();
    receive(":one\r:two\r");
    ASSERT_EQ(packets.size(), 1u);
    EXPECT_EQ(packets[0], ":one\r");
    EXPECT_FALSE(enabledInHandler);
    EXPECT_EQ(port.available(), 5u);  // the second packet arrived while it was off
}

TEST_F(SerialPortTest, CollectorStartsWithWhatArrivesAfterItIsEnabled) {
    // A byte waiting from before (an echo, a greeting) is never taken as the answer.
    PacketCollector collector(port);
    collector.setStartAnyByte();
    collector.setEndSize(1);
    std::string bytes;
    collector.setHandler([&](const std::uint8_t* d, std::size_t n) { bytes += str(d, n); });
    receive("S\r\n:stale\r");
    collector.enable();
    clock.advance(100);
    EXPECT_EQ(bytes, "");
    receive("\x05");
    EXPECT_EQ(bytes, "\x05");

    // The same for a framed packet: only a ':' received while enabled starts one.
    PacketCollector framed(port);
    std::vector<std::string> packets;
    framed.setHandler([&](const std::uint8_t* d, std::size_t n) { packets.push_back(str(d, n)); });
    receive(":old");
    framed.enable();
    receive("\r:$S_VPab\r");
    EXPECT_EQ(packets, std::vector<std::string>{":$S_VPab\r"});
}

TEST_F(SerialPortTest, FixedSizeOneHandsOverSingleBytesWhenReEnabledByItsHandler) {
    PacketCollector collector(port);
    collector.setStartAnyByte();
    collector.setEndSize(1);
    std::string bytes;
    collector.setHandler([&](const std::uint8_t* d, std::size_t n) {
        ASSERT_EQ(n, 1u);
        bytes += str(d, n);
        if (bytes.size() < 3) collector.enable();
    });
    collector.enable();
    receive(std::string("\x05..x", 4));
    EXPECT_EQ(bytes, "\x05..");
    // The fourth byte arrived while the collector was off: it stays in the input buffer.
    EXPECT_EQ(port.readByte(), 'x');
}

TEST_F(SerialPortTest, FlushInsideTheHandlerDiscardsTheRestOfTheDelivery) {
    PacketCollector collector(port);
    collector.setHandler([&](const std::uint8_t*, std::size_t) { port.flushInput(); });
    std::size_t dataEvents = 0;
    port.setDataAvailableHandler([&](std::size_t) { ++dataEvents; });
    collector.enable();
    receive(":$S_VPab\rgarbage after the packet");
    EXPECT_EQ(port.available(), 0u);
    EXPECT_EQ(dataEvents, 0u);
}

TEST_F(SerialPortTest, RunawayPacketIsDiscardedWithoutGrowingForever) {
    PacketCollector collector(port);
    int packets = 0;
    collector.setHandler([&](const std::uint8_t*, std::size_t) { ++packets; });
    collector.enable();
    receive(":" + std::string(PacketCollector::MaxPacketSize + 10, 'A'));
    EXPECT_EQ(collector.discardedOversize(), 1u);
    receive(":ok\r");
    EXPECT_EQ(packets, 1);
}

TEST_F(SerialPortTest, DataAvailableReportsTheCountAndReadByteTakesThemInOrder) {
    std::vector<std::size_t> counts;
    port.setDataAvailableHandler([&](std::size_t count) { counts.push_back(count); });
    receive("AB");
    receive("C");
    EXPECT_EQ(counts, (std::vector<std::size_t>{2, 3}));
    EXPECT_EQ(port.readByte(), 'A');
    EXPECT_EQ(port.readByte(), 'B');
    EXPECT_EQ(port.readByte(), 'C');
    EXPECT_EQ(port.readByte(), std::nullopt);
}

TEST_F(SerialPortTest, InputBufferHoldsTenThousandBytesAndCountsTheOverrun) {
    receive(std::string(SerialPort::InputBufferSize + 25, 'x'));
    EXPECT_EQ(port.available(), SerialPort::InputBufferSize);
    EXPECT_EQ(port.overruns(), 25u);
}

TEST_F(SerialPortTest, TimerTriggerCountsInTicksAndRestartsWithTheLastPeriodOnZero) {
    EXPECT_EQ(SerialPort::secondsToTicks(10), 182u);  // 10 * 1675 / 92, rounded down
    EXPECT_EQ(SerialPort::secondsToTicks(1), 18u);
    EXPECT_EQ(SerialPort::ticksToMs(182), 10000u);

    std::vector<std::uint32_t> firedAt;
    port.setTimerTriggerHandler([&](SerialPort::TriggerHandle) { firedAt.push_back(clock.tickCount()); });
    const auto trigger = port.addTimerTrigger();
    ASSERT_NE(trigger, 0);
    port.startTimerTrigger(trigger, SerialPort::secondsToTicks(10));
    clock.advance(9999);
    EXPECT_TRUE(firedAt.empty());
    clock.advance(1);
    ASSERT_EQ(firedAt.size(), 1u);  // one-shot
    EXPECT_FALSE(port.isTimerTriggerActive(trigger));

    port.startTimerTrigger(trigger, 0);  // keeps the 10 s period
    clock.advance(10000);
    EXPECT_EQ(firedAt.size(), 2u);

    port.startTimerTrigger(trigger, 18);
    port.stopTimerTrigger(trigger);
    clock.advance(20000);
    EXPECT_EQ(firedAt.size(), 2u);

    port.startTimerTrigger(trigger, 18);
    port.removeTimerTrigger(trigger);
    clock.advance(20000);
    EXPECT_EQ(firedAt.size(), 2u);
}

TEST_F(SerialPortTest, WriteFailureIsReportedNotIgnored) {
    line.setWriteFails(true);
    EXPECT_FALSE(port.writeString(":DUMP36\r"));
    EXPECT_NE(port.lastError().find("failed"), std::string::npos);
    line.setWriteFails(false);
    EXPECT_TRUE(port.writeByte('$'));
    port.close();
    EXPECT_FALSE(port.writeByte('$'));
}

TEST_F(SerialPortTest, LostDeviceClosesThePortAndIsReportedOnce) {
    std::vector<std::string> reasons;
    port.setDeviceLostHandler([&](const std::string& reason) { reasons.push_back(reason); });
    const auto trigger = port.addTimerTrigger();
    port.startTimerTrigger(trigger, 18);
    receive("waiting");
    line.unplug();
    EXPECT_TRUE(reasons.empty());  // reported from the event loop, not from inside the device
    clock.runDue();
    ASSERT_EQ(reasons.size(), 1u);
    EXPECT_NE(reasons[0].find("/dev/ttyTEST"), std::string::npos);
    EXPECT_EQ(port.lastError(), reasons[0]);
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(port.available(), 0u);
    EXPECT_FALSE(port.isTimerTriggerActive(trigger));
    EXPECT_EQ(port.devicePath(), "/dev/ttyTEST");
    EXPECT_FALSE(port.writeByte('$'));
    EXPECT_FALSE(port.openPath("/dev/ttyTEST", 57600));  // gone until it is plugged in again
    line.plugIn();
    EXPECT_TRUE(port.openPath("/dev/ttyTEST", 57600));
    clock.advance(1000);
    EXPECT_EQ(reasons.size(), 1u);
}

TEST(SerialPortOpen, UnavailablePortIsReportedWithItsDevicePath) {
    VirtualClock clock;
    MemorySerialLine line(clock);
    line.setUnavailable("/dev/ttyS3");
    SerialPort port(line, clock);
    EXPECT_FALSE(port.open(4, 9600));
    EXPECT_NE(port.lastError().find("/dev/ttyS3"), std::string::npos);
    EXPECT_FALSE(port.isOpen());
}

TEST(SerialPortOpen, PortNumbersMapToDevicePathsFromTheSettingsFile) {
    const auto dir = std::filesystem::temp_directory_path() / "wavix_portmap_test";
    std::filesystem::create_directories(dir);
    const auto ini = dir / "RFX410.INI";
    std::filesystem::remove(ini);
    PortMap ports{ProfileFile(ini)};
    EXPECT_EQ(ports.devicePath(1), "/dev/ttyS0");
    EXPECT_EQ(ports.devicePath(4), "/dev/ttyS3");
    ASSERT_TRUE(ports.setDevicePath(1, "/tmp/rfx410"));

    VirtualClock clock;
    MemorySerialLine line(clock);
    SerialPort port(line, clock, &ports);
    ASSERT_TRUE(port.open(1, 19200));
    EXPECT_EQ(line.openedPath(), "/tmp/rfx410");
    EXPECT_EQ(line.openedBaud(), 19200);
    EXPECT_EQ(port.portNumber(), 1);
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace platform
