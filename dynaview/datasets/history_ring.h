#pragma once
// A data set's history: N rows of one value per channel, written one row per sample at the
// write index, which goes back to 0 at N (the ring is then "wrapped"). Unwrapped, rows 0
// to W - 1 hold the W samples so far, oldest first; wrapped, the oldest row is the one at
// the write index and the newest the row before it.

#include <cstdint>
#include <vector>

namespace dynaview {

class HistoryRing {
public:
    // The most values (rows times channels) a ring may hold: 256 MB of samples.
    static constexpr std::int64_t MaxValues = std::int64_t{1} << 26;

    // Makes an empty ring of `rows` rows (0: no history). False when it would be larger
    // than MaxValues; throws std::bad_alloc when the memory is not there.
    bool allocate(int rows, int channels);

    int length() const { return rows_; }  // N
    bool enabled() const { return rows_ > 0; }
    int writeIndex() const { return write_; }
    bool wrapped() const { return wrapped_; }
    // The rows that hold samples: N once wrapped, else W.
    int stored() const { return wrapped_ ? rows_ : write_; }

    void write(const float* row);
    float value(int row, int channel) const { return values_[static_cast<std::size_t>(row) * channels_ + static_cast<std::size_t>(channel)]; }
    // Empties the ring (zeroes it, write index 0, not wrapped).
    void reset();

    // Up to `count` samples of a channel, oldest first, starting `back` samples before the
    // write index, into buffer (room for `count` values). A read never passes the newest
    // sample. When more samples are asked of a wrapped ring than it holds, they are placed
    // at the end of the buffer (from position count - N) and the first positions are left
    // alone. Returns how many were written.
    int read(int channel, double* buffer, int back, int count) const;
    // Minimum and maximum of a channel (all channels for a negative one) over the stored
    // rows; false when none is stored.
    bool minMax(int channel, double& min, double& max) const;

private:
    std::vector<float> values_;
    int rows_ = 0;
    std::size_t channels_ = 1;
    int write_ = 0;
    bool wrapped_ = false;
};

}  // namespace dynaview
