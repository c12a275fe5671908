#include "contour/detail/ContourColour.h"

#include "core/PackedColor.h"

#include <cstdint>

namespace tervane::detail {

namespace {

constexpr int kSingleColourFillStyle = 4;

double Channel(double second, double first, float level, float zmin, float zmax) {
    return second +
           static_cast<double>(level - zmin) * (first - second) / static_cast<double>(zmax - zmin);
}

} // namespace

ContourRgb SplitColor(int colour) {
    const auto f = ColorFractions<double>(colour);
    return ContourRgb{f[0], f[1], f[2]};
}

ContourRgb LevelColour(float level, float zmin, float zmax, int fstFillStyle,
                       const ContourRgb& first, const ContourRgb& second) {
    if (fstFillStyle == kSingleColourFillStyle) return second;
    if (!(zmax - zmin > 0.0f)) return second;
    return ContourRgb{Channel(second.r, first.r, level, zmin, zmax),
                      Channel(second.g, first.g, level, zmin, zmax),
                      Channel(second.b, first.b, level, zmin, zmax)};
}

} // namespace tervane::detail
