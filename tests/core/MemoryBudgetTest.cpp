#include "core/MemoryBudget.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace tervane
