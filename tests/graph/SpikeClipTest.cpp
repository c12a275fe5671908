#include "GraphTestSupport.h"
#include "graph/CGraph.h"
#include "graph/Sampler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace tervane {
namespace {

using testing::Surface;

struct NodeCase {
    float lo, hi;
    std::uint64_t steps;
};

TEST(GridNode, HitsBothEndsAndTheCentreOfASymmetricRange) {
    const NodeCase cases[] = {{-2, 2, 40},
                              {-3, 3, 30},
                              {-1, 1, 7},
                              {-0.7f, 0.7f, 14},
                              {-3.3f, 3.3f, 66},
                              {0.1f, 0.7f, 3},
                              {-1e-3f, 1e-3f, 1000},
                              {-5, 5, 10000},
                              {-3.14159f, 3.14159f, 62},
                              {2, -2, 40}};
    for (const NodeCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.lo << ".." << c.hi << " in " << c.steps);
        EXPECT_EQ(GridNode(c.lo, c.hi, 0, c.steps), c.lo);
        EXPECT_EQ(GridNode(c.lo, c.hi, c.steps, c.steps), c.hi);
        if (c.lo == -c.hi && c.steps % 2 == 0) {
            EXPECT_EQ(GridNode(c.lo, c.hi, c.steps / 2, c.steps), 0.0f);
        }
        for (std::uint64_t i = 1; i < c.steps; ++i) // strictly monotonic
            ASSERT_NE(GridNode(c.lo, c.hi, i, c.steps), GridNode(c.lo, c.hi, i - 1, c.steps));
    }
}

// 1/z over ranges that put a node on its pole (a hole: no value there, the rest finite and
// bounded by the nearest node) and over ranges that miss it (every point finite).
TEST(GridNode, ThePoleOfOneOverZIsAHoleNotASpike) {
    struct Case {
        float lo, hi;
        int steps;
        bool hole;
    } const cases[] = {{-2, 2, 40, true},  {-3, 3, 30, true},  {-1, 1, 10, true},
                       {-2, 2, 41, false}, {-3, 3, 31, false}, {-1, 2, 40, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.lo << ".." << c.hi << " in " << c.steps);
        auto g = Surface("1/z", c.lo, c.hi, c.lo, c.hi, c.steps, c.steps, kQuantityMagnitude);
        ASSERT_TRUE(g->GetPoints()) << g->LastError();
        const Grid2D& m = g->MagnitudeGrid();
        const std::size_t mid = static_cast<std::size_t>(c.steps) / 2;
        EXPECT_EQ(std::isnan(m(mid, mid)), c.hole);
        // The largest |w| is 1/|z| at the node nearest 0 (0 itself excluded), placed exactly.
        double nearest = 1e30;
        for (int i = 0; i <= c.steps; ++i) {
            for (int j = 0; j <= c.steps; ++j) {
                const double x = c.lo + (static_cast<double>(c.hi) - c.lo) * i / c.steps;
                const double y = c.lo + (static_cast<double>(c.hi) - c.lo) * j / c.steps;
                if (std::hypot(x, y) > 1e-12) nearest = std::min(nearest, std::hypot(x, y));
            }
        }
        EXPECT_NEAR(g->GetExtents().MaxM, 1.0 / nearest, 1e-4 / nearest);
    }
}

// Which sides of the box clipping cuts, and that graphs without outliers keep their box.
TEST(SpikeClip, CutsOnlyOutlyingSides) {
    struct Case {
        const char* function;
        int varZ;
        bool clipsMin, clipsMax;
    } const cases[] = {
        {"z^2", kQuantityMagnitude, false, false},
        {"exp(z)", kQuantityReal, false, false},
        {"sin(z)", kQuantityImaginary, false, false},
        {"1/z", kQuantityMagnitude, false, true},
        {"1/(z-0.0000001)", kQuantityMagnitude, false, true},
        {"1/(z-0.0000001)", kQuantityReal, true, true},
        {"tan(z)", kQuantityMagnitude, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.function);
        auto g = Surface(c.function, -2, 2, -2, 2, 40, 40, c.varZ);
        ASSERT_TRUE(g->GetPoints()) << g->LastError();
        g->SetClipSpikes(false);
        const CBox full = g->GetBox();
        EXPECT_FALSE(g->SpikesClipped());
        g->SetClipSpikes(true);
        const CBox cut = g->GetBox();
        EXPECT_EQ(g->SpikeClip(2).clipsMin, c.clipsMin);
        EXPECT_EQ(g->SpikeClip(2).clipsMax, c.clipsMax);
        EXPECT_FALSE(g->SpikeClip(0).Clips()); // x and y have no outliers
        EXPECT_FALSE(g->SpikeClip(1).Clips());
        EXPECT_EQ(cut.MinX, full.MinX);
        EXPECT_EQ(cut.MaxY, full.MaxY);
        EXPECT_EQ(cut.MinZ == full.MinZ, !c.clipsMin);
        EXPECT_EQ(cut.MaxZ == full.MaxZ, !c.clipsMax);
        if (c.clipsMax) {
            EXPECT_LT(cut.MaxZ - cut.MinZ, (full.MaxZ - full.MinZ) / 1.5f);
        }
    }
}

TEST(SpikeClip, AGraphWithoutValuesHasNoLimits) {
    EXPECT_FALSE(FindSpikeLimits(Grid2D::Constant(3, 3, std::nanf(""))));
    const auto constant = FindSpikeLimits(Grid2D::Constant(3, 3, 2.0f));
    ASSERT_TRUE(constant);
    EXPECT_FALSE(constant->Clips());
}

} // namespace
} // namespace tervane
