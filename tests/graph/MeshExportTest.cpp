#include "graph/MeshExport.h"
#include "GraphTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <set>
#include <sstream>

namespace tervane {
namespace {

using testing::Surface;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::shared_ptr<CGraph> Sampled(std::shared_ptr<CGraph> g) {
    EXPECT_TRUE(g->GetPoints()) << g->LastError();
    return g;
}

TEST(MeshExport, PlyLeavesOutCellsAroundUndefinedPoints) {
    // 1/z on a 4 x 4 grid: z = 0 is the middle point, so its four cells go.
    auto g = Sampled(Surface("1/z", -1, 1, -1, 1, 4, 4));
    std::ostringstream out;
    const auto counts = MeshExport::WritePly({g}, out);
    EXPECT_EQ(counts.triangles, 24u);
    EXPECT_EQ(counts.vertices, 24u); // 25 points less the undefined one
    const auto lines = Lines(out.str());
    ASSERT_GT(lines.size(), 14u);
    EXPECT_EQ(lines[0], "ply");
    EXPECT_EQ(lines[3], "element vertex 24");
    EXPECT_EQ(lines[13], "element face 24");
    const std::size_t header = 16;
    ASSERT_EQ(lines.size(), header + 24 + 24);
    EXPECT_EQ(lines[header - 1], "end_header");
    for (std::size_t k = header; k < header + 24; ++k) {
        EXPECT_EQ(lines[k].find("nan"), std::string::npos) << lines[k];
        EXPECT_EQ(std::count(lines[k].begin(), lines[k].end(), ' '), 8) << lines[k];
    }
    for (std::size_t k = header + 24; k < lines.size(); ++k) {
        std::istringstream face(lines[k]);
        int n, a, b, c;
        face >> n >> a >> b >> c;
        EXPECT_EQ(n, 3);
        for (int v : {a, b, c})
            EXPECT_TRUE(v >= 0 && v < 24) << lines[k];
    }
}

TEST(MeshExport, ObjGivesEachGraphAGroupAndAMaterial) {
    auto a = Sampled(Surface("z^2", -1, 1, -1, 1, 2, 2));
    auto b = Sampled(Surface("exp(z)", -1, 1, -1, 1, 3, 1));
    b->SetID(2);
    b->SetNameS("my map");
    b->SetMaterial(4);
    b->SetGraphType(kGraphColorMap);
    ASSERT_TRUE(b->GetPoints());
    std::ostringstream obj, mtl;
    const auto counts = MeshExport::WriteObj({a, b}, obj, mtl, "scene.mtl");
    EXPECT_EQ(counts.vertices, 9u + 8u);
    EXPECT_EQ(counts.triangles, 8u + 6u);
    const std::string text = obj.str();
    EXPECT_NE(text.find("mtllib scene.mtl\n"), std::string::npos);
    EXPECT_NE(text.find("o graph1_Untitled\ng graph1_Untitled\n"), std::string::npos);
    EXPECT_NE(text.find("o graph2_my_map\ng graph2_my_map\n"), std::string::npos);
    EXPECT_NE(text.find("usemtl graph1_Untitled_r"), std::string::npos);
    EXPECT_NE(text.find("usemtl graph2_my_map_r"), std::string::npos);
    // The second graph's preset (material 4) reaches its materials; the first has none.
    const std::string materials = mtl.str();
    const std::size_t first = materials.find("newmtl graph1_Untitled_r");
    const std::size_t second = materials.find("newmtl graph2_my_map_r");
    ASSERT_NE(second, std::string::npos);
    EXPECT_EQ(materials.find("\nKa ", second), materials.find('\n', second));
    EXPECT_EQ(materials.find("\nKd ", first), materials.find('\n', first));
    // Faces of the second graph number its vertices after the first graph's nine.
    const auto lines = Lines(text);
    int faces = 0;
    for (const auto& line : lines) {
        if (line.rfind("f ", 0) != 0) continue;
        ++faces;
        std::istringstream in(line.substr(2));
        std::string corner;
        while (in >> corner) {
            const int v = std::stoi(corner);
            EXPECT_TRUE(v >= 1 && v <= 17) << line;
        }
    }
    EXPECT_EQ(faces, 14);
    // The colour map lies flat: every vertex of graph 2 has z = 0.
    bool inMap = false;
    for (const auto& line : lines) {
        if (line.rfind("o ", 0) == 0) inMap = line == "o graph2_my_map";
        if (inMap && line.rfind("v ", 0) == 0) {
            std::istringstream in(line.substr(2));
            double x, y, z;
            in >> x >> y >> z;
            EXPECT_EQ(z, 0.0) << line;
        }
    }
}

// Every line of the OBJ and MTL is a standard statement, and each face's material carries the
// mean PLY colour of the same face's corners, within one quantisation step.
TEST(MeshExport, ObjFaceMaterialsCarryThePlyColoursInStandardStatements) {
    const std::set<std::string> objWords = {"#", "mtllib", "o", "g", "v", "vn", "usemtl", "f"};
    const std::set<std::string> mtlWords = {"#", "newmtl", "Ka", "Kd", "Ks", "Ns", "d"};
    const double step = 1.0 / 31.0;
    struct Case {
        std::string function;
        int material;
        bool flat, transparent;
    };
    for (const Case& c : {Case{"z^2", 0, false, false}, Case{"1/z", 4, false, true},
                          Case{"exp(z)", 2, true, false}}) {
        SCOPED_TRACE(c.function);
        auto g = Surface(c.function, -1, 1, -1, 1, 6, 5, kQuantityMagnitude);
        g->SetMaterial(c.material);
        if (c.flat) g->SetGraphType(kGraphColorMap);
        g->SetShowTrans(c.transparent);
        Sampled(g);
        std::ostringstream ply, obj, mtl;
        MeshExport::WritePly({g}, ply);
        const auto counts = MeshExport::WriteObj({g}, obj, mtl, "m.mtl");

        std::vector<std::array<double, 3>> plyColour;
        const auto plyLines = Lines(ply.str());
        const std::size_t header = 16;
        for (std::size_t k = header; k < header + counts.vertices; ++k) {
            std::istringstream in(plyLines.at(k));
            double skip, r, gr, b;
            for (int n = 0; n < 6; ++n)
                in >> skip;
            in >> r >> gr >> b;
            plyColour.push_back({r / 255, gr / 255, b / 255});
        }

        std::map<std::string, std::array<double, 3>> kd;
        std::string current;
        for (const auto& line : Lines(mtl.str())) {
            if (line.empty()) continue;
            std::istringstream in(line);
            std::string word;
            in >> word;
            EXPECT_TRUE(mtlWords.count(word)) << line;
            if (word == "newmtl") in >> current;
            if (word == "Kd") in >> kd[current][0] >> kd[current][1] >> kd[current][2];
        }

        std::size_t faces = 0;
        std::string material;
        for (const auto& line : Lines(obj.str())) {
            std::istringstream in(line);
            std::string word;
            in >> word;
            EXPECT_TRUE(objWords.count(word)) << line;
            if (word == "v") {
                EXPECT_EQ(std::count(line.begin(), line.end(), ' '), 3) << line;
            }
            if (word == "usemtl") {
                in >> material;
                ASSERT_TRUE(kd.count(material)) << line;
            }
            if (word != "f") continue;
            ++faces;
            ASSERT_FALSE(material.empty()) << "a face before any usemtl";
            std::array<double, 3> mean{};
            std::string corner;
            while (in >> corner) {
                const auto& rgb = plyColour.at(std::stoul(corner) - 1);
                for (int ch = 0; ch < 3; ++ch)
                    mean[ch] += rgb[ch] / 3;
            }
            for (int ch = 0; ch < 3; ++ch)
                EXPECT_NEAR(kd[material][ch], mean[ch], step) << line << " in " << material;
        }
        EXPECT_EQ(faces, counts.triangles);
        EXPECT_GT(kd.size(), 1u) << "faces of different colours share one material";
        EXPECT_EQ(mtl.str().find("\nd ") != std::string::npos, c.transparent);
    }
}

TEST(MeshExport, KindsWithoutSurfacesExportNothing) {
    auto g = Sampled(Surface("z", -1, 1, -1, 1, 2, 2));
    g->SetGraphType(kGraphVectorField);
    std::ostringstream out;
    const auto counts = MeshExport::WritePly({g}, out);
    EXPECT_EQ(counts.vertices, 0u);
    EXPECT_NE(out.str().find("element face 0\n"), std::string::npos);
}

} // namespace
} // namespace tervane
