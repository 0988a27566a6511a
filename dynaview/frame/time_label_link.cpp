#include "dynaview/frame/time_label_link.h"

#include "dynaview/frame/dyn_object.h"
#include "dynaview/frame/families.h"
#include "dynaview/frame/object_access.h"
#include "plotbase/records.h"

#include <algorithm>

namespace dynaview {

bool TimeLabelSlots::attach(int labelsIndex, std::uint64_t identity) {
    auto free = std::find(indices_.begin(), indices_.end(), 0);
    if (labelsIndex == 0 || free == indices_.end()) return false;
    *free = labelsIndex;
    identities_[static_cast<std::size_t>(free - indices_.begin())] = identity;
    return true;
}

void TimeLabelSlots::free(int slot) {
    for (int i = slot; i + 1 < capacity; ++i) {
        indices_[static_cast<std::size_t>(i)] = indices_[static_cast<std::size_t>(i) + 1];
        identities_[static_cast<std::size_t>(i)] = identities_[static_cast<std::size_t>(i) + 1];
    }
    indices_.back() = 0;
    identities_.back() = 0;
}

bool TimeLabelSlots::detach(int labelsIndex) {
    auto found = std::find(indices_.begin(), indices_.end(), labelsIndex);
    if (labelsIndex == 0 || found == indices_.end()) return false;
    free(static_cast<int>(found - indices_.begin()));
    return true;
}

bool TimeLabelSlots::attached(int labelsIndex) const {
    return labelsIndex != 0 && std::find(indices_.begin(), indices_.end(), labelsIndex) != indices_.end();
}

bool TimeLabelSlots::holds(const plotbase::Graph& graph, int slot) const {
    const auto s = static_cast<std::size_t>(slot);
    if (slot < 0 || slot >= capacity || indices_[s] == 0) return false;
    const auto* object = dynamic_cast<const DynObject*>(graph.objects.at(indices_[s]));
    return object && object->identity == identities_[s];
}

void TimeLabelSlots::prune(const plotbase::Graph& graph) {
    for (int slot = capacity - 1; slot >= 0; --slot)
        if (indices_[static_cast<std::size_t>(slot)] != 0 && !holds(graph, slot)) free(slot);
}

void MoveTimeLabels(const ObjectPlace& graph, const TimeLabelSlots& held, double delta) {
    const plotbase::Graph* g = GraphIfOpen(graph.env, graph.graph);
    if (!g) return;
    for (const Family& family : Families::instance().all()) {
        if (!family.moveTimeLabels) continue;
        for (int slot = 0; slot < TimeLabelSlots::capacity; ++slot)
            if (held.holds(*g, slot)) family.moveTimeLabels(ObjectPlace{graph.env, graph.graph, held.indices()[static_cast<std::size_t>(slot)]}, delta);
        return;
    }
}

std::uint64_t NextObjectIdentity() {
    // Only ever compared for equality; the UI thread makes every object.
    static std::uint64_t next = 0;
    return ++next;
}

}  // namespace dynaview
