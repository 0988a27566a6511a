#include "dynaview/frame/rt_top.h"

#include "dynaview/frame/library.h"
#include "dynaview/frame/update_timer.h"

namespace dynaview {

RTTop::~RTTop() {
    // Objects of this environment no longer refresh on the timer.
    Library::instance().timers.removeAll(&env_);
    StopUpdateTimerWhenIdle();
}

RTTop* TopOf(plotbase::Environment& env) { return dynamic_cast<RTTop*>(env.extension.get()); }

}  // namespace dynaview
