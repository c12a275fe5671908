#pragma once

#include <cstdint>
#include <optional>

namespace tervane {

/// What the system says about the memory this process may still take, each part unknown when
/// the system does not tell.
struct MemoryReadings {
    /// MemAvailable of /proc/meminfo: free memory plus reclaimable caches.
    std::optional<std::uint64_t> SystemAvailable;
    /// The memory limit of the process's control group and what the group uses now.
    std::optional<std::uint64_t> GroupLimit;
    std::optional<std::uint64_t> GroupUsage;
    /// RLIMIT_AS (soft) and the address space the process holds now.
    std::optional<std::uint64_t> AddressSpaceLimit;
    std::optional<std::uint64_t> AddressSpaceUsed;
};

/// The smallest of what the readings leave free: the system's available memory, the control
/// group's limit less its usage, the address-space limit less what is mapped. 0 when nothing is
/// known (callers then refuse nothing).
[[nodiscard]] std::uint64_t MemoryBudget(const MemoryReadings& readings);

/// The readings of this process now (Linux /proc and /sys, getrlimit).
[[nodiscard]] MemoryReadings ReadMemory();

/// MemoryBudget(ReadMemory()), with the system's and the control group's figures kept for up to
/// 200 ms between calls (the address-space limit and use are read at every call).
[[nodiscard]] std::uint64_t AvailableMemory();

} // namespace tervane
