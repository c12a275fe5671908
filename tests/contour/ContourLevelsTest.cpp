#include "contour/detail/ContourLevels.h"
#include "contour/detail/ContourColour.h"

#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>
#include <vector>

namespace tervane::detail {
namespace {

std::vector<float> LevelList(const std::vector<float>& z, int lngLevel) {
    std::vector<float> list;
    ComputeLevels(z, lngLevel).ForEach([&](int, float level) { list.push_back(level); });
    return list;
}

TEST(ContourLevels, RangeOfTheFiniteSamplesOnly) {
    constexpr float nan = std::numeric_limits<float>::quiet_NaN();
    constexpr float inf = std::numeric_limits<float>::infinity();
    EXPECT_EQ(LevelList({nan, 1, inf, 3, -inf}, 2), (std::vector<float>{1, 2, 3}));
    // Extremes beyond ±1e8 are still the samples' own.
    EXPECT_EQ(LevelList({2e8f, 3e8f}, 1), (std::vector<float>{2e8f, 3e8f}));
    EXPECT_EQ(LevelList({-3e8f, -2e8f}, 1), (std::vector<float>{-3e8f, -2e8f}));
    EXPECT_THROW(ComputeLevels(std::vector<float>{0, 1}, 0), std::domain_error);
}

TEST(ContourLevels, CountedInSinglePrecision) {
    // 0.1f added ten times overshoots 1, so the top level is not reached.
    const std::vector<float> tenths = LevelList({0, 1}, 10);
    ASSERT_EQ(tenths.size(), 10u);
    EXPECT_EQ(tenths[3], 0.1f + 0.1f + 0.1f);
    // 1e7 + 0.001 rounds back to 1e7: the sequence must still end.
    const std::vector<float> stuck = LevelList({1e7f, 1e7f + 1.0f}, 1000);
    ASSERT_FALSE(stuck.empty());
    for (std::size_t k = 1; k < stuck.size(); ++k)
        EXPECT_GT(stuck[k], stuck[k - 1]);
}

TEST(ContourColour, SplitAndGrade) {
    EXPECT_EQ(SplitColor(0x804020), (ContourRgb{32 / 255.0, 64 / 255.0, 128 / 255.0}));
    const ContourRgb first{1, 0, 0.5};
    const ContourRgb second{0, 1, 0.5};
    EXPECT_EQ(LevelColour(4, 2, 6, 0, first, second), (ContourRgb{0.5, 0.5, 0.5}));
    EXPECT_EQ(LevelColour(3, 3, 3, 0, first, second), second) << "constant field";
}

} // namespace
} // namespace tervane::detail
