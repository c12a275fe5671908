#include "scene/CScene.h"
#include "graph/GraphTestSupport.h"

#include <gtest/gtest.h>

namespace tervane {
namespace {

using testing::Surface;

// A graph whose box is x -2.5..2.5, y -1.5..1.5, z 0..4.
std::shared_ptr<CGraph> BoxGraph(int id) {
    auto g = Surface("x*x*0.64", -2.5f, 2.5f, -1.5f, 1.5f, 2, 2);
    g->SetID(id);
    EXPECT_TRUE(g->GetPoints());
    return g;
}

TEST(CScene, KeepsGraphsInOrderUnderTheirIDs) {
    CScene scene;
    EXPECT_TRUE(scene.Add(BoxGraph(5)));
    EXPECT_TRUE(scene.Add(BoxGraph(2)));
    EXPECT_FALSE(scene.Add(BoxGraph(5))); // the key is taken
    EXPECT_TRUE(scene.Insert(0, BoxGraph(9)));
    ASSERT_EQ(scene.Count(), 3u);
    EXPECT_EQ(scene.FunSurfs()[0]->ID(), 9);
    EXPECT_EQ(scene.IndexOf("2"), 2);
    EXPECT_EQ(scene.Item("5")->ID(), 5);
    EXPECT_EQ(scene.Item("7"), nullptr);
    EXPECT_TRUE(scene.Remove("5"));
    EXPECT_FALSE(scene.Remove("5"));
    EXPECT_EQ(scene.Count(), 2u);
}

TEST(CScene, AnimationWhenAnyGraphIsAnimated) {
    CScene scene;
    EXPECT_FALSE(scene.Animation());
    scene.Add(BoxGraph(1));
    EXPECT_FALSE(scene.Animation());
    auto g = BoxGraph(2);
    g->SetAnimation(true);
    scene.Add(g);
    EXPECT_TRUE(scene.Animation());
}

TEST(CScene, EmptySceneBox) {
    CScene scene;
    const CBox b = scene.GetBox();
    EXPECT_EQ(b.MinX, 9999999.0f);
    EXPECT_EQ(b.MaxX, -9999999.0f);
    EXPECT_NEAR(scene.LabelUnitBase(), 999999.9f, 0.1f);
}

struct BoxCase {
    int sceneKind;
    bool showPI;
    float minX, maxX, minY, maxY;
};

TEST(CScene, BoxIsWidenedAndSnappedInTwoDimensionalKinds) {
    const BoxCase cases[] = {
        {3, false, -2.54f, 2.54f, -1.54f, 1.54f},
        {7, false, -2.54f, 2.54f, -1.54f, 1.54f},
        {1, false, -3, 3, -2, 2},
        {4, false, -3, 3, -2, 2},
        {1, true, -3.1416f, 3.1416f, -2, 2},
    };
    for (const auto& c : cases) {
        CScene scene;
        scene.Add(BoxGraph(1));
        const CBox b = scene.GetBox(0, {c.sceneKind, c.showPI});
        EXPECT_NEAR(b.MinX, c.minX, 1e-5) << c.sceneKind;
        EXPECT_NEAR(b.MaxX, c.maxX, 1e-5) << c.sceneKind;
        EXPECT_NEAR(b.MinY, c.minY, 1e-5) << c.sceneKind;
        EXPECT_NEAR(b.MaxY, c.maxY, 1e-5) << c.sceneKind;
        EXPECT_NEAR(b.MinZ, -0.04f, 1e-5);
        EXPECT_NEAR(b.MaxZ, 4.04f, 1e-5);
        EXPECT_NEAR(scene.LabelUnitBase(), 0.404f, 1e-5);
        EXPECT_NEAR(scene.Extents().MinX, -2.54f, 1e-5); // unsnapped
    }
}

TEST(CScene, LargeLabelUnitsSnapInFives) {
    // Label unit base 3 (largest coordinate 30): s = 6 gives a unit of 10.
    CScene scene;
    auto g = Surface("x", -29.96f, 29.96f, -12, 12, 2, 2);
    ASSERT_TRUE(g->GetPoints());
    scene.Add(g);
    const CBox b = scene.GetBox(0, {1, false});
    EXPECT_NEAR(scene.LabelUnitBase(), 3.0f, 1e-4);
    EXPECT_FLOAT_EQ(b.MaxX, 30.0f);
    EXPECT_FLOAT_EQ(b.MinY, -20.0f);
}

TEST(CScene, GraphsWithoutPointsDoNotChangeTheBox) {
    CScene scene;
    scene.Add(BoxGraph(1));
    auto overlay = BoxGraph(2);
    overlay->SetShowContour(true);
    scene.Add(overlay);
    const CBox b = scene.GetBox();
    EXPECT_NEAR(b.MaxX, 2.54f, 1e-5);
}

} // namespace
} // namespace tervane

#include "scene/ZoomToFit.h"

namespace tervane {
namespace {

TEST(ZoomToFit, FramesTheShownGraphsAndColourMapsByTheirDrawnPlane) {
    CScene scene;
    CView view;
    view.SetScreen(400, 200);
    ZoomToFit(view, scene, 3, false); // nothing shown: the camera stays
    EXPECT_EQ(view.VolHeight(), 40.0f);

    scene.Add(BoxGraph(1)); // x -2.5..2.5, y -1.5..1.5, z 0..4
    // A box scene is fitted with its labels, closer than twice its largest extent.
    ZoomToFit(view, scene, 3, false);
    EXPECT_LT(view.VolHeight(), 2 * 5.08f);
    EXPECT_GT(view.VolHeight(), 3.0f);

    // A colour map is drawn at (X, Z, 0): the camera centres on the X and Z ranges.
    ZoomToFit(view, scene, 7, false);
    EXPECT_NEAR(view.RefPos().x, 0.0f, 1e-6);
    EXPECT_NEAR(view.RefPos().y, 2.0f, 1e-6);
    EXPECT_NEAR(view.RefPos().z, 0.0f, 1e-6);
    EXPECT_NEAR(view.VolHeight(), 2 * 5.08f, 1e-4);
}

} // namespace
} // namespace tervane
