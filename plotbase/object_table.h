#pragma once
// A graph's object table: objects by 1-based index. A new object takes the lowest free
// slot, so freeing and redefining an object does not make the table grow; when every slot
// is taken the table grows by a fixed step.

#include "plotbase/graph_objects.h"

#include <memory>
#include <vector>

namespace plotbase {

class ObjectTable {
public:
    static constexpr int InitialCapacity = 20;
    static constexpr int GrowthStep = 20;

    ObjectTable() { slots_.reserve(InitialCapacity); }

    // The index of the stored object.
    int insert(std::unique_ptr<GraphObject> object);
    // The object at a 1-based index, or nothing.
    GraphObject* at(int index) const;
    template <typename T>
    T* as(int index, std::int16_t type) const {
        GraphObject* object = at(index);
        return object && object->type == type ? static_cast<T*>(object) : nullptr;
    }
    std::unique_ptr<GraphObject> remove(int index);
    void clear();

    int count() const { return count_; }      // objects held
    int size() const { return static_cast<int>(slots_.size()); }  // highest index in use
    int capacity() const { return capacity_; }

private:
    std::vector<std::unique_ptr<GraphObject>> slots_;
    int count_ = 0;
    int capacity_ = InitialCapacity;
};

}  // namespace plotbase
