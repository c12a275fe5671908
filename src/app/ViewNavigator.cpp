#include "app/ViewNavigator.h"

namespace tervane {

ViewUpdate ViewNavigator::Move(float x, float y, bool leftHeld, int width, int height) {
    if (!leftHeld || width <= 0 || height <= 0) return ViewUpdate::None;
    switch (mode_) {
    case DragMode::Zoom:
        view_.Zoom(ZoomStepFactor(lastY_, y, height));
        lastX_ = x;
        lastY_ = y;
        return ViewUpdate::Frame;
    case DragMode::Rotate:
        orientation_.RotationStep(lastX_, lastY_, x, y, width, height);
        lastX_ = x;
        lastY_ = y;
        return ViewUpdate::Scene;
    case DragMode::Move: {
        const MoveStep step = MoveStepDelta(lastX_, lastY_, x, y, width, height);
        view_.MoveView(step.dx, step.dy);
        lastX_ = x;
        lastY_ = y;
        return ViewUpdate::Frame;
    }
    case DragMode::None:
        break;
    }
    return ViewUpdate::None;
}

} // namespace tervane
