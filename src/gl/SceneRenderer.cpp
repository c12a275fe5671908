#include "gl/SceneRenderer.h"

#include "gl/PhaseLegend.h"

#include "core/Codes.h"

#include "gl/GlAxes.h"
#include "gl/GlLight.h"
#include "gl/GlMarker.h"
#include "gl/GlStateGuard.h"
#include "graph/GraphPresets.h"
#include "scene/AxesGeometry.h"
#include "scene/LabelLayout.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <locale>
#include <optional>
#include <stdexcept>

namespace tervane {

namespace {

// The union box of an animation is widened by this on every side.
constexpr float kAnimationMargin = 0.1f;

AxisNumberFormat UserNumberFormat() {
    try {
        return AxisNumberFormat::FromLocale(std::locale(""));
    } catch (const std::runtime_error&) {
        // An environment naming a locale that is not installed: the plain format.
        return {};
    }
}

void IssueProjection(const ProjectionSetup& p) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glRenderMode(GL_RENDER);
    switch (p.kind) {
    case ProjectionKind::Orthographic:
        glOrtho(p.left, p.right, p.bottom, p.top, p.nearPlane, p.farPlane);
        break;
    case ProjectionKind::Perspective:
        glFrustum(p.left, p.right, p.bottom, p.top, p.nearPlane, p.farPlane);
        break;
    case ProjectionKind::Identity:
        break;
    }
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(p.eye[0], p.eye[1], p.eye[2], p.centre[0], p.centre[1], p.centre[2], p.up[0], p.up[1],
              p.up[2]);
}

} // namespace

// What every scene list of one build shares: the orientation, the coordinate system and which
// graphs draw again over it.
struct SceneRenderer::ListContent {
    RotMatrix orientation{};
    bool hasGraphs = false;
    AxesGeometry background;
    AxesGeometry grid2D;
    std::optional<AxesGeometry> axes;
    std::vector<bool> drawnOverAxes;
    std::vector<CMarker> marks; ///< the zeros and poles, drawn over the graphs
    std::int32_t sceneKind = 0;
    std::array<float, 3> boxScale{1.0f, 1.0f, 1.0f}; ///< the graphs' and marks' scale per axis
};

// An animation's step lists still to compile, with what the build that reserved them saw.
struct SceneRenderer::PendingSteps {
    ListContent content;
    std::vector<CScene::GraphPtr> graphs;
    std::vector<bool> compiled;
    int done = 0;
    std::int32_t sceneKind = 0;
    std::int32_t frames = 0;
    SamplingOptions sampling;
};

SceneRenderer::SceneRenderer(const SceneInputs& inputs)
    : in_(inputs), numberFormat_(UserNumberFormat()) {}

SceneRenderer::~SceneRenderer() {
    ReleaseGl();
}

void SceneRenderer::Initialize() {
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    glEnable(GL_DITHER);
    glDepthFunc(GL_LEQUAL);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    fonts_ = std::make_unique<GlFonts>();
}

std::vector<std::string> SceneRenderer::FontErrors() const {
    return fonts_ ? fonts_->Errors() : std::vector<std::string>{};
}

void SceneRenderer::Resize(int width, int height) {
    const Viewport viewport = in_.View.SetScreen(width, height);
    glViewport(viewport.x, viewport.y, viewport.width, viewport.height);
}

void SceneRenderer::BuildSceneList(const SceneValues& values) {
    ++sceneBuilds_;
    CScene& shown = in_.ShownGraphs;
    const SceneBoxContext boxContext{values.SceneKind, in_.Axes.ShowPI};
    const std::vector<CScene::GraphPtr>& graphs = shown.FunSurfs();
    for (const CScene::GraphPtr& graph : graphs)
        graph->SetClipSpikes(values.ClipSpikes);
    phaseLegend_ = NeedsPhaseLegend(graphs);

    graphLists_.Prune(graphs);

    // Only graphs whose function reads t change from step to step: a scene without one is
    // drawn as a still one, whatever the graphs' animation flags.
    const bool animated = shown.Animation() &&
                          std::any_of(graphs.begin(), graphs.end(),
                                      [](const auto& g) { return g->Animation() && g->UsesT(); });
    const int frames = animated ? std::max(values.AnimationFrames, 0) : 0;
    const int listCount = frames + 1;

    // A still scene compiles its graph lists now (no list can be compiled inside another). An
    // animation only measures every step here, sampling the graphs that read t at each, for
    // the union box its axes are drawn in; each step's lists are compiled when the step is
    // first shown or by CompileAhead, so that a document of many frames shows at once.
    std::vector<GLuint> stillLists;
    lighterStride_ = 1;
    if (!animated) {
        // While the mouse turns the view, grids beyond the budget are drawn lighter: every
        // k-th point each way, k chosen so that all of them together fit the budget.
        if (values.Interacting) {
            const std::uint64_t points = shown.SampledPoints();
            const std::uint64_t budget = VertexBudget();
            if (points > budget)
                lighterStride_ = static_cast<std::size_t>(std::ceil(
                    std::sqrt(static_cast<double>(points) / static_cast<double>(budget))));
        }
        for (const CScene::GraphPtr& graph : graphs) {
            // The whole picture is compiled first: it is what the view shows at rest, and it
            // keeps the boxes the scene is measured by.
            GLuint list = graphLists_.ListFor(graph, 0, values.SceneKind, values.AnimationFrames,
                                              values.Sampling);
            if (lighterStride_ > 1)
                if (const GLuint lighter = graphLists_.LighterListFor(
                        graph, values.SceneKind, values.AnimationFrames, lighterStride_))
                    list = lighter;
            stillLists.push_back(list);
        }
    } else {
        for (int h = 0; h < listCount; ++h)
            for (const CScene::GraphPtr& graph : graphs)
                (void)graphLists_.StepBox(graph, graph->Animation() ? h : 0, values.SceneKind,
                                          values.AnimationFrames, values.Sampling);
    }
    // A graph that reads t holds only the grids of the step sampled last; every step's box
    // comes from the box the cache took when it sampled that step, on this build and on every
    // later one. The step-0 box also refreshes the extents and the label unit the coordinate
    // system reads.
    const auto boxesAt = [this](int h) {
        return [this, h](CGraph& g) { return graphLists_.BoxFor(g, h); };
    };
    sceneBox_ = shown.GetBox(boxesAt(0), boxContext);
    CBox unionBox = CBox::Empty();
    for (int h = 0; animated && h < listCount; ++h)
        unionBox.Include(shown.GetBox(boxesAt(h), boxContext));
    if (animated) {
        unionBox.MinX -= kAnimationMargin;
        unionBox.MinY -= kAnimationMargin;
        unionBox.MinZ -= kAnimationMargin;
        unionBox.MaxX += kAnimationMargin;
        unionBox.MaxY += kAnimationMargin;
        unionBox.MaxZ += kAnimationMargin;
    }
    drawnBox_ = animated ? unionBox : sceneBox_;
    // Box proportions: the graphs are drawn scaled per axis, and everything measured in the
    // picture (camera, fit, axes) takes the scaled boxes.
    boxScale_ = !graphs.empty() ? BoxScale(drawnBox_, values.Box, values.SceneKind)
                                : std::array<float, 3>{1.0f, 1.0f, 1.0f};
    sceneBox_ = ScaledBox(sceneBox_, boxScale_);
    drawnBox_ = ScaledBox(drawnBox_, boxScale_);

    ListContent content;
    content.orientation = in_.Orientation.OrientationMatrix(
        SceneAngles{shown.RotRoll(), shown.RotPitch(), shown.RotYaw()});
    content.hasGraphs = !graphs.empty();
    if (content.hasGraphs) {
        const float labelUnitBase = shown.LabelUnitBase();
        if (IsPlaneScene(values.SceneKind)) {
            content.background = AxesDrawBackground(in_.Axes, drawnBox_, labelUnitBase);
            content.grid2D = AxesDraw2DGrid(in_.Axes, drawnBox_, labelUnitBase);
        }
        if (in_.Axes.Show) {
            // The coordinate system always shows the program-wide titles.
            in_.Axes.TitleX = values.AxisTitleX;
            in_.Axes.TitleY = values.AxisTitleY;
            in_.Axes.TitleZ = values.AxisTitleZ;
            content.axes = AxesDraw(in_.Axes, drawnBox_, values.SceneKind, labelUnitBase,
                                    numberFormat_, boxScale_);
            // The labels face the viewer beside their ticks, and those that the present turn
            // would lay over another are left out; every turn rebuilds the scene list, and
            // zooming keeps their proportions.
            LayOutLabels(*content.axes, PictureProjector(in_.View, sceneBox_, content.orientation),
                         content.orientation, drawnBox_);
            if (values.DistinctLabelColours) {
                int k = 0;
                for (AxesGeometry::Pass& pass : content.axes->passes)
                    for (AxesGeometry::Label& label : pass.labels)
                        if (label.font != AxesGeometry::Font::Bitmap)
                            label.colour = {static_cast<float>(++k % 256) / 255.0f, 1.0f, 0.0f};
            }
        }
        for (const CScene::GraphPtr& graph : graphs)
            content.drawnOverAxes.push_back(graph->GraphType() == kGraphPointSet);
        // After the boxes: a mark's height comes from its graph's box.
        content.marks = RootMarkers(values.Roots);
        content.sceneKind = values.SceneKind;
        content.boxScale = boxScale_;
    }

    // The new lists replace the previous ones, which are released here.
    GlListRange lists(listCount);
    pending_.reset();
    if (animated) {
        animLists_ = std::move(lists);
        sceneList_.Reset();
        if (animLists_.Base() != 0) {
            pending_ = std::make_unique<PendingSteps>();
            pending_->content = std::move(content);
            pending_->graphs = graphs;
            pending_->compiled.assign(static_cast<std::size_t>(listCount), false);
            pending_->sceneKind = values.SceneKind;
            pending_->frames = values.AnimationFrames;
            pending_->sampling = values.Sampling;
        }
    } else {
        if (lists.Base() != 0) CompileSceneList(lists.Base(), content, stillLists);
        sceneList_ = std::move(lists);
        animLists_.Reset();
    }
}

std::uint64_t SceneRenderer::VertexBudget() {
    if (vertexBudget_ != 0) return vertexBudget_;
    // Draws a lit, coloured 256 x 256 surface three times and takes what the machine draws in
    // 25 ms; the frame is cleared by the next Display.
    constexpr int kSteps = 255;
    GraphRecipe recipe;
    recipe.Function = "z*z";
    recipe.StepU = recipe.StepV = kSteps;
    const std::shared_ptr<CGraph> probe = MakeSurfaceGraph(recipe);
    std::uint64_t budget = 200000;
    if (probe->GetPoints()) {
        GraphListCache lists;
        const GLuint list = lists.ListFor(probe, 0, kScene3D, 0);
        // Seen whole, from the side and above, so that it costs what a framed graph costs.
        glMatrixMode(GL_PROJECTION);
        glPushMatrix();
        glLoadIdentity();
        glOrtho(-4.0, 4.0, -4.0, 10.0, -20.0, 20.0);
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        glLoadIdentity();
        glRotatef(20.0f, 1.0f, 0.0f, 0.0f);
        glRotatef(45.0f, 0.0f, 1.0f, 0.0f);
        glFinish();
        const auto start = std::chrono::steady_clock::now();
        constexpr int kRounds = 3;
        for (int round = 0; round < kRounds; ++round)
            if (list != 0) glCallList(list);
        glFinish();
        glPopMatrix();
        glMatrixMode(GL_PROJECTION);
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const double points = static_cast<double>(kSteps + 1) * (kSteps + 1) * kRounds;
        if (seconds > 0.0) budget = static_cast<std::uint64_t>(points / seconds * 0.025);
    }
    vertexBudget_ = std::clamp<std::uint64_t>(budget, kLeastVertexBudget, 4000000);
    return vertexBudget_;
}

void SceneRenderer::CompileStep(int index) {
    if (!pending_ || index < 0 || index >= static_cast<int>(pending_->compiled.size()) ||
        pending_->compiled[static_cast<std::size_t>(index)])
        return;
    std::vector<GLuint> graphLists;
    for (const CScene::GraphPtr& graph : pending_->graphs)
        graphLists.push_back(graphLists_.ListFor(graph, graph->Animation() ? index : 0,
                                                 pending_->sceneKind, pending_->frames,
                                                 pending_->sampling));
    CompileSceneList(animLists_.Base() + static_cast<GLuint>(index), pending_->content, graphLists);
    pending_->compiled[static_cast<std::size_t>(index)] = true;
    ++pending_->done;
}

int SceneRenderer::PendingStepCount() const {
    return pending_ ? static_cast<int>(pending_->compiled.size()) - pending_->done : 0;
}

bool SceneRenderer::CompileAhead(std::chrono::milliseconds time) {
    const auto end = std::chrono::steady_clock::now() + time;
    while (PendingStepCount() > 0) {
        const auto next = std::find(pending_->compiled.begin(), pending_->compiled.end(), false);
        CompileStep(static_cast<int>(next - pending_->compiled.begin()));
        if (std::chrono::steady_clock::now() >= end) break;
    }
    return PendingStepCount() > 0;
}

void SceneRenderer::CompileSceneList(GLuint list, const ListContent& content,
                                     const std::vector<GLuint>& graphLists) const {
    glNewList(list, GL_COMPILE);
    glMultMatrixf(content.orientation.data());
    if (fonts_) {
        IssueAxes(content.background, *fonts_);
        IssueAxes(content.grid2D, *fonts_);
    }
    const std::array<float, 3>& scale = content.boxScale;
    const bool scaled = scale != std::array<float, 3>{1.0f, 1.0f, 1.0f};
    // The graphs and marks in the box's proportions; the normals of a scaled surface are
    // normalised again for the light.
    const auto inBox = [&](const auto& draw) {
        if (!scaled) {
            draw();
            return;
        }
        const GlAttribGuard attributes(GL_ENABLE_BIT);
        glEnable(GL_NORMALIZE);
        glPushMatrix();
        glScalef(scale[0], scale[1], scale[2]);
        draw();
        glPopMatrix();
    };
    inBox([&] {
        for (const GLuint graphList : graphLists)
            if (graphList != 0) glCallList(graphList);
    });
    if (content.hasGraphs) {
        if (content.axes && fonts_) IssueAxes(*content.axes, *fonts_);
        inBox([&] {
            for (std::size_t k = 0; k < graphLists.size(); ++k)
                if (content.drawnOverAxes[k] && graphLists[k] != 0) glCallList(graphLists[k]);
        });
        if (!content.marks.empty()) {
            // The marks show their own colours, lit like the graphs: the axes before them leave
            // the colour material off.
            const GlAttribGuard attributes(GL_ENABLE_BIT | GL_LIGHTING_BIT | GL_CURRENT_BIT);
            glColorMaterial(GL_FRONT_AND_BACK, GL_DIFFUSE);
            glEnable(GL_COLOR_MATERIAL);
            // A mark sits where its point is drawn and keeps its round shape.
            for (CMarker mark : content.marks) {
                mark.x *= scale[0];
                mark.y *= scale[1];
                mark.z *= scale[2];
                DrawMarker(mark, content.sceneKind);
            }
        }
    }
    glEndList();
}

GLuint SceneRenderer::ListForStep(std::int32_t step) const {
    if (sceneList_.Base() != 0) return sceneList_.Base();
    const int count = animLists_.Count();
    if (animLists_.Base() == 0 || count == 0) return 0;
    // Step F shows list F - 1, and step 0 the first. A step beyond the lists (the step count
    // was lowered since the last build) shows the last one rather than a list of someone else.
    const int index = std::clamp(step - 1, 0, count - 1);
    return animLists_.Base() + static_cast<GLuint>(index);
}

void SceneRenderer::Display(std::int32_t step) {
    // Light positions are taken in eye coordinates (the lights stand beside the viewer), not
    // through whatever camera the previous frame left on the model-view matrix: the first frame
    // of a headless render and every later frame of a window then light the scene alike.
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    SetLight(in_.Light);
    glShadeModel(GL_SMOOTH);
    IssueProjection(in_.View.Projection(sceneBox_));
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    {
        const GlMatrixGuard matrix;
        const GLuint list = ListForStep(step);
        // A step shown for the first time is compiled now (outside any list).
        if (list != 0 && animLists_.Base() != 0)
            CompileStep(static_cast<int>(list - animLists_.Base()));
        if (list != 0) glCallList(list);
    }
    if (phaseLegend_) {
        GLint viewport[4] = {0, 0, 0, 0};
        glGetIntegerv(GL_VIEWPORT, viewport);
        DrawPhaseLegend(viewport[2], viewport[3]);
    }
    glFinish();
}

void SceneRenderer::ReleaseGl() {
    pending_.reset();
    sceneList_.Reset();
    animLists_.Reset();
    graphLists_.Clear();
    fonts_.reset();
}

} // namespace tervane
