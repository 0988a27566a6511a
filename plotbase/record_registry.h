#pragma once
// The validity test for records handed back by callers: every live record (graphs, objects,
// and the records of libraries built on plotbase) is registered by address while it lives.
// A test compares addresses only and never reads through the pointer, so a stale or
// foreign pointer is answered safely.

#include <unordered_set>

namespace plotbase {

class RecordRegistry {
public:
    void add(const void* record) {
        if (record) live_.insert(record);
    }
    void remove(const void* record) { live_.erase(record); }
    bool isValid(const void* record) const { return record && live_.count(record) != 0; }
    std::size_t size() const { return live_.size(); }

private:
    std::unordered_set<const void*> live_;
};

}  // namespace plotbase
