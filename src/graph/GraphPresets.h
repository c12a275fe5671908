#pragma once

#include "graph/CGraph.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>

namespace tervane {

/// What it takes to make a surface or a colour map of w = f(z) over a rectangle: the graph
/// dialogs, the demo documents, the command-line tool, tests and benchmarks all start here.
struct GraphRecipe {
    std::string Function;
    std::string Name = "Untitled";
    std::int32_t ID = 0;
    float MinU = -2, MaxU = 2, MinV = -2, MaxV = 2;
    std::int32_t StepU = 40, StepV = 40;
    /// Quantities on the X, Y and Z axis (VarX, VarY, VarZ).
    std::array<std::int32_t, 3> Axes = {kQuantityX, kQuantityY, kQuantityReal};
    /// Quantities of the red, green and blue channel (ColorR, ColorG, ColorB).
    std::array<std::int32_t, 3> Colours = {kQuantityReal, kQuantityImaginary, kQuantityMagnitude};
    /// Surface only: material preset, display model, shading and line width.
    std::int32_t Material = 4;
    std::int32_t Show = kShowSurface;
    std::int32_t Smoothness = kSmoothSmoothest;
    std::int32_t LineWidth = 0;
};

/// A 3D surface (kind 2) as the 3D graph dialog makes it: Cartesian domain, FunForm 2, no
/// overlays. Not sampled.
[[nodiscard]] std::shared_ptr<CGraph> MakeSurfaceGraph(const GraphRecipe& recipe);

/// A colour map (kind 13) as the colour map dialog makes it: fill style 3, first colour red,
/// second black, material 0, surface model, smoothest. Not sampled.
[[nodiscard]] std::shared_ptr<CGraph> MakeColorMapGraph(const GraphRecipe& recipe);

} // namespace tervane
