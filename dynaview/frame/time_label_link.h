#pragma once
// A scrolling graph moves the time labels attached to it on whenever it jumps its window or
// resumes from history view. The graph keeps the slots (up to three labels objects); the
// time-label family says how labels move on, through its FamilyRegistration
// (Family::moveTimeLabels), so the two families do not depend on each other.

#include <array>

namespace dynaview {

struct ObjectPlace;

class TimeLabelSlots {
public:
    static constexpr int capacity = 3;

    // Into the first free slot; false when all three are in use.
    bool attach(int labelsIndex);
    // Later slots move up by one; false when the labels were not attached.
    bool detach(int labelsIndex);
    bool attached(int labelsIndex) const;
    // Object indices in the graph, 0 for a free slot; the used slots come first.
    const std::array<int, capacity>& indices() const { return indices_; }

private:
    std::array<int, capacity> indices_{};
};

// Moves every labels object attached to the scrolling graph at `graph` on by delta (in the
// labels' axis unit) and redraws it; does nothing when no family moves time labels.
void MoveTimeLabels(const ObjectPlace& graph, const TimeLabelSlots& slots, double delta);

}  // namespace dynaview
