#pragma once

#include <array>
#include <string_view>

namespace tervane {

/// One named material preset; the colours are RGBA.
struct MaterialPreset {
    std::string_view name;
    std::array<float, 4> ambient;
    std::array<float, 4> diffuse;
    std::array<float, 4> specular;
    std::array<float, 4> emission;
    float shininess;
};

/// Number of presets; SetMaterial numbers run 1..kMaterialPresetCount.
inline constexpr int kMaterialPresetCount = 13;

/// The presets in list order: entry i is preset number i + 1.
[[nodiscard]] const std::array<MaterialPreset, kMaterialPresetCount>& MaterialPresets();

/// The preset with this number, or nullptr outside 1..kMaterialPresetCount.
[[nodiscard]] const MaterialPreset* FindMaterialPreset(int number);

} // namespace tervane
