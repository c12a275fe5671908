#include "AnimationTestSupport.h"
#include "document/Document.h"
#include "gl/DocumentScene.h"
#include "gl/headless/GuiApplication.h"
#include "gl/headless/OffscreenFrame.h"
#include "graph/GraphPresets.h"
#include "scene/LabelLayout.h"
#include "scene/ZoomToFit.h"

#include <QColor>
#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace tervane {
namespace {

// A surface of |w| over -2..2 with its box, tick labels and titles, as `tervane-cli plot`
// makes it.
QImage Plot(const std::string& function, StandardView view, int width, int height) {
    EnsureGuiApplication();
    GraphRecipe recipe;
    recipe.Function = function;
    recipe.Axes = {kQuantityX, kQuantityMagnitude, kQuantityY};
    Document document;
    document.SetSceneKind(kScene3D);
    document.SetAxisTitles("y", "x", "|w|");
    EXPECT_TRUE(document.AddGraph(MakeSurfaceGraph(recipe)).Ok());
    RenderRequest request;
    request.Width = width;
    request.Height = height;
    request.View = view;
    return RenderToImage(document.ShownGraphs(), document.Axes(), SceneValuesOf(document), request)
        .convertToFormat(QImage::Format_RGB32);
}

// The labels and titles are drawn pure blue; the surfaces lie inside the box.
bool LabelBlue(const QColor& c) {
    return c.blue() > 160 && c.red() < 90 && c.green() < 90;
}

TEST(AxesFit, TickLabelsAndTitlesStayInsideThePicture) {
    struct Case {
        std::string function;
        StandardView view;
        int width, height;
    };
    for (const Case& c :
         {Case{"1/(z^2+1)", StandardView::ISO, 640, 480},
          Case{"1/(z^2+1)", StandardView::ISO, 320, 240}, Case{"z", StandardView::ISO, 320, 240},
          Case{"z^2", StandardView::Front, 320, 240}, Case{"1/z", StandardView::Right, 320, 240}}) {
        SCOPED_TRACE(c.function + " at " + std::to_string(c.width));
        const QImage image = Plot(c.function, c.view, c.width, c.height);
        ASSERT_EQ(image.size(), QSize(c.width, c.height));
        int blue = 0, atEdge = 0;
        constexpr int kEdge = 2;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (!LabelBlue(image.pixelColor(x, y))) continue;
                ++blue;
                atEdge += x < kEdge || y < kEdge || x >= image.width() - kEdge ||
                          y >= image.height() - kEdge;
            }
        }
        EXPECT_GT(blue, c.width / 2) << "the labels are drawn";
        EXPECT_EQ(atEdge, 0) << "a label runs off the picture";
    }
}

// An animation is framed by the union of every step's box: exp(t·z) for t 0.1..1 grows
// tenfold from the first step to the last, which must stay in the picture with its labels.
TEST(AxesFit, AnimationsAreFramedByEveryStep) {
    EnsureGuiApplication();
    Document document;
    testing::AddGrowingAnimation(document);
    for (const int step : {1, 11}) {
        RenderRequest request;
        request.Width = 320;
        request.Height = 240;
        request.View = StandardView::ISO;
        request.Step = step;
        const QImage image =
            RenderToImage(document.ShownGraphs(), document.Axes(), SceneValuesOf(document), request)
                .convertToFormat(QImage::Format_RGB32);
        // Nothing but the background on the picture's border.
        int drawn = 0;
        for (int x = 0; x < image.width(); ++x)
            for (const int y : {0, image.height() - 1})
                drawn += image.pixel(x, y) != image.pixel(0, 0);
        for (int y = 0; y < image.height(); ++y)
            for (const int x : {0, image.width() - 1})
                drawn += image.pixel(x, y) != image.pixel(0, 0);
        EXPECT_EQ(drawn, 0) << "step " << step;
    }
}

// Whatever its proportions and turn, a box with its labels is fitted to fill the picture up
// to the margin on one side and to stay within it on the other.
TEST(AxesFit, LabelledBoxesFillThePicture) {
    struct Case {
        CBox box;
        StandardView view;
    };
    for (const Case& c : {Case{{-20, 20, -20, 20, -20, 20}, StandardView::ISO},
                          Case{{-2, 2, -3, 30, -2, 2}, StandardView::Front},
                          Case{{-2, 2, 0, 3.3f, -2, 2}, StandardView::ISO},
                          Case{{-0.01f, 0.01f, 0, 0.002f, -0.01f, 0.01f}, StandardView::Right}}) {
        SCOPED_TRACE(c.box.MaxY);
        CView view;
        view.SetScreen(320, 240);
        CAxes axes;
        axes.TitleX = axes.TitleY = axes.TitleZ = "Re w";
        const RotMatrix turn = BuildRotMatrix(QuatFromSceneAngles(StandardViewAngles(c.view)));
        ZoomToFit(view, c.box, kScene3D, turn, &axes);
        const PictureProjector projector(view, c.box, turn);
        AxesGeometry drawn = AxesDraw(axes, c.box, kScene3D);
        LayOutLabels(drawn, projector, turn, c.box);
        double left = HUGE_VAL, right = -HUGE_VAL, bottom = HUGE_VAL, top = -HUGE_VAL;
        for (const auto& p : drawn.ExtentPoints()) {
            const auto at = projector.Map(p);
            ASSERT_TRUE(at);
            left = std::min(left, (*at)[0]);
            right = std::max(right, (*at)[0]);
            bottom = std::min(bottom, (*at)[1]);
            top = std::max(top, (*at)[1]);
        }
        const double w = view.VolWidth() / 2 * (1 - 2 * kLabelEdge);
        const double h = view.VolHeight() / 2 * (1 - 2 * kLabelEdge);
        EXPECT_GE(left, -w * 1.0001);
        EXPECT_LE(right, w * 1.0001);
        EXPECT_GE(bottom, -h * 1.0001);
        EXPECT_LE(top, h * 1.0001);
        EXPECT_TRUE(std::abs(right - left - 2 * w) < 1e-3 * w ||
                    std::abs(top - bottom - 2 * h) < 1e-3 * h);
    }
}

} // namespace
} // namespace tervane
