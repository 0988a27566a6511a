#pragma once
// The program's clock: a monotonic millisecond tick count and QTimer timers on the
// user-interface thread.

#include "platform/clock.h"

namespace platform {

class QtClock : public Clock {
public:
    std::uint32_t tickCount() const override;
    std::unique_ptr<Timer> createTimer(TimerKind kind, TimerCallback callback) override;
    // Runs a nested event loop for ms milliseconds.
    void delay(std::uint32_t ms) override;
};

}  // namespace platform
