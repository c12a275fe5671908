#pragma once

#include "graph/CGraph.h"

#include <memory>
#include <string>

namespace tervane::testing {

/// A surface of w = f(z) over a rectangle, set up as the 3D graph dialog does.
inline std::shared_ptr<CGraph> Surface(const std::string& function, float minU, float maxU,
                                       float minV, float maxV, int stepU, int stepV,
                                       int varZ = kQuantityReal) {
    auto g = CGraph().Init(1, "Untitled", kGraphSurface, kCoordCartesian, "x", "y", function, stepU,
                           stepV, minU, maxU, minV, maxV, 0, 0, 0, 0, 1, 0, 3, 3, false, false,
                           false, 0);
    g->SetFunForm(2);
    g->SetVarX(kQuantityX);
    g->SetVarY(kQuantityY);
    g->SetVarZ(varZ);
    g->SetColorR(kQuantityX);
    g->SetColorG(kQuantityY);
    g->SetColorB(kQuantityMagnitude);
    return g;
}

} // namespace tervane::testing
