#include "scene/ZoomToFit.h"

#include "core/Codes.h"
#include "scene/AxesGeometry.h"
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

// The box and what the box-style coordinate system draws around it. The fit cannot see the
// document's axes, so it takes the box style with all marks and titles of four characters
// ("Re w"), the longest quantity names.
std::vector<AxesGeometry::Point> LabelledBox(const CBox& box, std::int32_t sceneKind) {
    CAxes axes;
    axes.AxisStyle = 1;
    axes.TitleX = axes.TitleY = axes.TitleZ = "Re w";
    std::vector<AxesGeometry::Point> points = AxesDraw(axes, box, sceneKind).ExtentPoints();
    for (const float x : {box.MinX, box.MaxX})
        for (const float y : {box.MinY, box.MaxY})
            for (const float z : {box.MinZ, box.MaxZ})
                points.push_back({x, y, z});
    return points;
}

using Vec3 = std::array<double, 3>;

Vec3 Minus(const Vec3& a, const Vec3& b) {
    return {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}
double Dot(const Vec3& a, const Vec3& b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}
Vec3 Cross(const Vec3& a, const Vec3& b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
Vec3 Unit(const Vec3& a) {
    const double length = std::sqrt(Dot(a, a));
    return length > 0.0 ? Vec3{a[0] / length, a[1] / length, a[2] / length} : a;
}

// Where the points fall in the picture, in cross-section units about its centre, as the frame
// draws them: the scene turned by the orientation, then the camera's look-at and projection.
struct PictureBounds {
    double left, right, bottom, top;
    double depthScale; // scene units at the reference point per cross-section unit
};

PictureBounds Project(const std::vector<AxesGeometry::Point>& points, const CView& view,
                      const CBox& sceneBox, const RotMatrix& m) {
    CView probe = view; // Projection records its bounds; the caller's view keeps its own
    const ProjectionSetup setup = probe.Projection(sceneBox);
    const Vec3 eye{setup.eye[0], setup.eye[1], setup.eye[2]};
    const Vec3 centre{setup.centre[0], setup.centre[1], setup.centre[2]};
    const Vec3 forward = Unit(Minus(centre, eye));
    const Vec3 side = Unit(Cross(forward, {setup.up[0], setup.up[1], setup.up[2]}));
    const Vec3 up = Cross(side, forward);
    const bool perspective = setup.kind == ProjectionKind::Perspective;
    PictureBounds b{HUGE_VAL, -HUGE_VAL, HUGE_VAL, -HUGE_VAL, 1.0};
    if (perspective) b.depthScale = Dot(Minus(centre, eye), forward) / setup.nearPlane;
    for (const AxesGeometry::Point& p : points) {
        // Column-major, as glMultMatrixf reads the matrix.
        const Vec3 turned{m[0] * p.x + m[4] * p.y + m[8] * p.z,
                          m[1] * p.x + m[5] * p.y + m[9] * p.z,
                          m[2] * p.x + m[6] * p.y + m[10] * p.z};
        const Vec3 d = Minus(turned, eye);
        double x = Dot(d, side), y = Dot(d, up);
        if (perspective) {
            const double depth = Dot(d, forward);
            if (!(depth > 0.0)) continue; // behind the eye: not drawn
            x *= setup.nearPlane / depth;
            y *= setup.nearPlane / depth;
        }
        b.left = std::min(b.left, x);
        b.right = std::max(b.right, x);
        b.bottom = std::min(b.bottom, y);
        b.top = std::max(b.top, y);
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
               const RotMatrix& orientation) {
    ZoomToFit(view, sceneBox, sceneKind);
    if (!IsBoxScene(sceneKind)) return;
    if (!(sceneBox.MaxX >= sceneBox.MinX && sceneBox.MaxY >= sceneBox.MinY &&
          sceneBox.MaxZ >= sceneBox.MinZ))
        return;
    const PictureBounds b = Project(LabelledBox(sceneBox, sceneKind), view, sceneBox, orientation);
    const double width = view.VolWidth(), height = view.VolHeight();
    const double usableWidth = width * (1.0 - 2.0 * kLabelEdge);
    const double usableHeight = height * (1.0 - 2.0 * kLabelEdge);
    if (!(b.left <= b.right && b.bottom <= b.top) || !(usableWidth > 0.0 && usableHeight > 0.0))
        return;
    if (b.left >= -usableWidth / 2.0 && b.right <= usableWidth / 2.0 &&
        b.bottom >= -usableHeight / 2.0 && b.top <= usableHeight / 2.0)
        return;
    // Centre the labelled box (MoveView pans by fractions of the cross-section at the
    // reference point), then widen the cross-section until it holds it.
    const double middleX = (b.left + b.right) / 2.0 * b.depthScale;
    const double middleY = (b.bottom + b.top) / 2.0 * b.depthScale;
    view.MoveView(static_cast<float>(-middleX / width), static_cast<float>(-middleY / height));
    const double grow =
        std::max({1.0, (b.right - b.left) / usableWidth, (b.top - b.bottom) / usableHeight});
    view.Zoom(static_cast<float>(grow));
}

} // namespace tervane
