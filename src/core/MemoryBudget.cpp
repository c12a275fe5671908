#include "core/MemoryBudget.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <limits>
#include <mutex>
#include <sstream>
#include <string>

namespace tervane {

namespace {

// A cgroup limit this large means "no limit" (v1 writes the largest page-aligned value).
constexpr std::uint64_t kNoGroupLimit = std::uint64_t{1} << 62;

std::optional<std::uint64_t> ReadNumber(const std::string& path) {
    std::ifstream in(path);
    std::string text;
    if (!(in >> text) || text == "max") return std::nullopt;
    try {
        std::size_t used = 0;
        const unsigned long long value = std::stoull(text, &used);
        if (used != text.size()) return std::nullopt;
        return value;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

std::optional<std::uint64_t> MemAvailable() {
    std::ifstream meminfo("/proc/meminfo");
    std::string key, unit;
    std::uint64_t kib = 0;
    while (meminfo >> key >> kib >> unit)
        if (key == "MemAvailable:") return kib * 1024;
    return std::nullopt;
}

// The control group's limit and usage: cgroup v2 (memory.max, memory.current) or v1
// (memory.limit_in_bytes, memory.usage_in_bytes), at the process's own group or the mount's root.
void ReadGroup(MemoryReadings& r) {
    std::ifstream groups("/proc/self/cgroup");
    std::string line, v2Path, v1Path;
    while (std::getline(groups, line)) {
        const auto first = line.find(':');
        const auto second = line.find(':', first + 1);
        if (first == std::string::npos || second == std::string::npos) continue;
        const std::string controllers = line.substr(first + 1, second - first - 1);
        const std::string path = line.substr(second + 1);
        if (line.compare(0, first, "0") == 0 && controllers.empty()) v2Path = path;
        std::stringstream list(controllers);
        for (std::string c; std::getline(list, c, ',');)
            if (c == "memory") v1Path = path;
    }
    const struct {
        std::string limit, usage;
    } candidates[] = {
        {"/sys/fs/cgroup" + v2Path + "/memory.max", "/sys/fs/cgroup" + v2Path + "/memory.current"},
        {"/sys/fs/cgroup/memory.max", "/sys/fs/cgroup/memory.current"},
        {"/sys/fs/cgroup/memory" + v1Path + "/memory.limit_in_bytes",
         "/sys/fs/cgroup/memory" + v1Path + "/memory.usage_in_bytes"},
        {"/sys/fs/cgroup/memory/memory.limit_in_bytes",
         "/sys/fs/cgroup/memory/memory.usage_in_bytes"},
    };
    for (const auto& c : candidates) {
        const auto limit = ReadNumber(c.limit);
        if (!limit || *limit >= kNoGroupLimit) continue;
        r.GroupLimit = limit;
        r.GroupUsage = ReadNumber(c.usage);
        return;
    }
}

void ReadAddressSpace(MemoryReadings& r) {
    rlimit limit{};
    if (getrlimit(RLIMIT_AS, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) return;
    r.AddressSpaceLimit = static_cast<std::uint64_t>(limit.rlim_cur);
    std::ifstream statm("/proc/self/statm");
    std::uint64_t pages = 0;
    const long size = sysconf(_SC_PAGESIZE);
    if (statm >> pages && size > 0) r.AddressSpaceUsed = pages * static_cast<std::uint64_t>(size);
}

} // namespace

std::uint64_t MemoryBudget(const MemoryReadings& r) {
    std::uint64_t budget = std::numeric_limits<std::uint64_t>::max();
    bool known = false;
    auto take = [&](std::uint64_t value) {
        budget = std::min(budget, value);
        known = true;
    };
    auto left = [](std::uint64_t limit, std::optional<std::uint64_t> used) {
        const std::uint64_t u = used.value_or(0);
        return limit > u ? limit - u : 0;
    };
    if (r.SystemAvailable) take(*r.SystemAvailable);
    if (r.GroupLimit) take(left(*r.GroupLimit, r.GroupUsage));
    if (r.AddressSpaceLimit) take(left(*r.AddressSpaceLimit, r.AddressSpaceUsed));
    // A budget of 0 would read as "unknown"; nothing left is one byte.
    return known ? std::max<std::uint64_t>(budget, 1) : 0;
}

MemoryReadings ReadMemory() {
    MemoryReadings r;
    r.SystemAvailable = MemAvailable();
    if (!r.SystemAvailable) {
        const long pages = sysconf(_SC_AVPHYS_PAGES);
        const long size = sysconf(_SC_PAGESIZE);
        if (pages > 0 && size > 0)
            r.SystemAvailable =
                static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(size);
    }
    ReadGroup(r);
    ReadAddressSpace(r);
    return r;
}

std::uint64_t AvailableMemory() {
    // The system's and the control group's figures come from several files, which takes about
    // a tenth of a millisecond: as long as sampling a whole grid of a simple function. They are
    // kept for a moment (and never across a fork); the address-space limit, which a process may
    // lower at any time, is read afresh.
    using Clock = std::chrono::steady_clock;
    constexpr auto kKeep = std::chrono::milliseconds(200);
    static std::mutex lock;
    static MemoryReadings kept;
    static Clock::time_point keptAt;
    static pid_t keptBy = 0;
    MemoryReadings r;
    {
        const std::lock_guard<std::mutex> guard(lock);
        const Clock::time_point now = Clock::now();
        if (keptBy != getpid() || now - keptAt > kKeep) {
            kept = ReadMemory();
            keptAt = now;
            keptBy = getpid();
            return MemoryBudget(kept);
        }
        r = kept;
    }
    r.AddressSpaceLimit.reset();
    r.AddressSpaceUsed.reset();
    ReadAddressSpace(r);
    return MemoryBudget(r);
}

} // namespace tervane
