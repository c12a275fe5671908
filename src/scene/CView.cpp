#include "scene/CView.h"

#include "scene/detail/Subscript.h"
#include "scene/detail/VecMath.h"

#include <algorithm>
#include <cmath>

namespace tervane {

using namespace detail;

namespace {

// Largest extent of the box; on ties and NaN the later axis loses, as the fit has always done.
float LargestExtent(const CBox& box) {
    const float dx = box.MaxX - box.MinX;
    const float dy = box.MaxY - box.MinY;
    const float dz = box.MaxZ - box.MinZ;
    float m = dx > dy ? dx : dy;
    if (m < dz) m = dz;
    return m;
}

Vec4 ToVec(const CMarker& p) {
    return {p.x, p.y, p.z, 0.0f};
}

} // namespace

float CView::VecUp(int index) const {
    return vecUp_[CheckedIndex(index, 3)];
}
void CView::SetVecUp(int index, float value) {
    vecUp_[CheckedIndex(index, 3)] = value;
}

Viewport CView::SetScreen(int width, int height) {
    const Viewport viewport{0, 0, width, height};
    screenWidth_ = static_cast<float>(width);
    SetScreenHeight(static_cast<float>(height));
    return viewport;
}

void CView::SetViewRect(float width, float height) {
    volWidth_ = width;
    volHeight_ = height;
    volWidth_ = height * screenWidth_ / screenHeight_;
}

void CView::Zoom(float factor) {
    if (!(factor > 0.0f)) return;
    const float width = volWidth_ * factor;
    const float height = volHeight_ * factor;
    // An overflowed or vanishing (zero or subnormal) cross-section could never be zoomed back
    // into a usable picture.
    if (!std::isnormal(width) || !std::isnormal(height)) return;
    volWidth_ = width;
    volHeight_ = height;
}

void CView::ZoomAll(const CBox& box) {
    // An empty scene box is inverted; fitting it would give a negative, mirrored cross-section.
    if (!(box.MaxX >= box.MinX && box.MaxY >= box.MinY && box.MaxZ >= box.MinZ)) return;
    const float m = LargestExtent(box);
    // A single point has no size to fit: centre on it and keep the current cross-section.
    if (m > 0.0f) SetViewRect(m, m);
    const float offX = eyePos_.x - refPos_.x;
    const float offY = eyePos_.y - refPos_.y;
    const float offZ = eyePos_.z - refPos_.z;
    refPos_.x = (box.MinX + box.MaxX) / 2.0f;
    refPos_.y = (box.MinY + box.MaxY) / 2.0f;
    refPos_.z = (box.MinZ + box.MaxZ) / 2.0f;
    eyePos_.x = refPos_.x + offX;
    eyePos_.y = refPos_.y + offY;
    eyePos_.z = refPos_.z + offZ;
}

void CView::MoveView(float dx, float dy) {
    Vec4 v = VecSub(ToVec(refPos_), ToVec(eyePos_));
    // With the eye on the reference point there is no viewing direction to pan across.
    if (!(VecLength(v) > 0.0f)) return;
    VecNormal(v);
    const Vec4 up{vecUp_[0], vecUp_[1], vecUp_[2], 0.0f};
    const Vec4 r = VecCross(v, up);
    const Vec4 u = VecCross(r, v);
    Vec4 d{};
    for (std::size_t i = 0; i < 3; ++i)
        d[i] = r[i] * volWidth_ * dx + u[i] * volHeight_ * dy;
    eyePos_.x -= d[0];
    eyePos_.y -= d[1];
    eyePos_.z -= d[2];
    refPos_.x -= d[0];
    refPos_.y -= d[1];
    refPos_.z -= d[2];
}

ProjectionSetup CView::Projection(const CBox& sceneBox) {
    volLeft_ = -volWidth_ / 2.0f;
    volRight_ = volWidth_ / 2.0f;
    volBottom_ = -volHeight_ / 2.0f;
    volTop_ = volHeight_ / 2.0f;

    ProjectionSetup setup;
    setup.left = volLeft_;
    setup.right = volRight_;
    setup.bottom = volBottom_;
    setup.top = volTop_;
    setup.eye = {eyePos_.x, eyePos_.y, eyePos_.z};
    setup.centre = {refPos_.x, refPos_.y, refPos_.z};
    setup.up = vecUp_;

    if (projectType_ == kProjectOrtho) {
        setup.kind = ProjectionKind::Orthographic;
        setup.nearPlane = volNear_;
        setup.farPlane = volFar_;
        // The depth range reaches m on both sides of the reference point: a scene deeper than
        // the eye distance (one huge value stretches the box to millions) would otherwise lie
        // beyond the near and far planes and leave the frame blank. An orthographic view may
        // clip in front of the eye, so the eye stays where it is.
        const float m = LargestExtent(sceneBox);
        const float distance = VecLength(VecSub(ToVec(eyePos_), ToVec(refPos_)));
        if (std::isfinite(m) && m > 0.0f && std::isfinite(distance)) {
            setup.nearPlane = std::min(volNear_, distance - m);
            setup.farPlane = std::max(volFar_, distance + m);
        }
    } else if (projectType_ == kProjectPerspective) {
        // The near plane lies m in front of the reference point, where the cross-section is the
        // visible size.
        const float m = LargestExtent(sceneBox);
        float nearPlane = kEyeDistance - m;
        float farPlane = volFar_;
        if (!(nearPlane > 0.0f)) {
            // The scene reaches past the eye: back the eye off along its line of sight to twice
            // the extent, so the near plane stays m in front of the reference point at a positive
            // distance, and push the far plane to at least m behind the reference point.
            const float back = 2.0f * m - kEyeDistance;
            Vec4 offset = VecSub(ToVec(eyePos_), ToVec(refPos_));
            if (VecLength(offset) > 0.0f) {
                VecNormal(offset);
                for (std::size_t i = 0; i < 3; ++i)
                    setup.eye[i] += offset[i] * back;
            }
            nearPlane = m;
            farPlane = std::max(volFar_ + back, 3.0f * m);
        }
        volNear_ = nearPlane;
        setup.kind = ProjectionKind::Perspective;
        setup.nearPlane = volNear_;
        setup.farPlane = farPlane;
        // Later orthographic frames therefore clip at this distance, not the initial 0.001.
        volNear_ = 0.01f;
    }
    return setup;
}

} // namespace tervane
