#include "scene/BoxProportions.h"

#include "core/Codes.h"

#include <algorithm>
#include <cmath>

namespace tervane {

std::string_view BoxRatioName(BoxRatio ratio) {
    switch (ratio) {
    case BoxRatio::TrueScale:
        return "true";
    case BoxRatio::Cube:
        return "cube";
    case BoxRatio::Automatic:
        break;
    }
    return "auto";
}

std::optional<BoxRatio> ParseBoxRatio(std::string_view name) {
    for (const BoxRatio r : {BoxRatio::Automatic, BoxRatio::TrueScale, BoxRatio::Cube})
        if (name == BoxRatioName(r)) return r;
    return std::nullopt;
}

std::array<float, 3> BoxScale(const CBox& box, BoxRatio ratio, std::int32_t sceneKind) {
    constexpr std::array<float, 3> kNone{1.0f, 1.0f, 1.0f};
    const bool boxScene = sceneKind == kSceneBox || sceneKind == kSceneBoxAlt ||
                          sceneKind == kScene3D || sceneKind == kScene3DAlt;
    if (ratio == BoxRatio::TrueScale || !boxScene) return kNone;
    const std::array<double, 3> sides{double{box.MaxX} - box.MinX, double{box.MaxY} - box.MinY,
                                      double{box.MaxZ} - box.MinZ};
    const double largest = *std::max_element(sides.begin(), sides.end());
    if (!std::isfinite(largest) || !(largest > 0.0)) return kNone;
    // A side that is a rounding error of the largest (a flat graph) is not stretched.
    const auto usable = [largest](double side) { return side > largest * 1e-6; };
    if (ratio == BoxRatio::Automatic && std::none_of(sides.begin(), sides.end(), [&](double side) {
            return usable(side) && side < kThinSideShare * largest;
        }))
        return kNone;
    std::array<float, 3> scale = kNone;
    for (std::size_t k = 0; k < 3; ++k)
        if (usable(sides[k])) scale[k] = static_cast<float>(largest / sides[k]);
    return scale;
}

CBox ScaledBox(const CBox& box, const std::array<float, 3>& scale) {
    CBox out = box;
    out.MinX *= scale[0];
    out.MaxX *= scale[0];
    out.MinY *= scale[1];
    out.MaxY *= scale[1];
    out.MinZ *= scale[2];
    out.MaxZ *= scale[2];
    return out;
}

} // namespace tervane
