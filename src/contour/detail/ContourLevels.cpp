#include "contour/detail/ContourLevels.h"

#include <cmath>
#include <stdexcept>

namespace tervane::detail {

ContourLevels ComputeLevels(std::span<const float> z, int lngLevel) {
    if (lngLevel == 0) throw std::domain_error("contour level count is 0");

    ContourLevels result;
    for (const float value : z) {
        // Infinities are treated like NaN: no level or crossing can be placed against them.
        if (!std::isfinite(value)) continue;
        if (!result.hasSamples) {
            result.zmin = value;
            result.zmax = value;
            result.hasSamples = true;
            continue;
        }
        if (value < result.zmin) result.zmin = value;
        if (value > result.zmax) result.zmax = value;
    }
    if (result.hasSamples) result.step = (result.zmax - result.zmin) / static_cast<float>(lngLevel);
    return result;
}

void LiftNodesOffLevels(std::span<float> z, const ContourLevels& levels) {
    levels.ForEach([&](int, float level) {
        for (float& value : z) {
            // The difference is taken in single precision and the lift added in double, then
            // stored back as single; NaN fails the comparison and is left alone.
            if (std::fabs(static_cast<double>(value - level)) <= 0.0001)
                value = static_cast<float>(static_cast<double>(value) + 0.00001);
        }
    });
}

} // namespace tervane::detail
