#include "dynaview/timeaxis/time_axis_state.h"

#include "plotbase/environment.h"
#include "plotbase/graph_objects.h"

namespace dynaview {

void TimeAxisState::markTimeAxis(int graph, int index, const plotbase::GraphObject* axis, int unit) {
    axes_[{graph, index}] = Entry{axis, unit};
}

std::optional<int> TimeAxisState::unitOf(const plotbase::Environment& env, int graph, int index) const {
    const auto found = axes_.find({graph, index});
    if (found == axes_.end()) return std::nullopt;
    const plotbase::Graph* g = env.graph(graph);
    if (!g || g->objects.at(index) != found->second.axis) return std::nullopt;
    return found->second.unit;
}

TimeAxisState* TimeAxisStateOf(plotbase::Environment& env) {
    RTTop* top = TopOf(env);
    return top ? &top->familyState<TimeAxisState>("timeaxis") : nullptr;
}

std::optional<int> TimeAxisUnit(plotbase::Environment& env, int graph, int index) {
    const TimeAxisState* state = TimeAxisStateOf(env);
    return state ? state->unitOf(env, graph, index) : std::nullopt;
}

}  // namespace dynaview
