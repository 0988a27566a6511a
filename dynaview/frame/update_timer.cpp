#include "dynaview/frame/update_timer.h"

#include "dynaview/frame/dyn_errors.h"
#include "dynaview/frame/error_texts.h"
#include "dynaview/frame/library.h"
#include "dynaview/frame/object_access.h"
#include "platform/clock.h"
#include "plotbase/error_codes.h"

#include <limits>
#include <vector>

namespace dynaview {

namespace {

void reportNoTimers(std::string_view text) {
    if (plotbase::Environment* env = Library::instance().current) ReportDynError(*env, NoFreeTimers, 2, text);
}

std::uint32_t nowSeconds(platform::Clock* clock) { return clock ? clock->tickCount() / 1000u : 0u; }

}  // namespace

int StartTimer() {
    Library& library = Library::instance();
    if (library.updateTimer && library.updateTimer->isActive()) return 1;
    platform::Clock* clock = library.clock();
    if (!clock) {
        reportNoTimers({});
        return 0;
    }
    if (!library.updateTimer)
        library.updateTimer = clock->createTimer(platform::TimerKind::Periodic, [clock] { TimerTick(clock->tickCount()); });
    library.updateTimer->start(1000);
    return 1;
}

int StopTimer() {
    // Stopped, not destroyed: this may run inside the timer's own tick.
    Library& library = Library::instance();
    const bool running = library.updateTimer && library.updateTimer->isActive();
    if (running) library.updateTimer->stop();
    return running ? 1 : 0;
}

void StopUpdateTimerWhenIdle() {
    if (Library::instance().timers.empty()) StopTimer();
}

void TimerTick(std::uint32_t tickMs) {
    Library& library = Library::instance();
    const std::uint32_t now = tickMs / 1000u;
    // A copy: an update may change the table.
    const std::vector<TimerEntry> entries(library.timers.entries().begin(), library.timers.entries().end());
    for (const TimerEntry& entry : entries) {
        plotbase::Environment* env = library.environment(entry.environment);
        plotbase::Graph* graph = env ? GraphIfOpen(*env, entry.graph) : nullptr;
        if (!graph || graph->objects.at(entry.object) != entry.record) {
            // Its object went without being taken off the table.
            library.timers.remove(entry.environment, entry.graph, entry.object);
            continue;
        }
        auto* object = static_cast<DynObject*>(graph->objects.at(entry.object));
        if (!TimerDue(now, object->lastUpdate, object->period)) continue;
        object->lastUpdate = now;
        if (object->enabled && object->hasUpdateProcedure()) object->update(ObjectPlace{*env, entry.graph, entry.object});
    }
    StopUpdateTimerWhenIdle();
}

void RegisterTimerUpdate(plotbase::Environment& env, int graph, int index, int period) {
    DynObject* object = FindDynObject(env, graph, index);
    if (!object) return;
    if (!object->timerRefreshed()) {
        ReportWrongType(env, *object, " - SetObjTimeUpdate");
        return;
    }
    if (period < 0 || period > std::numeric_limits<std::uint16_t>::max()) {
        ReportDynError(env, plotbase::InvalidArgument, 2, " - SetObjTimeUpdate");
        return;
    }
    Library& library = Library::instance();
    object->period = static_cast<std::uint16_t>(period);
    // Due at the next tick.
    object->lastUpdate = nowSeconds(library.clock()) - object->period;
    const bool wasEmpty = library.timers.empty();
    switch (library.timers.add({env.applicationKey, &env, graph, index, object})) {
    case TimerTable::AddResult::Added:
        if (wasEmpty) StartTimer();
        break;
    case TimerTable::AddResult::AlreadyThere:
        break;
    case TimerTable::AddResult::Full:
        // Said once; again only after the table has had room in between.
        if (!library.timerTableFullReported) {
            library.timerTableFullReported = true;
            ReportDynError(env, NoFreeTimers, 2, " (200 objects update on the timer) - SetObjTimeUpdate");
        }
        break;
    }
}

void UnregisterTimerUpdate(plotbase::Environment& env, int graph, int index) {
    Library& library = Library::instance();
    if (library.timers.remove(&env, graph, index)) library.timerTableFullReported = false;
    StopUpdateTimerWhenIdle();
}

}  // namespace dynaview
