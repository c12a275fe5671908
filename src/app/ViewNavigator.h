#pragma once

#include "scene/CView.h"
#include "scene/SceneOrientation.h"

namespace tervane {

/// What a left-button drag in the view does.
enum class DragMode { None, Move, Zoom, Rotate };

/// What the view must do after a mouse event.
enum class ViewUpdate {
    None,  ///< nothing changed
    Frame, ///< the camera changed: show the frame again with the same scene list
    Scene, ///< the orientation changed: rebuild the scene list (graph lists are reused)
};

/// The mouse navigation of the view: the drag mode chosen by the View commands and the steps of
/// a left-button drag (zoom, rotation, move) on the camera and the scene orientation.
class ViewNavigator {
public:
    ViewNavigator(CView& view, SceneOrientation& orientation)
        : view_(view), orientation_(orientation) {}

    [[nodiscard]] DragMode Mode() const { return mode_; }
    /// Move or zoom mode (rotation is chosen with SetRotateMode).
    void SetMode(DragMode mode) { mode_ = mode; }
    /// Rotate mode about an axis (kRotateTrackball .. kRotateAboutZ).
    void SetRotateMode(int rotateMode) {
        orientation_.SetRotateMode(rotateMode);
        mode_ = DragMode::Rotate;
    }
    /// No drag mode (after start-up and after a document was opened).
    void ClearModes() { mode_ = DragMode::None; }

    /// A left button press at (x, y) pixels starts a drag there.
    void Press(float x, float y) {
        lastX_ = x;
        lastY_ = y;
    }

    /// A mouse move to (x, y) on a width × height picture; only a held left button drags.
    ViewUpdate Move(float x, float y, bool leftHeld, int width, int height);

private:
    CView& view_;
    SceneOrientation& orientation_;
    DragMode mode_ = DragMode::None;
    float lastX_ = 0.0f;
    float lastY_ = 0.0f;
};

} // namespace tervane
