#include "dynaview/datasets/history_ring.h"

#include <algorithm>
#include <cstring>

namespace dynaview {

bool HistoryRing::allocate(int rows, int channels) {
    if (rows < 0 || channels < 1) return false;
    if ((static_cast<std::int64_t>(rows) + 1) * channels > MaxValues) return false;
    // One row more than is used, as the record has always had.
    values_.assign((static_cast<std::size_t>(rows) + (rows > 0 ? 1 : 0)) * static_cast<std::size_t>(channels), 0.0f);
    rows_ = rows;
    channels_ = static_cast<std::size_t>(channels);
    write_ = 0;
    wrapped_ = false;
    return true;
}

void HistoryRing::write(const float* row) {
    if (rows_ == 0) return;
    std::memcpy(&values_[static_cast<std::size_t>(write_) * channels_], row, channels_ * sizeof(float));
    if (++write_ >= rows_) {
        write_ = 0;
        wrapped_ = true;
    }
}

void HistoryRing::reset() {
    std::fill(values_.begin(), values_.end(), 0.0f);
    write_ = 0;
    wrapped_ = false;
}

int HistoryRing::read(int channel, double* buffer, int back, int count) const {
    if (rows_ == 0 || !buffer || count < 1 || back < 0 || channel < 0 || static_cast<std::size_t>(channel) >= channels_) return 0;
    int start = 0, n = 0, pad = 0;
    if (wrapped_) {
        const int reach = std::min(back, rows_);
        n = std::min(count, rows_);
        if (count > rows_) pad = count - rows_;
        // Reading forward from `reach` samples back, the newest sample is the last one there is.
        n = std::min(n, reach);
        start = write_ - reach;
        if (start < 0) start += rows_;
    } else {
        start = write_ - std::min(back, write_);
        n = static_cast<int>(std::min<std::int64_t>(std::int64_t{start} + count, write_) - start);
    }
    if (n <= 0) return 0;
    for (int i = 0; i < n; ++i) buffer[pad + i] = value((start + i) % rows_, channel);
    return n;
}

bool HistoryRing::minMax(int channel, double& min, double& max) const {
    const int rows = stored();
    if (rows == 0 || (channel >= 0 && static_cast<std::size_t>(channel) >= channels_)) return false;
    double low = 1e31, high = -1e31;
    for (int r = 0; r < rows; ++r) {
        for (std::size_t c = 0; c < channels_; ++c) {
            if (channel >= 0 && c != static_cast<std::size_t>(channel)) continue;
            const double v = value(r, static_cast<int>(c));
            low = std::min(low, v);
            high = std::max(high, v);
        }
    }
    min = low;
    max = high;
    return true;
}

}  // namespace dynaview
