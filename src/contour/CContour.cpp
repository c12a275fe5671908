#include "contour/CContour.h"

#include "contour/detail/ContourColour.h"
#include "contour/detail/ContourLevels.h"
#include "contour/detail/ContourTracer.h"

#include <stdexcept>
#include <vector>

namespace tervane {

void CContour::Contour(int nx, int ny, float dx, float dy, std::span<const float> z, float x0,
                       float y0, float height, int lngLevel, int fstFillStyle, int lngFirstColor,
                       int lngSecondColor, int lngSceneKind, ContourSink& sink) const {
    if (nx < 0 || ny < 0) throw std::invalid_argument("contour grid size is negative");
    if (z.size() != static_cast<std::size_t>(nx) * static_cast<std::size_t>(ny))
        throw std::invalid_argument("contour grid does not hold nx by ny samples");

    const detail::ContourLevels levels = detail::ComputeLevels(z, lngLevel);
    if (lngSceneKind != kScene3D && lngSceneKind != kSceneColorMap) return;

    std::vector<float> lifted(z.begin(), z.end());
    detail::LiftNodesOffLevels(lifted, levels);

    const detail::ContourRgb first = detail::SplitColor(lngFirstColor);
    const detail::ContourRgb second = detail::SplitColor(lngSecondColor);
    detail::ContourTracer tracer(nx, ny, lifted,
                                 detail::ContourPlane{dx, dy, x0, y0, height, lngSceneKind});
    levels.ForEach([&](int index, float level) {
        const detail::ContourRgb colour =
            detail::LevelColour(level, levels.zmin, levels.zmax, fstFillStyle, first, second);
        sink.BeginLevel(index, level, colour.r, colour.g, colour.b);
        tracer.TraceLevel(level, sink);
    });
}

} // namespace tervane
