#include "GraphTestSupport.h"
#include "graph/CGraph.h"

#include <gtest/gtest.h>

namespace tervane {
namespace {

using testing::Surface;

constexpr float kReset = 9999999.0f;

void ExpectBox(const CBox& b, float minX, float maxX, float minY, float maxY, float minZ,
               float maxZ, const char* what) {
    EXPECT_FLOAT_EQ(b.MinX, minX) << what;
    EXPECT_FLOAT_EQ(b.MaxX, maxX) << what;
    EXPECT_FLOAT_EQ(b.MinY, minY) << what;
    EXPECT_FLOAT_EQ(b.MaxY, maxY) << what;
    EXPECT_FLOAT_EQ(b.MinZ, minZ) << what;
    EXPECT_FLOAT_EQ(b.MaxZ, maxZ) << what;
}

TEST(GetBox, ExactExtentOfThePlotGrids) {
    auto g = Surface("z^2", -2, 2, -1, 1, 4, 2);
    ASSERT_TRUE(g->GetPoints());
    const CBox b = g->GetBox();
    ExpectBox(b, -2, 2, -1, 1, -1, 4, "z^2");
    EXPECT_EQ(g->GetBox(), b); // extents are reset each time
    EXPECT_EQ(g->GetExtents().MaxZ, 4.0f);
    EXPECT_EQ(g->GetExtents().MinX, -2.0f);
}

TEST(GetBox, FlatSurfaceHasZeroHeight) {
    auto g = Surface("0", -1, 1, -1, 1, 2, 2);
    ASSERT_TRUE(g->GetPoints());
    const CBox b = g->GetBox();
    EXPECT_EQ(b.MaxZ, 0.0f);
    EXPECT_EQ(b.MinZ, 0.0f);
}

TEST(GetBox, OverlaysOnASurfaceTakeNoPointButNotOnAColourMap) {
    auto surface = Surface("z", -1, 1, -1, 1, 2, 2);
    surface->SetShowContour(true);
    ASSERT_TRUE(surface->GetPoints());
    ExpectBox(surface->GetBox(), kReset, -kReset, kReset, -kReset, kReset, -kReset, "overlay");

    auto map = Surface("z", -1, 1, -1, 1, 2, 2);
    map->SetGraphType(kGraphColorMap);
    map->SetShowContour(true);
    ASSERT_TRUE(map->GetPoints());
    ExpectBox(map->GetBox(), -1, 1, -1, 1, -1, 1, "colour map");
}

TEST(GetBox, InvalidPointsAreLeftOut) {
    auto g = Surface("1/z", -1, 1, -1, 1, 2, 2);
    ASSERT_TRUE(g->GetPoints());
    const CBox b = g->GetBox();
    EXPECT_FLOAT_EQ(b.MaxZ, 1.0f);
    EXPECT_FLOAT_EQ(b.MinZ, -1.0f);
}

TEST(GetBox, UnsampledGraphGivesAnEmptyBox) {
    auto g = Surface("z", -1, 1, -1, 1, 2, 2);
    ExpectBox(g->GetBox(), kReset, -kReset, kReset, -kReset, kReset, -kReset, "unsampled");
}

TEST(GetBox, KindsKnownOnlyToDocuments) {
    struct Case {
        int kind, coord, form;
        float minU, maxU, minV, maxV;
        CBox expected;
    };
    const Case cases[] = {
        // Two-dimensional kinds span the domain, stretched to the origin.
        {20, 3, 1, 1, 3, -2, -1, {0, 3, -2, 0, 0, 0}},
        {0, 3, 4, -1, 2, 1, 5, {-1, 2, 0, 5, 0, 0}},
        // The shared box of kind 32 and of kinds 0/9 over coordinate form 2.
        {32, 3, 2, 1, 3, 1, 3, {0, 0, 0, 0, 0, 0}},
        {9, 2, 1, 1, 3, 1, 3, {0, 0, 0, 0, 0, 0}},
        // Kind 4 only stretches the reset box to the origin.
        {4, 3, 2, 1, 3, 1, 3, {0, 0, 0, 0, kReset, -kReset}},
        // Curves and surfaces by rotation take no point.
        {21, 3, 2, 1, 3, 1, 3, {kReset, -kReset, kReset, -kReset, kReset, -kReset}},
        // The point kind without a sampled point: the unit cube.
        {8, 3, 2, 1, 3, 1, 3, {-1, 1, -1, 1, -1, 1}},
    };
    for (const auto& c : cases) {
        CGraph g;
        g.SetGraphType(c.kind);
        g.SetCoordType(c.coord);
        g.SetFunForm(c.form);
        g.SetMinU(c.minU);
        g.SetMaxU(c.maxU);
        g.SetMinV(c.minV);
        g.SetMaxV(c.maxV);
        const std::string what = "kind " + std::to_string(c.kind);
        ExpectBox(g.GetBox(), c.expected.MinX, c.expected.MaxX, c.expected.MinY, c.expected.MaxY,
                  c.expected.MinZ, c.expected.MaxZ, what.c_str());
    }
}

} // namespace
} // namespace tervane
