#pragma once

#include <QImage>
#include <QString>

#include <cstdint>
#include <vector>

namespace tervane {

/// Largest texture side used whatever the implementation allows.
inline constexpr int kMaxTextureSide = 256;

/// Pixels of a picture ready for glTexImage2D with GL_RGB: rows bottom-up, 3 bytes a pixel,
/// no padding between rows.
struct TextureImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;
};

/// The side a texture gets for a picture side: the smallest power of two not below
/// min(side, maxSize), never above maxSize (so 300 -> 256, 100 -> 128, 64 -> 64, 3 -> 4 with
/// maxSize 256). Returns side unchanged when maxSize is not positive (no rescaling possible) or
/// side is not positive.
[[nodiscard]] int TextureSide(int side, int maxSize);

/// Whether a file name names a texture picture: its last three characters, in any case, are
/// "BMP", "JPG", "GIF" or "PNG", or it ends in "JPEG".
[[nodiscard]] bool IsTextureFileName(const QString& fileName);

/// The picture's pixels as 24-bit RGB rows, bottom row first; alpha is dropped. A null picture
/// gives an empty image.
[[nodiscard]] TextureImage PictureToRgbRows(const QImage& picture);

} // namespace tervane
