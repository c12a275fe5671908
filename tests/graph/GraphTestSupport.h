#pragma once

#include "graph/GraphPresets.h"

#include <memory>
#include <string>

namespace tervane::testing {

/// A surface of w = f(z) over a rectangle, set up as the 3D graph dialog does, coloured by x, y
/// and |w|.
inline std::shared_ptr<CGraph> Surface(const std::string& function, float minU, float maxU,
                                       float minV, float maxV, int stepU, int stepV,
                                       int varZ = kQuantityReal) {
    GraphRecipe recipe;
    recipe.Function = function;
    recipe.ID = 1;
    recipe.MinU = minU;
    recipe.MaxU = maxU;
    recipe.MinV = minV;
    recipe.MaxV = maxV;
    recipe.StepU = stepU;
    recipe.StepV = stepV;
    recipe.Axes = {kQuantityX, kQuantityY, varZ};
    recipe.Colours = {kQuantityX, kQuantityY, kQuantityMagnitude};
    recipe.Material = 0;
    recipe.LineWidth = 1;
    return MakeSurfaceGraph(recipe);
}

} // namespace tervane::testing
