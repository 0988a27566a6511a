#pragma once
// A clock for tests: time stands still until advance() moves it, firing every timer that
// falls due on the way, in order of its deadline, with tickCount() equal to that deadline.

#include "platform/clock.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace platform {

class VirtualClock : public Clock {
public:
    explicit VirtualClock(std::uint32_t startTick = 0);
    ~VirtualClock() override;
    VirtualClock(const VirtualClock&) = delete;
    VirtualClock& operator=(const VirtualClock&) = delete;

    std::uint32_t tickCount() const override;
    std::unique_ptr<Timer> createTimer(TimerKind kind, TimerCallback callback) override;
    void delay(std::uint32_t ms) override;

    // Moves time forward by ms, firing due timers (including those that become due because
    // a callback started them) in deadline order; timers due at the same instant fire in
    // the order they were started.
    void advance(std::uint64_t ms);
    // Fires the timers that are due now (such as 0 ms timers) without moving time.
    void runDue() { advance(0); }
    // Advances in steps until pred() holds or maxMs has passed; returns pred().
    bool advanceUntil(const std::function<bool()>& pred, std::uint64_t maxMs, std::uint32_t stepMs = 1);
    // Milliseconds of virtual time that have passed since construction (does not wrap).
    std::uint64_t elapsed() const { return now_; }
    std::size_t activeTimerCount() const;

private:
    struct Entry;
    class VTimer;
    friend class VTimer;

    void schedule(VTimer* timer, std::uint64_t due);
    void unschedule(VTimer* timer);

    std::uint32_t startTick_;
    std::uint64_t now_ = 0;
    std::uint64_t sequence_ = 0;
    std::vector<VTimer*> timers_;
};

}  // namespace platform
