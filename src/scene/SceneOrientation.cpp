#include "scene/SceneOrientation.h"

#include "core/Codes.h"

namespace tervane {

namespace {

constexpr float kDegreesToRadians = kRoundedPi / 180.0f;

} // namespace

SceneAngles StandardViewAngles(StandardView view) {
    switch (view) {
    case StandardView::Front:
        return {0.0f, 0.0f, 0.0f};
    case StandardView::Right:
        return {0.0f, 0.0f, 90.0f};
    case StandardView::Top:
        return {0.0f, -90.0f, 0.0f};
    case StandardView::ISO:
        return {0.0f, -15.0f, 45.0f};
    }
    return {};
}

Quat QuatFromSceneAngles(const SceneAngles& angles) {
    const Quat qr = AxisToQuat({0.0f, 0.0f, 1.0f, 0.0f}, angles.RotRoll * kDegreesToRadians);
    Quat qp = AxisToQuat({1.0f, 0.0f, 0.0f, 0.0f}, angles.RotPitch * kDegreesToRadians);
    qp = AddQuats(qr, qp);
    Quat qy = AxisToQuat({0.0f, 1.0f, 0.0f, 0.0f}, angles.RotYaw * kDegreesToRadians);
    qy = AddQuats(qp, qy);
    return qy;
}

float ZoomStepFactor(float lastY, float y, int height) {
    // Without a height there is no drag scale; 1 leaves the camera as it is.
    if (height <= 0) return 1.0f;
    return 1.0f - (lastY - y) / static_cast<float>(height);
}

MoveStep MoveStepDelta(float lastX, float lastY, float x, float y, int width, int height) {
    if (width <= 0 || height <= 0) return {};
    return {(x - lastX) / static_cast<float>(width), (lastY - y) / static_cast<float>(height)};
}

void SceneOrientation::RotationStep(float lastX, float lastY, float x, float y, int width,
                                    int height) {
    // An empty picture gives no drag coordinates; dividing by it would turn CurQuat into NaN.
    if (width <= 0 || height <= 0) return;
    const auto w = static_cast<float>(width);
    const auto h = static_cast<float>(height);
    const float p1x = (2.0f * lastX - w) / w;
    const float p1y = (h - 2.0f * lastY) / h;
    const float p2x = (2.0f * x - w) / w;
    const float p2y = (h - 2.0f * y) / h;
    lastQuat_ = Trackball(p1x, p1y, p2x, p2y, rotateMode_);
    rotated_ = true;
    curQuat_ = AddQuats(lastQuat_, curQuat_);
}

RotMatrix SceneOrientation::OrientationMatrix(const SceneAngles& angles) {
    if (rotated_) return BuildRotMatrix(curQuat_);
    curQuat_ = QuatFromSceneAngles(angles);
    return BuildRotMatrix(curQuat_);
}

} // namespace tervane
