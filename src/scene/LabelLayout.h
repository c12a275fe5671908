#pragma once

#include "core/CBox.h"
#include "scene/AxesGeometry.h"
#include "scene/CView.h"
#include "scene/QuatMath.h"

#include <array>
#include <optional>
#include <vector>

namespace tervane {

/// Where scene points fall in the picture as a frame draws them: turned by the orientation at
/// the head of the scene list, then through the camera's look-at and projection. Picture
/// coordinates are cross-section units about the picture's centre (x right, y up), so the
/// picture spans the view's VolWidth by VolHeight.
class PictureProjector {
public:
    PictureProjector(const CView& view, const CBox& sceneBox, const RotMatrix& orientation);

    /// The picture position of p; nothing for a point behind a perspective eye.
    [[nodiscard]] std::optional<std::array<double, 2>> Map(const AxesGeometry::Point& p) const;
    /// Scene units at the reference point per picture unit (1 without perspective).
    [[nodiscard]] double DepthScale() const { return depthScale_; }
    /// The scene point that is (dx, dy) picture units right of and above from in the plane
    /// facing the viewer (taken at the reference point's depth).
    [[nodiscard]] AxesGeometry::Point Displaced(const AxesGeometry::Point& from, double dx,
                                                double dy) const;

private:
    using Vec3 = std::array<double, 3>;
    RotMatrix orientation_;
    Vec3 eye_{}, forward_{}, side_{}, up_{};
    double nearPlane_ = 0.0;
    bool perspective_ = false;
    double depthScale_ = 1.0;
};

/// A rectangle in picture coordinates.
struct PictureRect {
    double left = 0.0, right = 0.0, bottom = 0.0, top = 0.0;
    [[nodiscard]] bool Overlaps(const PictureRect& o) const {
        return left < o.right && o.left < right && bottom < o.top && o.bottom < top;
    }
};

/// The picture rectangle round the corners of an outline label's text box (as
/// AxesGeometry::ExtentPoints estimates it); nothing for bitmap text, an empty text or a label
/// behind the eye.
[[nodiscard]] std::optional<PictureRect> LabelRect(const AxesGeometry::Label& label,
                                                   const PictureProjector& projector);

/// The rotation, as glRotate takes it, that undoes orientation (a pure rotation): text turned
/// by it under the scene's orientation faces the viewer, upright.
[[nodiscard]] AxesGeometry::Rotation FacingRotation(const RotMatrix& orientation);

/// Turns every outline label to face the viewer at the scene's present orientation, so that
/// it reads upright from any turn; the anchors stay where they are.
void FaceTheViewer(AxesGeometry& geometry, const RotMatrix& orientation);

/// Lays out the box style's labels for the present turn: every outline label faces the
/// viewer (FaceTheViewer); each tick label is placed beside its tick's foot, away from the
/// box across its edge as the picture shows it, a title beyond its axis's labels at the
/// edge's middle; then labels that would overlap are dropped (DropOverlappingLabels). Labels
/// without an anchor keep their places.
void LayOutLabels(AxesGeometry& geometry, const PictureProjector& projector,
                  const RotMatrix& orientation, const CBox& box);

/// Takes out the outline labels whose text would overlap another's in the picture: the titles
/// are placed first, then the tick labels in their order, each kept only when it is clear of
/// everything kept before it by a tenth of its height. Where two axes' end labels meet at a
/// corner of the box, the later axis's label goes.
void DropOverlappingLabels(AxesGeometry& geometry, const PictureProjector& projector);

} // namespace tervane
