#pragma once

#include "core/CBox.h"
#include "document/RootMarks.h"
#include "gl/GlListRange.h"
#include "gl/GraphListCache.h"
#include "gl/text/GlFonts.h"
#include "scene/AxisNumberFormat.h"
#include "scene/BoxProportions.h"
#include "scene/CAxes.h"
#include "scene/CLight.h"
#include "scene/CScene.h"
#include "scene/CView.h"
#include "scene/SceneOrientation.h"

#include <GL/gl.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tervane {

/// The model objects a view draws, held by reference for the renderer's lifetime.
struct SceneInputs {
    /// The checked graphs: drawn, measured, and the source of the orientation angles.
    CScene& ShownGraphs;
    /// The coordinate system; its titles are replaced by the program-wide ones at each build.
    CAxes& Axes;
    /// The camera, issued at every frame.
    CView& View;
    /// The light, issued first in every frame.
    const CLight& Light;
    /// The orientation at the head of the scene lists.
    SceneOrientation& Orientation;
};

/// Program-wide values of the open document that a scene build reads.
struct SceneValues {
    /// Kind of the document: selects the axes style, the 2D background and the box snapping.
    std::int32_t SceneKind = 0;
    /// Axis titles shown by the coordinate system.
    std::string AxisTitleX;
    std::string AxisTitleY;
    std::string AxisTitleZ;
    /// Animation steps after the first (the document's AnimationFrames): an animated scene
    /// compiles AnimationFrames + 1 lists.
    std::int32_t AnimationFrames = 10;
    /// How graphs that read t are sampled per step.
    SamplingOptions Sampling;
    /// Whether surfaces and colour maps cut their outlying values (CGraph::SetClipSpikes): the
    /// view's setting, applied to every shown graph at each build.
    bool ClipSpikes = true;
    /// Zeros and poles to mark in the shown graphs (none unless the view shows them).
    std::vector<GraphRoots> Roots;
    /// Proportions of a box-style scene's box: the graphs and marks are drawn scaled per axis
    /// by BoxScale, the labels show the true values.
    BoxRatio Box = BoxRatio::Automatic;
    /// Draws the outline labels and titles each in a colour of its own (the k-th, from 0, in
    /// red k + 1, green 255, blue 0) so that a picture tells them apart (tests of the layout).
    bool DistinctLabelColours = false;
    /// The view is being turned, moved or zoomed with the mouse: still graphs whose grids
    /// together exceed the vertex budget are drawn from every k-th grid point (their lighter
    /// lists), so that the frames keep up; a build without it draws them whole again.
    bool Interacting = false;
};

/// The GL surface of a view without any widget: the surface state, the display-list fonts, the
/// scene lists and the frame. A QOpenGLWidget forwards initializeGL, resizeGL and paintGL to
/// Initialize, Resize and Display; the headless renderer drives it directly.
///
/// Every graph is compiled into its own display list (GraphListCache) when its content or
/// settings change; a scene list only sets the orientation, draws the coordinate system and
/// calls those lists. Turning the scene therefore rebuilds one small list and issues no graph
/// geometry. The number of animation steps is SceneValues::AnimationFrames.
///
/// Every call needs the view's GL context current, the destructor included (its lists belong
/// to that context); a window calls ReleaseGl from QOpenGLContext::aboutToBeDestroyed.
class SceneRenderer {
public:
    explicit SceneRenderer(const SceneInputs& inputs);
    ~SceneRenderer();

    SceneRenderer(const SceneRenderer&) = delete;
    SceneRenderer& operator=(const SceneRenderer&) = delete;

    /// Sets the surface state (white clear colour, dithering, depth test with less-or-equal
    /// and clear depth 1) and builds the fonts. Font failures are kept in FontErrors.
    void Initialize();

    /// "Unable to create font: ..." once per font that failed, for the window to show.
    [[nodiscard]] std::vector<std::string> FontErrors() const;

    /// Records a resize with the camera and sets the GL viewport.
    void Resize(int width, int height);

    /// Recompiles the scene lists: one list, or one per animation step 0..N when a shown graph
    /// is animated (N + 1 lists over the union box of all steps, widened by 0.1; each step is
    /// measured now and compiled when first shown or by CompileAhead). Graph lists are compiled
    /// only for graphs that changed; lists of graphs no longer shown and the previous scene
    /// lists are released.
    void BuildSceneList(const SceneValues& values);

    /// Renders one frame: light (placed in eye coordinates), smooth shading, projection and
    /// camera, clear, the scene list of the step (steps 0 and 1 both show the first animation
    /// list; compiled now when it is shown for the first time), then waits for GL. Before the
    /// first build the frame is the clear colour alone.
    void Display(std::int32_t step);

    /// Compiles animation step lists not yet shown, in step order, for about `time`; true
    /// while some remain. A window calls it when idle, so that playback finds them ready.
    bool CompileAhead(std::chrono::milliseconds time);
    /// Animation step lists of the last build not compiled yet.
    [[nodiscard]] int PendingStepCount() const;

    /// Releases every display list and the fonts now (the context must be current).
    void ReleaseGl();

    /// Number format of the box-style tick labels (the user's locale unless set).
    void SetNumberFormat(const AxisNumberFormat& format) { numberFormat_ = format; }
    [[nodiscard]] const AxisNumberFormat& NumberFormat() const { return numberFormat_; }

    /// The list Display calls for a step, 0 when there is none.
    [[nodiscard]] GLuint ListForStep(std::int32_t step) const;
    /// The still scene list, 0 when the last build was animated or there was none.
    [[nodiscard]] GLuint SceneList() const { return sceneList_.Base(); }
    /// First animation list, 0 when the last build was still or there was none.
    [[nodiscard]] GLuint AnimListBase() const { return animLists_.Base(); }
    /// Number of animation lists of the last build (N + 1), 0 for a still build.
    [[nodiscard]] int AnimListCount() const { return animLists_.Count(); }
    /// The grid points a frame may draw while Interacting: what this machine draws in about
    /// 25 ms, measured the first time it is needed unless set.
    [[nodiscard]] std::uint64_t VertexBudget();
    /// The least budget a measurement gives: scenes of fewer grid points are always whole.
    static constexpr std::uint64_t kLeastVertexBudget = 20000;
    void SetVertexBudget(std::uint64_t points) { vertexBudget_ = points; }
    /// The k of the lighter lists the last build drew (1: every graph whole).
    [[nodiscard]] std::size_t LighterStride() const { return lighterStride_; }

    /// The per-graph lists; Compilations() counts how often graph geometry was issued.
    [[nodiscard]] const GraphListCache& GraphLists() const { return graphLists_; }
    /// Number of BuildSceneList calls so far.
    [[nodiscard]] std::uint64_t SceneBuilds() const { return sceneBuilds_; }
    /// The scene box for step 0 taken at the last build (what the perspective near plane uses).
    [[nodiscard]] const CBox& SceneBox() const { return sceneBox_; }
    /// The box the last build drew the axes in: the step-0 box, or the widened union box of
    /// all steps when animated. Both boxes are in drawn units: scaled per axis by BoxScale.
    [[nodiscard]] const CBox& DrawnBox() const { return drawnBox_; }
    /// The scale per box axis the last build drew the graphs with ((1, 1, 1) at true scale).
    [[nodiscard]] const std::array<float, 3>& BoxScaleUsed() const { return boxScale_; }

private:
    struct ListContent;
    struct PendingSteps;
    void CompileSceneList(GLuint list, const ListContent& content,
                          const std::vector<GLuint>& graphLists) const;
    /// Compiles the list of animation step index (and its graphs' lists) unless it is.
    void CompileStep(int index);

    SceneInputs in_;
    std::unique_ptr<GlFonts> fonts_;
    GraphListCache graphLists_;
    GlListRange sceneList_;
    GlListRange animLists_;
    CBox sceneBox_;
    CBox drawnBox_;
    std::array<float, 3> boxScale_{1.0f, 1.0f, 1.0f};
    std::uint64_t vertexBudget_ = 0; ///< 0: not measured yet
    std::size_t lighterStride_ = 1;
    AxisNumberFormat numberFormat_;
    std::uint64_t sceneBuilds_ = 0;
    bool phaseLegend_ = false; ///< a shown graph is phase-coloured: Display adds the wheel
    std::unique_ptr<PendingSteps> pending_;
};

} // namespace tervane
