#include "scene/ZoomToFit.h"

#include "core/Codes.h"
#include "scene/AxesGeometry.h"
#include "scene/LabelLayout.h"
#include "scene/QuatMath.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace tervane {

CBox DrawnRegion(const CBox& box, std::int32_t sceneKind) {
    if (sceneKind != kSceneColorMap) return box;
    // Fitting the colour map's own box would centre the camera on the middle
    // of its Y quantity, which the map does not draw, and leave the map small
    // and off-centre.
    return CBox{box.MinX, box.MaxX, box.MinZ, box.MaxZ, 0.0f, 0.0f};
}

namespace {

bool IsBoxScene(std::int32_t kind) {
    return kind == kSceneBox || kind == kSceneBoxAlt || kind == kScene3D || kind == kScene3DAlt;
}

// The box and what the box-style coordinate system draws around it, with the given axes'
// titles and label counts; without them, titles of four characters ("Re w"), the longest
// quantity names. The labels are taken whether the axes are shown or not, so that showing
// them does not move the graphs.
std::vector<AxesGeometry::Point> LabelledBox(const CBox& box, std::int32_t sceneKind,
                                             const CAxes* shown, const CView& view,
                                             const RotMatrix& orientation) {
    CAxes axes = shown ? *shown : CAxes();
    axes.AxisStyle = 1;
    if (!shown) axes.TitleX = axes.TitleY = axes.TitleZ = "Re w";
    // Laid out as the view will draw them at this turn (their places scale with the box).
    AxesGeometry geometry = AxesDraw(axes, box, sceneKind);
    LayOutLabels(geometry, PictureProjector(view, box, orientation), orientation, box);
    std::vector<AxesGeometry::Point> points = geometry.ExtentPoints();
    for (const float x : {box.MinX, box.MaxX})
        for (const float y : {box.MinY, box.MaxY})
            for (const float z : {box.MinZ, box.MaxZ})
                points.push_back({x, y, z});
    return points;
}

// Where the points fall in the picture, in cross-section units about its centre.
struct PictureBounds {
    double left, right, bottom, top;
    double depthScale; // scene units at the reference point per cross-section unit
};

PictureBounds Project(const std::vector<AxesGeometry::Point>& points, const CView& view,
                      const CBox& sceneBox, const RotMatrix& m) {
    const PictureProjector projector(view, sceneBox, m);
    PictureBounds b{HUGE_VAL, -HUGE_VAL, HUGE_VAL, -HUGE_VAL, projector.DepthScale()};
    for (const AxesGeometry::Point& p : points) {
        const auto at = projector.Map(p);
        if (!at) continue; // behind the eye: not drawn
        b.left = std::min(b.left, (*at)[0]);
        b.right = std::max(b.right, (*at)[0]);
        b.bottom = std::min(b.bottom, (*at)[1]);
        b.top = std::max(b.top, (*at)[1]);
    }
    return b;
}

} // namespace

void ZoomToFit(CView& view, CScene& shownGraphs, std::int32_t sceneKind, bool showPI) {
    if (shownGraphs.Count() == 0) return;
    const SceneAngles angles{shownGraphs.RotRoll(), shownGraphs.RotPitch(), shownGraphs.RotYaw()};
    ZoomToFit(view, shownGraphs.GetBox(0, SceneBoxContext{sceneKind, showPI}), sceneKind,
              BuildRotMatrix(QuatFromSceneAngles(angles)));
}

void ZoomToFit(CView& view, const CBox& sceneBox, std::int32_t sceneKind) {
    view.ZoomAll(DrawnRegion(sceneBox, sceneKind));
    view.Zoom(2.0f);
}

void ZoomToFit(CView& view, const CBox& sceneBox, std::int32_t sceneKind,
               const RotMatrix& orientation, const CAxes* axes) {
    ZoomToFit(view, sceneBox, sceneKind);
    if (!IsBoxScene(sceneKind)) return;
    if (!(sceneBox.MaxX >= sceneBox.MinX && sceneBox.MaxY >= sceneBox.MinY &&
          sceneBox.MaxZ >= sceneBox.MinZ))
        return;
    const PictureBounds b = Project(LabelledBox(sceneBox, sceneKind, axes, view, orientation), view,
                                    sceneBox, orientation);
    const double width = view.VolWidth(), height = view.VolHeight();
    const double usableWidth = width * (1.0 - 2.0 * kLabelEdge);
    const double usableHeight = height * (1.0 - 2.0 * kLabelEdge);
    if (!(b.left <= b.right && b.bottom <= b.top) || !(usableWidth > 0.0 && usableHeight > 0.0))
        return;
    // Centre the labelled box (MoveView pans by fractions of the cross-section at the
    // reference point), then size the cross-section so that it just holds it: the box with
    // its labels fills the picture, whatever its proportions and turn.
    const double middleX = (b.left + b.right) / 2.0 * b.depthScale;
    const double middleY = (b.bottom + b.top) / 2.0 * b.depthScale;
    view.MoveView(static_cast<float>(-middleX / width), static_cast<float>(-middleY / height));
    const double grow =
        std::max((b.right - b.left) / usableWidth, (b.top - b.bottom) / usableHeight);
    if (grow > 0.0) view.Zoom(static_cast<float>(grow));
}

} // namespace tervane
