// The query functions of GL 1.5, which libGL exports.
#define GL_GLEXT_PROTOTYPES 1

#include "gl/SceneRenderer.h"

#include "gl/PhaseLegend.h"
#include "gl/headless/GuiApplication.h"
#include "gl/headless/HeadlessGlContext.h"
#include "graph/GraphPresets.h"
#include "graph/PhaseColour.h"
#include "scene/ZoomToFit.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <QColor>
#include <QImage>

#include <gtest/gtest.h>

#include <memory>
#include <numbers>
#include <string>

namespace tervane {
namespace {

constexpr int kSize = 128;

// A surface of w = f(z) over [-2, 2]², red by x, with no green or blue, lit by nothing.
std::shared_ptr<CGraph> Plane(const std::string& function, int steps = 4) {
    GraphRecipe recipe;
    recipe.Function = function;
    recipe.Name = "g";
    recipe.ID = 1;
    recipe.StepU = recipe.StepV = steps;
    recipe.Colours = {kQuantityX, 0, 0};
    recipe.Material = 0;
    recipe.LineWidth = 1;
    return MakeSurfaceGraph(recipe);
}

bool IsWhite(const QColor& c) {
    return c == QColor(Qt::white);
}

// Blue ink: the box-style labels and the axes through the origin; graphs here carry no blue.
bool IsAxisBlue(const QColor& c) {
    return c.blue() > c.red() + 60 && c.blue() > c.green() + 60;
}

template <typename Pred> int Count(const QImage& image, Pred pred) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (pred(image.pixelColor(x, y))) ++n;
    return n;
}

int Ink(const QImage& image) {
    return Count(image, [](const QColor& c) { return !IsWhite(c); });
}

// Mean column of the ink, -1 when there is none.
double InkCentreX(const QImage& image) {
    double sum = 0;
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255)) {
                sum += x;
                ++n;
            }
    return n == 0 ? -1.0 : sum / n;
}

class SceneRendererTest : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureGuiApplication();
        context_ = std::make_unique<HeadlessGlContext>(kSize, kSize);
        renderer_ = std::make_unique<SceneRenderer>(
            SceneInputs{scene_, axes_, view_, light_, orientation_});
        renderer_->Initialize();
        renderer_->Resize(kSize, kSize);
        axes_.Show = true;
        values_.SceneKind = 3;
        values_.AxisTitleX = "X";
        values_.AxisTitleY = "Y";
        values_.AxisTitleZ = "Z";
    }

    void TearDown() override {
        renderer_.reset(); // its lists belong to the context
        context_.reset();
    }

    void Add(const std::shared_ptr<CGraph>& graph) {
        ASSERT_TRUE(graph->GetPoints()) << graph->LastError();
        graph->SetID(static_cast<std::int32_t>(scene_.Count()) + 1);
        ASSERT_TRUE(scene_.Add(graph));
    }

    // What "Zoom to Fit" does.
    void ZoomToFit() {
        view_.ZoomAll(scene_.GetBox(0, SceneBoxContext{values_.SceneKind, axes_.ShowPI}));
        view_.Zoom(2.0f);
    }

    QImage Build(std::int32_t step = 1) {
        renderer_->BuildSceneList(values_);
        return Show(step);
    }

    QImage Show(std::int32_t step) {
        renderer_->Display(step);
        return context_->ReadPixels();
    }

    CScene scene_;
    CAxes axes_;
    CView view_;
    CLight light_;
    SceneOrientation orientation_;
    SceneValues values_;
    std::unique_ptr<HeadlessGlContext> context_;
    std::unique_ptr<SceneRenderer> renderer_;
};

TEST_F(SceneRendererTest, EmptySceneIsWhiteEvenWithAxesShown) {
    EXPECT_TRUE(renderer_->FontErrors().empty());
    EXPECT_EQ(Ink(Show(1)), 0); // before any build: the clear colour alone
    axes_.ShowXYPanel = axes_.ShowXZPanel = axes_.ShowYZPanel = true;
    axes_.ShowBackground = axes_.ShowprimaryGrid = true;
    struct Row {
        std::int32_t kind;
        int projection;
    };
    for (const Row row : {Row{0, kProjectOrtho}, Row{1, kProjectOrtho}, Row{3, kProjectOrtho},
                          Row{3, kProjectPerspective}, Row{7, kProjectOrtho}}) {
        SCOPED_TRACE(row.kind);
        values_.SceneKind = row.kind;
        view_.SetProjectType(row.projection);
        EXPECT_EQ(Ink(Build()), 0);
    }
}

TEST_F(SceneRendererTest, AxesOfA3DSceneAreDrawnOnlyWhenShown) {
    Add(Plane("1"));
    ::tervane::ZoomToFit(view_, scene_, values_.SceneKind, axes_.ShowPI); // with the labels
    struct Row {
        const char* name;
        std::int32_t axisStyle;
    };
    for (const Row row : {Row{"box", 1}, Row{"through the origin", 2}}) {
        SCOPED_TRACE(row.name);
        axes_.AxisStyle = row.axisStyle;
        axes_.Show = true;
        const QImage shown = Build();
        axes_.Show = false;
        const QImage hidden = Build();
        EXPECT_GT(Count(shown, IsAxisBlue), 20);
        EXPECT_EQ(Count(hidden, IsAxisBlue), 0);
        EXPECT_GT(Ink(shown), Ink(hidden));
        EXPECT_GT(Ink(hidden), 0); // the graph itself
    }
    // The box style writes the program-wide titles into the coordinate system.
    axes_.Show = true;
    values_.AxisTitleY = "Im";
    Build();
    EXPECT_EQ(axes_.TitleY, "Im");
}

// Primitives a frame of the renderer sends down the pipeline.
GLuint PrimitivesOfAFrame(SceneRenderer& renderer) {
    GLuint query = 0;
    glGenQueries(1, &query);
    glBeginQuery(GL_PRIMITIVES_GENERATED, query);
    renderer.Display(1);
    glEndQuery(GL_PRIMITIVES_GENERATED);
    GLuint primitives = 0;
    glGetQueryObjectuiv(query, GL_QUERY_RESULT, &primitives);
    glDeleteQueries(1, &query);
    return primitives;
}

// While the view is dragged a large grid is drawn from every k-th point; at rest it is drawn
// whole, pixel for pixel as before the drag.
TEST_F(SceneRendererTest, DragsDrawLighterPicturesAndRestDrawsTheWholeOne) {
    Add(Plane("sin(z)*z", 200));
    ::tervane::ZoomToFit(view_, scene_, values_.SceneKind, axes_.ShowPI);
    renderer_->SetVertexBudget(5000);
    renderer_->BuildSceneList(values_);
    const QImage before = Show(1);
    const GLuint whole = PrimitivesOfAFrame(*renderer_);
    EXPECT_EQ(renderer_->LighterStride(), 1u);

    values_.Interacting = true;
    renderer_->BuildSceneList(values_);
    EXPECT_EQ(renderer_->LighterStride(), 3u); // 201² points over 5000: every third
    const GLuint lighter = PrimitivesOfAFrame(*renderer_);
    EXPECT_LT(lighter * 5, whole) << lighter << " of " << whole;
    EXPECT_GT(Ink(Show(1)), Ink(before) / 2); // still the whole surface, coarser
    renderer_->BuildSceneList(values_);       // a later drag step compiles nothing new
    EXPECT_EQ(renderer_->GraphLists().LighterCompilations(), 1u);

    values_.Interacting = false;
    renderer_->BuildSceneList(values_);
    EXPECT_EQ(PrimitivesOfAFrame(*renderer_), whole);
    EXPECT_EQ(Show(1), before);

    // Measuring the machine's budget leaves nothing behind in the picture.
    renderer_->SetVertexBudget(0);
    EXPECT_GE(renderer_->VertexBudget(), SceneRenderer::kLeastVertexBudget);
    renderer_->BuildSceneList(values_);
    EXPECT_EQ(Show(1), before);
}

TEST_F(SceneRendererTest, AnimationCompilesOneListPerStep) {
    values_.AnimationFrames = 10;
    light_.SetEnabled(false);
    axes_.Show = false;
    // u = x + t drawn across the screen: the picture moves right by one unit per step.
    auto g = Plane("z+t");
    g->SetVarX(kQuantityReal);
    g->SetVarZ(kQuantityImaginary);
    g->SetAnimation(true);
    g->SetMinT(0);
    g->SetMaxT(10);
    Add(g);
    view_.SetVolWidth(30);
    view_.SetVolHeight(30);
    view_.RefPos().x = 4;
    view_.EyePos().x = 4;

    const QImage step1 = Build(1);
    EXPECT_EQ(renderer_->AnimListCount(), 11);
    EXPECT_EQ(renderer_->SceneList(), 0u);
    const GLuint base = renderer_->AnimListBase();
    ASSERT_NE(base, 0u);
    struct Row {
        std::int32_t step;
        GLuint list;
    };
    for (const Row row : {Row{0, base}, Row{1, base}, Row{2, base + 1}, Row{11, base + 10},
                          Row{12, base + 10}, Row{-3, base}}) {
        EXPECT_EQ(renderer_->ListForStep(row.step), row.list) << row.step;
    }
    // The union box spans every step, widened by 0.1.
    EXPECT_NEAR(renderer_->DrawnBox().MinX, -2.0f - 0.04f - 0.1f, 1e-4);
    EXPECT_NEAR(renderer_->DrawnBox().MaxX, 12.0f + 0.04f + 0.1f, 1e-4);

    EXPECT_EQ(Show(0), step1);
    const double centre1 = InkCentreX(step1);
    const double centre6 = InkCentreX(Show(6));
    const double centre11 = InkCentreX(Show(11));
    EXPECT_NEAR(centre6 - centre1, 5 * kSize / 30.0, 2.0);
    EXPECT_NEAR(centre11 - centre6, 5 * kSize / 30.0, 2.0);
}

TEST_F(SceneRendererTest, SupersededListsAreReleased) {
    auto g = Plane("1+t"); // animated, it differs from step to step
    Add(g);
    Build();
    const GLuint first = renderer_->SceneList();
    ASSERT_TRUE(glIsList(first));
    Build();
    const GLuint second = renderer_->SceneList();
    EXPECT_TRUE(glIsList(second));
    EXPECT_FALSE(glIsList(first));

    // Still to animated and back: each build releases what the other kind held.
    values_.AnimationFrames = 4;
    g->SetAnimation(true);
    Build();
    const GLuint base = renderer_->AnimListBase();
    EXPECT_FALSE(glIsList(second));
    EXPECT_EQ(renderer_->SceneList(), 0u);
    for (GLuint k = 0; k < 5; ++k)
        EXPECT_TRUE(glIsList(base + k)) << k;
    g->SetAnimation(false);
    Build();
    for (GLuint k = 0; k < 5; ++k)
        EXPECT_FALSE(glIsList(base + k)) << k;
    EXPECT_EQ(renderer_->AnimListCount(), 0);

    const GLuint last = renderer_->SceneList();
    renderer_->ReleaseGl();
    EXPECT_FALSE(glIsList(last));
    EXPECT_EQ(renderer_->ListForStep(1), 0u);
}

TEST_F(SceneRendererTest, RotationRebuildsTheSceneWithoutReissuingGraphs) {
    auto a = Plane("z*z", 12);
    auto b = Plane("1", 6);
    b->SetID(2);
    Add(a);
    Add(b);
    ZoomToFit();
    const QImage front = Build();
    const std::uint64_t compiled = renderer_->GraphLists().Compilations();
    EXPECT_EQ(compiled, 2u);

    // A trackball drag: every step turns the orientation, rebuilds and shows a frame.
    orientation_.SetRotateMode(kRotateTrackball);
    QImage turned;
    for (int k = 0; k < 5; ++k) {
        orientation_.RotationStep(64.0f + 6 * k, 64.0f, 70.0f + 6 * k, 60.0f, kSize, kSize);
        turned = Build();
    }
    EXPECT_NE(turned, front);
    // So do the standard views.
    const SceneAngles iso = StandardViewAngles(StandardView::ISO);
    scene_.SetRotPitch(iso.RotPitch);
    scene_.SetRotYaw(iso.RotYaw);
    orientation_.ClearRotated();
    EXPECT_NE(Build(), front);
    EXPECT_EQ(renderer_->GraphLists().Compilations(), compiled);
    EXPECT_EQ(renderer_->SceneBuilds(), 7u);

    // A changed setting compiles that graph again, and only that one.
    b->SetShow(2);
    Build();
    EXPECT_EQ(renderer_->GraphLists().Compilations(), compiled + 1);
}

// A graph that reads t keeps only the last step's grids after a build; every later build (a
// rotation) must still take each step's box from that step's samples. Only the step shown is
// compiled; the others when shown, or ahead of time.
TEST_F(SceneRendererTest, AnimatedBoxesStayPutOverLaterBuilds) {
    values_.AnimationFrames = 10;
    auto g = Plane("z+t");
    g->SetVarX(kQuantityReal);
    g->SetVarZ(kQuantityImaginary);
    g->SetAnimation(true);
    g->SetMinT(0);
    g->SetMaxT(10);
    Add(g);
    Build();
    const CBox first = renderer_->SceneBox();
    const CBox drawn = renderer_->DrawnBox();
    EXPECT_NEAR(first.MaxX, 2.0f + 0.04f, 1e-4);
    EXPECT_NEAR(drawn.MaxX, 12.0f + 0.04f + 0.1f, 1e-4);

    orientation_.SetRotateMode(kRotateTrackball);
    orientation_.RotationStep(64.0f, 64.0f, 80.0f, 60.0f, kSize, kSize);
    Build();
    EXPECT_EQ(renderer_->SceneBox(), first);
    EXPECT_EQ(renderer_->DrawnBox(), drawn);
    EXPECT_EQ(renderer_->GraphLists().Compilations(), 1u);
    EXPECT_EQ(renderer_->PendingStepCount(), 10);
    const QImage step6 = Show(6);
    EXPECT_EQ(renderer_->GraphLists().Compilations(), 2u);
    EXPECT_FALSE(renderer_->CompileAhead(std::chrono::seconds(60)));
    EXPECT_EQ(renderer_->PendingStepCount(), 0);
    EXPECT_EQ(renderer_->GraphLists().Compilations(), 11u);
    EXPECT_EQ(Show(6), step6); // compiled ahead, the same picture
    EXPECT_EQ(renderer_->DrawnBox(), drawn);
}

// The look of graphs through the whole frame: unlit, without axes, framed by "Zoom to Fit".
class SceneGraphTest : public SceneRendererTest {
protected:
    void SetUp() override {
        SceneRendererTest::SetUp();
        light_.SetEnabled(false);
        axes_.Show = false;
    }
    QImage Draw(const std::shared_ptr<CGraph>& g) {
        Add(g);
        ZoomToFit();
        return Build();
    }
    // Pixel at plot (x, y) for a graph over [-2, 2]² fitted into the view (8 units across).
    static QColor At(const QImage& image, double x, double y) {
        return image.pixelColor(static_cast<int>((x + 4.0) / 8.0 * kSize),
                                static_cast<int>((4.0 - y) / 8.0 * kSize));
    }
};

TEST_F(SceneGraphTest, PlaneColouredByXShowsARampAlongX) {
    const QImage image = Draw(Plane("1", 16));
    int previous = -1;
    for (double x = -1.9; x <= 1.9; x += 0.2) {
        const QColor c = At(image, x, 0.3);
        EXPECT_GE(c.red(), previous) << x;
        EXPECT_EQ(c.green(), 0) << x;
        EXPECT_EQ(c.blue(), 0) << x;
        previous = c.red();
    }
    EXPECT_LT(At(image, -1.9, 0.3).red(), 20);
    EXPECT_GT(At(image, 1.9, 0.3).red(), 235);
    EXPECT_TRUE(IsWhite(At(image, -2.5, 0.0))); // beyond the domain
}

TEST_F(SceneGraphTest, UndefinedPointLeavesAHole) {
    // 1/z is undefined at the grid point z = 0: the four cells around it are not drawn.
    const QImage image = Draw(Plane("1/z", 4));
    EXPECT_TRUE(IsWhite(At(image, 0.0, 0.0)));
    EXPECT_TRUE(IsWhite(At(image, 0.5, -0.5)));
    EXPECT_FALSE(IsWhite(At(image, 1.5, 1.5)));
    EXPECT_FALSE(IsWhite(At(image, -1.5, -0.5)));
}

TEST_F(SceneGraphTest, ShowTwoDrawsTheCellsAsLines) {
    auto filled = Plane("1", 4);
    const QImage solid = Draw(filled);
    filled->SetShow(2);
    const QImage wire = Build();
    EXPECT_FALSE(IsWhite(At(solid, 0.5, 0.5)));
    EXPECT_TRUE(IsWhite(At(wire, 0.5, 0.5))); // the middle of a cell
    EXPECT_GT(Ink(wire), 0);
    EXPECT_LT(Ink(wire), Ink(solid) / 3);
}

TEST_F(SceneGraphTest, PhaseColoursAndTheirWheel) {
    // w = z in the phase scheme: the colour at each point is that of its own arg and |w|, and
    // the wheel in the corner shows the same colours at the same angles.
    auto g = Plane("z", 16);
    g->SetColorR(kColourPhase);
    g->SetColorG(kColourPhase);
    g->SetColorB(kColourPhase);
    const QImage image = Draw(g);
    const PhaseLegendPlace wheel = PlacePhaseLegend(kSize, kSize);
    struct Case {
        double x, y, argument;
    };
    const auto near = [](const QColor& c, const std::array<float, 3>& e) {
        return std::abs(c.red() - e[0] * 255) < 12 && std::abs(c.green() - e[1] * 255) < 12 &&
               std::abs(c.blue() - e[2] * 255) < 12;
    };
    for (const Case c : {Case{1, 0, 0}, Case{0, 1, std::numbers::pi / 2},
                         Case{-1, 0, std::numbers::pi}, Case{0, -1, -std::numbers::pi / 2}}) {
        const auto expected = PhaseColour(c.argument, 1.0);
        EXPECT_TRUE(near(At(image, c.x, c.y), expected)) << c.argument;
        const QColor legend = image.pixelColor(
            static_cast<int>(wheel.centreX + 0.5f * wheel.radius * static_cast<float>(c.x)),
            kSize - 1 -
                static_cast<int>(wheel.centreY + 0.5f * wheel.radius * static_cast<float>(c.y)));
        EXPECT_TRUE(near(legend, expected)) << "wheel at " << c.argument;
    }

    g->SetColorR(kQuantityX);
    g->SetColorG(0);
    g->SetColorB(0);
    const QImage plain = Build();
    EXPECT_TRUE(IsWhite(plain.pixelColor(static_cast<int>(wheel.centreX),
                                         kSize - 1 - static_cast<int>(wheel.centreY))));
}

TEST_F(SceneGraphTest, RootMarksKeepTheirColoursUnderTheLight) {
    // A lit scene with its axes, drawn before the marks: a zero's mark is still its own blue
    // (with some green: 0x10, 0x60, 0xE0, brightened by the light), a colour that neither the
    // graph (red by x) nor the axes (grey lines, pure blue labels) have.
    light_.SetEnabled(true);
    axes_.Show = true;
    auto g = Plane("z-1", 16);
    ZeroFinderResult found;
    found.Roots.push_back(FoundRoot{RootKind::Zero, 1.0, 0.0, 1, true});
    values_.Roots = {GraphRoots{g, "g", found}};
    const QImage image = Draw(g);
    int marked = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            marked += c.blue() > c.red() + 80 && c.green() > c.red() + 20;
        }
    }
    EXPECT_GT(marked, 0);
}

} // namespace
} // namespace tervane
