#include "scene/ZoomToFit.h"

#include "core/Codes.h"

namespace tervane {

CBox DrawnRegion(const CBox& box, std::int32_t sceneKind) {
    if (sceneKind != kSceneColorMap) return box;
    // Fitting the colour map's own box would centre the camera on the middle
    // of its Y quantity, which the map does not draw, and leave the map small
    // and off-centre.
    return CBox{box.MinX, box.MaxX, box.MinZ, box.MaxZ, 0.0f, 0.0f};
}

void ZoomToFit(CView& view, CScene& shownGraphs, std::int32_t sceneKind, bool showPI) {
    if (shownGraphs.Count() == 0) return;
    ZoomToFit(view, shownGraphs.GetBox(0, SceneBoxContext{sceneKind, showPI}), sceneKind);
}

void ZoomToFit(CView& view, const CBox& sceneBox, std::int32_t sceneKind) {
    view.ZoomAll(DrawnRegion(sceneBox, sceneKind));
    view.Zoom(2.0f);
}

} // namespace tervane
