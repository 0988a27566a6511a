#pragma once
// A scrolling graph moves the time labels attached to it on whenever it jumps its window or
// resumes from history view. The graph keeps the slots (up to three labels objects); the
// time-label family says how labels move on, through its FamilyRegistration
// (Family::moveTimeLabels), so the two families do not depend on each other.

#include <array>
#include <cstdint>

namespace plotbase {
struct Graph;
}

namespace dynaview {

struct ObjectPlace;

class TimeLabelSlots {
public:
    static constexpr int capacity = 3;

    // Into the first free slot; false when all three are in use. `identity` is the labels
    // object's (DynObject::identity): the slot holds those labels only, not whatever object
    // takes their index after they are deleted.
    bool attach(int labelsIndex, std::uint64_t identity);
    // Later slots move up by one; false when the labels were not attached.
    bool detach(int labelsIndex);
    bool attached(int labelsIndex) const;
    // Frees the slots whose labels are gone from the graph (deleted, their index possibly
    // taken by another object); later slots move up.
    void prune(const plotbase::Graph& graph);
    // Whether the slot's labels are still the object at its index.
    bool holds(const plotbase::Graph& graph, int slot) const;
    // Object indices in the graph, 0 for a free slot; the used slots come first.
    const std::array<int, capacity>& indices() const { return indices_; }

private:
    void free(int slot);

    std::array<int, capacity> indices_{};
    std::array<std::uint64_t, capacity> identities_{};
};

// Moves every labels object attached to the scrolling graph at `graph` on by delta (in the
// labels' axis unit) and redraws it; passes over slots whose labels are gone; does nothing
// when no family moves time labels.
void MoveTimeLabels(const ObjectPlace& graph, const TimeLabelSlots& slots, double delta);

}  // namespace dynaview
