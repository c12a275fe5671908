#include "graph/SurfaceMesh.h"
#include "GraphTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tervane {
namespace {

using testing::Surface;

// Samples, boxes and meshes a graph as drawing does.
struct Meshed {
    std::shared_ptr<CGraph> graph;
    std::unique_ptr<SurfaceMesh> mesh;
};

Meshed Mesh(std::shared_ptr<CGraph> g) {
    EXPECT_TRUE(g->GetPoints()) << g->LastError();
    g->GetBox();
    auto mesh = std::make_unique<SurfaceMesh>(*g);
    return {std::move(g), std::move(mesh)};
}

TEST(SurfaceMesh, FlatPlaneColouredByXIsARampWithOneNormal) {
    auto g = Surface("1", -1, 1, -1, 1, 4, 3);
    g->SetColorR(kQuantityX);
    auto [graph, mesh] = Mesh(g);
    ASSERT_EQ(mesh->SizeU(), 5u);
    for (std::size_t i = 0; i <= 4; ++i) {
        for (std::size_t j = 0; j <= 3; ++j) {
            EXPECT_DOUBLE_EQ(mesh->Color(i, j)[0], static_cast<double>(i) / 4.0);
            const auto& n = mesh->VertexNormal(i, j);
            EXPECT_NEAR(std::fabs(n[2]), 1.0, 1e-12); // the plane z = 1
            if (i < 4 && j < 3) {
                EXPECT_EQ(mesh->FaceNormal(i, j), mesh->FaceNormal(0, 0));
                EXPECT_NEAR(n[2], mesh->FaceNormal(0, 0)[2], 1e-12);
            }
        }
    }
}

TEST(SurfaceMesh, CollinearCornersGiveAZeroFaceNormal) {
    // All points on the line x = y: every cell is degenerate.
    auto g = Surface("0", 0, 1, 0, 1, 2, 2);
    g->SetVarY(kQuantityX);
    auto [graph, mesh] = Mesh(g);
    for (double c : mesh->FaceNormal(0, 0))
        EXPECT_EQ(c, 0.0);
    for (double c : mesh->VertexNormal(1, 1))
        EXPECT_EQ(c, 0.0);
}

TEST(SurfaceMesh, ClosedTubeSharesItsSeamNormals) {
    // exp(y) is cos y + i sin y (y stands for y·i): over y in [0, 2π] the points
    // (u, v, x) form a tube whose first and last rows coincide.
    auto g = Surface("exp(y)", 0, 2, 0, 6.2831853f, 4, 16);
    g->SetVarX(kQuantityReal);
    g->SetVarY(kQuantityImaginary);
    g->SetVarZ(kQuantityX);
    auto [graph, mesh] = Mesh(g);
    EXPECT_TRUE(mesh->ClosedAlongJ());
    EXPECT_FALSE(mesh->ClosedAlongI());
    for (std::size_t i = 0; i <= 4; ++i) {
        const auto& a = mesh->VertexNormal(i, 0);
        const auto& b = mesh->VertexNormal(i, 16);
        for (int k = 0; k < 3; ++k)
            EXPECT_DOUBLE_EQ(a[k], b[k]);
        // The seam normal points outward like its neighbours: radially in the u-v plane.
        EXPECT_NEAR(std::hypot(a[0], a[1]), 1.0, 0.02);
    }
}

TEST(SurfaceMesh, InvalidPointsOpenAHoleWithoutSpoilingNeighbours) {
    auto g = Surface("1/z", -1, 1, -1, 1, 4, 4);
    auto [graph, mesh] = Mesh(g);
    // The point (2, 2) is z = 0: the four cells around it are left out.
    EXPECT_FALSE(mesh->CellValid(1, 1));
    EXPECT_FALSE(mesh->CellValid(2, 2));
    EXPECT_TRUE(mesh->CellValid(0, 0));
    EXPECT_EQ(mesh->ValidCells(), 12u);
    for (std::size_t i = 0; i <= 4; ++i)
        for (std::size_t j = 0; j <= 4; ++j)
            for (double c : mesh->VertexNormal(i, j))
                EXPECT_TRUE(std::isfinite(c));
}

TEST(SurfaceMesh, AChannelWithoutRangeIsDark) {
    auto g = Surface("0", -1, 1, -1, 1, 2, 2);
    g->SetColorR(kQuantityMagnitude); // |w| is 0 everywhere
    g->SetColorG(8);                  // selects no quantity
    auto [graph, mesh] = Mesh(g);
    EXPECT_EQ(mesh->Red().range, 0.0);
    for (std::size_t i = 0; i <= 2; ++i) {
        EXPECT_EQ(mesh->Color(i, 1)[0], 0.0);
        EXPECT_EQ(mesh->Color(i, 1)[1], 0.0);
    }
}

} // namespace
} // namespace tervane
