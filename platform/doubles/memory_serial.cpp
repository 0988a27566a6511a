#include "platform/doubles/memory_serial.h"

#include <algorithm>

namespace platform {

class MemorySerialLine::HostDevice : public SerialDevice {
public:
    explicit HostDevice(MemorySerialLine& line) : line_(&line) {}
    ~HostDevice() override {
        if (line_ && line_->host_ == this) line_->host_ = nullptr;
    }

    bool open(const std::string& devicePath, int baud, std::string& error) override {
        if (!line_) return false;
        if (line_->allUnavailable_ || line_->unavailable_.count(devicePath)) {
            error = "Cannot open serial port " + devicePath + ": No such file or directory.";
            return false;
        }
        open_ = true;
        line_->host_ = this;
        line_->openedPath_ = devicePath;
        line_->openedBaud_ = baud;
        ++line_->openCount_;
        return true;
    }
    void close() override {
        open_ = false;
        received_.clear();
        if (line_ && line_->host_ == this) line_->host_ = nullptr;
    }
    bool isOpen() const override { return open_; }
    bool write(std::span<const std::uint8_t> bytes, std::string& error) override {
        if (!open_ || !line_) {
            error = "The serial port is not open.";
            return false;
        }
        if (line_->writeFails_) {
            error = "Writing to " + line_->openedPath_ + " failed: Input/output error.";
            return false;
        }
        line_->written_.insert(line_->written_.end(), bytes.begin(), bytes.end());
        line_->enqueue(false, bytes);
        return true;
    }
    void discardOutput() override {}
    std::vector<std::uint8_t> takeReceived() override {
        std::vector<std::uint8_t> out;
        out.swap(received_);
        return out;
    }
    void setReceiveHandler(std::function<void()> handler) override { handler_ = std::move(handler); }
    void setLostHandler(std::function<void(const std::string&)> handler) override { lostHandler_ = std::move(handler); }

    void lose(const std::string& path) {
        close();
        if (lostHandler_) lostHandler_(path + " is gone: No such device.");
    }

    void receive(const std::vector<std::uint8_t>& bytes) {
        if (!open_) return;
        received_.insert(received_.end(), bytes.begin(), bytes.end());
        if (handler_) handler_();
    }

    MemorySerialLine* line_;
    bool open_ = false;
    std::vector<std::uint8_t> received_;
    std::function<void()> handler_;
    std::function<void(const std::string&)> lostHandler_;
};

MemorySerialLine::MemorySerialLine(Clock& clock) : clock_(clock) {
    lastTick_ = clock_.tickCount();
    timer_ = clock_.createTimer(TimerKind::SingleShot, [this] { pump(); });
}

MemorySerialLine::~MemorySerialLine() {
    if (host_) host_->line_ = nullptr;
}

std::unique_ptr<SerialDevice> MemorySerialLine::create() { return std::make_unique<HostDevice>(*this); }

void MemorySerialLine::unplug() {
    if (unplugged()) return;
    unpluggedPath_ = openedPath_.empty() ? std::string("/dev/ttyS0") : openedPath_;
    unavailable_.insert(unpluggedPath_);
    queue_.clear();
    timer_->stop();
    if (host_ && host_->open_) host_->lose(unpluggedPath_);
}

void MemorySerialLine::plugIn() {
    if (!unplugged()) return;
    unavailable_.erase(unpluggedPath_);
    unpluggedPath_.clear();
}

bool MemorySerialLine::hostOpen() const { return host_ && host_->open_; }

std::uint64_t MemorySerialLine::now() const {
    // A 64-bit time built from the wrapping tick count.
    return epoch_ + static_cast<std::uint32_t>(clock_.tickCount() - lastTick_);
}

void MemorySerialLine::sendToHost(std::span<const std::uint8_t> bytes) { enqueue(true, bytes); }

void MemorySerialLine::sendToHost(std::string_view text) {
    sendToHost(std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

void MemorySerialLine::enqueue(bool toHost, std::span<const std::uint8_t> bytes) {
    if (bytes.empty()) return;
    const std::uint64_t t = now();
    epoch_ = t;
    lastTick_ = clock_.tickCount();
    queue_.push_back({t + latencyMs_, toHost, std::vector<std::uint8_t>(bytes.begin(), bytes.end())});
    if (!timer_->isActive()) timer_->start(latencyMs_);
}

void MemorySerialLine::pump() {
    const std::uint64_t t = now();
    epoch_ = t;
    lastTick_ = clock_.tickCount();
    // Deliver everything due, in order; deliveries may queue more.
    while (!queue_.empty() && queue_.front().due <= t) {
        Chunk chunk = std::move(queue_.front());
        queue_.pop_front();
        if (chunk.toHost) {
            if (host_) host_->receive(chunk.bytes);
        } else if (peer_) {
            peer_(chunk.bytes);
        }
    }
    if (!queue_.empty()) {
        const std::uint64_t wait = queue_.front().due - now();
        timer_->start(static_cast<std::uint32_t>(wait));
    }
}

}  // namespace platform
