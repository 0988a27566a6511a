#pragma once
// The alarm check run on each update of a data set whose check is switched on: every
// channel against the defined limits, calling the application's alarm procedure on each
// change of state, in the order Rate, High, High-high, Low, Low-low, Deviation.

#include <functional>

namespace dynaview {

class DynDataSet;

// Called as (channel, kind, value, state); returns false when the data set has gone (the
// application's procedure freed it), and the check then stops at once.
using AlarmCall = std::function<bool(int channel, int kind, double value, int state)>;

void RunAlarmCheck(DynDataSet& set, const AlarmCall& call);

}  // namespace dynaview
