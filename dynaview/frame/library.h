#pragma once
// What dynaview keeps for the whole process, as a library does once it is loaded: the
// environments it may be handed (an environment pointer from a caller is accepted only if
// it is one of them), the current environment, the one-second update timer with its table,
// the clock it runs on, and the error box guard. ResetLibrary() puts everything back as it
// is at load (for tests).

#include "dynaview/frame/timer_table.h"
#include "plotbase/operations_setup.h"

#include <functional>
#include <memory>
#include <set>

namespace platform {
class Clock;
class Timer;
}  // namespace platform

namespace dynaview {

class Library {
public:
    static Library& instance();

    // Environments handed to dynaview: accepted until forgotten. Comparing addresses only,
    // never reading through an unknown pointer.
    void registerEnvironment(plotbase::Environment& env);
    void forgetEnvironment(const plotbase::Environment& env);
    plotbase::Environment* environment(const void* handle) const;

    plotbase::Environment* current = nullptr;

    TimerTable timers;
    bool timerTableFullReported = false;
    std::unique_ptr<platform::Timer> updateTimer;
    // The clock the update timer runs on: the one given, or the system's (once there is a
    // Qt application); null when there is neither.
    platform::Clock* clock();
    void useClock(platform::Clock* clock);

    bool errorBoxOpen = false;
    // plotbase's version as InitRTTop sees it, and the end of the program after InitRTTop
    // failed (replaceable for tests).
    std::function<plotbase::Version()> plotbaseVersion;
    std::function<void()> endProgram;

    void reset();

private:
    Library();
    std::set<const void*> environments_;
    platform::Clock* clock_ = nullptr;
    std::unique_ptr<platform::Clock> systemClock_;
};

}  // namespace dynaview
