#pragma once

#include <cstdint>

namespace tervane::detail {

/// Bytes of memory the system can still give this process (0 when unknown).
std::uint64_t AvailableMemoryBytes();

} // namespace tervane::detail
