#include "dynaview/datasets/dyn_data_set.h"

#include "dynaview/datasets/single_precision.h"

#include <algorithm>

namespace dynaview {

namespace {

void toSingle(const double* values, int n, float* out) {
    for (int i = 0; i < n; ++i) out[i] = ToSingle(values[i]);
}

}  // namespace

void DynDataSet::storeSample(const double* values) {
    const int copied = std::min(copiedValues(), MaxChannels);
    std::copy_n(current.begin(), copied, previous.begin());
    toSingle(values, channels, current.data());
    history.write(current.data());
}

void DynDataSet::storeBlock(const double* rows, int count) {
    if (count < 1) return;
    std::array<float, MaxChannels> row{};
    for (int r = 0; r < count; ++r) {
        toSingle(rows + static_cast<std::ptrdiff_t>(r) * channels, channels, row.data());
        history.write(row.data());
    }
    const double* last = rows + static_cast<std::ptrdiff_t>(count - 1) * channels;
    if (count >= 2)
        toSingle(last - channels, channels, previous.data());
    else
        std::copy_n(current.begin(), channels, previous.begin());
    toSingle(last, channels, current.data());
}

void DynDataSet::showRow(const double* row) {
    std::copy_n(current.begin(), channels, previous.begin());
    toSingle(row, channels, current.data());
}

void DynDataSet::storeBinary(std::uint32_t value) {
    previousBinary = binary;
    binary = value & 0xFFFFu;
}

}  // namespace dynaview
