#pragma once

#include "gl/GlListRange.h"

#include <QString>

#include <array>
#include <string>
#include <string_view>

namespace tervane {

/// 128 display lists of solid glyphs, one per character code 0..127 (list Base() + code).
///
/// Each list draws its glyph with the baseline origin at (0, 0, 0), one em tall in model units
/// whatever the requested height, the front face at z = 0 extruded back to z = -kExtrusion, and
/// then moves the model-view matrix on by the glyph's advance, so a run of list calls lays out a
/// line of text. Control codes (0..31, 127) draw nothing and do not advance.
/// Built in the GL context current at construction; destroy it with that context current.
class OutlineFont {
public:
    /// Depth of the glyph solids in em units.
    static constexpr double kExtrusion = 0.1;
    /// Number of glyph lists; codes 0..kGlyphCount-1.
    static constexpr int kGlyphCount = 128;

    /// Builds the glyphs of face ("Arial", "Verdana" or an installed family). height is the
    /// character height of the system's font requests (negative) and is kept for reference only:
    /// outline glyphs are scaled to one em. weight is 400 for normal and 700 for bold. On failure
    /// Base() is 0 and Error() says why; nothing is thrown.
    OutlineFont(const QString& face, int height, int weight, bool italic);

    /// First list name; 0 when the font could not be built (text then draws nothing).
    [[nodiscard]] GLuint Base() const { return lists_.Base(); }
    /// Empty when the font was built, else the reason it was not.
    [[nodiscard]] const std::string& Error() const { return error_; }
    /// The requested character height.
    [[nodiscard]] int Height() const { return height_; }

    /// How far the glyph list of code moves along x, in em units (0 outside 0..127).
    [[nodiscard]] double Advance(int code) const;
    /// Total advance of a text as DrawOutlineText lays it out, in em units.
    [[nodiscard]] double TextAdvance(std::string_view text) const;

private:
    GlListRange lists_;
    std::array<double, kGlyphCount> advances_{};
    std::string error_;
    int height_ = 0;
};

} // namespace tervane
