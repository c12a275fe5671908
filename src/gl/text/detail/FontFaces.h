#pragma once

#include <QRawFont>
#include <QString>

#include "gl/GlListRange.h"

#include <string>

namespace tervane::detail {

/// The installed family that stands in for a face name of the system's fonts: "Arial" is drawn
/// with Liberation Sans (same metrics), "Verdana" with DejaVu Sans; other names pass unchanged.
[[nodiscard]] QString ResolveFontFamily(const QString& face);

/// Loads the resolved face at pixelSize with the given weight (100..900, 400 normal, 700 bold).
///
/// hinted selects the grid-fitted outlines meant for small bitmap glyphs; outline glyphs take
/// unhinted ones. Needs a QGuiApplication (EnsureGuiApplication). Throws std::runtime_error when
/// neither the family nor its font file can be found.
[[nodiscard]] QRawFont LoadRawFont(const QString& face, double pixelSize, int weight, bool italic,
                                   bool hinted);

/// Loads the face for a font of 128 glyph lists and reserves the lists. Returns the message
/// "Unable to create font: ..." when either fails (nothing is reserved then), else empty.
[[nodiscard]] std::string PrepareGlyphFont(QRawFont& raw, GlListRange& lists, const QString& face,
                                           double pixelSize, int weight, bool italic, bool hinted);

} // namespace tervane::detail
