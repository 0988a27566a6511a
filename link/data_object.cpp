#include "link/data_object.h"

#include "link/command_set.h"
#include "link/wire.h"

namespace instrument {

TTDRdataObject::TTDRdataObject(platform::Platform& platform, const platform::PortMap* ports)
    : platform_(platform), driver_(std::make_unique<TProtocolDvr>(*this, platform, ports)) {}

TTDRdataObject::~TTDRdataObject() = default;

std::int32_t TTDRdataObject::SetCommand(std::string_view cmdText, TCommandDone onDone) {
    return StartRequest(cmdText, ReplyTimeouts::SetCommand, std::move(onDone));
}

std::int32_t TTDRdataObject::GetCommand(std::string_view cmdName, std::int32_t timeoutSecs, TCommandDone onDone) {
    return StartRequest(cmdName, timeoutSecs, std::move(onDone));
}

std::int32_t TTDRdataObject::StartRequest(std::string_view text, std::int32_t timeoutSecs, TCommandDone onDone) {
    if (busy_) return AnotherCommandActive;
    onDone_ = std::move(onDone);
    const std::int32_t code = driver_->SendCommand(text, timeoutSecs);
    if (code != Success) {
        onDone_ = nullptr;
        return code;
    }
    pendingName_ = std::string(text.substr(0, 4));
    busy_ = true;
    ++requestNumber_;
    return Success;
}

void TTDRdataObject::CommandDone(std::string_view name, std::int32_t code) {
    if (!busy_) return;  // nothing outstanding: a late reply for a cancelled request
    if (name.empty() && code == Success) {
        CancelCommand();
        return;
    }
    if (observer_) observer_(name, code);
    const std::uint64_t request = requestNumber_;
    if (name != pendingName_ || code != Success) {
        std::string text = "ERROR: Response to Command " + std::string(name);
        if (code <= 0) text += " = " + CodeText(code);
        else text += "\r\n" + InstrumentErrorText(code);
        platform_.dialogs.message(text, platform::MessageKind::Error);
        // The box is modal and events keep flowing while it is up: the request may have
        // been cancelled (or even replaced) meanwhile, and then this outcome is stale.
        if (!busy_ || request != requestNumber_) return;
    }
    // The completion routine runs while the request is still outstanding, so a new
    // request from inside it is refused; chains start their next command on a later tick.
    TCommandDone done = std::move(onDone_);
    if (done) done(code);
    if (request == requestNumber_) {
        busy_ = false;
        pendingName_.clear();
        onDone_ = nullptr;
    }
}

void TTDRdataObject::CancelCommand() {
    if (!busy_) return;
    busy_ = false;
    pendingName_.clear();
    onDone_ = nullptr;
    ++requestNumber_;
    driver_->AbandonReply();
}

void TTDRdataObject::LinkLost(const std::string& devicePath, int baud, const std::string& reason) {
    if (linkLost_) linkLost_(LostDevice{devicePath, baud, reason});
    if (!busy_) return;
    const std::string name = pendingName_;
    CommandDone(name, PortNotOpen);
}

float TTDRdataObject::WaveformAt(int i) const {
    if (i < 1 || i > MaxPoints) return 0.0f;
    return wire::wordToFloat(waveform_[static_cast<std::size_t>(i - 1)]);
}

float TTDRdataObject::DerivativeAt(int i) const {
    if (i < 1 || i > MaxPoints) return 0.0f;
    return derivative_[static_cast<std::size_t>(i - 1)];
}

void TTDRdataObject::StoreWaveformWord(int i, std::uint32_t word) {
    if (i >= 1 && i <= MaxPoints) waveform_[static_cast<std::size_t>(i - 1)] = word;
}

void TTDRdataObject::StoreDerivativePoint(int i, float x) {
    if (i >= 1 && i <= MaxPoints) derivative_[static_cast<std::size_t>(i - 1)] = x * DerivativeGain;
}

}  // namespace instrument
