#pragma once

#include "document/Document.h"
#include "graph/GraphPresets.h"

#include <gtest/gtest.h>

namespace tervane::testing {

/// A 3D document of one animated surface of |w| = |exp(t·z)| over -2..2, t from 0.1 to 1 in 10
/// frames: it grows about tenfold from the first step to the last.
inline void AddGrowingAnimation(Document& document) {
    GraphRecipe recipe;
    recipe.Function = "exp(t*z)";
    recipe.Axes = {kQuantityX, kQuantityMagnitude, kQuantityY};
    auto graph = MakeSurfaceGraph(recipe);
    graph->SetAnimation(true);
    graph->SetMinT(0.1f);
    graph->SetMaxT(1.0f);
    document.SetSceneKind(kScene3D);
    document.SetAnimationFrames(10);
    ASSERT_TRUE(document.AddGraph(graph).Ok());
}

} // namespace tervane::testing
