#pragma once
// Runs a command chain: a list of states, each with an action that starts one piece of
// work, a time limit, and success and failure targets. A 100 ms tick moves the chain on:
// once the current state's work is done (ActionDone) to its success target (or to its
// failure target when the action could not start it), or to its failure target when the
// state's time limit passes first.

#include "platform/clock.h"

#include <bitset>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace instrument {

using StateSet = std::bitset<256>;
StateSet States(std::initializer_list<int> numbers);

// No time limit in a state: the chains give all bits set (about 49.7 days).
inline constexpr std::uint32_t NoLimit = 0xFFFFFFFFu;

enum ExitCode : std::int32_t { ExitSuccess = 0, ExitNotAllowed = 2, ExitActionFailed = 3, ExitTimeLimit = 4 };

struct TStateNode {
    // Called on entry; must set its argument: 0 when it started its work, non-zero when not.
    using Action = std::function<void(std::int32_t& result)>;

    std::string Name;
    StateSet Allowed;
    std::uint32_t EnteredAt = 0;
    std::uint32_t TimeoutMs = 0;  // 0: no check
    bool Active = false;
    std::int32_t Status = 0;  // 0 just entered, 1 work started, -1 action failed
    std::uint8_t SuccessNext = 0;
    std::uint8_t FailNext = 0;
    std::int32_t ExitCode = 0;
    Action Action_;
};

class TStateMach {
public:
    static constexpr std::uint32_t TickMs = 100;
    static constexpr std::size_t MaxStates = 256;

    explicit TStateMach(platform::Clock& clock);
    ~TStateMach();
    TStateMach(const TStateMach&) = delete;
    TStateMach& operator=(const TStateMach&) = delete;

    // Appends a state (numbered in the order added); 0, or 1 when the list is full.
    int AddState(std::string name, const StateSet& allowed, TStateNode::Action action, std::uint32_t timeoutMs,
                 std::uint8_t failNext, std::uint8_t successNext);
    void Start(int first);
    // Ends the chain and discards its states; safe from inside a state's action.
    void Stop();
    bool IsIdle() const { return nodes_.empty(); }
    // 0 moved; 2 `next` is not allowed from the current state; 5 the machine is stopped.
    int GoTo(int next);
    // Ends the current state's wait at once, as its time limit would: the chain goes to
    // the state's failure target (a command state's is the chain's error state). Same
    // codes as GoTo.
    int Abort();

    int Current() const { return current_; }
    std::size_t StateCount() const { return nodes_.size(); }
    std::string Name(int s) const;
    std::uint8_t SuccessNext(int s) const;
    void SetSuccessNext(int s, std::uint8_t next);
    std::uint8_t FailNext(int s) const;
    StateSet Allowed(int s) const;
    std::uint32_t EnteredAt(int s) const;
    std::uint32_t Timeout(int s) const;
    std::int32_t Status(int s) const;
    void SetStatus(int s, std::int32_t status);
    std::int32_t ExitCodeOf(int s) const;
    void SetExitCode(int s, std::int32_t code);
    bool TimerRunning() const;

    // Set by whoever finishes the current state's work; cleared by the machine.
    bool ActionDone = false;

    // One tick of the 100 ms timer (public for tests that drive it by hand).
    void Tick();

private:
    TStateNode* Node(int s) const;
    void Enter(int s);
    void Leave(int s);

    platform::Clock& clock_;
    std::unique_ptr<platform::Timer> timer_;
    // Shared so that a state whose action calls Stop() stays alive until the action returns.
    std::vector<std::shared_ptr<TStateNode>> nodes_;
    int current_ = -1;
};

}  // namespace instrument
