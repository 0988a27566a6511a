#pragma once
// The one-second update timer and its table: objects that refresh themselves every so
// many seconds (alarm lines, dynamic grids), on the platform clock.

#include <cstdint>

namespace plotbase {
class Environment;
}

namespace dynaview {

// Starts the timer when none runs. 1, or 0 after reporting "No free timers" (no clock).
int StartTimer();
// Stops it; 1 when one ran.
int StopTimer();
// Stops it when the table has become empty.
void StopUpdateTimerWhenIdle();
// One tick at the given tick count (milliseconds): every due object is updated.
void TimerTick(std::uint32_t tickMs);

// Registers the object (period in seconds) so that it is updated at the next tick and
// then every period; refuses other types through plotbase's wrong-object-type report.
void RegisterTimerUpdate(plotbase::Environment& env, int graph, int object, int period);
// Removes the object's entry.
void UnregisterTimerUpdate(plotbase::Environment& env, int graph, int object);

}  // namespace dynaview
