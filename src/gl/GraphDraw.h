#pragma once

#include "graph/CGraph.h"

#include <cstdint>

namespace tervane {

/// Issues the GL commands of one graph into whatever is current (normally the
/// display list being compiled): surfaces and colour maps from the sampled
/// grids with their overlays, contour plots, and nothing for the kinds this
/// program only keeps. Reads the box through GetBox first, as every drawing does.
void DrawGraph(CGraph& graph, std::int32_t step, std::int32_t sceneKind);

} // namespace tervane
