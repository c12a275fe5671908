#pragma once

#include <cstddef>
#include <stdexcept>

namespace tervane::detail {

/// Rejects an index outside 0..size-1 the way every indexed property does.
inline std::size_t CheckedIndex(int index, std::size_t size) {
    if (index < 0 || static_cast<std::size_t>(index) >= size) {
        throw std::out_of_range("Subscript out of range");
    }
    return static_cast<std::size_t>(index);
}

} // namespace tervane::detail
