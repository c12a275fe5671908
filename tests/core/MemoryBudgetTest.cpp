#include "core/MemoryBudget.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tervane {
namespace {

TEST(MemoryBudget, TakesTheSmallestOfWhatEachLimitLeaves) {
    constexpr std::uint64_t G = 1ull << 30;
    const struct {
        MemoryReadings readings;
        std::uint64_t budget;
    } cases[] = {
        {{}, 0}, // nothing known: nothing is refused
        {{8 * G, {}, {}, {}, {}}, 8 * G},
        {{8 * G, 2 * G, G / 2, {}, {}}, 2 * G - G / 2}, // control group
        {{8 * G, {}, {}, 3 * G, G}, 2 * G},             // address-space limit
        {{8 * G, 4 * G, G, 3 * G, 2 * G}, G},           // the smallest wins
        {{8 * G, 2 * G, 3 * G, {}, {}}, 1},             // group over its limit
        {{{}, {}, {}, 3 * G, {}}, 3 * G},               // usage unknown
    };
    for (const auto& c : cases)
        EXPECT_EQ(MemoryBudget(c.readings), c.budget);
}

TEST(MemoryBudget, ThisProcessHasABudget) {
    EXPECT_GT(AvailableMemory(), 0u);
}

TEST(MemoryBudget, ALoweredAddressSpaceLimitCountsAtOnce) {
    // The system's figures are kept between calls (not across a fork), the address-space limit
    // is not kept: lowered right after a reading, it bounds the next budget.
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer maps terabytes of shadow memory: an address-space limit "
                    "leaves it no room to allocate";
#endif
    const std::uint64_t before = AvailableMemory();
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (AvailableMemory() == 0) _exit(3); // the child's own reading, now kept
        const MemoryReadings now = ReadMemory();
        const std::uint64_t used = now.AddressSpaceUsed.value_or(0);
        const std::uint64_t room = 64u << 20;
        const rlimit limit{used + room + (256u << 20), used + room + (256u << 20)};
        if (setrlimit(RLIMIT_AS, &limit) != 0) _exit(2);
        _exit(AvailableMemory() <= room + (256u << 20) ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "budget before: " << before;
}

} // namespace
} // namespace tervane
