#include "AnimationTestSupport.h"
#include "document/Document.h"
#include "gl/DocumentScene.h"
#include "gl/headless/GuiApplication.h"
#include "gl/headless/OffscreenFrame.h"
#include "graph/GraphPresets.h"
#include "scene/ZoomToFit.h"

#include <QColor>
#include <QImage>

#include <gtest/gtest.h>

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
        EXPECT_GT(blue, c.width) << "the labels are drawn";
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

TEST(AxesFit, BoxesWhoseLabelsFitAreFramedByTheBoxAlone) {
    struct Case {
        CBox box;
        StandardView view;
        bool moved;
    };
    for (const Case& c : {Case{{-20, 20, -20, 20, -20, 20}, StandardView::ISO, false},
                          Case{{-2, 2, -3, 30, -2, 2}, StandardView::Front, false},
                          Case{{-2, 2, 0, 3.3f, -2, 2}, StandardView::ISO, true}}) {
        SCOPED_TRACE(c.box.MaxY);
        CView alone, labelled;
        alone.SetScreen(320, 240);
        labelled.SetScreen(320, 240);
        ZoomToFit(alone, c.box, kScene3D);
        ZoomToFit(labelled, c.box, kScene3D,
                  BuildRotMatrix(QuatFromSceneAngles(StandardViewAngles(c.view))));
        const bool same = labelled.VolHeight() == alone.VolHeight() &&
                          labelled.RefPos().x == alone.RefPos().x &&
                          labelled.RefPos().y == alone.RefPos().y;
        EXPECT_EQ(!same, c.moved);
        EXPECT_GE(labelled.VolHeight(), alone.VolHeight());
    }
}

} // namespace
} // namespace tervane
