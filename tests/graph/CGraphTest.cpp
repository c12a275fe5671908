#include "graph/CGraph.h"
#include "GraphTestSupport.h"

#include <gtest/gtest.h>

namespace tervane {
namespace {

TEST(CGraph, InitialValues) {
    const CGraph g;
    EXPECT_EQ(g.ID(), 0);
    EXPECT_EQ(g.StepU(), 1);
    EXPECT_EQ(g.StepV(), 1);
    EXPECT_EQ(g.Show(), 3);
    EXPECT_EQ(g.Smoothness(), 3);
    EXPECT_EQ(g.PointColor(), 255);
    EXPECT_EQ(g.PointSize(), 1.0f);
    EXPECT_FALSE(g.PointHollow());
    EXPECT_FALSE(g.Animation());
    EXPECT_TRUE(g.ExpressZ().empty());
}

TEST(CGraph, InitReturnsANewGraphAndLeavesItsCallerAlone) {
    CGraph base;
    base.SetNameS("base");
    auto g = base.Init(7, "name", 13, 3, "x", "y", "exp(z)", 20, 30, -1, 1, -2, 2, 4, 255, 0, 66, 2,
                       5, 2, 1, true, false, true, 12);
    ASSERT_NE(g.get(), &base);
    EXPECT_EQ(base.NameS(), "base");
    EXPECT_EQ(base.ID(), 0);
    EXPECT_EQ(g->ID(), 7);
    EXPECT_EQ(g->NameS(), "name");
    EXPECT_EQ(g->GraphType(), 13);
    EXPECT_EQ(g->CoordType(), 3);
    EXPECT_EQ(g->ExpressZ(), "exp(z)");
    EXPECT_EQ(g->StepU(), 20);
    EXPECT_EQ(g->StepV(), 30);
    EXPECT_EQ(g->MinU(), -1);
    EXPECT_EQ(g->MaxV(), 2);
    EXPECT_EQ(g->FillStyle(), 4);
    EXPECT_EQ(g->FirstColor(), 255);
    EXPECT_EQ(g->LineColor(), 66);
    EXPECT_EQ(g->LineWidth(), 2);
    EXPECT_EQ(g->Material(), 5);
    EXPECT_EQ(g->Show(), 2);
    EXPECT_EQ(g->Smoothness(), 1);
    EXPECT_TRUE(g->ShowContour());
    EXPECT_FALSE(g->ShowVector());
    EXPECT_TRUE(g->ShowColormap());
    EXPECT_EQ(g->ContourLevel(), 12);
    EXPECT_EQ(g->VarX(), 0); // set by the caller afterwards
}

TEST(CGraph, EqualToCopiesSettingsButNotIdentityTextureOrTranslucency) {
    auto source = testing::Surface("sin(z)", -1, 1, -1, 1, 4, 4);
    source->SetID(99);
    source->SetPointSize(3);
    source->SetShowTex(true);
    source->SetTexName("wood.bmp");
    source->SetShowTrans(true);
    source->SetTransAlpha(0.5f);
    source->SetCurType(6);
    source->SetAnimation(false);
    source->SetMinT(5);
    source->SetMaxT(6);

    CGraph target;
    target.SetID(3);
    target.SetMinT(-1);
    target.SetMaxT(1);
    target.EqualTo(*source);
    EXPECT_EQ(target.ID(), 3);
    EXPECT_EQ(target.ExpressZ(), "sin(z)");
    EXPECT_EQ(target.PointSize(), 3);
    EXPECT_EQ(target.CurType(), 6);
    EXPECT_EQ(target.VarZ(), kQuantityReal);
    EXPECT_EQ(target.ColorB(), kQuantityMagnitude);
    EXPECT_FALSE(target.ShowTex());
    EXPECT_TRUE(target.TexName().empty());
    EXPECT_FALSE(target.ShowTrans());
    // Not animated: the range of t stays as it was.
    EXPECT_EQ(target.MinT(), -1);
    EXPECT_EQ(target.MaxT(), 1);

    source->SetAnimation(true);
    target.EqualTo(*source);
    EXPECT_TRUE(target.Animation());
    EXPECT_EQ(target.MinT(), 5);
    EXPECT_EQ(target.MaxT(), 6);
}

TEST(CGraph, SplitColor) {
    struct Case {
        std::int32_t color;
        double r, g, b;
    };
    const Case cases[] = {
        {255, 1, 0, 0},
        {0xFFFFFF, 1, 1, 1},
        {0, 0, 0, 0},
        {0x00FF00, 0, 1, 0},
        {0x800000, 0, 0, 128.0 / 255},
        {0x123456, 0x56 / 255.0, 0x34 / 255.0, 0x12 / 255.0},
    };
    for (const auto& c : cases) {
        double r, g, b;
        CGraph::SplitColor(c.color, r, g, b);
        EXPECT_DOUBLE_EQ(r, c.r) << c.color;
        EXPECT_DOUBLE_EQ(g, c.g) << c.color;
        EXPECT_DOUBLE_EQ(b, c.b) << c.color;
    }
}

TEST(CGraph, SettersCountOnlyRealChanges) {
    CGraph g;
    const auto before = g.SettingsRevision();
    g.SetShow(3); // unchanged
    EXPECT_EQ(g.SettingsRevision(), before);
    g.SetShow(2);
    EXPECT_EQ(g.SettingsRevision(), before + 1);
}

} // namespace
} // namespace tervane
