#pragma once
// The update timer's table: up to 200 objects that refresh themselves every so many
// seconds. Entries stay contiguous from the first; an entry names the environment, the
// graph and the object (its index and its record, so that a deleted object whose index was
// reused is not mistaken for the new one) and carries the application's key.

#include <array>
#include <cstdint>
#include <span>

namespace dynaview {

struct TimerEntry {
    std::uint32_t key = 0;
    const void* environment = nullptr;
    int graph = 0;
    int object = 0;
    const void* record = nullptr;
};

class TimerTable {
public:
    static constexpr int Capacity = 200;
    enum class AddResult { Added, AlreadyThere, Full };

    // An entry with the same key, environment, graph and object is not added twice.
    AddResult add(const TimerEntry& entry);
    // Removes the object's entry (the key is not compared); later entries move up by one.
    bool remove(const void* environment, int graph, int object);
    // Removes every entry of an environment, or of one of its graphs (graph 0: all).
    void removeAll(const void* environment, int graph = 0);
    void clear() { count_ = 0; }

    std::span<const TimerEntry> entries() const { return {entries_.data(), static_cast<std::size_t>(count_)}; }
    int size() const { return count_; }
    bool empty() const { return count_ == 0; }
    bool full() const { return count_ == Capacity; }

private:
    void removeAt(int index);

    std::array<TimerEntry, Capacity> entries_{};
    int count_ = 0;
};

// Whether an object last updated at second `last` with the given period is due at second
// `now` (whole seconds of the wrapping tick count): when the period has passed, or when
// the tick count has wrapped since.
constexpr bool TimerDue(std::uint32_t now, std::uint32_t last, std::uint32_t period) {
    return period <= now - last || now < last;
}

}  // namespace dynaview
