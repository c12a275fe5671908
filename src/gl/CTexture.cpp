#include "gl/CTexture.h"

#include "gl/GlStateGuard.h"

#include <GL/glu.h>

#include <QImage>

#include <algorithm>

namespace tervane {

CTexture::~CTexture() {
    Release();
}

void CTexture::Release() {
    if (name_ != 0) glDeleteTextures(1, &name_);
    name_ = 0;
    width_ = 0;
    height_ = 0;
}

bool CTexture::ScaleImg(TextureImage& image) {
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    if (maxSize <= 0) return false;
    maxSize = std::min(kMaxTextureSide, static_cast<int>(maxSize));

    const int newWidth = TextureSide(image.width, maxSize);
    const int newHeight = TextureSide(image.height, maxSize);
    if (newWidth == image.width && newHeight == image.height) return true;

    std::vector<std::uint8_t> scaled(static_cast<std::size_t>(newWidth) * newHeight * 3);
    GLint result = 0;
    {
        // GLU reads and writes rows by the pixel store modes; both buffers are tightly packed.
        GlClientAttribGuard pixelStore(GL_CLIENT_PIXEL_STORE_BIT);
        for (const GLenum mode : {GL_UNPACK_ALIGNMENT, GL_PACK_ALIGNMENT})
            glPixelStorei(mode, 1);
        for (const GLenum mode : {GL_UNPACK_ROW_LENGTH, GL_UNPACK_SKIP_ROWS, GL_UNPACK_SKIP_PIXELS,
                                  GL_PACK_ROW_LENGTH, GL_PACK_SKIP_ROWS, GL_PACK_SKIP_PIXELS})
            glPixelStorei(mode, 0);
        result =
            gluScaleImage(GL_RGB, image.width, image.height, GL_UNSIGNED_BYTE, image.pixels.data(),
                          newWidth, newHeight, GL_UNSIGNED_BYTE, scaled.data());
    }
    if (result != 0) return false;
    image.width = newWidth;
    image.height = newHeight;
    image.pixels = std::move(scaled);
    return true;
}

bool CTexture::LoadGLTextures(const QString& fileName) {
    Release();
    error_.clear();
    if (!IsTextureFileName(fileName)) return false;
    const QImage picture(fileName);
    if (picture.isNull()) return false;

    TextureImage image = PictureToRgbRows(picture);
    if (image.pixels.empty()) return false;
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    // Without a positive maximum nothing can be rescaled and the picture goes up in its size.
    if (maxSize > 0 && !ScaleImg(image)) {
        error_ = kScaleFailure;
        return false;
    }

    glGenTextures(1, &name_);
    glBindTexture(GL_TEXTURE_2D, name_);
    {
        // Rows of 3-byte pixels are not 4-byte aligned for widths 1 and 2 (or any width when
        // no rescaling took place); GL must read them as packed.
        GlClientAttribGuard pixelStore(GL_CLIENT_PIXEL_STORE_BIT);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
        glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
        glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
        glTexImage2D(GL_TEXTURE_2D, 0, 4, image.width, image.height, 0, GL_RGB, GL_UNSIGNED_BYTE,
                     image.pixels.data());
    }
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    width_ = image.width;
    height_ = image.height;
    return true;
}

} // namespace tervane
