#include "document/RootMarks.h"
#include "document/Document.h"
#include "graph/GraphPresets.h"

#include <gtest/gtest.h>

namespace tervane {
namespace {

std::shared_ptr<CGraph> Plot(const std::string& function, std::int32_t kind = kGraphSurface,
                             int steps = 31) {
    GraphRecipe recipe;
    recipe.Function = function;
    recipe.Name = "g";
    recipe.MinU = recipe.MinV = -3;
    recipe.MaxU = recipe.MaxV = 3;
    recipe.StepU = recipe.StepV = steps; // 31: no node on the pole at −2
    recipe.Axes = {kQuantityX, kQuantityMagnitude, kQuantityY};
    return kind == kGraphSurface ? MakeSurfaceGraph(recipe) : MakeColorMapGraph(recipe);
}

TEST(RootMarks, TheShownGraphsAreSearchedListedAndMarked) {
    Document doc;
    ASSERT_TRUE(doc.AddGraph(Plot("(z-1)^2/(z+2)")).Ok());
    ASSERT_TRUE(doc.AddGraph(Plot("exp(z)", kGraphColorMap)).Ok());
    const std::vector<GraphRoots>& roots = doc.ShownRoots();
    ASSERT_EQ(roots.size(), 2u);
    ASSERT_EQ(roots[0].Result.Roots.size(), 2u);
    EXPECT_TRUE(roots[1].Result.Roots.empty());
    EXPECT_EQ(&doc.ShownRoots(), &roots); // kept while nothing changed

    const std::string report = RootsReport(roots);
    EXPECT_NE(report.find("pole of order 1 at z = -2 + 0i"), std::string::npos) << report;
    EXPECT_NE(report.find("zero of order 2 at z = 1 + 0i"), std::string::npos) << report;
    EXPECT_NE(report.find("none found"), std::string::npos) << report;

    // Marks: the zero on the floor of the box at (1, 0), the pole at the top above (−2, 0).
    const CBox box = doc.ShownGraphs().FunSurfs()[0]->GetBox();
    const std::vector<CMarker> marks = RootMarkers(roots);
    ASSERT_EQ(marks.size(), 2u);
    EXPECT_EQ(marks[0].Color, kPoleMarkColor);
    EXPECT_FLOAT_EQ(marks[0].x, -2.0f);
    EXPECT_FLOAT_EQ(marks[0].y, box.MaxY);
    EXPECT_EQ(marks[1].Color, kZeroMarkColor);
    EXPECT_NEAR(marks[1].x, 1.0f, 1e-4);
    EXPECT_FLOAT_EQ(marks[1].y, box.MinY); // |w| = 0, on the floor of the box
    EXPECT_NEAR(marks[1].z, 0.0f, 1e-4);

    // A node on the pole (30 steps): the pole is found all the same. On the grid's border
    // (x = -3) it is not searched: a grey mark where it is, as high as a pole's.
    Document hit;
    ASSERT_TRUE(hit.AddGraph(Plot("(z-1)^2/(z+2)", kGraphSurface, 30)).Ok());
    const std::vector<CMarker> hitMarks = RootMarkers(hit.ShownRoots());
    ASSERT_EQ(hitMarks.size(), 2u);
    EXPECT_EQ(hitMarks[0].Color, kPoleMarkColor);
    EXPECT_NEAR(hitMarks[0].x, -2.0f, 1e-4);
    Document border;
    ASSERT_TRUE(border.AddGraph(Plot("(z-1)^2/(z+3)", kGraphSurface, 30)).Ok());
    const CBox borderBox = border.ShownGraphs().FunSurfs()[0]->GetBox();
    const std::vector<CMarker> borderMarks = RootMarkers(border.ShownRoots());
    ASSERT_EQ(borderMarks.size(), 2u);
    EXPECT_EQ(borderMarks[0].Color, kZeroMarkColor);
    EXPECT_EQ(borderMarks[1].Color, kNoValueMarkColor);
    EXPECT_NEAR(borderMarks[1].x, -2.9f, 1e-4);
    EXPECT_FLOAT_EQ(borderMarks[1].y, borderBox.MaxY);
    EXPECT_NEAR(borderMarks[1].z, 0.0f, 1e-4);
    // This box is far taller than wide: the marks are sized to its height, not its width.
    ASSERT_GT(borderBox.MaxY - borderBox.MinY, 4 * (borderBox.MaxX - borderBox.MinX));
    EXPECT_NEAR(borderMarks[1].Size * 0.05f + 0.05f, 0.01f * (borderBox.MaxY - borderBox.MinY),
                1e-3);

    // A colour map is drawn flat at (X, Z, 0): its marks lie there, 4 % of its side across,
    // however tall its |w| range.
    Document map;
    ASSERT_TRUE(map.AddGraph(Plot("(z-1)^2/(z+2)", kGraphColorMap)).Ok());
    const std::vector<CMarker> mapMarks = RootMarkers(map.ShownRoots());
    ASSERT_EQ(mapMarks.size(), 2u);
    const float expectedX[] = {-2.0f, 1.0f};
    for (int k = 0; k < 2; ++k) {
        EXPECT_NEAR(mapMarks[k].x, expectedX[k], 1e-4);
        EXPECT_NEAR(mapMarks[k].y, 0.0f, 1e-4);
        EXPECT_EQ(mapMarks[k].z, 0.0f);
        EXPECT_NEAR(mapMarks[k].Size * 0.05f + 0.05f, 0.02f * 6, 1e-4);
    }

    // A branch point: listed and marked in its own colour, as low as a zero.
    Document cut;
    ASSERT_TRUE(cut.AddGraph(Plot("z^1.5")).Ok());
    const std::vector<CMarker> cutMarks = RootMarkers(cut.ShownRoots());
    ASSERT_EQ(cutMarks.size(), 1u);
    EXPECT_EQ(cutMarks[0].Color, kSingularMarkColor);
    EXPECT_NEAR(cutMarks[0].x, 0.0f, 0.1f);
    EXPECT_NE(RootsReport(cut.ShownRoots()).find("branch cut or essential singularity near z = "),
              std::string::npos);

    // A changed function is searched again.
    doc.ShownGraphs().FunSurfs()[0]->SetExpressZ("z");
    ASSERT_TRUE(doc.ShownGraphs().FunSurfs()[0]->GetPoints());
    ASSERT_EQ(doc.ShownRoots()[0].Result.Roots.size(), 1u);
    EXPECT_EQ(doc.ShownRoots()[0].Result.Roots[0].Order, 1);
}

} // namespace
} // namespace tervane
