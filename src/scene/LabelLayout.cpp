#include "scene/LabelLayout.h"

#include <algorithm>
#include <cmath>

namespace tervane {

namespace {

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

} // namespace

PictureProjector::PictureProjector(const CView& view, const CBox& sceneBox,
                                   const RotMatrix& orientation)
    : orientation_(orientation) {
    CView probe = view; // Projection records its bounds; the caller's view keeps its own
    const ProjectionSetup setup = probe.Projection(sceneBox);
    eye_ = {setup.eye[0], setup.eye[1], setup.eye[2]};
    const Vec3 centre{setup.centre[0], setup.centre[1], setup.centre[2]};
    forward_ = Unit(Minus(centre, eye_));
    side_ = Unit(Cross(forward_, {setup.up[0], setup.up[1], setup.up[2]}));
    up_ = Cross(side_, forward_);
    perspective_ = setup.kind == ProjectionKind::Perspective;
    nearPlane_ = setup.nearPlane;
    if (perspective_) depthScale_ = Dot(Minus(centre, eye_), forward_) / nearPlane_;
}

std::optional<std::array<double, 2>> PictureProjector::Map(const AxesGeometry::Point& p) const {
    const RotMatrix& m = orientation_;
    // Column-major, as glMultMatrixf reads the matrix.
    const Vec3 turned{m[0] * p.x + m[4] * p.y + m[8] * p.z, m[1] * p.x + m[5] * p.y + m[9] * p.z,
                      m[2] * p.x + m[6] * p.y + m[10] * p.z};
    const Vec3 d = Minus(turned, eye_);
    double x = Dot(d, side_), y = Dot(d, up_);
    if (perspective_) {
        const double depth = Dot(d, forward_);
        if (!(depth > 0.0)) return std::nullopt; // behind the eye: not drawn
        x *= nearPlane_ / depth;
        y *= nearPlane_ / depth;
    }
    return std::array<double, 2>{x, y};
}

AxesGeometry::Point PictureProjector::Displaced(const AxesGeometry::Point& from, double dx,
                                                double dy) const {
    // The picture's right and up directions in world space, turned back into the scene's.
    const Vec3 world{(side_[0] * dx + up_[0] * dy) * depthScale_,
                     (side_[1] * dx + up_[1] * dy) * depthScale_,
                     (side_[2] * dx + up_[2] * dy) * depthScale_};
    const RotMatrix& m = orientation_;
    // The transpose of the column-major orientation undoes it.
    return {static_cast<float>(from.x + m[0] * world[0] + m[1] * world[1] + m[2] * world[2]),
            static_cast<float>(from.y + m[4] * world[0] + m[5] * world[1] + m[6] * world[2]),
            static_cast<float>(from.z + m[8] * world[0] + m[9] * world[1] + m[10] * world[2])};
}

std::optional<PictureRect> LabelRect(const AxesGeometry::Label& label,
                                     const PictureProjector& projector) {
    if (label.font == AxesGeometry::Font::Bitmap || label.text.empty()) return std::nullopt;
    PictureRect rect{HUGE_VAL, -HUGE_VAL, HUGE_VAL, -HUGE_VAL};
    for (const AxesGeometry::Point& corner : AxesGeometry::TextCorners(label)) {
        const auto at = projector.Map(corner);
        if (!at) return std::nullopt;
        rect.left = std::min(rect.left, (*at)[0]);
        rect.right = std::max(rect.right, (*at)[0]);
        rect.bottom = std::min(rect.bottom, (*at)[1]);
        rect.top = std::max(rect.top, (*at)[1]);
    }
    return rect;
}

AxesGeometry::Rotation FacingRotation(const RotMatrix& m) {
    // R(i, j) of the column-major matrix; the rotation wanted is its transpose.
    const auto r = [&m](int i, int j) { return double{m[static_cast<std::size_t>(j * 4 + i)]}; };
    const double cosine = std::clamp((r(0, 0) + r(1, 1) + r(2, 2) - 1.0) / 2.0, -1.0, 1.0);
    const double angle = std::acos(cosine);
    if (angle < 1e-6) return {};
    std::array<double, 3> axis{r(1, 2) - r(2, 1), r(2, 0) - r(0, 2), r(0, 1) - r(1, 0)};
    if (angle > std::acos(-1.0) - 1e-3) {
        // A half turn: the axis from the diagonal, its signs from the symmetric part.
        axis = {std::sqrt(std::max(0.0, (r(0, 0) + 1.0) / 2.0)),
                std::sqrt(std::max(0.0, (r(1, 1) + 1.0) / 2.0)),
                std::sqrt(std::max(0.0, (r(2, 2) + 1.0) / 2.0))};
        if (r(0, 1) + r(1, 0) < 0.0) axis[1] = -axis[1];
        if (r(0, 2) + r(2, 0) < 0.0) axis[2] = -axis[2];
    }
    constexpr double kDegrees = 180.0 / 3.14159265358979323846;
    return {static_cast<float>(angle * kDegrees), static_cast<float>(axis[0]),
            static_cast<float>(axis[1]), static_cast<float>(axis[2])};
}

void FaceTheViewer(AxesGeometry& geometry, const RotMatrix& orientation) {
    const AxesGeometry::Rotation facing = FacingRotation(orientation);
    for (AxesGeometry::Pass& pass : geometry.passes)
        for (AxesGeometry::Label& label : pass.labels)
            if (label.font != AxesGeometry::Font::Bitmap) label.rotation = facing;
}

namespace {

struct Picture2 {
    double x = 0.0, y = 0.0;
};

// The text box of a label facing the viewer, in picture units: width and the heights above and
// below the baseline.
struct TextSize {
    double width, ascent, descent;
};

TextSize SizeOf(const AxesGeometry::Label& label, double depthScale) {
    const double em = AxesGeometry::kOutlineTextScale * double{label.scale} / depthScale;
    return {AxesGeometry::TextAdvance(label.text) * em, AxesGeometry::kGlyphAscent * em,
            AxesGeometry::kGlyphDescent * em};
}

// How far a text box reaches from its centre along the unit direction d.
double Reach(const TextSize& t, const Picture2& d) {
    return std::abs(d.x) * t.width / 2.0 + std::abs(d.y) * (t.ascent + t.descent) / 2.0;
}

} // namespace

void LayOutLabels(AxesGeometry& geometry, const PictureProjector& projector,
                  const RotMatrix& orientation, const CBox& box) {
    FaceTheViewer(geometry, orientation);
    const auto map = [&projector](const AxesGeometry::Point& p) {
        const auto at = projector.Map(p);
        return at ? std::optional<Picture2>(Picture2{(*at)[0], (*at)[1]}) : std::nullopt;
    };
    const auto centre =
        map({(box.MinX + box.MaxX) / 2, (box.MinY + box.MaxY) / 2, (box.MinZ + box.MaxZ) / 2});
    if (!centre) return;
    // Per axis: its tick labels' anchors (the edge's two ends are the first and last).
    struct AxisEdge {
        std::optional<Picture2> first, last, middle;
        Picture2 outward{0.0, -1.0};
        double labelReach = 0.0; // the farthest a tick label reaches out from its foot
    };
    std::array<AxisEdge, 3> edges;
    for (AxesGeometry::Pass& pass : geometry.passes)
        for (const AxesGeometry::Label& label : pass.labels) {
            if (label.axis < 0 || label.axis > 2 || !label.anchor) continue;
            AxisEdge& edge = edges[static_cast<std::size_t>(label.axis)];
            const auto at = map(*label.anchor);
            if (!at) continue;
            if (label.font == AxesGeometry::Font::OutlineTitle) {
                edge.middle = at;
            } else {
                if (!edge.first) edge.first = at;
                edge.last = at;
            }
        }
    for (AxisEdge& edge : edges) {
        if (!edge.middle) continue;
        Picture2 d{edge.middle->x - centre->x, edge.middle->y - centre->y};
        if (edge.first && edge.last) {
            // Across the edge as the picture shows it, on the side away from the box's centre.
            const Picture2 along{edge.last->x - edge.first->x, edge.last->y - edge.first->y};
            const double length = std::hypot(along.x, along.y);
            if (length > 1e-9 * (1.0 + std::hypot(d.x, d.y))) {
                Picture2 across{-along.y / length, along.x / length};
                if (across.x * d.x + across.y * d.y < 0.0) across = {-across.x, -across.y};
                d = across;
            }
        }
        const double length = std::hypot(d.x, d.y);
        edge.outward = length > 0.0 ? Picture2{d.x / length, d.y / length} : Picture2{0.0, -1.0};
    }
    const double depthScale = projector.DepthScale();
    // Puts a label's text box beside its anchor, gap away along the axis's outward direction.
    const auto place = [&](AxesGeometry::Label& label, const AxisEdge& edge, double gap) {
        const auto at = map(*label.anchor);
        if (!at) return;
        const TextSize t = SizeOf(label, depthScale);
        const Picture2& d = edge.outward;
        const double reach = gap + Reach(t, d);
        const Picture2 middle{at->x + d.x * reach, at->y + d.y * reach};
        const Picture2 origin{middle.x - t.width / 2.0, middle.y - (t.ascent - t.descent) / 2.0};
        label.position = projector.Displaced(*label.anchor, origin.x - at->x, origin.y - at->y);
    };
    for (AxesGeometry::Pass& pass : geometry.passes)
        for (AxesGeometry::Label& label : pass.labels) {
            if (label.axis < 0 || label.axis > 2 || !label.anchor ||
                label.font != AxesGeometry::Font::OutlineLabel)
                continue;
            AxisEdge& edge = edges[static_cast<std::size_t>(label.axis)];
            const TextSize t = SizeOf(label, depthScale);
            // The tick, then a quarter em.
            const double gap =
                (0.3 + 0.25 * AxesGeometry::kOutlineTextScale) * label.scale / depthScale;
            place(label, edge, gap);
            edge.labelReach = std::max(edge.labelReach, gap + 2.0 * Reach(t, edge.outward));
        }
    for (AxesGeometry::Pass& pass : geometry.passes)
        for (AxesGeometry::Label& label : pass.labels) {
            if (label.axis < 0 || label.axis > 2 || !label.anchor ||
                label.font != AxesGeometry::Font::OutlineTitle)
                continue;
            const AxisEdge& edge = edges[static_cast<std::size_t>(label.axis)];
            const double em = AxesGeometry::kOutlineTextScale * label.scale / depthScale;
            place(label, edge,
                  std::max(edge.labelReach, 0.3 * label.scale / depthScale) + 0.4 * em);
        }
    DropOverlappingLabels(geometry, projector);
}

void DropOverlappingLabels(AxesGeometry& geometry, const PictureProjector& projector) {
    std::vector<PictureRect> placed;
    const auto clear = [&placed](PictureRect r) {
        const double pad = (r.top - r.bottom) * 0.1;
        r.left -= pad;
        r.right += pad;
        r.bottom -= pad;
        r.top += pad;
        return std::none_of(placed.begin(), placed.end(),
                            [&r](const PictureRect& p) { return p.Overlaps(r); });
    };
    using Font = AxesGeometry::Font;
    for (AxesGeometry::Pass& pass : geometry.passes)
        for (const AxesGeometry::Label& label : pass.labels)
            if (label.font == Font::OutlineTitle)
                if (const auto r = LabelRect(label, projector)) placed.push_back(*r);
    for (AxesGeometry::Pass& pass : geometry.passes) {
        std::vector<AxesGeometry::Label> kept;
        for (AxesGeometry::Label& label : pass.labels) {
            if (label.font == Font::OutlineLabel) {
                const auto r = LabelRect(label, projector);
                if (r && !clear(*r)) continue;
                if (r) placed.push_back(*r);
            }
            kept.push_back(std::move(label));
        }
        pass.labels = std::move(kept);
    }
}

} // namespace tervane
