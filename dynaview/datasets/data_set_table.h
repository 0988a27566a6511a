#pragma once
// The data sets of an environment, by index 1 to 199 (a null slot is free).

#include "dynaview/datasets/dyn_data_set.h"

#include <array>
#include <memory>

namespace dynaview {

class DataSetTable {
public:
    struct Defined {
        int index = 0;  // 0: refused
        int error = 0;  // the error number when refused
    };
    // The first free slot from 1: channels 1..32, historyLength 0 or more. The name is cut
    // to 41 characters (null or empty: "Dynamic Data Set # <index>"), the units to 10, each
    // tag to 15; tags are `channels` entries of 16 bytes when given.
    Defined define(const char* name, int channels, const char* units, const char* tags, int historyLength);
    // Refused while objects are bound to it.
    bool free(int index);
    // Frees every data set, bound or not.
    void clear();

    DynDataSet* at(int index) const;
    // The index of a record, 0 for one that is not in the table.
    int indexOf(const DynDataSet* set) const;

private:
    std::array<std::unique_ptr<DynDataSet>, MaxDataSets + 1> slots_;  // slot 0 unused
};

}  // namespace dynaview
