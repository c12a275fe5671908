#pragma once

#include "graph/GraphPresets.h"

#include <memory>

namespace tervane::bench {

/// A surface of w = f(z) over -2..2 with steps x steps intervals, set up as the 3D graph dialog
/// does: x, y and u on the axes, u, v and |w| as red, green and blue. Not sampled.
inline std::shared_ptr<CGraph> Surface(const char* function, int steps) {
    GraphRecipe recipe;
    recipe.Function = function;
    recipe.Name = "bench";
    recipe.ID = 1;
    recipe.StepU = recipe.StepV = steps;
    recipe.LineWidth = 1;
    return MakeSurfaceGraph(recipe);
}

} // namespace tervane::bench
