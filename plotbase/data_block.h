#pragma once
// The memory blocks that hold a data set's x and y values. A block is shared: the caller
// that filled it and every data set defined on it hold it, and it goes away with the last
// of them, so one x block may serve several data sets and freeing one set never pulls the
// values from under another.

#include <cstddef>
#include <memory>
#include <vector>

namespace plotbase {

using DoubleBlock = std::shared_ptr<std::vector<double>>;

// A zero-filled block of n values; nothing for a negative n.
inline DoubleBlock AllocateBlock(int n) {
    if (n < 0) return nullptr;
    return std::make_shared<std::vector<double>>(static_cast<std::size_t>(n), 0.0);
}

}  // namespace plotbase
