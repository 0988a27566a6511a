#include "platform/doubles/memory_serial.h"
#include "platform/serial_port.h"
#include "platform/virtual_clock.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace platform {
namespace {

TEST(SerialLog, RecordsBothDirectionsOnlyWhileOnAndAppendsReadableLines) {
    VirtualClock clock(500);
    MemorySerialLine line(clock);
    SerialPort port(line, clock);
    ASSERT_TRUE(port.openPath("/dev/ttyTEST", 9600));
    const auto file = std::filesystem::temp_directory_path() / "wavix_serial_log_test.log";
    std::filesystem::remove(file);
    port.log().setFile(file);

    port.writeString("ignored");  // log off
    port.log().setEnabled(true);
    port.writeString(":DUMP36\r");
    line.sendToHost(":$S_VP");
    clock.runDue();
    ASSERT_EQ(port.log().entries().size(), 14u);

    std::string error;
    ASSERT_TRUE(port.log().appendToFile(error)) << error;
    ASSERT_TRUE(port.log().appendToFile(error)) << error;  // appends, never truncates
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    const std::string expectedTx = "       500 TX  3A 44 55 4D 50 33 36 0D";
    EXPECT_NE(text.str().find(expectedTx), std::string::npos) << text.str();
    EXPECT_NE(text.str().find("|:DUMP36.|"), std::string::npos);
    EXPECT_NE(text.str().find("RX  3A 24 53 5F 56 50"), std::string::npos);
    EXPECT_EQ(text.str().find("ignored"), std::string::npos);
    EXPECT_NE(text.str().rfind(expectedTx), text.str().find(expectedTx));
    std::filesystem::remove(file);
}

TEST(SerialLog, KeepsTheNewestEntriesAndSaysHowManyWereDropped) {
    SerialLog log;
    log.setCapacity(4);
    log.setEnabled(true);
    const std::uint8_t bytes[] = {'a', 'b', 'c', 'd', 'e', 'f'};
    log.record(1, ByteDirection::Sent, bytes, sizeof bytes);
    EXPECT_EQ(log.dropped(), 2u);
    const std::string text = log.format();
    EXPECT_NE(text.find("2 earlier entries dropped"), std::string::npos);
    EXPECT_NE(text.find("|cdef|"), std::string::npos);
    log.clear();
    EXPECT_TRUE(log.entries().empty());
    EXPECT_EQ(log.dropped(), 0u);
}

TEST(SerialLog, UnwritableFileIsReportedAndTheRecordKept) {
    SerialLog log;
    log.setEnabled(true);
    log.record(1, ByteDirection::Received, 'x');
    log.setFile("/nonexistent-dir/TDR_IO.log");
    std::string error;
    EXPECT_FALSE(log.appendToFile(error));
    EXPECT_NE(error.find("/nonexistent-dir/TDR_IO.log"), std::string::npos);
    EXPECT_EQ(log.entries().size(), 1u);
}

}  // namespace
}  // namespace platform
