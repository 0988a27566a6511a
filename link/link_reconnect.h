#pragma once
// Brings the instrument link back by itself after its serial device went away (a USB
// adapter unplugged, the cable pulled with it): once a second it tries to open the same
// device at the same baud rate; when that works it greets the instrument as at start-up
// ("$" and carriage return, 125 ms after the open) and says so. Opening or closing the
// port by other means meanwhile (the communication settings) ends the wait.

#include "link/data_object.h"
#include "link/state_machine.h"

#include "platform/clock.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace instrument {

// What the hint bar says while the link waits, and once it is back.
std::string DisconnectedHint(const std::string& devicePath);
std::string ReconnectedHint(const std::string& devicePath);

// A chain cannot go on once the device is gone: when its current state waits for a command
// (a request outstanding, or one refused and waiting for the state's time limit) the chain
// is sent to that state's failure target at once, which is its error state with the
// chain's failure message. Returns false while the chain is between two commands (try
// again on the next tick), true otherwise.
bool EndChainForLostDevice(TStateMach& machine, const TTDRdataObject& link);

class LinkReconnect {
public:
    static constexpr std::uint32_t RetryMs = 1000;
    static constexpr std::uint32_t GreetingDelayMs = 125;

    struct Reports {
        // The device went away; the outstanding request fails right after this.
        std::function<void(const LostDevice&)> lost;
        // The device is open again and the instrument has been greeted.
        std::function<void(const std::string& devicePath)> back;
    };

    // Takes over the link's lost-device handler.
    LinkReconnect(TTDRdataObject& link, platform::Clock& clock, Reports reports);
    ~LinkReconnect();
    LinkReconnect(const LinkReconnect&) = delete;
    LinkReconnect& operator=(const LinkReconnect&) = delete;

    bool Waiting() const { return waiting_; }
    // The device waited for (or last brought back).
    const std::string& DevicePath() const { return device_.devicePath; }
    int Attempts() const { return attempts_; }
    // Gives up waiting (the window is closing).
    void Stop();

private:
    void Lost(const LostDevice& device);
    void Retry();
    void Greet();

    TTDRdataObject& link_;
    Reports reports_;
    LostDevice device_;
    bool waiting_ = false;
    int attempts_ = 0;
    std::unique_ptr<platform::Timer> retry_;
    std::unique_ptr<platform::Timer> greeting_;
};

}  // namespace instrument
