#include "dynaview/datasets/data_set_table.h"

#include "plotbase/error_codes.h"
#include "dynaview/frame/error_texts.h"

#include <cstring>
#include <new>

namespace dynaview {

DataSetTable::Defined DataSetTable::define(const char* name, int channels, const char* units, const char* tags,
                                           int historyLength) {
    if (channels < 1 || channels > MaxChannels || historyLength < 0) return {0, plotbase::InvalidArgument};
    int index = 0;
    for (int i = 1; i <= MaxDataSets && index == 0; ++i)
        if (!slots_[static_cast<std::size_t>(i)]) index = i;
    if (index == 0) return {0, NoFreeDataSet};
    try {
        auto set = std::make_unique<DynDataSet>();
        set->channels = channels;
        set->name = CutText(name, DynDataSet::NameLength);
        if (set->name.empty()) set->name = "Dynamic Data Set # " + std::to_string(index);
        set->units = CutText(units, DynDataSet::UnitsLength);
        if (tags) {
            for (int c = 0; c < channels; ++c) {
                const char* entry = tags + static_cast<std::ptrdiff_t>(c) * DynDataSet::TagSize;
                const std::size_t length = strnlen(entry, DynDataSet::TagSize - 1);
                std::memcpy(set->tags[static_cast<std::size_t>(c)].data(), entry, length);
            }
        }
        if (!set->history.allocate(historyLength, channels)) return {0, plotbase::OutOfMemory};
        slots_[static_cast<std::size_t>(index)] = std::move(set);
    } catch (const std::bad_alloc&) {
        return {0, plotbase::OutOfMemory};
    }
    return {index, 0};
}

bool DataSetTable::free(int index) {
    DynDataSet* set = at(index);
    if (!set || set->referenceCount > 0) return false;
    slots_[static_cast<std::size_t>(index)].reset();
    return true;
}

void DataSetTable::clear() {
    for (auto& slot : slots_) slot.reset();
}

DynDataSet* DataSetTable::at(int index) const {
    if (index < 1 || index > MaxDataSets) return nullptr;
    return slots_[static_cast<std::size_t>(index)].get();
}

int DataSetTable::indexOf(const DynDataSet* set) const {
    if (!set) return 0;
    for (int i = 1; i <= MaxDataSets; ++i)
        if (slots_[static_cast<std::size_t>(i)].get() == set) return i;
    return 0;
}

}  // namespace dynaview
