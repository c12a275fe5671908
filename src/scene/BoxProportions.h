#pragma once

#include "core/CBox.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace tervane {

/// How the sides of a box-style scene are proportioned.
enum class BoxRatio {
    /// Cube where true scale would make one side less than a fifth of another, true scale
    /// otherwise.
    Automatic,
    /// Every axis in the units of its values (one unit is as long on each axis).
    TrueScale,
    /// Each axis scaled to fill an equal side; the labels still show the true values.
    Cube,
};

/// Sides under this share of the largest make Automatic choose the cube.
inline constexpr double kThinSideShare = 0.2;

/// "auto", "true" or "cube"; what ParseBoxRatio reads back.
[[nodiscard]] std::string_view BoxRatioName(BoxRatio ratio);
/// The ratio named by BoxRatioName's words, or nothing.
[[nodiscard]] std::optional<BoxRatio> ParseBoxRatio(std::string_view name);

/// The scale per box axis (x, y, z) that draws box with ratio in a scene of this kind: each
/// axis multiplied so that all three sides are as long as the largest. True scale, the kinds
/// not drawn in a box (colour maps, the two-dimensional kinds) and a box with no extent give
/// (1, 1, 1); a side of no length keeps scale 1 (it cannot be stretched).
[[nodiscard]] std::array<float, 3> BoxScale(const CBox& box, BoxRatio ratio,
                                            std::int32_t sceneKind);

/// box with each axis multiplied by its scale.
[[nodiscard]] CBox ScaledBox(const CBox& box, const std::array<float, 3>& scale);

} // namespace tervane
