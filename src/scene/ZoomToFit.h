#pragma once

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
/// cross-section twice their largest extent, and then, for the kinds drawn in a box, makes
/// room for the box's tick labels and titles as the scene's angles turn them.
void ZoomToFit(CView& view, CScene& shownGraphs, std::int32_t sceneKind, bool showPI);

/// The same for a scene box already taken (a view's box of its first animation step), the
/// box alone: its labels are not looked at.
void ZoomToFit(CView& view, const CBox& sceneBox, std::int32_t sceneKind);

/// The same for a scene box turned by orientation, the matrix at the head of the scene list
/// (SceneOrientation::OrientationMatrix). The tick labels and titles of the box style are
/// drawn in scene units whatever the size of the box, so around a small box they reach well
/// beyond it: when any of them would leave the picture (or come closer to its edge than
/// kLabelEdge of its size), the view is moved to centre box and labels and widened just
/// enough to hold them. A scene whose labels fit is framed as by the box alone.
void ZoomToFit(CView& view, const CBox& sceneBox, std::int32_t sceneKind,
               const RotMatrix& orientation);

/// Share of the picture's width and height kept free at each edge around the labels.
inline constexpr float kLabelEdge = 0.02f;

} // namespace tervane
