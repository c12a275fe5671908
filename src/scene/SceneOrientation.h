#pragma once

#include "scene/QuatMath.h"

namespace tervane {

/// Scene orientation angles in degrees, as a scene stores them for the standard views.
struct SceneAngles {
    float RotRoll = 0.0f;
    float RotPitch = 0.0f;
    float RotYaw = 0.0f;

    friend bool operator==(const SceneAngles&, const SceneAngles&) = default;
};

/// The four standard views of the View menu.
enum class StandardView { Front, Right, Top, ISO };

/// Scene angles of a standard view; the camera itself never turns.
[[nodiscard]] SceneAngles StandardViewAngles(StandardView view);

/// Orientation of scene angles (degrees): roll about GL z, then pitch about GL x, then yaw
/// about GL y.
[[nodiscard]] Quat QuatFromSceneAngles(const SceneAngles& angles);

/// Zoom factor of one zoom-drag step: dragging up by the whole height gives 0, down gives 2.
[[nodiscard]] float ZoomStepFactor(float lastY, float y, int height);

/// Pan of one move-drag step as fractions of the picture (y up), the arguments of MoveView.
struct MoveStep {
    float dx = 0.0f;
    float dy = 0.0f;
};

/// Pan fractions for a move-drag step from (lastX, lastY) to (x, y) in pixels, y downwards.
[[nodiscard]] MoveStep MoveStepDelta(float lastX, float lastY, float x, float y, int width,
                                     int height);

/// Orientation state of the view: the current quaternion, the last drag step and whether a drag
/// has replaced the standard view.
class SceneOrientation {
public:
    /// Current orientation, the identity at start.
    [[nodiscard]] const Quat& CurQuat() const { return curQuat_; }
    void SetCurQuat(const Quat& q) { curQuat_ = q; }

    /// Rotation of the last drag step.
    [[nodiscard]] const Quat& LastQuat() const { return lastQuat_; }

    /// True once a drag rotation has been applied since the last standard view or load.
    [[nodiscard]] bool Rotated() const { return rotated_; }
    /// Called by the standard views and the document loader so the scene angles rule again.
    void ClearRotated() { rotated_ = false; }

    /// 1 track ball, 2 about X, 3 about Y, 4 about Z; 0 until a rotate command is chosen.
    [[nodiscard]] int RotateMode() const { return rotateMode_; }
    void SetRotateMode(int mode) { rotateMode_ = mode; }

    /// One rotation-drag step from (lastX, lastY) to (x, y) in pixels (y downwards) on a
    /// width × height picture; composes the step onto CurQuat. The caller rebuilds the scene.
    void RotationStep(float lastX, float lastY, float x, float y, int width, int height);

    /// Matrix at the head of the scene list: CurQuat after a drag, otherwise the matrix of the
    /// scene angles, whose quaternion then becomes CurQuat so the next drag starts from there.
    [[nodiscard]] RotMatrix OrientationMatrix(const SceneAngles& angles);

private:
    Quat curQuat_{0.0f, 0.0f, 0.0f, 1.0f};
    Quat lastQuat_{0.0f, 0.0f, 0.0f, 1.0f};
    bool rotated_ = false;
    int rotateMode_ = 0;
};

} // namespace tervane
