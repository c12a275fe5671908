#pragma once

#include "core/CBox.h"
#include "scene/CMarker.h"

#include <array>

namespace tervane {

/// Values of ProjectType.
inline constexpr int kProjectOrtho = 1;
inline constexpr int kProjectPerspective = 2;

/// Which projection matrix a frame loads.
enum class ProjectionKind { Identity, Orthographic, Perspective };

/// The numbers of one frame's projection and camera, as glOrtho/glFrustum and gluLookAt take them.
struct ProjectionSetup {
    ProjectionKind kind = ProjectionKind::Identity;
    float left = 0.0f;
    float right = 0.0f;
    float bottom = 0.0f;
    float top = 0.0f;
    float nearPlane = 0.0f;
    float farPlane = 0.0f;
    std::array<float, 3> eye{};
    std::array<float, 3> centre{};
    std::array<float, 3> up{};
};

/// GL viewport rectangle (x, y, width, height) in pixels.
struct Viewport {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

/// The camera of the view: eye, reference point, up vector, visible cross-section and projection.
class CView {
public:
    /// Distance from the reference point to the eye that the perspective near plane is based on.
    static constexpr float kEyeDistance = 1000.0f;

    /// Eye position in world units, (0, 0, 1000) at start.
    [[nodiscard]] const CMarker& EyePos() const { return eyePos_; }
    [[nodiscard]] CMarker& EyePos() { return eyePos_; }
    void SetEyePos(const CMarker& value) { eyePos_ = value; }

    /// Point looked at, the origin at start.
    [[nodiscard]] const CMarker& RefPos() const { return refPos_; }
    [[nodiscard]] CMarker& RefPos() { return refPos_; }
    void SetRefPos(const CMarker& value) { refPos_ = value; }

    /// Up direction of the look-at transform; index 0..2.
    [[nodiscard]] float VecUp(int index) const;
    void SetVecUp(int index, float value);

    /// kProjectOrtho or kProjectPerspective; any other value leaves the projection identity.
    [[nodiscard]] int ProjectType() const { return projectType_; }
    void SetProjectType(int value) { projectType_ = value; }

    /// Viewport size in pixels, the aspect source.
    [[nodiscard]] float ScreenWidth() const { return screenWidth_; }
    void SetScreenWidth(float value) { screenWidth_ = value; }
    [[nodiscard]] float ScreenHeight() const { return screenHeight_; }
    /// A height of 0 is stored as 1, so the aspect ratio never divides by zero.
    void SetScreenHeight(float value) { screenHeight_ = value == 0.0f ? 1.0f : value; }

    /// Visible cross-section in world units.
    [[nodiscard]] float VolWidth() const { return volWidth_; }
    void SetVolWidth(float value) { volWidth_ = value; }
    [[nodiscard]] float VolHeight() const { return volHeight_; }
    void SetVolHeight(float value) { volHeight_ = value; }

    /// Near clipping distance of the orthographic projection.
    [[nodiscard]] float VolNear() const { return volNear_; }
    void SetVolNear(float value) { volNear_ = value; }
    /// Far clipping distance of both projections.
    [[nodiscard]] float VolFar() const { return volFar_; }
    void SetVolFar(float value) { volFar_ = value; }

    /// Half-size bounds, recomputed by every Projection.
    [[nodiscard]] float Volleft() const { return volLeft_; }
    void SetVolleft(float value) { volLeft_ = value; }
    [[nodiscard]] float VolRight() const { return volRight_; }
    void SetVolRight(float value) { volRight_ = value; }
    [[nodiscard]] float VolBottom() const { return volBottom_; }
    void SetVolBottom(float value) { volBottom_ = value; }
    [[nodiscard]] float VolTop() const { return volTop_; }
    void SetVolTop(float value) { volTop_ = value; }

    /// Records a resize; returns the viewport to set, which keeps the height as given.
    Viewport SetScreen(int width, int height);

    /// Sets the cross-section height; the width follows the viewport aspect, not the argument.
    void SetViewRect(float width, float height);

    /// Scales the cross-section by a positive factor (below 1 enlarges the picture); other
    /// factors, and results that overflow or underflow, change nothing.
    void Zoom(float factor);

    /// Centres the reference point on the box and fits the cross-section to its largest extent,
    /// keeping the eye offset. An empty box (a maximum below its minimum) changes nothing.
    void ZoomAll(const CBox& box);

    /// Pans eye and reference point together by fractions of the cross-section.
    void MoveView(float dx, float dy);

    /// Computes this frame's projection and look-at; sceneBox is the shown scene's box for step 0,
    /// which sets the perspective near plane.
    ProjectionSetup Projection(const CBox& sceneBox);

private:
    CMarker eyePos_ = CMarker{}.Init(0.0f, 0.0f, kEyeDistance);
    CMarker refPos_ = CMarker{}.Init(0.0f, 0.0f, 0.0f);
    std::array<float, 3> vecUp_{0.0f, 1.0f, 0.0f};
    int projectType_ = kProjectOrtho;
    float screenWidth_ = 200.0f;
    float screenHeight_ = 200.0f;
    float volWidth_ = 40.0f;
    float volHeight_ = 40.0f;
    float volNear_ = 0.001f;
    float volFar_ = 2000.0f;
    float volLeft_ = 0.0f;
    float volRight_ = 0.0f;
    float volBottom_ = 0.0f;
    float volTop_ = 0.0f;
};

} // namespace tervane
