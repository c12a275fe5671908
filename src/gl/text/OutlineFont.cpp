#include "gl/text/OutlineFont.h"

#include "gl/text/GlText.h"
#include "gl/text/detail/FontFaces.h"
#include "gl/text/detail/GlyphTessellator.h"

#include <QPainterPath>
#include <QRawFont>

#include <exception>

namespace tervane {

namespace {

// Outlines are taken at this size and scaled down to one em; Qt flattens curves to about half a
// pixel, so this keeps the flattening error near 0.2 % of the em.
constexpr double kOutlinePixels = 256.0;

std::vector<detail::GlyphContour> GlyphContours(const QPainterPath& path) {
    std::vector<detail::GlyphContour> contours;
    for (const QPolygonF& polygon : path.toSubpathPolygons()) {
        detail::GlyphContour contour;
        for (const QPointF& point : polygon) {
            const std::array<double, 2> p{point.x() / kOutlinePixels, -point.y() / kOutlinePixels};
            if (contour.empty() || contour.back() != p) contour.push_back(p);
        }
        while (contour.size() > 1 && contour.back() == contour.front())
            contour.pop_back();
        if (contour.size() >= 3) contours.push_back(std::move(contour));
    }
    return contours;
}

bool IsPrintable(int code) {
    return code >= 32 && code < 127;
}

} // namespace

OutlineFont::OutlineFont(const QString& face, int height, int weight, bool italic)
    : height_(height) {
    QRawFont raw;
    error_ = detail::PrepareGlyphFont(raw, lists_, face, kOutlinePixels, weight, italic, false);
    if (!error_.empty()) return;

    while (glGetError() != GL_NO_ERROR) {
        // Errors left by earlier drawing must not be taken for ours.
    }
    bool ok = true;
    for (int code = 0; code < kGlyphCount; ++code) {
        std::vector<detail::GlyphContour> contours;
        bool nonZero = true;
        if (IsPrintable(code)) {
            const QList<quint32> glyphs = raw.glyphIndexesForString(QString(QChar(code)));
            if (!glyphs.isEmpty()) {
                const QPainterPath path = raw.pathForGlyph(glyphs.front());
                contours = GlyphContours(path);
                nonZero = path.fillRule() == Qt::WindingFill;
                advances_[code] = raw.advancesForGlyphIndexes(glyphs).front().x() / kOutlinePixels;
            }
        }
        glNewList(lists_.Base() + code, GL_COMPILE);
        ok = detail::EmitExtrudedGlyph(contours, kExtrusion, nonZero) && ok;
        if (advances_[code] != 0.0) glTranslated(advances_[code], 0.0, 0.0);
        glEndList();
    }
    if (!ok || glGetError() != GL_NO_ERROR) {
        lists_.Reset();
        advances_.fill(0.0);
        error_ = "Unable to create font: glyph outlines could not be tessellated";
    }
}

double OutlineFont::Advance(int code) const {
    return code >= 0 && code < kGlyphCount ? advances_[code] : 0.0;
}

double OutlineFont::TextAdvance(std::string_view text) const {
    double total = 0.0;
    for (const char code : GlyphCodes(text))
        total += Advance(code);
    return total;
}

} // namespace tervane
