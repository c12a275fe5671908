#pragma once

#include "graph/GraphPresets.h"

#include <memory>
#include <string>

namespace tervane::testing {

/// A 3D surface as the 3D graph dialog makes it, small enough to sample quickly.
inline std::shared_ptr<CGraph> Surface(const std::string& function, const std::string& name = "s",
                                       std::int32_t steps = 4) {
    GraphRecipe recipe;
    recipe.Function = function;
    recipe.Name = name;
    recipe.StepU = recipe.StepV = steps;
    recipe.Axes = {kQuantityImaginary, kQuantityReal, kQuantityX};
    return MakeSurfaceGraph(recipe);
}

/// A colour map as the colour map dialog makes it.
inline std::shared_ptr<CGraph> ColorMap(const std::string& function, const std::string& name = "") {
    GraphRecipe recipe;
    recipe.Function = function;
    recipe.Name = name;
    recipe.MinU = recipe.MinV = -4;
    recipe.MaxU = recipe.MaxV = 4;
    recipe.StepU = recipe.StepV = 4;
    recipe.Axes = {kQuantityX, kQuantityMagnitude, kQuantityY};
    return MakeColorMapGraph(recipe);
}

/// Wraps a document text in the file container.
inline std::string Container(const std::string& text) {
    std::string bytes;
    bytes += '\x08';
    bytes += '\0';
    bytes += static_cast<char>(text.size() & 0xFF);
    bytes += static_cast<char>((text.size() >> 8) & 0xFF);
    return bytes + text;
}

} // namespace tervane::testing
