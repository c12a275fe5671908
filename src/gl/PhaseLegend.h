#pragma once

#include <memory>
#include <vector>

namespace tervane {

class CGraph;

/// True when one of the graphs is a surface or colour map coloured by the phase scheme: the view
/// then shows the colour wheel that reads it.
bool NeedsPhaseLegend(const std::vector<std::shared_ptr<CGraph>>& graphs);

/// Where the colour wheel sits in a viewport of width by height pixels: its centre and radius
/// (the lower right corner, clear of the edges).
struct PhaseLegendPlace {
    float centreX = 0, centreY = 0, radius = 0;
};
PhaseLegendPlace PlacePhaseLegend(int width, int height);

/// Draws the colour wheel over whatever the viewport shows: angle is arg w (0 to the right,
/// counter-clockwise), the distance from the centre |w| (0 at the centre, 1 halfway, a pole at
/// the rim), with marks at arg 0, π/2, π and −π/2. Leaves matrices and state as it found them.
void DrawPhaseLegend(int width, int height);

} // namespace tervane
