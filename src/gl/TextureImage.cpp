#include "gl/TextureImage.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace tervane {

int TextureSide(int side, int maxSize) {
    if (maxSize <= 0 || side <= 0) return side;
    const std::int64_t limit = std::min(side, maxSize);
    std::int64_t power = 1;
    while (power < limit)
        power *= 2;
    // Only an implementation limit that is no power of two could push past it; stay within.
    while (power > maxSize && power > 1)
        power /= 2;
    return static_cast<int>(power);
}

bool IsTextureFileName(const QString& fileName) {
    const QString last = fileName.right(3).toUpper();
    return last == QLatin1String("BMP") || last == QLatin1String("JPG") ||
           last == QLatin1String("GIF") || last == QLatin1String("PNG") ||
           fileName.endsWith(QLatin1String("JPEG"), Qt::CaseInsensitive);
}

TextureImage PictureToRgbRows(const QImage& picture) {
    TextureImage image;
    if (picture.isNull()) return image;
    // QImage pads its scan lines to 4 bytes; copying line by line drops that padding, so widths
    // whose rows are not a multiple of 4 bytes keep their rows aligned.
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
    image.width = rgb.width();
    image.height = rgb.height();
    const std::size_t rowBytes = static_cast<std::size_t>(image.width) * 3;
    image.pixels.resize(rowBytes * static_cast<std::size_t>(image.height));
    for (int row = 0; row < image.height; ++row)
        std::memcpy(image.pixels.data() + static_cast<std::size_t>(row) * rowBytes,
                    rgb.constScanLine(image.height - 1 - row), rowBytes);
    return image;
}

} // namespace tervane
