#pragma once
// The raw byte channel under the serial layer: a real port (QSerialPort) in the program,
// an in-memory line in tests. Everything above it (input buffer, packet collector, timer
// triggers, byte log) is SerialPort's own and the same for every device.

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace platform {

class SerialDevice {
public:
    virtual ~SerialDevice() = default;
    // Opens the device at baud, 8 data bits, no parity, 1 stop bit, no flow control.
    // On failure returns false and fills error with a sentence naming the device.
    virtual bool open(const std::string& devicePath, int baud, std::string& error) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // Queues bytes for sending. On failure returns false and fills error.
    virtual bool write(std::span<const std::uint8_t> bytes, std::string& error) = 0;
    // Discards bytes queued for sending that have not left yet.
    virtual void discardOutput() = 0;
    // Takes every byte received so far.
    virtual std::vector<std::uint8_t> takeReceived() = 0;
    // Called on the user-interface thread when bytes have arrived.
    virtual void setReceiveHandler(std::function<void()> handler) = 0;
    // Called on the user-interface thread when the device has gone away under the open
    // port (a USB adapter unplugged, the other end of a pseudo-terminal closed), with a
    // sentence naming the device. The device is closed by then.
    virtual void setLostHandler(std::function<void(const std::string& reason)> handler) = 0;
};

// Makes the device behind a port; the serial layer asks for one when it opens.
class SerialDeviceFactory {
public:
    virtual ~SerialDeviceFactory() = default;
    virtual std::unique_ptr<SerialDevice> create() = 0;
};

}  // namespace platform
