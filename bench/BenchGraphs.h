#pragma once

#include "graph/CGraph.h"

#include <memory>

namespace tervane::bench {

/// A surface of function over [-2, 2] x [-2, 2] with steps intervals a side, set up as the 3D
/// graph dialog does: x, y and u on the axes, u, v and |w| as red, green and blue. Not sampled.
inline std::shared_ptr<CGraph> Surface(const char* function, int steps) {
    auto g = CGraph().Init(1, "bench", kGraphSurface, kCoordCartesian, "x", "y", function, steps,
                           steps, -2, 2, -2, 2, 0, 0, 0, 0, 1, 4, 3, 3, false, false, false, 0);
    g->SetFunForm(2);
    g->SetVarX(kQuantityX);
    g->SetVarY(kQuantityY);
    g->SetVarZ(kQuantityReal);
    g->SetColorR(kQuantityReal);
    g->SetColorG(kQuantityImaginary);
    g->SetColorB(kQuantityMagnitude);
    return g;
}

} // namespace tervane::bench
