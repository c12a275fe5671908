#include "gl/ViewBitmap.h"

#include "core/BitmapFile.h"
#include "gl/GlStateGuard.h"

#include <GL/gl.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <stdexcept>

namespace tervane {

namespace {

std::uint8_t ColourByte(GLfloat fraction) {
    return static_cast<std::uint8_t>(std::lround(std::clamp(fraction, 0.0f, 1.0f) * 255.0f));
}

} // namespace

std::vector<std::uint8_t> ReadViewBitmap(int w, int h) {
    const int pixelWidth = w + 1;
    if (w < 0 || h < 1) return {};
    int stride = 0;
    try {
        stride = BitmapRowStride(pixelWidth);
        if (static_cast<std::int64_t>(stride) * h > INT32_MAX - kBitmapHeaderBytes) return {};
    } catch (const std::invalid_argument&) {
        return {};
    }
    std::vector<std::uint8_t> rows(static_cast<std::size_t>(stride) * h, 0);
    while (glGetError() != GL_NO_ERROR) {
        // Errors left by earlier drawing must not be taken for a failed read.
    }

    // The bitmap is one pixel wider than w, so for a view whose width has the bit of value 2 set
    // its last column lies beyond the drawing, where GL leaves the pixels undefined (black on
    // Mesa). Whatever lies beyond the viewport takes the view's background, the clear colour;
    // only the drawn rectangle is read back.
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    GLfloat clear[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    const std::uint8_t background[3] = {ColourByte(clear[0]), ColourByte(clear[1]),
                                        ColourByte(clear[2])};
    for (int row = 0; row < h; ++row) {
        std::uint8_t* pixel = rows.data() + static_cast<std::size_t>(row) * stride;
        for (int col = 0; col < pixelWidth; ++col, pixel += 3)
            std::copy(background, background + 3, pixel);
    }
    const int drawnWidth = static_cast<int>(
        std::clamp<std::int64_t>(std::int64_t{viewport[0]} + viewport[2], 0, pixelWidth));
    const int drawnHeight =
        static_cast<int>(std::clamp<std::int64_t>(std::int64_t{viewport[1]} + viewport[3], 0, h));
    if (drawnWidth > 0 && drawnHeight > 0) {
        // Alignment 4 and a row length of the whole bitmap make GL fill exactly the padded rows
        // of the file, also when it reads fewer columns than a row holds.
        GlClientAttribGuard pixelStore(GL_CLIENT_PIXEL_STORE_BIT);
        glPixelStorei(GL_PACK_ALIGNMENT, 4);
        glPixelStorei(GL_PACK_ROW_LENGTH, pixelWidth);
        glPixelStorei(GL_PACK_SKIP_ROWS, 0);
        glPixelStorei(GL_PACK_SKIP_PIXELS, 0);
        glReadPixels(0, 0, drawnWidth, drawnHeight, GL_RGB, GL_UNSIGNED_BYTE, rows.data());
    }
    if (glGetError() != GL_NO_ERROR) return {};
    return EncodeBitmapFile(pixelWidth, h, rows);
}

bool SaveViewBitmap(const std::filesystem::path& path, int w, int h) {
    return SaveViewBitmap(path, w, h, SystemFiles()).Ok();
}

WriteResult SaveViewBitmap(const std::filesystem::path& path, int w, int h, FileSystem& files) {
    const std::vector<std::uint8_t> bytes = ReadViewBitmap(w, h);
    if (bytes.empty()) return {EINVAL, path.string(), "the view cannot be read as a bitmap"};
    return WriteBitmapFile(path, bytes, files);
}

} // namespace tervane
