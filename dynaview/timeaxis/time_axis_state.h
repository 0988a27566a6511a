#pragma once
// What the time-axis family keeps per environment: the time unit of each time axis
// (plotbase's axis has no room for it), and the one flag that keeps labels from being drawn
// while other labels are being drawn.

#include "dynaview/frame/rt_top.h"

#include <map>
#include <optional>
#include <utility>

namespace plotbase {
class GraphObject;
}

namespace dynaview {

class TimeAxisState : public FamilyState {
public:
    bool busy = false;

    // Marks the axis at the index as a time axis of the unit.
    void markTimeAxis(int graph, int index, const plotbase::GraphObject* axis, int unit);
    // The unit of the time axis at the index; nothing for an axis that is not one (also
    // one put at the index of a time axis deleted since).
    std::optional<int> unitOf(const plotbase::Environment& env, int graph, int index) const;

private:
    struct Entry {
        const plotbase::GraphObject* axis;  // compared, never followed
        int unit;
    };
    std::map<std::pair<int, int>, Entry> axes_;
};

// The family's state in the environment, or null without an extension.
TimeAxisState* TimeAxisStateOf(plotbase::Environment& env);
// The unit of the time axis at the index (nothing when it is no time axis).
std::optional<int> TimeAxisUnit(plotbase::Environment& env, int graph, int index);

}  // namespace dynaview
