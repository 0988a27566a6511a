#include "dynaview/frame/time_label_link.h"

#include "dynaview/frame/dyn_object.h"
#include "dynaview/frame/families.h"

#include <algorithm>

namespace dynaview {

bool TimeLabelSlots::attach(int labelsIndex) {
    auto free = std::find(indices_.begin(), indices_.end(), 0);
    if (free == indices_.end()) return false;
    *free = labelsIndex;
    return true;
}

bool TimeLabelSlots::detach(int labelsIndex) {
    auto found = std::find(indices_.begin(), indices_.end(), labelsIndex);
    if (labelsIndex == 0 || found == indices_.end()) return false;
    std::move(found + 1, indices_.end(), found);
    indices_.back() = 0;
    return true;
}

bool TimeLabelSlots::attached(int labelsIndex) const {
    return labelsIndex != 0 && std::find(indices_.begin(), indices_.end(), labelsIndex) != indices_.end();
}

void MoveTimeLabels(const ObjectPlace& graph, const TimeLabelSlots& slots, double delta) {
    for (const Family& family : Families::instance().all()) {
        if (!family.moveTimeLabels) continue;
        for (int labels : slots.indices())
            if (labels != 0) family.moveTimeLabels(ObjectPlace{graph.env, graph.graph, labels}, delta);
        return;
    }
}

}  // namespace dynaview
