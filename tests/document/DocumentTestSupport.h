#pragma once

#include "graph/CGraph.h"

#include <memory>
#include <string>

namespace tervane::testing {

/// A 3D surface as the 3D graph dialog makes it, small enough to sample quickly.
inline std::shared_ptr<CGraph> Surface(const std::string& function, const std::string& name = "s",
                                       std::int32_t steps = 4) {
    CGraph maker;
    auto g = maker.Init(0, name, kGraphSurface, kCoordCartesian, "", "", function, steps, steps, -2,
                        2, -2, 2, 0, 0, 0, 0, 0, 4, 3, 3, false, false, false, 0);
    g->SetFunForm(2);
    g->SetVarX(kQuantityImaginary);
    g->SetVarY(kQuantityReal);
    g->SetVarZ(kQuantityX);
    g->SetColorR(kQuantityReal);
    g->SetColorG(kQuantityImaginary);
    g->SetColorB(kQuantityMagnitude);
    return g;
}

/// A colour map as the colour map dialog makes it.
inline std::shared_ptr<CGraph> ColorMap(const std::string& function, const std::string& name = "") {
    CGraph maker;
    auto g = maker.Init(0, name, kGraphColorMap, kCoordCartesian, "", "", function, 4, 4, -4, 4, -4,
                        4, 3, 255, 0, 0, 0, 0, 3, 3, false, false, false, 0);
    g->SetFunForm(2);
    g->SetVarX(kQuantityX);
    g->SetVarY(kQuantityMagnitude);
    g->SetVarZ(kQuantityY);
    g->SetColorR(kQuantityReal);
    g->SetColorG(kQuantityImaginary);
    g->SetColorB(kQuantityMagnitude);
    return g;
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
