#include "contour/detail/ContourColour.h"

#include <cstdint>

namespace tervane::detail {

namespace {

constexpr int kSingleColourFillStyle = 4;

// Floor division and a non-negative remainder, so a negative packed value still yields
// byte-sized red and green parts.
std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return q;
}

std::int64_t FloorMod(std::int64_t a, std::int64_t b) {
    return a - FloorDiv(a, b) * b;
}

double Channel(double second, double first, float level, float zmin, float zmax) {
    return second +
           static_cast<double>(level - zmin) * (first - second) / static_cast<double>(zmax - zmin);
}

} // namespace

ContourRgb SplitColor(int colour) {
    const std::int64_t c = colour;
    return ContourRgb{static_cast<double>(FloorMod(c, 256)) / 255.0,
                      static_cast<double>(FloorMod(FloorDiv(c, 256), 256)) / 255.0,
                      static_cast<double>(FloorDiv(c, 65536)) / 255.0};
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
