#include "link/protocol_driver.h"

#include "link/command_set.h"
#include "link/data_object.h"
#include "link/result_codes.h"
#include "link/wire.h"

#include "platform/port_map.h"

#include <algorithm>

namespace instrument {

namespace {

constexpr std::size_t ShortestErrorPacket = 7;  // ':' '!' d d crc crc CR
constexpr std::size_t ShortestNamedPacket = 9;  // ':' type name(4) crc crc CR

bool isDigit(std::uint8_t c) { return c >= '0' && c <= '9'; }

}  // namespace

TProtocolDvr::TProtocolDvr(TTDRdataObject& owner, platform::Platform& platform, const platform::PortMap* ports)
    : owner_(owner), platform_(platform), ports_(ports) {}

TProtocolDvr::~TProtocolDvr() { Close(); }

bool TProtocolDvr::Open(int portNumber, int baud) {
    return OpenDevice(ports_ ? ports_->devicePath(portNumber) : platform::PortMap::defaultDevicePath(portNumber), baud);
}

bool TProtocolDvr::OpenDevice(const std::string& devicePath, int baud) {
    Close();
    port_ = std::make_unique<platform::SerialPort>(platform_.serialDevices, platform_.clock, ports_);
    if (!port_->openPath(devicePath, baud)) {
        lastOpenError_ = port_->lastError();
        port_.reset();
        connected_ = false;
        return false;
    }
    lastOpenError_.clear();
    port_->log().setFile(logDirectory_.empty() ? std::filesystem::path(LogFileName) : logDirectory_ / LogFileName);
    port_->log().setCapacity(platform::SerialLog::DefaultCapacity);
    port_->log().setEnabled(false);
    port_->setTimerTriggerHandler([this](platform::SerialPort::TriggerHandle) { ReplyTimeout(); });
    port_->setDataAvailableHandler({});
    rawReceiver_ = nullptr;
    port_->setDeviceLostHandler([this](const std::string& reason) { DeviceLost(reason); });
    replyTimer_ = NewReplyTimer();
    collector_ = std::make_unique<platform::PacketCollector>(*port_);
    ConfigureCollector();
    collector_->disable();
    connected_ = true;
    return true;
}

platform::SerialPort::TriggerHandle TProtocolDvr::NewReplyTimer() {
    return port_->addTimerTrigger(platform::SerialPort::secondsToTicks(ReplyTimeouts::FirstPeriod));
}

bool TProtocolDvr::Reopen(const std::string& devicePath, int baud) {
    // The same port object opens the device again: its collector, reply timer, raw
    // receiver (the terminal) and byte log stay as they were. Nothing is destroyed, so this
    // is safe even while the report of the loss is still on the stack (a message box of
    // it may be up).
    if (!port_ || !collector_ || replyTimer_ == 0) return false;
    if (!port_->openPath(devicePath, baud)) {
        lastOpenError_ = port_->lastError();
        return false;
    }
    lastOpenError_.clear();
    collector_->disable();
    ConfigureCollector();
    connected_ = true;
    return true;
}

void TProtocolDvr::DeviceLost(const std::string& reason) {
    if (!port_) return;
    if (replyTimer_ != 0) port_->stopTimerTrigger(replyTimer_);
    if (collector_) collector_->disable();
    connected_ = false;
    lastOpenError_ = reason;
    FlushLog();  // what was traced up to the loss
    owner_.LinkLost(port_->devicePath(), port_->baud(), reason);
}

void TProtocolDvr::ConfigureCollector() {
    collector_->setStartString(":");
    collector_->setEndString("\r");
    collector_->setHandler([this](const std::uint8_t* data, std::size_t size) { PacketReceived(data, size); });
}

void TProtocolDvr::Close() {
    collector_.reset();
    if (port_) port_->close();
    port_.reset();
    replyTimer_ = 0;
    connected_ = false;
}

std::int32_t TProtocolDvr::SendCommand(std::string_view cmdText, std::int32_t timeoutSecs) {
    if (!connected_ || !port_ || !collector_ || replyTimer_ == 0) return PortNotOpen;
    const std::string frame = wire::buildFrame(cmdText);
    port_->flushOutput();
    port_->flushInput();
    if (!port_->writeString(frame)) return WriteFailed;
    collector_->enable();
    expectedName_ = std::string(cmdText.substr(0, 4));
    // Seconds to clock ticks of 1/18.2 s; 0 ticks restarts the timer with its last period.
    const auto seconds = static_cast<std::uint32_t>(std::clamp<std::int32_t>(timeoutSecs, 0, 1000000));
    port_->startTimerTrigger(replyTimer_, platform::SerialPort::secondsToTicks(seconds));
    return Success;
}

std::int32_t TProtocolDvr::SendChar(char ch) {
    if (!connected_ || !port_) return PortNotOpen;
    port_->flushOutput();
    if (!port_->writeByte(static_cast<std::uint8_t>(ch))) return WriteFailed;
    return Success;
}

void TProtocolDvr::SetRawReceiver(RawReceiver handler) {
    rawReceiver_ = handler;
    if (port_) port_->setDataAvailableHandler(std::move(handler));
}

void TProtocolDvr::RestoreFraming() {
    if (!collector_) return;
    collector_->disable();
    ConfigureCollector();
}

void TProtocolDvr::DetachPort() {
    if (port_ && replyTimer_ != 0) port_->removeTimerTrigger(replyTimer_);
    replyTimer_ = 0;
    if (collector_) {
        collector_->disable();
        collector_->setHandler({});
    }
}

void TProtocolDvr::AttachPort() {
    if (!port_ || !port_->isOpen()) return;
    // After a failed open the driver has neither collector nor timer: make what is
    // missing, so the link comes up whichever way it went down.
    if (!collector_) collector_ = std::make_unique<platform::PacketCollector>(*port_);
    collector_->bind();
    ConfigureCollector();
    collector_->enable();
    if (replyTimer_ == 0) {
        port_->setTimerTriggerHandler([this](platform::SerialPort::TriggerHandle) { ReplyTimeout(); });
        replyTimer_ = NewReplyTimer();
    }
    port_->stopTimerTrigger(replyTimer_);
    connected_ = true;
}

void TProtocolDvr::AbandonReply() {
    if (port_ && replyTimer_ != 0) port_->stopTimerTrigger(replyTimer_);
    if (collector_) collector_->disable();
}

void TProtocolDvr::PacketReceived(const std::uint8_t* data, std::size_t size) {
    if (port_ && replyTimer_ != 0) port_->stopTimerTrigger(replyTimer_);
    if (collector_) collector_->disable();
    if (port_) port_->flushInput();  // whatever followed the packet's CR
    if (!owner_.Busy()) {
        // Nobody asked: a stray packet must not overwrite the store.
        FlushLog();
        return;
    }

    std::int32_t code = Success;
    const auto plain = wire::unescape(std::span<const std::uint8_t>(data, size));
    if (!plain || plain->size() < ShortestErrorPacket) {
        code = MalformedPacket;  // an escape with nothing after it, or too short to hold a reply
    } else {
        const auto& p = *plain;
        const std::size_t length = p.size();
        const std::uint16_t crc = wire::crc16(std::span<const std::uint8_t>(p.data() + 1, length - 4));
        const std::uint16_t received = static_cast<std::uint16_t>((p[length - 3] << 8) | p[length - 2]);
        if (crc != received) {
            code = CrcFailed;
        } else if (p[1] == wire::ErrorReply) {
            // Two decimal digits; anything else cannot be read as an instrument error.
            code = (isDigit(p[2]) && isDigit(p[3])) ? (p[2] - '0') * 10 + (p[3] - '0') : UnknownError;
        } else if (p[1] == wire::DataReply || p[1] == wire::AckReply) {
            if (length < ShortestNamedPacket) {
                code = MalformedPacket;
            } else {
                const std::string_view name(reinterpret_cast<const char*>(p.data() + 2), 4);
                if (name != expectedName_) code = CommandFailed;
                else if (p[1] == wire::DataReply) code = Decode(name, p.data() + 6, length - 9);
            }
        } else {
            code = UnknownError;
        }
    }
    owner_.CommandDone(expectedName_, code);
    FlushLog();
}

std::int32_t TProtocolDvr::Decode(std::string_view name, const std::uint8_t* data, std::size_t size) {
    if (size % 4 != 0) {
        platform_.dialogs.message(MalformedMessage, platform::MessageKind::Error);
        return MalformedPacket;
    }
    const ReplyShape shape = ShapeOf(name);
    if (shape.layout == ReplyLayout::Fixed && size != shape.bytes) {
        platform_.dialogs.message(shape.sizeMessage, platform::MessageKind::Error);
        return PacketSizeError;
    }
    const std::size_t words = size / 4;
    auto word = [&](std::size_t k) { return wire::readWord(data + 4 * (k - 1)); };
    auto real = [&](std::size_t k) { return wire::wordToFloat(word(k)); };
    TTDRdataObject& o = owner_;

    switch (shape.layout) {
        case ReplyLayout::WaveformArray:
            for (std::size_t k = 1; k <= words && k <= TTDRdataObject::MaxPoints; ++k)
                o.StoreWaveformWord(static_cast<int>(k), word(k));
            o.LastArrayPoints = static_cast<std::int32_t>(words);
            return Success;
        case ReplyLayout::DerivativeArray:
            for (std::size_t k = 1; k <= words && k <= TTDRdataObject::MaxPoints; ++k)
                o.StoreDerivativePoint(static_cast<int>(k), real(k));
            o.LastArrayPoints = static_cast<std::int32_t>(words);
            return Success;
        case ReplyLayout::Unknown:
            platform_.dialogs.message(UnknownReplyMessage, platform::MessageKind::Error);
            return Success;
        case ReplyLayout::Fixed:
            break;
    }

    // Truncation toward zero of a float that may be out of int32's range or not a number.
    auto truncated = [](float v) -> std::int32_t {
        if (!(v == v)) return 0;
        if (v >= 2147483647.0f) return 2147483647;
        if (v <= -2147483648.0f) return -2147483647 - 1;
        return static_cast<std::int32_t>(v);
    };
    if (name == "DUMP") {
        o.Settings.Vp = real(1);
        o.Settings.Averages = truncated(real(2));
        o.Settings.Points = truncated(real(3));
        o.Settings.WinStart = real(4);
        o.Settings.WinLgt = real(5);
        o.Settings.ProbeLgt = real(6);
        o.Settings.ProbeOffset = real(7);
        o.Settings.DumpWord8 = word(8);
        o.Settings.DumpWord9 = word(9);
    } else if (name == "GCAL") {
        o.GcalValue = word(1);
    } else if (name == "GCON") {
        o.GconValue = real(1);
    } else if (name == "GDTS") {
        o.GdtsValue = word(1);
    } else if (name == "GMOS") {
        o.GmosValue = real(1);
    } else if (name == "CCCC") {
        o.CellConstValue = real(1);
    } else if (name == "GRLN") {
        o.GrlnValue = word(1);
    } else if (name == "GTIM") {
        o.Times.Word1 = word(1);
        o.Times.WaveformSeconds = real(2);
        o.Times.WaterContentSeconds = real(3);
    } else if (name == "GVAR") {
        for (std::size_t k = 1; k <= 3; ++k) o.Vars[k] = real(k);
    } else if (name == "GVER") {
        for (std::size_t k = 1; k <= 4; ++k) o.Version[k] = word(k);
    }
    return Success;
}

void TProtocolDvr::ReplyTimeout() {
    if (collector_) collector_->disable();
    owner_.CommandDone(expectedName_, Timeout);
    platform_.tones.beep(1500, 100);
}

void TProtocolDvr::SetLogging(bool on) {
    if (port_) port_->log().setEnabled(on);
}

void TProtocolDvr::FlushLog() {
    if (!port_ || !port_->log().isEnabled()) return;
    auto& log = port_->log();
    log.setEnabled(false);
    std::string error;
    if (!log.appendToFile(error)) {
        // Said once: logging stops rather than failing again after every reply.
        loggingBox_ = false;
        platform_.dialogs.message("Low-level logging stopped. " + error, platform::MessageKind::Warning);
        return;
    }
    log.clear();
    log.setEnabled(loggingBox_);
}

}  // namespace instrument
