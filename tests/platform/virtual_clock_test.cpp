#include "platform/virtual_clock.h"

#include <gtest/gtest.h>

#include <string>

namespace platform {
namespace {

TEST(VirtualClock, FiresTimersInDeadlineOrderAtTheirDueTick) {
    VirtualClock clock(1000);
    std::string order;
    std::vector<std::uint32_t> ticks;
    auto a = clock.createTimer(TimerKind::SingleShot, [&] { order += 'a'; ticks.push_back(clock.tickCount()); });
    auto b = clock.createTimer(TimerKind::SingleShot, [&] { order += 'b'; ticks.push_back(clock.tickCount()); });
    auto c = clock.createTimer(TimerKind::SingleShot, [&] { order += 'c'; ticks.push_back(clock.tickCount()); });
    a->start(300);
    b->start(100);
    c->start(100);  // same deadline as b, started later: fires after b
    clock.advance(250);
    EXPECT_EQ(order, "bc");
    clock.advance(50);
    EXPECT_EQ(order, "bca");
    EXPECT_EQ(ticks, (std::vector<std::uint32_t>{1100, 1100, 1300}));
    EXPECT_FALSE(a->isActive());
}

TEST(VirtualClock, PeriodicTimerFiresEveryIntervalUntilStopped) {
    VirtualClock clock;
    int fired = 0;
    auto t = clock.createTimer(TimerKind::Periodic, [&] { ++fired; });
    t->start(100);
    clock.advance(1000);
    EXPECT_EQ(fired, 10);
    t->stop();
    clock.advance(1000);
    EXPECT_EQ(fired, 10);
}

TEST(VirtualClock, CallbacksMayStartStopAndDestroyTimers) {
    VirtualClock clock;
    std::unique_ptr<Timer> second;
    int secondFired = 0;
    std::unique_ptr<Timer> first;
    first = clock.createTimer(TimerKind::SingleShot, [&] {
        second = clock.createTimer(TimerKind::SingleShot, [&] { ++secondFired; });
        second->start(10);  // becomes due inside the same advance
        first.reset();      // destroying the firing timer is allowed
    });
    first->start(5);
    clock.advance(20);
    EXPECT_EQ(first, nullptr);
    EXPECT_EQ(secondFired, 1);
}

TEST(VirtualClock, TickCountWrapsAndUnsignedDifferencesStayRight) {
    VirtualClock clock(0xFFFFFF00u);
    const std::uint32_t before = clock.tickCount();
    int fired = 0;
    auto t = clock.createTimer(TimerKind::SingleShot, [&] { ++fired; });
    t->start(0x200);
    clock.advance(0x1FF);
    EXPECT_EQ(fired, 0);
    clock.advance(1);
    EXPECT_EQ(fired, 1);
    EXPECT_LT(clock.tickCount(), before);  // wrapped
    EXPECT_EQ(static_cast<std::uint32_t>(clock.tickCount() - before), 0x200u);
}

TEST(VirtualClock, DelayMovesTimeAndFiresTimersOnTheWay) {
    VirtualClock clock;
    int fired = 0;
    auto t = clock.createTimer(TimerKind::SingleShot, [&] { ++fired; });
    t->start(50);
    clock.delay(125);
    EXPECT_EQ(fired, 1);
    EXPECT_EQ(clock.tickCount(), 125u);
}

}  // namespace
}  // namespace platform
