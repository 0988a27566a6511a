#include "dynaview/frame/timer_table.h"

namespace dynaview {

TimerTable::AddResult TimerTable::add(const TimerEntry& entry) {
    for (const TimerEntry& e : entries())
        if (e.key == entry.key && e.environment == entry.environment && e.graph == entry.graph && e.object == entry.object)
            return AddResult::AlreadyThere;
    if (full()) return AddResult::Full;
    entries_[static_cast<std::size_t>(count_++)] = entry;
    return AddResult::Added;
}

void TimerTable::removeAt(int index) {
    for (int i = index; i + 1 < count_; ++i) entries_[static_cast<std::size_t>(i)] = entries_[static_cast<std::size_t>(i) + 1];
    entries_[static_cast<std::size_t>(--count_)] = TimerEntry{};
}

bool TimerTable::remove(const void* environment, int graph, int object) {
    for (int i = 0; i < count_; ++i) {
        const TimerEntry& e = entries_[static_cast<std::size_t>(i)];
        if (e.environment == environment && e.graph == graph && e.object == object) {
            removeAt(i);
            return true;
        }
    }
    return false;
}

void TimerTable::removeAll(const void* environment, int graph) {
    for (int i = count_ - 1; i >= 0; --i) {
        const TimerEntry& e = entries_[static_cast<std::size_t>(i)];
        if (e.environment == environment && (graph == 0 || e.graph == graph)) removeAt(i);
    }
}

}  // namespace dynaview
