#include "graph/detail/SystemMemory.h"

#include <fstream>
#include <string>
#include <unistd.h>

namespace tervane::detail {

std::uint64_t AvailableMemoryBytes() {
    // MemAvailable counts reclaimable caches too, which is what an allocation can get.
    std::ifstream meminfo("/proc/meminfo");
    std::string key;
    std::uint64_t kib = 0;
    std::string unit;
    while (meminfo >> key >> kib >> unit) {
        if (key == "MemAvailable:") return kib * 1024;
    }
    const long pages = sysconf(_SC_AVPHYS_PAGES);
    const long size = sysconf(_SC_PAGESIZE);
    if (pages > 0 && size > 0) return static_cast<std::uint64_t>(pages) * size;
    return 0;
}

} // namespace tervane::detail
