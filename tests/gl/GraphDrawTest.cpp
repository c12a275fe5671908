#include "gl/GraphDraw.h"
#include "gl/GraphListCache.h"
#include "gl/headless/GuiApplication.h"
#include "gl/headless/HeadlessGlContext.h"
#include "graph/GraphTestSupport.h"

#include <GL/gl.h>

#include <QImage>

#include <gtest/gtest.h>

namespace tervane {
namespace {

using testing::Surface;

// A 128 x 128 headless view of the plane z = 0 from above: x and y in [-1.25, 1.25].
class GraphDrawTest : public ::testing::Test {
protected:
    static constexpr int kSize = 128;

    void SetUp() override {
        EnsureGuiApplication();
        context_ = std::make_unique<HeadlessGlContext>(kSize, kSize);
        glClearColor(1, 1, 1, 1);
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(GL_LEQUAL);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-1.25, 1.25, -1.25, 1.25, -10, 10);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }

    QImage Draw(const std::shared_ptr<CGraph>& g) {
        EXPECT_TRUE(g->GetPoints()) << g->LastError();
        DrawGraph(*g, 0, 3);
        glFinish();
        return context_->ReadPixels();
    }

    // Pixel at plot coordinates (x, y).
    static QRgb At(const QImage& image, double x, double y) {
        const int px = static_cast<int>((x + 1.25) / 2.5 * kSize);
        const int py = static_cast<int>((1.25 - y) / 2.5 * kSize);
        return image.pixel(px, py);
    }

    static int Ink(const QImage& image) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) != qRgb(255, 255, 255)) ++n;
        return n;
    }

    // A flat surface w = 0 at height 0, red by x, the other channels dark.
    static std::shared_ptr<CGraph> RedRamp(const char* function = "0") {
        auto g = Surface(function, -1, 1, -1, 1, 8, 8, kQuantityReal);
        g->SetColorR(kQuantityX);
        g->SetColorG(0);
        g->SetColorB(0);
        return g;
    }

    std::unique_ptr<HeadlessGlContext> context_;
};

TEST_F(GraphDrawTest, SurfaceColouredByXIsARampAlongX) {
    const QImage image = Draw(RedRamp());
    const int left = qRed(At(image, -0.9, 0));
    const int middle = qRed(At(image, 0, 0));
    const int right = qRed(At(image, 0.9, 0));
    EXPECT_LT(left, 40);
    EXPECT_NEAR(middle, 128, 25);
    EXPECT_GT(right, 215);
    EXPECT_EQ(qGreen(At(image, 0.9, 0)), 0);
    EXPECT_EQ(At(image, 1.2, 1.2), qRgb(255, 255, 255)); // outside the surface
}

TEST_F(GraphDrawTest, InvalidPointsLeaveTheirCellsOpen) {
    auto g = Surface("1/z", -1, 1, -1, 1, 4, 4, kQuantityReal);
    g->SetVarZ(kQuantityX); // keep the surface flat enough to stay in view
    const QImage image = Draw(g);
    EXPECT_EQ(At(image, 0.1, 0.1), qRgb(255, 255, 255));
    EXPECT_EQ(At(image, -0.3, 0.2), qRgb(255, 255, 255));
    EXPECT_NE(At(image, -0.9, -0.9), qRgb(255, 255, 255));
    EXPECT_NE(At(image, 0.9, 0.7), qRgb(255, 255, 255));
}

TEST_F(GraphDrawTest, GridModelDrawsLinesOnly) {
    auto filled = RedRamp("1");
    const int full = Ink(Draw(filled));
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    auto lines = RedRamp("1");
    lines->SetShow(2);
    const int wire = Ink(Draw(lines));
    EXPECT_GT(full, 100 * 100 * 9 / 10);
    EXPECT_GT(wire, 0);
    EXPECT_LT(wire, full / 3);
    // Smoothness 0 draws no quads at all.
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    auto none = RedRamp("1");
    none->SetSmoothness(0);
    EXPECT_EQ(Ink(Draw(none)), 0);
}

TEST_F(GraphDrawTest, ColourMapLiesFlatInXAndZ) {
    // A colour map puts (plot X, plot Z) in the plane; plot Z = y here.
    auto g = Surface("z", -1, 1, -1, 1, 4, 4, kQuantityY);
    g->SetGraphType(kGraphColorMap);
    g->SetColorR(kQuantityY);
    g->SetColorG(0);
    g->SetColorB(0);
    const QImage image = Draw(g);
    EXPECT_LT(qRed(At(image, 0, -0.9)), 40);
    EXPECT_GT(qRed(At(image, 0, 0.9)), 215);
}

TEST_F(GraphDrawTest, CacheCompilesOnlyWhenTheGraphChanges) {
    auto g = RedRamp();
    ASSERT_TRUE(g->GetPoints());
    GraphListCache cache;
    const GLuint first = cache.ListFor(g, 0, 3, 10);
    EXPECT_NE(first, 0u);
    EXPECT_EQ(cache.ListFor(g, 0, 3, 10), first);
    EXPECT_EQ(cache.Compilations(), 1u);
    g->SetShow(2); // a setting changes
    cache.ListFor(g, 0, 3, 10);
    EXPECT_EQ(cache.Compilations(), 2u);
    ASSERT_TRUE(g->GetPoints()); // new samples
    cache.ListFor(g, 0, 3, 10);
    EXPECT_EQ(cache.Compilations(), 3u);

    glCallList(cache.ListFor(g, 0, 3, 10));
    glFinish();
    EXPECT_GT(Ink(context_->ReadPixels()), 0);

    cache.Prune({});
    EXPECT_FALSE(glIsList(first));
}

} // namespace
} // namespace tervane

namespace tervane {
namespace {

TEST_F(GraphDrawTest, StepsOfAGraphThatReadsTAreCompiledOnce) {
    auto g = Surface("t*z", -1, 1, -1, 1, 4, 4);
    g->SetAnimation(true);
    g->SetMinT(0);
    g->SetMaxT(1);
    ASSERT_TRUE(g->GetPoints());
    GraphListCache cache;
    std::vector<GLuint> lists;
    for (int step = 0; step <= 4; ++step)
        lists.push_back(cache.ListFor(g, step, 3, 4));
    const auto compiled = cache.Compilations();
    EXPECT_EQ(compiled, 5u);
    // A second pass, as after turning the scene, reuses every step's list.
    for (int step = 0; step <= 4; ++step)
        EXPECT_EQ(cache.ListFor(g, step, 3, 4), lists[step]);
    EXPECT_EQ(cache.Compilations(), compiled);
    // Step 4 was sampled at t = 1 (the last compile left those values).
    EXPECT_FLOAT_EQ(g->RealPart()(4, 0), 1.0f);
    // Another number of steps changes every t: all lists are made again.
    cache.ListFor(g, 1, 3, 2);
    EXPECT_EQ(cache.Compilations(), compiled + 1);
    EXPECT_FLOAT_EQ(g->RealPart()(4, 0), 0.5f);
}

} // namespace
} // namespace tervane
