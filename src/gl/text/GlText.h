#pragma once

#include "core/PackedColor.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tervane {

class BitmapFont;
class OutlineFont;

/// Sets the current GL colour to the packed colour's bytes divided by 255.
void SetGLColor(std::int32_t colour);

/// The glyph-list codes of a UTF-8 text: ASCII characters keep their code, every other
/// character becomes one '?', because the fonts hold lists for codes 0..127 only and a higher
/// code would call whatever list happens to follow them.
[[nodiscard]] std::string GlyphCodes(std::string_view text);

/// Draws text with an outline font: moves to (x, y, z), scales by 0.8 times size, rotates by
/// rotation[0] degrees about (rotation[1], rotation[2], rotation[3]) and lays out the glyph solids
/// along x. A given colour becomes the current colour and stays so; without one the current colour
/// is used. Polygon and list state and the model-view matrix are restored afterwards.
void DrawOutlineText(const OutlineFont& font, std::string_view text, float x, float y, float z,
                     const std::array<float, 4>& rotation,
                     std::optional<std::int32_t> colour = std::nullopt, float size = 1.0f);

/// Draws text in black with a bitmap font at the raster position (x, y, z); note that z comes
/// first. An empty text only sets the colour and the raster position.
void DrawBitmapText(const BitmapFont& font, float z, float x, float y, std::string_view text);

} // namespace tervane
