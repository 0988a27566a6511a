// The C++ side of the interface (dynaview_cxx.h).

#include "dynaview/include/dynaview_cxx.h"

#include "dynaview/frame/library.h"
#include "dynaview/frame/rt_top.h"
#include "dynaview/frame/update_timer.h"

namespace dynaview {

DVEnvironment* RegisterEnvironment(plotbase::Environment& env) {
    Library::instance().registerEnvironment(env);
    return reinterpret_cast<DVEnvironment*>(&env);
}

void ForgetEnvironment(plotbase::Environment& env) { Library::instance().forgetEnvironment(env); }

plotbase::Environment* EnvironmentOf(DVEnvironment* env) { return Library::instance().environment(env); }

void UseClock(platform::Clock* clock) {
    Library& library = Library::instance();
    library.useClock(clock);
    if (!library.timers.empty()) StartTimer();
}

void SetAlarmProcedure(std::function<void(int, int, int, double, int)> procedure) {
    if (plotbase::Environment* env = Library::instance().current)
        if (RTTop* top = TopOf(*env)) top->alarmProcedure = std::move(procedure);
}

void ResetLibrary() { Library::instance().reset(); }

void UsePlotbaseVersion(std::function<plotbase::Version()> version) { Library::instance().plotbaseVersion = std::move(version); }

void UseProgramEnd(std::function<void()> endProgram) { Library::instance().endProgram = std::move(endProgram); }

}  // namespace dynaview
