#include "gl/ViewBitmap.h"

#include "core/BitmapFile.h"
#include "gl/GlStateGuard.h"

#include <GL/gl.h>

#include <cerrno>
#include <cstdint>
#include <stdexcept>

namespace tervane {

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
    {
        // Alignment 4 makes GL fill exactly the padded rows of the file.
        GlClientAttribGuard pixelStore(GL_CLIENT_PIXEL_STORE_BIT);
        glPixelStorei(GL_PACK_ALIGNMENT, 4);
        glPixelStorei(GL_PACK_ROW_LENGTH, 0);
        glPixelStorei(GL_PACK_SKIP_ROWS, 0);
        glPixelStorei(GL_PACK_SKIP_PIXELS, 0);
        glReadPixels(0, 0, pixelWidth, h, GL_RGB, GL_UNSIGNED_BYTE, rows.data());
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
