// The GL view: mouse navigation over the scene lists, the picture it shows, and the same picture
// from the headless renderer.
#include "AnimationTestSupport.h"
#include "app/AppTestSupport.h"

#include "gl/headless/OffscreenFrame.h"

#include <QMouseEvent>

namespace tervane::testing {
namespace {

const QString kExpz = QString(TERVANE_SAMPLES_DIR) + "/expz.kpl";

// Share of the pixels that are neither white nor grey: the coloured graph.
double ColouredShare(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    qsizetype coloured = 0;
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x) {
            const QColor c = rgb.pixelColor(x, y);
            const int spread =
                std::max({c.red(), c.green(), c.blue()}) - std::min({c.red(), c.green(), c.blue()});
            if (spread > 60) ++coloured;
        }
    return static_cast<double>(coloured) / static_cast<double>(rgb.width() * rgb.height());
}

void Drag(QWidget* view, QPoint from, QPoint to, int steps = 4) {
    QTest::mousePress(view, Qt::LeftButton, {}, from);
    for (int i = 1; i <= steps; ++i) {
        const QPointF p = from + (to - from) * i / static_cast<double>(steps);
        QMouseEvent move(QEvent::MouseMove, p, view->mapToGlobal(p), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(view, &move);
    }
    QTest::mouseRelease(view, Qt::LeftButton, {}, to);
}

TEST_F(MainWindowTest, ViewShowsTheGraphInItsColours) {
    ASSERT_TRUE(window->LoadDocument(kExpz));
    const QImage frame = Frame();
    ASSERT_FALSE(frame.isNull());
    EXPECT_GT(ColouredShare(frame), 0.05);
    EXPECT_EQ(frame.size(), window->View()->DeviceSize());
}

TEST_F(MainWindowTest, TrackballDragTurnsTheSceneWithoutRecompilingGraphs) {
    ASSERT_TRUE(window->LoadDocument(kExpz));
    (void)Frame();
    const SceneRenderer* renderer = window->View()->Renderer();
    ASSERT_TRUE(renderer);
    const std::uint64_t compilations = renderer->GraphLists().Compilations();
    const std::uint64_t builds = renderer->SceneBuilds();
    const Quat before = window->Orientation().CurQuat();

    // Without a drag mode a drag does nothing.
    Drag(window->View(), {100, 100}, {160, 130});
    EXPECT_EQ(window->Orientation().CurQuat(), before);

    Action("barTrackBall")->trigger();
    Drag(window->View(), {100, 100}, {160, 130});
    (void)Frame();
    EXPECT_NE(window->Orientation().CurQuat(), before);
    EXPECT_TRUE(window->Orientation().Rotated());
    EXPECT_GT(renderer->SceneBuilds(), builds);
    EXPECT_EQ(renderer->GraphLists().Compilations(), compilations);
}

TEST_F(MainWindowTest, ZoomAndMoveDragsChangeOnlyTheCamera) {
    ASSERT_TRUE(window->LoadDocument(kExpz));
    (void)Frame();
    const std::uint64_t builds = window->View()->Renderer()->SceneBuilds();
    const float height = window->Camera().VolHeight();
    Action("mnuViewZoom")->trigger();
    const int h = window->View()->height();
    // One step up by half the picture halves the cross-section.
    Drag(window->View(), {50, h * 3 / 4}, {50, h / 4}, 1);
    EXPECT_NEAR(window->Camera().VolHeight(), height * 0.5f, height * 0.01f);
    Action("barMove")->trigger();
    const float refX = window->Camera().RefPos().x;
    Drag(window->View(), {10, 50}, {10 + window->View()->width() / 2, 50});
    EXPECT_NEAR(window->Camera().RefPos().x, refX - window->Camera().VolWidth() / 2, 1e-3f);
    (void)Frame();
    EXPECT_EQ(window->View()->Renderer()->SceneBuilds(), builds);
}

// The demo document exp(Z), and an animation at its last step: exp(t·z), t 0.1..1, grows
// tenfold, and both frame the union of every step's box.
void FillDocument(Document& doc, bool animated) {
    if (!animated) {
        ASSERT_TRUE(doc.LoadFile(kExpz.toStdString()).Ok());
        return;
    }
    AddGrowingAnimation(doc);
    doc.SetAnimationStep(11);
}

void WindowAndHeadlessAgree(bool animated) {
    constexpr int kWidth = 320;
    constexpr int kHeight = 240;
    Document windowDoc;
    FillDocument(windowDoc, animated);
    CView camera;
    CLight light;
    SceneOrientation orientation;
    const SceneAngles iso = StandardViewAngles(StandardView::ISO);
    windowDoc.ShownGraphs().SetRotRoll(iso.RotRoll);
    windowDoc.ShownGraphs().SetRotPitch(iso.RotPitch);
    windowDoc.ShownGraphs().SetRotYaw(iso.RotYaw);
    const auto values = [&windowDoc] {
        SceneValues v;
        v.SceneKind = windowDoc.SceneKind();
        v.AxisTitleX = windowDoc.AxisTitleX();
        v.AxisTitleY = windowDoc.AxisTitleY();
        v.AxisTitleZ = windowDoc.AxisTitleZ();
        v.AnimationFrames = windowDoc.AnimationFrames();
        return v;
    };
    GlView view(SceneInputs{windowDoc.ShownGraphs(), windowDoc.Axes(), camera, light, orientation},
                values, [&windowDoc] { return windowDoc.AnimationStep(); });
    view.setFixedSize(kWidth, kHeight);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    ASSERT_EQ(view.DeviceSize(), QSize(kWidth, kHeight)) << "the display scales pixels";
    view.RequestZoomToFit();
    // Two frames: the second is the window's steady state.
    (void)view.grabFramebuffer();
    const QImage shown = view.grabFramebuffer().convertToFormat(QImage::Format_RGB32);

    // The window's GLX context must not stay current while the EGL one is made current.
    view.doneCurrent();
    Document headlessDoc;
    FillDocument(headlessDoc, animated);
    RenderRequest request;
    request.Width = kWidth;
    request.Height = kHeight;
    request.View = StandardView::ISO;
    request.Step = headlessDoc.AnimationStep();
    SceneValues headlessValues = values();
    const QImage drawn =
        RenderToImage(headlessDoc.ShownGraphs(), headlessDoc.Axes(), headlessValues, request)
            .convertToFormat(QImage::Format_RGB32);

    ASSERT_EQ(shown.size(), drawn.size());
    int differing = 0;
    int worst = 0;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const QColor a = shown.pixelColor(x, y);
            const QColor b = drawn.pixelColor(x, y);
            const int d = std::max({std::abs(a.red() - b.red()), std::abs(a.green() - b.green()),
                                    std::abs(a.blue() - b.blue())});
            worst = std::max(worst, d);
            if (d > 8) ++differing;
        }
    EXPECT_LE(differing, kWidth * kHeight / 500) << "worst difference " << worst;
    EXPECT_GT(ColouredShare(shown), animated ? 0.03 : 0.05);
}

// The window's view and the headless renderer draw the same document, size and view alike.
TEST(ViewPicture, WindowAndHeadlessRenderAgree) {
    for (const bool animated : {false, true}) {
        SCOPED_TRACE(animated ? "animated" : "exp(Z)");
        WindowAndHeadlessAgree(animated);
    }
}

} // namespace
} // namespace tervane::testing
