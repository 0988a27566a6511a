#include "platform/serial_port.h"

#include "platform/port_map.h"

#include <algorithm>

namespace platform {

SerialPort::SerialPort(SerialDeviceFactory& devices, Clock& clock, const PortMap* ports)
    : devices_(devices), clock_(clock), ports_(ports) {
    lostReport_ = clock_.createTimer(TimerKind::SingleShot, [this] {
        close();
        // A copy: the handler may open the port again, which changes lastError_.
        const std::string reason = lastError_;
        if (deviceLost_) deviceLost_(reason);
    });
}

SerialPort::~SerialPort() {
    if (collector_) collector_->bound_ = false;
    collector_ = nullptr;
    close();
}

bool SerialPort::open(int portNumber, int baud) {
    const std::string path = ports_ ? ports_->devicePath(portNumber) : PortMap::defaultDevicePath(portNumber);
    const bool ok = openPath(path, baud);
    portNumber_ = portNumber;
    return ok;
}

bool SerialPort::openPath(const std::string& devicePath, int baud) {
    close();
    devicePath_ = devicePath;
    baud_ = baud;
    portNumber_ = 0;
    auto device = devices_.create();
    if (!device) {
        lastError_ = "No serial device is available for " + devicePath + ".";
        return false;
    }
    std::string error;
    if (!device->open(devicePath, baud, error)) {
        lastError_ = error.empty() ? "Cannot open serial port " + devicePath + "." : error;
        return false;
    }
    device->setReceiveHandler([this] { onDeviceReceive(); });
    device->setLostHandler([this](const std::string& reason) { onDeviceLost(reason); });
    device_ = std::move(device);
    input_.clear();
    overruns_ = 0;
    lastError_.clear();
    return true;
}

void SerialPort::close() {
    if (device_) {
        device_->setReceiveHandler({});
        device_->setLostHandler({});
        device_->close();
        device_.reset();
    }
    input_.clear();
    for (auto& [handle, trigger] : triggers_) trigger.timer->stop();
    if (lostReport_) lostReport_->stop();
}

bool SerialPort::isOpen() const { return device_ && device_->isOpen(); }

bool SerialPort::writeString(std::string_view text) {
    return writeBytes(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
}

bool SerialPort::writeByte(std::uint8_t byte) { return writeBytes(&byte, 1); }

bool SerialPort::writeBytes(const std::uint8_t* data, std::size_t size) {
    if (!isOpen()) {
        lastError_ = "The serial port is not open.";
        return false;
    }
    std::string error;
    if (!device_->write(std::span<const std::uint8_t>(data, size), error)) {
        lastError_ = error.empty() ? "Writing to " + devicePath_ + " failed." : error;
        return false;
    }
    log_.record(clock_.tickCount(), ByteDirection::Sent, data, size);
    return true;
}

void SerialPort::flushInput() {
    if (device_) {
        // Bytes the device holds but has not handed over yet are discarded too.
        const auto late = device_->takeReceived();
        log_.record(clock_.tickCount(), ByteDirection::Received, late.data(), late.size());
    }
    input_.clear();
    ++flushes_;
}

void SerialPort::flushOutput() {
    if (device_) device_->discardOutput();
}

std::optional<std::uint8_t> SerialPort::readByte() {
    if (input_.empty()) return std::nullopt;
    const std::uint8_t b = input_.front();
    input_.pop_front();
    return b;
}

void SerialPort::onDeviceReceive() {
    if (!device_) return;
    const auto bytes = device_->takeReceived();
    if (bytes.empty()) return;
    log_.record(clock_.tickCount(), ByteDirection::Received, bytes.data(), bytes.size());
    deliver(bytes.data(), bytes.size());
}

void SerialPort::onDeviceLost(const std::string& reason) {
    lastError_ = reason.empty() ? devicePath_ + " is gone." : reason;
    lostReport_->start(0);
}

void SerialPort::deliver(const std::uint8_t* data, std::size_t size) {
    std::size_t buffered = 0;
    const std::uint64_t flushesBefore = flushes_;
    for (std::size_t i = 0; i < size; ++i) {
        // A handler that flushed the input discards the rest of this delivery as well.
        if (flushes_ != flushesBefore) return;
        if (collector_ && collector_->bound_ && collector_->enabled_) {
            collector_->feed(data[i]);
        } else if (input_.size() < InputBufferSize) {
            input_.push_back(data[i]);
            ++buffered;
        } else {
            ++overruns_;
        }
    }
    if (buffered > 0 && dataAvailable_) dataAvailable_(input_.size());
}

SerialPort::TriggerHandle SerialPort::addTimerTrigger(std::uint32_t initialTicks) {
    // Handles are small non-zero numbers; 0 means "no trigger" to callers.
    while (nextTrigger_ == 0 || triggers_.count(nextTrigger_)) ++nextTrigger_;
    const TriggerHandle handle = nextTrigger_++;
    Trigger trigger;
    trigger.ticks = initialTicks;
    trigger.timer = clock_.createTimer(TimerKind::SingleShot, [this, handle] {
        if (triggerHandler_) triggerHandler_(handle);
    });
    triggers_.emplace(handle, std::move(trigger));
    return handle;
}

void SerialPort::startTimerTrigger(TriggerHandle handle, std::uint32_t ticks) {
    auto it = triggers_.find(handle);
    if (it == triggers_.end()) return;
    if (ticks != 0) it->second.ticks = ticks;
    it->second.timer->start(ticksToMs(it->second.ticks));
}

void SerialPort::stopTimerTrigger(TriggerHandle handle) {
    auto it = triggers_.find(handle);
    if (it != triggers_.end()) it->second.timer->stop();
}

void SerialPort::removeTimerTrigger(TriggerHandle handle) { triggers_.erase(handle); }

bool SerialPort::isTimerTriggerActive(TriggerHandle handle) const {
    auto it = triggers_.find(handle);
    return it != triggers_.end() && it->second.timer->isActive();
}

std::uint32_t SerialPort::timerTriggerTicks(TriggerHandle handle) const {
    auto it = triggers_.find(handle);
    return it == triggers_.end() ? 0 : it->second.ticks;
}

void SerialPort::attach(PacketCollector* collector) {
    if (collector_ && collector_ != collector) collector_->bound_ = false;
    collector_ = collector;
}

void SerialPort::detach(PacketCollector* collector) {
    if (collector_ == collector) collector_ = nullptr;
}

// --- PacketCollector -------------------------------------------------------------------

PacketCollector::PacketCollector(SerialPort& port) : port_(port) { bind(); }

PacketCollector::~PacketCollector() { unbind(); }

void PacketCollector::bind() {
    port_.attach(this);
    bound_ = true;
}

void PacketCollector::unbind() {
    port_.detach(this);
    bound_ = false;
    disable();
}

void PacketCollector::setStartString(std::string start) {
    start_ = std::move(start);
    startAnyByte_ = start_.empty();
}

void PacketCollector::setStartAnyByte() {
    start_.clear();
    startAnyByte_ = true;
}

void PacketCollector::setEndString(std::string end) {
    end_ = std::move(end);
    endSize_ = 0;
}

void PacketCollector::setEndSize(std::size_t size) {
    endSize_ = size == 0 ? 1 : size;
    end_.clear();
}

void PacketCollector::enable() {
    enabled_ = true;
    collecting_ = false;
    window_.clear();
    packet_.clear();
}

void PacketCollector::disable() {
    enabled_ = false;
    collecting_ = false;
    window_.clear();
    packet_.clear();
}

void PacketCollector::feed(std::uint8_t byte) {
    if (collecting_) {
        packet_.push_back(byte);
    } else if (startAnyByte_) {
        collecting_ = true;
        packet_.assign(1, byte);
    } else {
        // Bytes before the start string are dropped.
        window_.push_back(static_cast<char>(byte));
        if (window_.size() > start_.size()) window_.erase(0, window_.size() - start_.size());
        if (window_ != start_) return;
        collecting_ = true;
        window_.clear();
        packet_.assign(start_.begin(), start_.end());
    }

    bool complete = false;
    if (endSize_ > 0) {
        complete = packet_.size() >= endSize_;
    } else if (!end_.empty() && packet_.size() >= start_.size() + end_.size()) {
        // The end string is looked for only after the start string.
        complete = std::equal(end_.rbegin(), end_.rend(), packet_.rbegin());
    }
    if (complete) {
        std::vector<std::uint8_t> packet;
        packet.swap(packet_);
        disable();  // one packet per enabling; the handler may enable again
        if (handler_) handler_(packet.data(), packet.size());
        return;
    }
    if (packet_.size() > MaxPacketSize) {
        ++discardedOversize_;
        collecting_ = false;
        packet_.clear();
    }
}

}  // namespace platform
