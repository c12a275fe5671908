#include "GraphTestSupport.h"
#include "graph/MeshExport.h"
#include "graph/SurfaceMesh.h"

#include <gtest/gtest.h>

#include <array>
#include <sstream>
#include <string>
#include <vector>

namespace tervane {
namespace {

using testing::Surface;
using Vec3 = std::array<double, 3>;

Vec3 Cross(const Vec3& a, const Vec3& b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

double Dot(const Vec3& a, const Vec3& b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

// The face normal of the plane Z = X over increasing x and y is (−1, 0, 1)/√2: the side the
// surface is lit from. A sign flip anywhere in the normal's formula changes it.
TEST(MeshNormals, FaceNormalOfAPlanePointsOneWay) {
    auto g = Surface("z", -1, 1, -1, 1, 2, 2, kQuantityReal);
    ASSERT_TRUE(g->GetPoints());
    g->GetBox();
    const SurfaceMesh mesh(*g);
    for (std::size_t i = 0; i < 2; ++i) {
        for (std::size_t j = 0; j < 2; ++j) {
            const auto& n = mesh.FaceNormal(i, j);
            EXPECT_NEAR(n[0], -0.70710678, 1e-6);
            EXPECT_NEAR(n[1], 0.0, 1e-6);
            EXPECT_NEAR(n[2], 0.70710678, 1e-6);
        }
    }
}

// Exported triangles turn the way their normals point (so that programs which derive the
// facing from the winding agree), and colour maps face up (+z), also over reversed ranges.
TEST(MeshNormals, ExportedFacesAgreeWithTheirNormals) {
    struct Case {
        const char* function;
        float minU, maxU;
        bool colourMap;
    } const cases[] = {{"z^2", -1, 1, false},
                       {"exp(z)", -1, 1, true},
                       {"sin(z)", 1, -1, true},
                       {"z", 1, -1, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.function);
        // A colour map lies over its X and Z quantities: x and y.
        auto g = Surface(c.function, c.minU, c.maxU, -1, 1, 4, 3,
                         c.colourMap ? kQuantityY : kQuantityReal);
        if (c.colourMap) g->SetGraphType(kGraphColorMap);
        ASSERT_TRUE(g->GetPoints());
        std::ostringstream out;
        MeshExport::WritePly({g}, out);
        std::istringstream in(out.str());
        std::string line;
        std::size_t vertices = 0, faces = 0;
        while (std::getline(in, line) && line != "end_header") {
            std::istringstream words(line);
            std::string a, b;
            words >> a >> b;
            if (a == "element" && b == "vertex") words >> vertices;
            if (a == "element" && b == "face") words >> faces;
        }
        ASSERT_GT(faces, 0u);
        std::vector<Vec3> p(vertices), n(vertices);
        for (std::size_t k = 0; k < vertices; ++k) {
            int r, gr, b;
            in >> p[k][0] >> p[k][1] >> p[k][2] >> n[k][0] >> n[k][1] >> n[k][2] >> r >> gr >> b;
        }
        for (std::size_t f = 0; f < faces; ++f) {
            std::size_t count, a, b, d;
            in >> count >> a >> b >> d;
            ASSERT_EQ(count, 3u);
            const Vec3 turn = Cross({p[b][0] - p[a][0], p[b][1] - p[a][1], p[b][2] - p[a][2]},
                                    {p[d][0] - p[a][0], p[d][1] - p[a][1], p[d][2] - p[a][2]});
            for (std::size_t k : {a, b, d}) {
                EXPECT_GT(Dot(turn, n[k]), 0.0) << "face " << f;
                if (c.colourMap) {
                    EXPECT_EQ(n[k], (Vec3{0, 0, 1}));
                }
            }
        }
    }
}

} // namespace
} // namespace tervane
