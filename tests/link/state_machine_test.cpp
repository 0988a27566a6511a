// The state machine on the virtual clock: how a chain moves on, its time limits, its
// targets, and stopping from inside an action.

#include "link/chain_start.h"
#include "link/chain_table.h"
#include "link/state_machine.h"

#include "platform/doubles/scripted_dialogs.h"
#include "platform/virtual_clock.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace instrument {
namespace {

class StateMachine : public ::testing::Test {
protected:
    StateMachine() : machine(clock) {}

    // An action that logs its state's name and reports `result`; when `done` it also marks
    // its work finished at once.
    TStateNode::Action step(std::string name, std::int32_t result = 0, bool done = true) {
        return [this, name, result, done](std::int32_t& r) {
            entered.push_back(name + "@" + std::to_string(clock.tickCount()));
            r = result;
            if (done) machine.ActionDone = true;
        };
    }
    TStateNode::Action end() {
        return [this](std::int32_t& r) {
            entered.push_back("END@" + std::to_string(clock.tickCount()));
            r = 0;
            machine.Stop();
        };
    }

    platform::VirtualClock clock;
    TStateMach machine;
    std::vector<std::string> entered;
};

TEST_F(StateMachine, ChainMovesOneStatePerTickAtMost) {
    ASSERT_TRUE(LoadChain(machine, {
        {0, "A", step("A"), 1000, 1, 3},
        {1, "B", step("B"), 1000, 2, 3},
        {2, "C", step("C"), 1000, 4, 3},
        {3, "Err", step("Err"), NoLimit, 4, 4},
        {4, "END", end(), NoLimit, NoTarget, NoTarget},
    }));
    machine.Start(0);
    clock.advance(1000);
    EXPECT_EQ(entered, (std::vector<std::string>{"A@0", "B@100", "C@200", "END@300"}));
    EXPECT_TRUE(machine.IsIdle());
    EXPECT_FALSE(machine.TimerRunning());
    EXPECT_EQ(machine.Current(), -1);
}

TEST_F(StateMachine, ReplyThatNeverComesLeavesAfterTheStatesOwnLimit) {
    // "GTIM" waits for a completion that never arrives (the reply time-out is 10 s).
    ASSERT_TRUE(LoadChain(machine, {
        {0, "GTIM", step("GTIM", 0, false), 2000, 2, 1},
        {1, "Err", step("Err"), NoLimit, 2, 2},
        {2, "END", end(), NoLimit, NoTarget, NoTarget},
    }));
    machine.Start(0);
    clock.advance(1999);
    EXPECT_EQ(machine.Current(), 0);
    clock.advance(1);
    EXPECT_EQ(machine.Current(), 1);
    EXPECT_EQ(machine.ExitCodeOf(0), ExitTimeLimit);
    clock.advance(100);
    EXPECT_EQ(entered, (std::vector<std::string>{"GTIM@0", "Err@2000", "END@2100"}));
}

TEST_F(StateMachine, ActionThatCannotStartTakesTheFailureTargetOnceItsWorkIsDone) {
    // A command refused at once is followed by no completion: only the limit moves it on.
    ASSERT_TRUE(LoadChain(machine, {
        {0, "S_VP", step("S_VP", -9, false), 1000, 1, 2},
        {1, "SNAV", step("SNAV"), 1000, 3, 2},
        {2, "Err", step("Err"), NoLimit, 3, 3},
        {3, "END", end(), NoLimit, NoTarget, NoTarget},
    }));
    machine.Start(0);
    EXPECT_EQ(machine.Status(0), -1);
    clock.advance(1200);
    EXPECT_EQ(entered, (std::vector<std::string>{"S_VP@0", "Err@1000", "END@1100"}));

    // When the failed action marks its work done itself, the next tick takes the failure target.
    entered.clear();
    ASSERT_TRUE(LoadChain(machine, {
        {0, "S_VP", step("S_VP", -7, true), 1000, 1, 2},
        {1, "SNAV", step("SNAV"), 1000, 3, 2},
        {2, "Err", step("Err"), NoLimit, 3, 3},
        {3, "END", end(), NoLimit, NoTarget, NoTarget},
    }));
    machine.Start(0);
    clock.advance(300);
    EXPECT_EQ(entered, (std::vector<std::string>{"S_VP@1200", "Err@1300", "END@1400"}));
}

TEST_F(StateMachine, GoToOutsideAllowedIsRefusedAndTheMachineStays) {
    EXPECT_EQ(machine.GoTo(1), 5);  // stopped
    ASSERT_TRUE(LoadChain(machine, {
        {0, "A", step("A", 0, false), NoLimit, 1, 1},
        {1, "B", step("B", 0, false), NoLimit, 2, 2},
        {2, "C", step("C", 0, false), NoLimit, NoTarget, NoTarget},
    }));
    machine.Start(0);
    EXPECT_EQ(machine.GoTo(2), 2);
    EXPECT_EQ(machine.Current(), 0);
    EXPECT_TRUE(machine.Allowed(0).test(1));
    EXPECT_EQ(machine.GoTo(1), 0);
    EXPECT_EQ(machine.Current(), 1);
    EXPECT_FALSE(machine.Allowed(7).any());  // beyond the list: empty
    EXPECT_EQ(machine.SuccessNext(7), 0);
}

TEST_F(StateMachine, SuccessTargetNotAllowedFallsToTheFailureTarget) {
    machine.AddState("A", States({2}), step("A"), 1000, 2, 1);  // success target 1 not allowed
    machine.AddState("B", States({}), step("B", 0, false), NoLimit, 1, 1);
    machine.AddState("C", States({}), step("C", 0, false), NoLimit, 2, 2);
    machine.Start(0);
    clock.advance(100);
    EXPECT_EQ(machine.Current(), 2);
    EXPECT_EQ(machine.ExitCodeOf(0), ExitNotAllowed);
}

TEST_F(StateMachine, StartOnAnEmptyListDoesNothing) {
    machine.Start(0);
    EXPECT_FALSE(machine.TimerRunning());
    EXPECT_EQ(machine.Current(), -1);
    EXPECT_TRUE(machine.IsIdle());
}

// A clock whose tick count the test sets; its timers never fire on their own.
class SetClock : public platform::Clock {
public:
    std::uint32_t tick = 0;
    std::uint32_t tickCount() const override { return tick; }
    std::unique_ptr<platform::Timer> createTimer(platform::TimerKind kind, platform::TimerCallback cb) override {
        return idle.createTimer(kind, std::move(cb));
    }
    void delay(std::uint32_t) override {}
    platform::VirtualClock idle;
};

TEST_F(StateMachine, AllBitsLimitNeverExpiresAndZeroDisablesTheCheck) {
    SetClock clock;
    clock.tick = 0xFFFFF000u;
    TStateMach m(clock);
    m.AddState("Wait", States({1}), [](std::int32_t& r) { r = 0; }, NoLimit, 1, 1);
    m.AddState("Never", States({}), [](std::int32_t& r) { r = 0; }, 0, 1, 1);
    m.Start(0);
    clock.tick += 0xFFFFFFFEu;  // one millisecond short of the longest measurable stay
    m.Tick();
    EXPECT_EQ(m.Current(), 0);
    EXPECT_EQ(m.GoTo(1), 0);
    clock.tick += 0xFFFFFFFFu;
    m.Tick();
    EXPECT_EQ(m.Current(), 1);
}

TEST_F(StateMachine, LimitAcrossTheTickCountWrapExpiresOnTime) {
    platform::VirtualClock wrapping(0xFFFFFF00u);
    TStateMach m(wrapping);
    m.AddState("Wait", States({1}), [](std::int32_t& r) { r = 0; }, 1000, 1, 1);
    m.AddState("Next", States({}), [](std::int32_t& r) { r = 0; }, 0, 1, 1);
    m.Start(0);
    wrapping.advance(900);
    EXPECT_EQ(m.Current(), 0);
    wrapping.advance(100);
    EXPECT_EQ(m.Current(), 1);
}

TEST_F(StateMachine, SuccessTargetRetargetedWhileRunningEndsALoop) {
    bool keepGoing = true;
    int passes = 0;
    ASSERT_TRUE(LoadChain(machine, {
        {0, "Cond", [&](std::int32_t& r) {
             ++passes;
             if (!keepGoing) machine.SetSuccessNext(0, 2);
             r = 0;
             machine.ActionDone = true;
         }, NoLimit, 1, 2},
        {1, "Work", step("Work"), 1000, 0, 2},
        {2, "END", end(), NoLimit, NoTarget, NoTarget},
    }));
    machine.Start(0);
    clock.advance(1000);  // Cond at 0, 200, ... 1000; Work in between
    EXPECT_EQ(passes, 6);
    keepGoing = false;
    clock.advance(300);  // Work at 1100, the last Cond at 1200, END at 1300
    EXPECT_TRUE(machine.IsIdle());
    EXPECT_EQ(passes, 7);
}

TEST_F(StateMachine, StopFromInsideAnActionIsSafe) {
    // Entering writes the state's status after its action returns: the state must still
    // exist then (the sanitizer build catches it if not).
    machine.AddState("Only", States({}), [this](std::int32_t& r) {
        machine.Stop();
        r = 0;
    }, NoLimit, 0, 0);
    machine.Start(0);
    EXPECT_TRUE(machine.IsIdle());
    EXPECT_FALSE(machine.TimerRunning());
    // A new chain can be built and run afterwards.
    ASSERT_TRUE(LoadChain(machine, {{0, "END", end(), NoLimit, NoTarget, NoTarget}}));
    machine.Start(0);
    EXPECT_TRUE(machine.IsIdle());
}

TEST(ChainTable, RowsOutOfOrderOrPointingOutsideAreRefused) {
    platform::VirtualClock clock;
    TStateMach machine(clock);
    auto nothing = [](std::int32_t& r) { r = 0; };
    EXPECT_FALSE(LoadChain(machine, {{1, "A", nothing, 0, NoTarget, NoTarget}}));
    EXPECT_FALSE(LoadChain(machine, {{0, "A", nothing, 0, 5, NoTarget}}));
    EXPECT_TRUE(machine.IsIdle());
    EXPECT_TRUE(LoadChain(machine, {{0, "Lv1", nothing, 2000, 1, 1, {0}}, {1, "END", nothing, 0, NoTarget, NoTarget}}));
    EXPECT_EQ(machine.StateCount(), 2u);
    EXPECT_TRUE(machine.Allowed(0).test(0));
    EXPECT_FALSE(machine.Allowed(1).any());
}

// The switches of a window as a log: "menus off", "controls on", "hourglass on" ...
class SwitchLog : public BusySwitches {
public:
    void SetEnable(bool on) override { log.push_back(std::string("controls ") + (on ? "on" : "off")); }
    void EnableMenuItems(bool on) override { log.push_back(std::string("menus ") + (on ? "on" : "off")); }
    void SetHourglass(bool on) override { log.push_back(std::string("hourglass ") + (on ? "on" : "off")); }
    std::vector<std::string> log;
};

TEST_F(StateMachine, StartingAChainSwitchesTheWindowOffOnlyWhenTheChainRuns) {
    platform::ScriptedDialogs dialogs;
    SwitchLog window;
    auto nothing = [](std::int32_t& r) { r = 0; };

    // A table that does not load leaves the window usable and says so.
    EXPECT_FALSE(StartChain(machine, window, dialogs, {{0, "A", nothing, 1000, 3, 3}}));
    EXPECT_TRUE(window.log.empty());
    EXPECT_TRUE(machine.IsIdle());
    EXPECT_EQ(dialogs.texts(), std::vector<std::string>{ChainNotLoadedMessage});

    dialogs.clear();
    const std::vector<ChainRow> rows{{0, "A", step("A", 0, false), 1000, 1, 1},
                                     {1, "END", end(), NoLimit, NoTarget, NoTarget}};
    ASSERT_TRUE(StartChain(machine, window, dialogs, rows));
    EXPECT_EQ(window.log, (std::vector<std::string>{"menus off", "controls off", "hourglass on"}));
    EXPECT_EQ(entered, std::vector<std::string>{"A@0"});

    // The chain rule: a second chain is refused and the running one goes on.
    EXPECT_FALSE(StartChain(machine, window, dialogs, rows, {false}));
    EXPECT_EQ(dialogs.texts(), std::vector<std::string>{"Another Command Currently Active!"});
    EXPECT_EQ(window.log.size(), 3u);
    EXPECT_EQ(machine.StateCount(), 2u);
}

}  // namespace
}  // namespace instrument
