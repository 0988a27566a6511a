#pragma once
// The serial layer: one port opened by number or device path, with its input buffer, the
// data-available event, one-shot timer triggers counted in clock ticks of 1/18.2 s, a
// packet collector, and the low-level byte log. It works the same over any SerialDevice;
// every event reaches its handler on the user-interface thread.

#include "platform/clock.h"
#include "platform/serial_device.h"
#include "platform/serial_log.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

class PacketCollector;
class PortMap;

class SerialPort {
public:
    static constexpr std::size_t InputBufferSize = 10000;
    static constexpr std::size_t OutputBufferSize = 128;

    using DataAvailableHandler = std::function<void(std::size_t count)>;
    using TriggerHandle = std::uint16_t;
    using TimerTriggerHandler = std::function<void(TriggerHandle)>;
    using DeviceLostHandler = std::function<void(const std::string& reason)>;

    SerialPort(SerialDeviceFactory& devices, Clock& clock, const PortMap* ports = nullptr);
    ~SerialPort();
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    // Opens COM<portNumber> through the port map (8N1, no flow control). On failure returns
    // false; lastError() names the device path and the reason.
    bool open(int portNumber, int baud);
    bool openPath(const std::string& devicePath, int baud);
    void close();
    bool isOpen() const;
    int portNumber() const { return portNumber_; }
    int baud() const { return baud_; }
    const std::string& devicePath() const { return devicePath_; }
    const std::string& lastError() const { return lastError_; }

    // Queue bytes for sending; false (with lastError) when the port is closed or the write failed.
    bool writeString(std::string_view text);
    bool writeByte(std::uint8_t byte);
    bool writeBytes(const std::uint8_t* data, std::size_t size);

    void flushInput();
    void flushOutput();
    std::size_t available() const { return input_.size(); }
    std::optional<std::uint8_t> readByte();
    // Bytes lost because the input buffer was full, since the port was opened.
    std::size_t overruns() const { return overruns_; }

    // Called with the number of bytes waiting whenever bytes land in the input buffer
    // (bytes taken by an enabled packet collector do not). An empty handler removes it.
    void setDataAvailableHandler(DataAvailableHandler handler) { dataAvailable_ = std::move(handler); }

    // Called when the device went away under the open port (unplugged, hung up), on a
    // later turn of the event loop: the port is closed by then, lastError() says why, and
    // devicePath() and baud() still name what was open.
    void setDeviceLostHandler(DeviceLostHandler handler) { deviceLost_ = std::move(handler); }

    // Timer triggers: one-shot timers belonging to the port. Periods are in clock ticks of
    // 1/18.2 s; starting with 0 ticks restarts with the period last given, which is
    // initialTicks until another is given.
    void setTimerTriggerHandler(TimerTriggerHandler handler) { triggerHandler_ = std::move(handler); }
    TriggerHandle addTimerTrigger(std::uint32_t initialTicks = 0);
    void startTimerTrigger(TriggerHandle handle, std::uint32_t ticks);
    void stopTimerTrigger(TriggerHandle handle);
    void removeTimerTrigger(TriggerHandle handle);
    bool isTimerTriggerActive(TriggerHandle handle) const;
    std::uint32_t timerTriggerTicks(TriggerHandle handle) const;
    static std::uint32_t secondsToTicks(std::uint32_t seconds) { return seconds * 1675u / 92u; }
    static std::uint32_t ticksToMs(std::uint32_t ticks) {
        return static_cast<std::uint32_t>((static_cast<std::uint64_t>(ticks) * 10000u + 91u) / 182u);
    }

    SerialLog& log() { return log_; }
    const SerialLog& log() const { return log_; }
    Clock& clock() { return clock_; }

private:
    friend class PacketCollector;
    struct Trigger {
        std::unique_ptr<Timer> timer;
        std::uint32_t ticks = 0;
    };

    void onDeviceReceive();
    void onDeviceLost(const std::string& reason);
    void deliver(const std::uint8_t* data, std::size_t size);
    void attach(PacketCollector* collector);
    void detach(PacketCollector* collector);

    SerialDeviceFactory& devices_;
    Clock& clock_;
    const PortMap* ports_;
    std::unique_ptr<SerialDevice> device_;
    int portNumber_ = 0;
    int baud_ = 0;
    std::string devicePath_;
    std::string lastError_;
    std::deque<std::uint8_t> input_;
    std::size_t overruns_ = 0;
    std::uint64_t flushes_ = 0;
    DataAvailableHandler dataAvailable_;
    TimerTriggerHandler triggerHandler_;
    DeviceLostHandler deviceLost_;
    std::map<TriggerHandle, Trigger> triggers_;
    TriggerHandle nextTrigger_ = 1;
    PacketCollector* collector_ = nullptr;
    // Reports a lost device from the event loop, never from inside the device's own event.
    std::unique_ptr<Timer> lostReport_;
    SerialLog log_;
};

// Watches the port's input for one packet per enabling: from a start string (or any byte)
// to an end string (or a fixed size), delimiters included. Only bytes that arrive while it
// is enabled count: what waited in the input buffer before is left there. It disables
// itself before it calls its handler.
class PacketCollector {
public:
    using Handler = std::function<void(const std::uint8_t* data, std::size_t size)>;
    // A packet that grows past this without its end is discarded and collection restarts.
    static constexpr std::size_t MaxPacketSize = 65536;

    explicit PacketCollector(SerialPort& port);
    ~PacketCollector();
    PacketCollector(const PacketCollector&) = delete;
    PacketCollector& operator=(const PacketCollector&) = delete;

    void setStartString(std::string start);
    void setStartAnyByte();
    void setEndString(std::string end);
    void setEndSize(std::size_t size);
    void setHandler(Handler handler) { handler_ = std::move(handler); }
    void enable();
    void disable();
    bool isEnabled() const { return enabled_; }
    // Binds to the port again after unbind(); an unbound collector sees no input.
    void bind();
    void unbind();
    bool isBound() const { return bound_; }
    std::size_t discardedOversize() const { return discardedOversize_; }

private:
    friend class SerialPort;
    // Takes one byte of input while enabled.
    void feed(std::uint8_t byte);

    SerialPort& port_;
    std::string start_ = ":";
    bool startAnyByte_ = false;
    std::string end_ = "\r";
    std::size_t endSize_ = 0;
    Handler handler_;
    bool enabled_ = false;
    bool bound_ = false;
    bool collecting_ = false;
    std::string window_;  // recent bytes while matching a multi-byte start string
    std::vector<std::uint8_t> packet_;
    std::size_t discardedOversize_ = 0;
};

}  // namespace platform
