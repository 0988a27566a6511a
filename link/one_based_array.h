#pragma once
// A fixed array indexed from 1, as the instrument numbers its reply words.

#include <array>
#include <cstddef>
#include <stdexcept>

namespace instrument {

template <class T, std::size_t N>
struct OneBasedArray {
    std::array<T, N> values{};

    T& operator[](std::size_t k) { return values.at(k - 1); }
    const T& operator[](std::size_t k) const { return values.at(k - 1); }
    static constexpr std::size_t size() { return N; }
};

}  // namespace instrument
