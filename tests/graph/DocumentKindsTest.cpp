#include "graph/CGraph.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace tervane {
namespace {

CGraph Kind(int kind, int coord, int form, const std::string& ex, const std::string& ey,
            const std::string& ez, float minU, float maxU, float minV, float maxV, int stepU,
            int stepV) {
    CGraph g;
    g.SetGraphType(kind);
    g.SetCoordType(coord);
    g.SetFunForm(form);
    g.SetExpressX(ex);
    g.SetExpressY(ey);
    g.SetExpressZ(ez);
    g.SetMinU(minU);
    g.SetMaxU(maxU);
    g.SetMinV(minV);
    g.SetMaxV(maxV);
    g.SetStepU(stepU);
    g.SetStepV(stepV);
    return g;
}

void Animate(CGraph& g, float minT, float maxT) {
    g.SetAnimation(true);
    g.SetMinT(minT);
    g.SetMaxT(maxT);
}

void ExpectPoint(const PointSample& p, float x, float y, float z, const char* what) {
    EXPECT_NEAR(p.x, x, 1e-4) << what;
    EXPECT_NEAR(p.y, y, 1e-4) << what;
    EXPECT_NEAR(p.z, z, 1e-4) << what;
}

TEST(DocumentKinds, EachFormGivesItsPoints) {
    const float pi = 3.14159265f;
    const struct {
        const char* what;
        CGraph graph;
        int index; // the point looked at, along the curve
        PointSample expected;
    } rows[] = {
        {"y = f(x)", Kind(0, 3, 1, "", "", "x^2", -2, 2, -9, 9, 4, 1), 4, {2, 4, 0}},
        {"x = f(y) runs over the y interval",
         Kind(0, 3, 4, "", "", "y^2", -2, 2, -3, 3, 6, 1),
         0,
         {9, -3, 0}},
        {"r = f(a)", Kind(0, 2, 1, "", "", "2+0*a", 0, pi, 0, 0, 2, 1), 1, {0, 2, 0}},
        {"a = f(r)", Kind(23, 2, 4, "", "", "r*0+3.14159265", 0, 2, 0, 0, 2, 1), 2, {-2, 0, 0}},
        {"parametric 2D", Kind(37, 3, 3, "cos(x)", "sin(x)", "0", 0, pi, 0, 0, 2, 1), 1, {0, 1, 0}},
        {"parametric 3D, t is the animation's",
         Kind(1, 3, 3, "x", "2x", "3", 0, 1, 0, 0, 2, 1),
         1,
         {0.5f, 1, 3}},
        {"cylindrical 3D", Kind(1, 4, 3, "a", "2", "r", 0, pi, 0, 0, 2, 1), 1, {0, 2, pi / 2}},
        {"spherical 3D", Kind(1, 5, 3, "0", "b", "1", 0, pi / 2, 0, 0, 1, 1), 1, {0, 0, 1}},
        {"w = f(z) along the diagonal",
         Kind(1, 3, 2, "x", "y", "z*z", 0, 2, 0, 2, 2, 1),
         1,
         {1, 1, 0}}, // VarX/VarY/VarZ are x, y, u: (1+i)^2 = 2i has u = 0
        {"point set", Kind(7, 3, 3, "x", "1", "2", 0, 4, 0, 0, 4, 1), 3, {3, 1, 2}},
    };
    for (const auto& r : rows) {
        CGraph g = r.graph;
        g.SetVarX(kQuantityX);
        g.SetVarY(kQuantityY);
        g.SetVarZ(kQuantityReal);
        ASSERT_TRUE(g.GetPoints()) << r.what << ": " << g.LastError();
        ASSERT_EQ(g.SampledSteps(), 1) << r.what;
        ExpectPoint(g.StepPoints(0)[static_cast<std::size_t>(r.index)], r.expected.x, r.expected.y,
                    r.expected.z, r.what);
    }
}

TEST(DocumentKinds, FaultsNonRealValuesAndPointsBeyondTheViewAreLeftOut) {
    CGraph g = Kind(0, 3, 1, "", "", "1/x+sqr(x)+x^3", -4, 4, -1, 1, 8, 1);
    SamplingOptions options;
    options.View.MaxY = 20;
    ASSERT_TRUE(g.GetPoints(options));
    const auto p = g.StepPoints(0);
    ASSERT_EQ(p.size(), 9u);
    EXPECT_FALSE(p[0].Valid()); // sqr(-4) is not real
    EXPECT_FALSE(p[4].Valid()); // 1/0
    EXPECT_TRUE(p[5].Valid());  // 1 + 1 + 1 = 3
    EXPECT_NEAR(p[5].y, 3, 1e-5);
    EXPECT_FALSE(p[7].Valid()); // 1/3 + 1.73 + 27 lies beyond the view's 20
}

TEST(DocumentKinds, AnimatedKindsKeepEveryStep) {
    CGraph point = Kind(8, 3, 3, "t", "2t", "0", 0, 0, 0, 0, 1, 1);
    Animate(point, 0, 1);
    SamplingOptions options;
    options.AnimationFrames = 4;
    ASSERT_TRUE(point.GetPoints(options));
    EXPECT_EQ(point.SampledSteps(), 5);
    EXPECT_TRUE(point.UsesT());
    ExpectPoint(point.Anim1D(2), 0.5f, 1, 0, "kind 8 at step 2");
    ExpectPoint(point.Anim1D(4), 1, 2, 0, "kind 8 at the last step");
    EXPECT_FALSE(point.Anim1D(5).Valid());

    CGraph rows = Kind(9, 3, 1, "", "", "x+t", 0, 4, 0, 0, 1, 2);
    Animate(rows, 0, 4);
    ASSERT_TRUE(rows.GetPoints(options));
    ExpectPoint(rows.Anim2D(1, 3), 2, 5, 0, "kind 9 row 1 at t = 3");

    CGraph surface = Kind(12, 3, 2, "x", "y", "z+t", 0, 1, 0, 1, 1, 1);
    surface.SetVarX(kQuantityX);
    surface.SetVarY(kQuantityReal);
    surface.SetVarZ(kQuantityY);
    Animate(surface, 0, 2);
    ASSERT_TRUE(surface.GetPoints(options));
    ExpectPoint(surface.Anim3D(1, 1, 2), 1, 2, 1, "kind 12 at (1, 1), t = 1");
    surface.UseAnimationStep(4);
    EXPECT_NEAR(surface.PlotY()(1, 0), 3, 1e-5);

    // A step of a sampling that is still current needs no new sampling.
    const auto revision = point.SampleRevision();
    ASSERT_TRUE(point.GetPointsAtStep(3, 4, options));
    EXPECT_EQ(point.SampleRevision(), revision);
    ASSERT_TRUE(point.GetPointsAtStep(3, 8, options)); // other frames: sampled again
    EXPECT_EQ(point.SampledSteps(), 9);
}

TEST(DocumentKinds, Boxes) {
    CGraph point = Kind(8, 3, 3, "t", "-t", "0", 0, 0, 0, 0, 1, 1);
    Animate(point, 0, 3);
    SamplingOptions options;
    options.AnimationFrames = 3;
    ASSERT_TRUE(point.GetPoints(options));
    const CBox toPoint = point.GetBox(2); // the point (2, -2, 0)
    EXPECT_EQ(toPoint, (CBox{0, 2, -2, 0, 0, 0}));
    EXPECT_EQ(point.GetBox(0), (CBox{-1, 1, -1, 1, -1, 1})); // at the origin: the unit cube

    CGraph curve = Kind(1, 3, 3, "x", "x*x", "1", -1, 2, 0, 0, 3, 1);
    ASSERT_TRUE(curve.GetPoints());
    EXPECT_EQ(curve.GetBox(), (CBox{-1, 2, 0, 4, 1, 1}));

    CGraph plane = Kind(0, 3, 1, "", "", "x*100", 1, 3, 2, 4, 4, 1);
    ASSERT_TRUE(plane.GetPoints());
    EXPECT_EQ(plane.GetBox(), (CBox{0, 3, 0, 4, 0, 0})); // the domain, not the points
}

TEST(DocumentKinds, SurfacesByRotationTurnTheCurveAboutTheirAxis) {
    for (const int kind : {kGraphRotationY, kGraphRotationX}) {
        CGraph g = Kind(kind, 3, 1, "", "", "2+0*x", 1, 3, 0, 0, 2, 8);
        ASSERT_TRUE(g.GetPoints()) << kind;
        for (std::size_t i = 0; i < 3; ++i)
            for (std::size_t j = 0; j < 9; ++j) {
                const float x = g.PlotX()(i, j), y = g.PlotY()(i, j), z = g.PlotZ()(i, j);
                // About the x axis the radius is f(x) = 2; about the y axis it is x.
                const float radius = kind == kGraphRotationY ? std::hypot(y, z) : std::hypot(x, z);
                EXPECT_NEAR(radius, kind == kGraphRotationY ? 2.0f : 1.0f + i, 1e-5) << kind;
            }
    }
}

TEST(DocumentKinds, ResultCaption) {
    EXPECT_EQ(ResultCaption(Kind(0, 3, 1, "", "", "x^2", 0, 1, 0, 1, 1, 1)), "Function y=x^2");
    EXPECT_EQ(ResultCaption(Kind(20, 3, 4, "", "", "y", 0, 1, 0, 1, 1, 1)), "Function x=y");
    EXPECT_EQ(ResultCaption(Kind(0, 2, 1, "", "", "a", 0, 1, 0, 1, 1, 1)), "Function r=a");
    EXPECT_EQ(ResultCaption(Kind(9, 2, 4, "", "", "r", 0, 1, 0, 1, 1, 1)), "Function a=r");
    EXPECT_EQ(ResultCaption(Kind(2, 3, 2, "", "", "z", 0, 1, 0, 1, 1, 1)), "");
}

} // namespace
} // namespace tervane
