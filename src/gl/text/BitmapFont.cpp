#include "gl/text/BitmapFont.h"

#include "gl/GlStateGuard.h"
#include "gl/text/detail/FontFaces.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRawFont>

#include <cmath>
#include <cstdlib>
#include <exception>
#include <vector>

namespace tervane {

namespace {

// One glyph as glBitmap takes it: rows bottom-up, 1 bit a pixel, most significant bit first,
// rows padded to whole bytes.
struct GlyphBitmap {
    int width = 0;
    int height = 0;
    float xOrigin = 0.0f;
    float yOrigin = 0.0f;
    std::vector<GLubyte> bits;
};

GlyphBitmap Rasterise(const QPainterPath& path) {
    GlyphBitmap glyph;
    const QRectF bounds = path.boundingRect();
    if (bounds.isEmpty()) return glyph;
    // Qt's glyph coordinates run downwards from the baseline origin.
    const int left = static_cast<int>(std::floor(bounds.left()));
    const int top = static_cast<int>(std::floor(bounds.top()));
    const int right = static_cast<int>(std::ceil(bounds.right()));
    const int bottom = static_cast<int>(std::ceil(bounds.bottom()));
    glyph.width = right - left;
    glyph.height = bottom - top;
    glyph.xOrigin = static_cast<float>(-left);
    glyph.yOrigin = static_cast<float>(bottom);

    QImage coverage(glyph.width, glyph.height, QImage::Format_Grayscale8);
    coverage.fill(0);
    {
        QPainter painter(&coverage);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.translate(-left, -top);
        painter.fillPath(path, Qt::white);
    }
    const int rowBytes = (glyph.width + 7) / 8;
    glyph.bits.assign(static_cast<std::size_t>(rowBytes) * glyph.height, 0);
    for (int row = 0; row < glyph.height; ++row) {
        const uchar* line = coverage.constScanLine(glyph.height - 1 - row);
        for (int x = 0; x < glyph.width; ++x)
            if (line[x] >= 128)
                glyph.bits[static_cast<std::size_t>(row) * rowBytes + x / 8] |=
                    static_cast<GLubyte>(0x80u >> (x % 8));
    }
    return glyph;
}

} // namespace

BitmapFont::BitmapFont(const QString& face, int height, int weight) {
    QRawFont raw;
    error_ = detail::PrepareGlyphFont(raw, lists_, face, std::abs(height), weight, false, true);
    if (!error_.empty()) return;

    // glBitmap unpacks its bits when the list is compiled, so the store modes matter now.
    GlClientAttribGuard pixelStore(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
    for (int code = 0; code < kGlyphCount; ++code) {
        GlyphBitmap glyph;
        if (code >= 32 && code < 127) {
            const QList<quint32> glyphs = raw.glyphIndexesForString(QString(QChar(code)));
            if (!glyphs.isEmpty()) {
                glyph = Rasterise(raw.pathForGlyph(glyphs.front()));
                advances_[code] =
                    static_cast<int>(std::lround(raw.advancesForGlyphIndexes(glyphs).front().x()));
            }
        }
        if (glyph.bits.empty() && advances_[code] != 0) {
            // Mesa drops the raster move of a compiled glBitmap without bits, so a blank glyph
            // (the space) gets one clear pixel instead.
            glyph.width = 1;
            glyph.height = 1;
            glyph.bits.assign(1, 0);
        }
        glNewList(lists_.Base() + code, GL_COMPILE);
        if (!glyph.bits.empty())
            glBitmap(glyph.width, glyph.height, glyph.xOrigin, glyph.yOrigin,
                     static_cast<GLfloat>(advances_[code]), 0.0f, glyph.bits.data());
        glEndList();
    }
}

int BitmapFont::Advance(int code) const {
    return code >= 0 && code < kGlyphCount ? advances_[code] : 0;
}

} // namespace tervane
