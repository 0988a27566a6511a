#pragma once
// A dynamic data set: the one place an application puts live values. Up to 32 analog
// channels (the latest sample and the one before it), an optional history ring, a 16-bit
// word of binary channels, name, units and per-channel tags, and the alarm definition.

#include "dynaview/alarms/alarm_block.h"
#include "dynaview/datasets/history_ring.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>

namespace dynaview {

constexpr int MaxChannels = 32;
constexpr int MaxDataSets = 199;  // indices 1..199
// An XY data set holds pairs in its current and previous values: 16 channels at most.
constexpr int MaxXYChannels = 16;

// Present while the data set is fed by the data link (the link writes its values itself).
struct DdeLinkCell {
    std::int32_t autoUpdate = 0;
};

class DynDataSet {
public:
    static constexpr std::size_t NameLength = 41;
    static constexpr std::size_t UnitsLength = 10;
    static constexpr std::size_t TagSize = 16;
    using Tag = std::array<char, TagSize>;  // NUL-terminated, at most 15 characters

    int channels = 1;
    int referenceCount = 0;  // dynamic objects bound to it
    std::string name;
    std::unique_ptr<DdeLinkCell> ddeLink;
    std::array<float, MaxChannels> current{};
    std::array<float, MaxChannels> previous{};
    HistoryRing history;
    std::string units;
    bool xy = false;
    AlarmBlock alarm;
    std::array<Tag, MaxChannels> tags{};
    std::uint32_t binary = 0;
    std::uint32_t previousBinary = 0;

    // A new sample (`channels` values): the current values become the previous ones, the
    // sample the current ones, and it goes into the history.
    void storeSample(const double* values);
    // `count` rows of `channels` values into the history, oldest first; the latest row
    // becomes the current values and the one before it the previous values.
    void storeBlock(const double* rows, int count);
    // Sets the current values (and the previous ones from the current) from one row, as an
    // object that takes a block row by row sees them.
    void showRow(const double* row);
    // The binary word: the previous word keeps the old one; only the low 16 bits are kept.
    void storeBinary(std::uint32_t value);
    // Marks the data set as one an XY graph shows (pairs of channels); refused for more
    // than 16 channels, whose pairs would not fit the current and previous values.
    bool markXY() {
        if (channels > MaxXYChannels) return false;
        xy = true;
        return true;
    }
    // How many values the current/previous copy of an update covers.
    int copiedValues() const { return xy ? 2 * channels : channels; }
};

}  // namespace dynaview
