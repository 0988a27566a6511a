#include "link/link_reconnect.h"

namespace instrument {

std::string DisconnectedHint(const std::string& devicePath) {
    return "RFX410 disconnected (" + devicePath + "); waiting for it to come back";
}

std::string ReconnectedHint(const std::string& devicePath) { return "RFX410 reconnected (" + devicePath + ")"; }

bool EndChainForLostDevice(TStateMach& machine, const TTDRdataObject& link) {
    if (machine.IsIdle()) return true;
    const int state = machine.Current();
    if (!link.Busy() && machine.Status(state) != -1) return false;
    machine.Abort();
    return true;
}

LinkReconnect::LinkReconnect(TTDRdataObject& link, platform::Clock& clock, Reports reports)
    : link_(link), reports_(std::move(reports)) {
    retry_ = clock.createTimer(platform::TimerKind::Periodic, [this] { Retry(); });
    greeting_ = clock.createTimer(platform::TimerKind::SingleShot, [this] { Greet(); });
    link_.SetLinkLostHandler([this](const LostDevice& device) { Lost(device); });
}

LinkReconnect::~LinkReconnect() { link_.SetLinkLostHandler({}); }

void LinkReconnect::Stop() {
    waiting_ = false;
    retry_->stop();
    greeting_->stop();
}

void LinkReconnect::Lost(const LostDevice& device) {
    device_ = device;
    waiting_ = true;
    attempts_ = 0;
    greeting_->stop();
    retry_->start(RetryMs);
    if (reports_.lost) reports_.lost(device);
}

void LinkReconnect::Retry() {
    if (link_.Connected() || !link_.Driver().Port()) {
        // The port was opened, or closed on purpose, by other means meanwhile (the
        // communication settings): nothing to wait for any more.
        Stop();
        return;
    }
    ++attempts_;
    if (!link_.Driver().Reopen(device_.devicePath, device_.baud)) return;
    waiting_ = false;
    retry_->stop();
    greeting_->start(GreetingDelayMs);
}

void LinkReconnect::Greet() {
    // Only when the port opened here is still the one in use.
    if (!link_.Connected()) return;
    link_.SendChar('$');
    link_.SendChar('\r');
    if (reports_.back) reports_.back(device_.devicePath);
}

}  // namespace instrument
