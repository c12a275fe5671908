#pragma once

#include "scene/CScene.h"
#include "scene/CView.h"

#include <cstdint>

namespace tervane {

/// The part of a scene box that is drawn where the camera looks. A colour map
/// (scene kind 7) lies flat: its X range runs across and its Z range up the
/// picture, in the plane z = 0; every other kind is drawn as its box.
CBox DrawnRegion(const CBox& sceneBox, std::int32_t sceneKind);

/// "Zoom to Fit": frames the shown graphs (nothing happens without one) with a
/// cross-section twice their largest extent.
void ZoomToFit(CView& view, CScene& shownGraphs, std::int32_t sceneKind, bool showPI);
/// The same for a scene box already taken (a view's box of its first animation step).
void ZoomToFit(CView& view, const CBox& sceneBox, std::int32_t sceneKind);

} // namespace tervane
