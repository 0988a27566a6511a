#include "plotbase/object_table.h"

namespace plotbase {

int ObjectTable::insert(std::unique_ptr<GraphObject> object) {
    for (std::size_t i = 0; i < slots_.size(); ++i) {
        if (!slots_[i]) {
            slots_[i] = std::move(object);
            ++count_;
            return static_cast<int>(i) + 1;
        }
    }
    if (size() == capacity_) {
        capacity_ += GrowthStep;
        slots_.reserve(static_cast<std::size_t>(capacity_));
    }
    slots_.push_back(std::move(object));
    ++count_;
    return size();
}

GraphObject* ObjectTable::at(int index) const {
    if (index < 1 || index > size()) return nullptr;
    return slots_[static_cast<std::size_t>(index) - 1].get();
}

std::unique_ptr<GraphObject> ObjectTable::remove(int index) {
    if (!at(index)) return nullptr;
    auto object = std::move(slots_[static_cast<std::size_t>(index) - 1]);
    --count_;
    while (!slots_.empty() && !slots_.back()) slots_.pop_back();
    return object;
}

void ObjectTable::clear() {
    slots_.clear();
    count_ = 0;
}

}  // namespace plotbase
