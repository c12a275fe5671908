// The GL view: mouse navigation over the scene lists, the picture it shows, and the same picture
// from the headless renderer.
#include "AnimationTestSupport.h"
#include "app/AppTestSupport.h"

#include "gl/headless/OffscreenFrame.h"

#include <QClipboard>
#include <QLabel>
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

TEST_F(MainWindowTest, ALargeGridIsDrawnLighterWhileDraggedAndWholeAtRest) {
    MakeGraph("mnuDraw3DCart", "sin(z)", "300");
    window->View()->SetVertexBudget(10000);
    (void)Frame();
    const SceneRenderer* renderer = window->View()->Renderer();
    ASSERT_TRUE(renderer);
    Action("barTrackBall")->trigger();
    QWidget* view = window->View();
    QTest::mousePress(view, Qt::LeftButton, {}, {100, 100});
    for (const int x : {110, 120}) {
        QMouseEvent move(QEvent::MouseMove, QPointF(x, 105), view->mapToGlobal(QPointF(x, 105)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view, &move);
        (void)Frame();
        EXPECT_EQ(renderer->LighterStride(), 4u); // 301² points over 10000: every fourth
    }
    QTest::mouseRelease(view, Qt::LeftButton, {}, {120, 105});
    (void)Frame();
    EXPECT_EQ(renderer->LighterStride(), 1u);
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

// After a graph is added, edited or pasted (sampled here or in the worker, animated or not) the
// camera is where View > Zoom to Fit puts it, though the user had zoomed and moved away.
TEST_F(MainWindowTest, NewAndChangedGraphsAreFramed) {
    const auto camera = [this] {
        (void)Frame();
        const CView& c = window->Camera();
        return std::array<float, 4>{c.RefPos().x, c.RefPos().y, c.VolWidth(), c.VolHeight()};
    };
    // Copies the first graph and pastes it over another range.
    const auto pasteOver = [this](const QString& range) {
        List()->setCurrentRow(0);
        Action("mnuEditCopy")->trigger();
        QString text = QApplication::clipboard()->text();
        QApplication::clipboard()->setText(text.replace(" -2 2 -2 2 ", range));
        Action("mnuEditPaste")->trigger();
    };
    struct Step {
        const char* what;
        std::function<void()> act;
    };
    const Step steps[] = {
        {"a first graph", [this] { MakeGraph("mnuDraw3DCart", "z"); }},
        {"a second, larger one", [this] { MakeGraph("mnuDraw3DCart", "8*z"); }},
        {"an edit",
         [this] {
             List()->setCurrentRow(1);
             WithDialog("mnuFunEdit", [](QWidget* dialog) {
                 dialog->findChild<QLineEdit*>("Text2")->setText("z^3");
                 QTest::mouseClick(dialog->findChild<QPushButton*>("Command1"), Qt::LeftButton);
             });
         }},
        {"a paste", [pasteOver] { pasteOver(" -6 6 -6 6 "); }},
        {"an animated graph",
         [this] {
             WithDialog("mnuDraw3DCart", [](QWidget* dialog) {
                 dialog->findChild<QLineEdit*>("Text2")->setText("exp(t*z)");
                 dialog->findChild<QLineEdit*>("Text5")->setText("0");
                 dialog->findChild<QLineEdit*>("Text6")->setText("1.5");
                 QTest::mouseClick(dialog->findChild<QPushButton*>("Command1"), Qt::LeftButton);
             });
         }},
        {"a graph sampled in the worker",
         [this] {
             window->SetBackgroundThreshold(0);
             MakeGraph("mnuDraw3DCart", "20*z", "40");
             window->Sampler().WaitForFinished();
         }},
        {"a paste sampled in the worker",
         [this, pasteOver] {
             pasteOver(" -9 9 -9 9 ");
             window->Sampler().WaitForFinished();
         }},
    };
    int graphs = 0;
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        window->Camera().Zoom(0.3f);
        window->Camera().MoveView(0.2f, -0.1f);
        step.act();
        graphs = std::max(graphs, List()->count());
        const std::array<float, 4> shown = camera();
        Action("mnuViewFit")->trigger();
        const std::array<float, 4> fitted = camera();
        for (std::size_t i = 0; i < shown.size(); ++i)
            EXPECT_NEAR(shown[i], fitted[i], 1e-4f * std::abs(fitted[3])) << i;
    }
    EXPECT_EQ(graphs, 6) << "every step changed the document";
}

// A colour map is flat: brought into a view that was turned (by a drag or a standard view), it
// is seen from the front, and a rotation chosen before no longer turns it.
TEST_F(MainWindowTest, AColourMapIsSeenFromTheFrontAndNotTurnedByADrag) {
    const struct {
        const char* what;
        const char* turn; ///< a standard view, or null for a track-ball drag
    } rows[] = {{"a track-ball drag", nullptr}, {"the ISO view", "mnuViewISO"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        Action("mnuEditDelAll")->trigger();
        MakeGraph("mnuDraw3DCart", "z");
        Action("barTrackBall")->trigger();
        if (row.turn)
            Action(row.turn)->trigger();
        else
            Drag(window->View(), {100, 100}, {160, 130});
        (void)Frame();
        const Quat front = QuatFromSceneAngles(StandardViewAngles(StandardView::Front));
        ASSERT_NE(window->Orientation().CurQuat(), front);

        MakeGraph("mnuDrawColor", "exp(z)");
        (void)Frame();
        const CScene& shown = window->Doc().ShownGraphs();
        EXPECT_EQ((SceneAngles{shown.RotRoll(), shown.RotPitch(), shown.RotYaw()}),
                  StandardViewAngles(StandardView::Front));
        EXPECT_FALSE(window->Orientation().Rotated());
        EXPECT_EQ(window->Orientation().CurQuat(), front);
        EXPECT_EQ(window->View()->Navigator().Mode(), DragMode::None);
        for (const char* off : {"barTrackBall", "mnuViewRotate", "mnuViewRotX", "mnuViewISO"}) {
            EXPECT_FALSE(Action(off)->isEnabled()) << off;
            EXPECT_FALSE(Action(off)->isChecked()) << off;
        }
        Action("mnuViewRotate")->trigger();
        Drag(window->View(), {100, 100}, {160, 130});
        (void)Frame();
        EXPECT_EQ(window->Orientation().CurQuat(), front);
    }
}

// While no graph is shown the view says how to make one, centred over it; the hint is not part
// of the GL frame that copies, bitmaps and prints are taken from.
TEST_F(MainWindowTest, AnEmptyViewSaysWhatToDo) {
    auto* hint = window->View()->findChild<QLabel*>("EmptyViewHint");
    ASSERT_TRUE(hint);
    EXPECT_EQ(hint->text(), "Draw > 3D Graph or Color Map, or open a document");
    EXPECT_EQ(hint->alignment(), Qt::AlignCenter);
    struct Step {
        const char* what;
        std::function<void()> act;
        bool hint;
    };
    const Step steps[] = {
        {"a new window", [] {}, true},
        {"a graph", [this] { MakeGraph("mnuDrawColor", "exp(z)"); }, false},
        {"the graph unchecked", [this] { List()->item(0)->setCheckState(Qt::Unchecked); }, true},
        {"checked again", [this] { List()->item(0)->setCheckState(Qt::Checked); }, false},
        {"Delete All", [this] { Action("mnuEditDelAll")->trigger(); }, true},
        {"undone", [this] { Action("mnuEditUndo")->trigger(); }, false},
        {"a document opened", [this] { window->LoadDocument(kExpz); }, false},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.act();
        EXPECT_EQ(hint->isVisible(), step.hint);
        EXPECT_EQ(hint->geometry(), window->View()->rect());
        // The view on screen holds the hint's grey text; the GL frame never does.
        const auto greyPixels = [](const QImage& image) {
            const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
            int n = 0;
            for (int y = 0; y < rgb.height(); ++y)
                for (int x = 0; x < rgb.width(); ++x)
                    n += qRed(rgb.pixel(x, y)) < 200 &&
                         qRed(rgb.pixel(x, y)) == qBlue(rgb.pixel(x, y));
            return n;
        };
        if (step.hint) {
            EXPECT_GT(greyPixels(window->View()->grab().toImage()), 100);
            EXPECT_EQ(greyPixels(Frame()), 0);
        }
    }
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
