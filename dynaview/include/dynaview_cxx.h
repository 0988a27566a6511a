// dynaview for C++ programs that make their own plotbase environment (and for tests):
// handing the environment to dynaview, choosing the clock the update timer runs on, and
// the alarm procedure as a C++ callable. Everything else is the C interface of dynaview.h.
#pragma once

#include "dynaview.h"

#include <functional>

namespace plotbase {
class Environment;
struct Version;
}  // namespace plotbase
namespace platform {
class Clock;
}

namespace dynaview {

// Makes the environment one dynaview accepts (a pointer it was not handed is refused) and
// returns it as the C interface names it. ForgetEnvironment before destroying it.
DVEnvironment* RegisterEnvironment(plotbase::Environment& env);
void ForgetEnvironment(plotbase::Environment& env);
// The environment behind a handle dynaview accepts, else null.
plotbase::Environment* EnvironmentOf(DVEnvironment* env);

// The clock of the update timer and of dvStartTimer (null: the system clock).
void UseClock(platform::Clock* clock);
// The application's alarm procedure in the current environment.
void SetAlarmProcedure(std::function<void(int dataSet, int channel, int kind, double value, int state)> procedure);

// As when the library is loaded: no environments, no timer entries, the system clock.
void ResetLibrary();
// What InitRTTop takes for plotbase's version, and what ends the program after a
// critical error at start-up (by default: the Qt application's event loop ends with 1).
void UsePlotbaseVersion(std::function<plotbase::Version()> version);
void UseProgramEnd(std::function<void()> endProgram);

}  // namespace dynaview
