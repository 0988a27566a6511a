#pragma once
// Turns a command text into a framed line on the serial port, collects the instrument's
// framed reply, checks it, decodes it into the data object's store and reports one result
// code per command back to the data object. It owns the serial port and its packet
// collector, and offers the raw operations the terminal, the communication settings and
// the operating-system upgrade need.

#include "platform/platform.h"
#include "platform/serial_port.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace platform {
class PortMap;
}

namespace instrument {

class TTDRdataObject;

class TProtocolDvr {
public:
    using RawReceiver = std::function<void(std::size_t count)>;
    static constexpr const char* LogFileName = "TDR_IO.log";

    TProtocolDvr(TTDRdataObject& owner, platform::Platform& platform, const platform::PortMap* ports);
    ~TProtocolDvr();
    TProtocolDvr(const TProtocolDvr&) = delete;
    TProtocolDvr& operator=(const TProtocolDvr&) = delete;

    // Opens COM<portNumber> at baud with its packet collector and reply timer; false when
    // the port cannot be opened (LastOpenError() says why), leaving the driver unconnected.
    bool Open(int portNumber, int baud);
    // The same for a device path given directly (diagnostics, tests).
    bool OpenDevice(const std::string& devicePath, int baud);
    // Opens the device again after it was lost, on the same port object, keeping what the
    // program had set on it: the raw receiver (the terminal) and the low-level logging.
    // False (LastOpenError() says why) when it cannot be opened, or when the port was
    // closed or replaced meanwhile.
    bool Reopen(const std::string& devicePath, int baud);
    void Close();
    std::int32_t SendCommand(std::string_view cmdText, std::int32_t timeoutSecs);
    std::int32_t SendChar(char ch);
    void SetRawReceiver(RawReceiver handler);
    void RestoreFraming();
    void DetachPort();
    void AttachPort();

    // Handlers of the collector and of the reply timer.
    void PacketReceived(const std::uint8_t* data, std::size_t size);
    void ReplyTimeout();
    // The port's device went away: the driver is unconnected from now on, and the owner
    // hears of it (LinkLost).
    void DeviceLost(const std::string& reason);
    // Forgets the reply of a cancelled request: the timer stops and the collector stops
    // listening, so neither a late reply nor the time-out reaches anyone.
    void AbandonReply();

    bool Connected() const { return connected_; }
    const std::string& ExpectedName() const { return expectedName_; }
    const std::string& LastOpenError() const { return lastOpenError_; }
    platform::SerialPort::TriggerHandle ReplyTimer() const { return replyTimer_; }
    platform::SerialPort* Port() { return port_.get(); }
    platform::PacketCollector* Collector() { return collector_.get(); }

    // Where the low-level log goes (default "TDR_IO.log" in the working directory), and
    // the state of the "LowLevel Logging" box: after each reply the record is appended to
    // the file and logging stays on only while the box is checked.
    void SetLogDirectory(const std::filesystem::path& directory) { logDirectory_ = directory; }
    void SetLowLevelLogging(bool boxChecked) { loggingBox_ = boxChecked; }
    bool LowLevelLoggingBox() const { return loggingBox_; }
    // Switches the port's byte log on or off (the communication dialog's OK).
    void SetLogging(bool on);
    // Appends the byte log to its file and clears it, when logging is on.
    void FlushLog();

private:
    std::int32_t Decode(std::string_view name, const std::uint8_t* data, std::size_t size);
    void ConfigureCollector();
    platform::SerialPort::TriggerHandle NewReplyTimer();

    TTDRdataObject& owner_;
    platform::Platform& platform_;
    const platform::PortMap* ports_;
    std::unique_ptr<platform::SerialPort> port_;
    std::unique_ptr<platform::PacketCollector> collector_;
    platform::SerialPort::TriggerHandle replyTimer_ = 0;
    bool connected_ = false;
    std::string expectedName_;
    std::string lastOpenError_;
    RawReceiver rawReceiver_;
    std::filesystem::path logDirectory_;
    bool loggingBox_ = false;
};

}  // namespace instrument
