#pragma once

#include "scene/CMarker.h"

namespace tervane {

/// Scene kind of the two-dimensional documents, in which markers are flat symbols.

/// Symbols of two-dimensional documents; other numbers draw a circle.
enum class MarkerSymbol { Circle = 0, Square = 1, Triangle = 2 };

/// Draws a marker in its colour, leaving the model-view matrix as it was.
///
/// In a two-dimensional document (scene kind kScenePlane) it is a flat symbol in the plane
/// z = 0 around (x, y): a circle of radius Size·5/100 with 20 segments, a square of half side
/// Size·4/100 or a triangle of circumradius Size·7.5/100, filled or (Hollow) outlined. In every
/// other kind it is a sphere of radius SphereRadius() with 32 slices and 32 stacks at (x, y, z).
void DrawMarker(const CMarker& marker, int sceneKind);

} // namespace tervane
