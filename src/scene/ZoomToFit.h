#pragma once

#include "scene/CAxes.h"
#include "scene/CScene.h"
#include "scene/CView.h"
#include "scene/SceneOrientation.h"

#include <cstdint>

namespace tervane {

/// The part of a scene box that is drawn where the camera looks. A colour map
/// (scene kind 7) lies flat: its X range runs across and its Z range up the
/// picture, in the plane z = 0; every other kind is drawn as its box.
CBox DrawnRegion(const CBox& sceneBox, std::int32_t sceneKind);

/// "Zoom to Fit": frames the shown graphs (nothing happens without one) with a
/// cross-section twice their largest extent, and then, for the kinds drawn in a box, fits the
/// box with its tick labels and titles as the scene's angles turn them to the picture.
void ZoomToFit(CView& view, CScene& shownGraphs, std::int32_t sceneKind, bool showPI);

/// The same for a scene box already taken (a view's box of its first animation step), the
/// box alone: its labels are not looked at.
void ZoomToFit(CView& view, const CBox& sceneBox, std::int32_t sceneKind);

/// The same for a scene box turned by orientation, the matrix at the head of the scene list
/// (SceneOrientation::OrientationMatrix). For the kinds drawn in a box, the box with its tick
/// labels and titles as they are drawn at this turn is then centred and the cross-section
/// sized so that it fills the picture up to kLabelEdge of its size from the nearest edges.
/// The labels are laid out with axes' titles and label counts when given (four-character titles
/// otherwise).
void ZoomToFit(CView& view, const CBox& sceneBox, std::int32_t sceneKind,
               const RotMatrix& orientation, const CAxes* axes = nullptr);

/// Share of the picture's width and height kept free at each edge around the labels.
inline constexpr float kLabelEdge = 0.012f;

} // namespace tervane
