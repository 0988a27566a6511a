#pragma once
// Time as the rest of the program sees it: a wrapping millisecond tick count, timers that
// fire on the user-interface thread, and a wait that keeps events flowing. Production code
// runs on Qt's event loop; tests use VirtualClock, where time moves only when told to.

#include <cstdint>
#include <functional>
#include <memory>

namespace platform {

using TimerCallback = std::function<void()>;

enum class TimerKind { SingleShot, Periodic };

// A timer owned by whoever created it; destroying it stops it.
class Timer {
public:
    virtual ~Timer() = default;
    // (Re)starts the timer: it fires intervalMs after now (and every intervalMs after that
    // for a periodic timer). A running timer is restarted from now.
    virtual void start(std::uint32_t intervalMs) = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;
    virtual std::uint32_t intervalMs() const = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds since an arbitrary origin; wraps around after 2^32 ms (about 49.7 days),
    // so differences must be taken in unsigned 32-bit arithmetic.
    virtual std::uint32_t tickCount() const = 0;
    virtual std::unique_ptr<Timer> createTimer(TimerKind kind, TimerCallback callback) = 0;
    // Waits ms milliseconds while timers and other events keep being processed.
    virtual void delay(std::uint32_t ms) = 0;
};

}  // namespace platform
