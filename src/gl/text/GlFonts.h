#pragma once

#include "gl/text/BitmapFont.h"
#include "gl/text/OutlineFont.h"

#include <string>
#include <vector>

namespace tervane {

/// The three display-list fonts of a GL context: tick labels, axis titles and raster text.
///
/// Build one per context, once, with that context current (for a QOpenGLWidget in initializeGL)
/// and destroy it with the same context current (connect to aboutToBeDestroyed), since its lists
/// belong to that context. Creates the QGuiApplication the glyph outlines need when none exists.
class GlFonts {
public:
    /// Builds OutlineLabelFont ("Arial", -6, 400), OutlineTitleFont ("Arial", -8, 700) and
    /// BitmapFont ("Verdana", -12, 400). A font that fails draws nothing; see Errors().
    GlFonts();

    /// Outline glyphs for tick labels.
    [[nodiscard]] const OutlineFont& OutlineLabelFont() const { return label_; }
    /// Bold outline glyphs for axis titles.
    [[nodiscard]] const OutlineFont& OutlineTitleFont() const { return title_; }
    /// Raster glyphs for flat labels.
    [[nodiscard]] const tervane::BitmapFont& BitmapFont() const { return bitmap_; }

    /// One message per font that could not be built ("Unable to create font: ..."), for the
    /// window to show; empty when all were built.
    [[nodiscard]] std::vector<std::string> Errors() const;

private:
    OutlineFont label_;
    OutlineFont title_;
    tervane::BitmapFont bitmap_;
};

} // namespace tervane
