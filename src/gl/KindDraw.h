#pragma once

#include "graph/CGraph.h"

#include <cstdint>

namespace tervane {

/// Contour levels of a contour plot whose document gives none (documents do not store them).
inline constexpr std::int32_t kDefaultContourLevels = 12;

/// The points of a two-dimensional function at step: antialiased points of size 2 in the line
/// colour, lighting off.
void DrawPlaneCurve(const CGraph& graph, std::int32_t step);

/// A curve in space at step: antialiased line segments between consecutive valid points in the
/// line colour (a point left out breaks the curve), lighting off.
void DrawSpaceCurve(const CGraph& graph, std::int32_t step);

/// The point objects of step as markers in the point colour and size.
void DrawPointObjects(const CGraph& graph, std::int32_t step, std::int32_t sceneKind);

/// The vector plot: for every inner grid point an arrow along the gradient of Re w, scaled so
/// that the longest arrow spans 0.9 of a grid cell, in the second colour. It lies in the plane
/// z = 0 of a colour-map document and on the floor y = height of a 3D one.
void DrawVectorPlot(const CGraph& graph, float height, std::int32_t sceneKind);

} // namespace tervane
