#pragma once
// An in-memory serial line for tests: the program's side is an ordinary SerialDevice made
// by the factory; the far side (the simulated instrument, or a test) receives what the
// program writes and sends bytes back. Bytes travel through the clock, so they arrive on a
// later turn of the event loop (on the virtual clock: at the next advance).

#include "platform/clock.h"
#include "platform/serial_device.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <set>
#include <span>
#include <string>
#include <vector>

namespace platform {

class MemorySerialLine : public SerialDeviceFactory {
public:
    using PeerReceiver = std::function<void(std::span<const std::uint8_t>)>;

    explicit MemorySerialLine(Clock& clock);
    ~MemorySerialLine() override;

    // The program's side.
    std::unique_ptr<SerialDevice> create() override;

    // The far side.
    void setPeerReceiver(PeerReceiver receiver) { peer_ = std::move(receiver); }
    void sendToHost(std::span<const std::uint8_t> bytes);
    void sendToHost(std::string_view text);

    // Faults and settings of the line.
    void setLatencyMs(std::uint32_t ms) { latencyMs_ = ms; }
    void setWriteFails(bool fails) { writeFails_ = fails; }
    void setUnavailable(const std::string& devicePath) { unavailable_.insert(devicePath); }
    void setAvailable(const std::string& devicePath) { unavailable_.erase(devicePath); }
    void setAllUnavailable(bool unavailable) { allUnavailable_ = unavailable; }
    // The cable is pulled: the open device reports itself lost and is closed, its path
    // cannot be opened, and bytes still on their way are gone. plugIn() puts it back.
    void unplug();
    void plugIn();
    bool unplugged() const { return !unpluggedPath_.empty(); }

    // What the program did.
    const std::string& openedPath() const { return openedPath_; }
    int openedBaud() const { return openedBaud_; }
    int openCount() const { return openCount_; }
    bool hostOpen() const;
    const std::vector<std::uint8_t>& written() const { return written_; }
    std::string writtenText() const { return std::string(written_.begin(), written_.end()); }
    void clearWritten() { written_.clear(); }

private:
    class HostDevice;
    friend class HostDevice;
    struct Chunk {
        std::uint64_t due;
        bool toHost;
        std::vector<std::uint8_t> bytes;
    };
    void enqueue(bool toHost, std::span<const std::uint8_t> bytes);
    void pump();

    Clock& clock_;
    std::unique_ptr<Timer> timer_;
    std::deque<Chunk> queue_;
    std::uint64_t now() const;
    std::uint64_t epoch_ = 0;
    std::uint32_t lastTick_ = 0;
    std::uint32_t latencyMs_ = 0;
    bool writeFails_ = false;
    bool allUnavailable_ = false;
    std::set<std::string> unavailable_;
    std::string unpluggedPath_;
    HostDevice* host_ = nullptr;
    PeerReceiver peer_;
    std::string openedPath_;
    int openedBaud_ = 0;
    int openCount_ = 0;
    std::vector<std::uint8_t> written_;
};

}  // namespace platform
