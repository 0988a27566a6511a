#include "platform/virtual_clock.h"

#include <algorithm>

namespace platform {

class VirtualClock::VTimer : public Timer {
public:
    VTimer(VirtualClock& clock, TimerKind kind, TimerCallback callback)
        : clock_(&clock), kind_(kind), callback_(std::move(callback)) {}
    ~VTimer() override {
        if (clock_) clock_->unschedule(this);
    }

    void start(std::uint32_t intervalMs) override {
        interval_ = intervalMs;
        if (clock_) clock_->schedule(this, clock_->now_ + intervalMs);
    }
    void stop() override {
        active_ = false;
    }
    bool isActive() const override { return active_; }
    std::uint32_t intervalMs() const override { return interval_; }

    VirtualClock* clock_;
    TimerKind kind_;
    TimerCallback callback_;
    std::uint32_t interval_ = 0;
    bool active_ = false;
    std::uint64_t due_ = 0;
    std::uint64_t order_ = 0;
};

VirtualClock::VirtualClock(std::uint32_t startTick) : startTick_(startTick) {}

VirtualClock::~VirtualClock() {
    for (VTimer* t : timers_) t->clock_ = nullptr;
}

std::uint32_t VirtualClock::tickCount() const {
    return static_cast<std::uint32_t>(startTick_ + now_);
}

std::unique_ptr<Timer> VirtualClock::createTimer(TimerKind kind, TimerCallback callback) {
    auto timer = std::make_unique<VTimer>(*this, kind, std::move(callback));
    timers_.push_back(timer.get());
    return timer;
}

void VirtualClock::delay(std::uint32_t ms) { advance(ms); }

void VirtualClock::schedule(VTimer* timer, std::uint64_t due) {
    timer->active_ = true;
    timer->due_ = due;
    timer->order_ = sequence_++;
}

void VirtualClock::unschedule(VTimer* timer) {
    timers_.erase(std::remove(timers_.begin(), timers_.end(), timer), timers_.end());
}

void VirtualClock::advance(std::uint64_t ms) {
    const std::uint64_t target = now_ + ms;
    for (;;) {
        // The earliest active timer due no later than the target; timers may be created,
        // started, stopped or destroyed by callbacks, so search afresh each time.
        VTimer* next = nullptr;
        for (VTimer* t : timers_) {
            if (!t->active_ || t->due_ > target) continue;
            if (!next || t->due_ < next->due_ || (t->due_ == next->due_ && t->order_ < next->order_)) next = t;
        }
        if (!next) break;
        now_ = std::max(now_, next->due_);
        if (next->kind_ == TimerKind::SingleShot) {
            next->active_ = false;
        } else {
            // A periodic timer of interval 0 would fire forever at one instant; treat it as 1 ms.
            next->due_ = now_ + std::max<std::uint32_t>(next->interval_, 1);
            next->order_ = sequence_++;
        }
        // Copy: the callback may destroy the timer.
        TimerCallback callback = next->callback_;
        if (callback) callback();
    }
    now_ = std::max(now_, target);
}

bool VirtualClock::advanceUntil(const std::function<bool()>& pred, std::uint64_t maxMs, std::uint32_t stepMs) {
    std::uint64_t waited = 0;
    while (!pred()) {
        if (waited >= maxMs) return false;
        advance(stepMs);
        waited += stepMs;
    }
    return true;
}

std::size_t VirtualClock::activeTimerCount() const {
    return static_cast<std::size_t>(std::count_if(timers_.begin(), timers_.end(), [](const VTimer* t) { return t->active_; }));
}

}  // namespace platform
