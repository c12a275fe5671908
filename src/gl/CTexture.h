#pragma once

#include "gl/TextureImage.h"

#include <GL/gl.h>

#include <QString>

#include <string>

namespace tervane {

/// Turns a picture file into the current 2D texture of the GL context, for a graph's surface.
///
/// The picture (BMP, JPG, GIF or PNG) is read as 24-bit RGB, rescaled to power-of-two sides of at
/// most 256 texels and uploaded with linear filtering. The texture object is deleted with the
/// CTexture (the context must still be current then). A display list compiled around
/// LoadGLTextures holds the upload itself and re-creates the texture when replayed, so such a
/// list does not depend on the CTexture living on.
class CTexture {
public:
    /// Message when GLU cannot rescale a picture.
    static constexpr const char* kScaleFailure = "ValidateTextureSize : gluScaleImage failure";

    CTexture() = default;
    ~CTexture();
    CTexture(const CTexture&) = delete;
    CTexture& operator=(const CTexture&) = delete;

    /// Loads fileName, creates a texture of it and leaves it bound to GL_TEXTURE_2D. Returns
    /// false, creating nothing, when the name has none of the picture extensions, the picture
    /// cannot be read or it cannot be rescaled (see LastError()). A texture from an earlier call
    /// is deleted first.
    bool LoadGLTextures(const QString& fileName);

    /// Texture object of the last successful load, 0 before.
    [[nodiscard]] GLuint TextureName() const { return name_; }
    /// Size the last successful load uploaded, in texels.
    [[nodiscard]] int Width() const { return width_; }
    [[nodiscard]] int Height() const { return height_; }
    /// Why the last load failed; empty after a success or when the failure needs no message
    /// (a file that is not a picture).
    [[nodiscard]] const std::string& LastError() const { return error_; }

    /// Rescales image in place to TextureSide of each side under the implementation's maximum
    /// texture size capped at 256. Returns true when the sides are now powers of two (also when
    /// nothing had to change); false when the maximum is not positive (image unchanged) or GLU
    /// failed (image unchanged). Needs a current context.
    static bool ScaleImg(TextureImage& image);

private:
    void Release();

    GLuint name_ = 0;
    int width_ = 0;
    int height_ = 0;
    std::string error_;
};

} // namespace tervane
