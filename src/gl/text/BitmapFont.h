#pragma once

#include "gl/GlListRange.h"

#include <QString>

#include <array>
#include <string>

namespace tervane {

/// 128 display lists of raster glyphs (glBitmap), one per character code 0..127.
///
/// Each list draws its glyph at the current raster position in the current raster colour and
/// moves the raster position on by the glyph's advance. Control codes (0..31, 127) draw nothing.
/// Built in the GL context current at construction; destroy it with that context current.
class BitmapFont {
public:
    /// Number of glyph lists; codes 0..kGlyphCount-1.
    static constexpr int kGlyphCount = 128;

    /// Rasterises face at the character height |height| pixels (the system's requests pass it
    /// negative) and weight (400 normal, 700 bold). Pixels at least half covered are set. On
    /// failure Base() is 0 and Error() says why; nothing is thrown.
    BitmapFont(const QString& face, int height, int weight);

    /// First list name; 0 when the font could not be built (text then draws nothing).
    [[nodiscard]] GLuint Base() const { return lists_.Base(); }
    /// Empty when the font was built, else the reason it was not.
    [[nodiscard]] const std::string& Error() const { return error_; }
    /// Raster advance of the glyph of code in pixels (0 outside 0..127).
    [[nodiscard]] int Advance(int code) const;

private:
    GlListRange lists_;
    std::array<int, kGlyphCount> advances_{};
    std::string error_;
};

} // namespace tervane
