#include "core/BitmapFile.h"

#include <limits>
#include <stdexcept>
#include <string>

namespace tervane {

namespace {

constexpr std::int64_t kMaxFileBytes = std::numeric_limits<std::int32_t>::max();

void PutU16(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value) {
    out[at] = static_cast<std::uint8_t>(value & 0xFFu);
    out[at + 1] = static_cast<std::uint8_t>((value >> 8) & 0xFFu);
}

void PutU32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value) {
    PutU16(out, at, value & 0xFFFFu);
    PutU16(out, at + 2, value >> 16);
}

} // namespace

int BitmapRowStride(int pixelWidth) {
    if (pixelWidth < 1) throw std::invalid_argument("bitmap width must be at least 1");
    const std::int64_t stride = (3 * static_cast<std::int64_t>(pixelWidth) + 3) / 4 * 4;
    if (stride > kMaxFileBytes - kBitmapHeaderBytes)
        throw std::invalid_argument("bitmap width is too large");
    return static_cast<int>(stride);
}

int BitmapCaptureWidth(int viewWidth) {
    return (viewWidth & 2) != 0 ? viewWidth : viewWidth - 2;
}

std::vector<std::uint8_t> EncodeBitmapFile(int pixelWidth, int height,
                                           std::span<const std::uint8_t> rgbRows) {
    const int stride = BitmapRowStride(pixelWidth);
    if (height < 1) throw std::invalid_argument("bitmap height must be at least 1");
    const std::int64_t imageBytes = static_cast<std::int64_t>(stride) * height;
    if (imageBytes > kMaxFileBytes - kBitmapHeaderBytes)
        throw std::invalid_argument("bitmap is too large");
    if (static_cast<std::int64_t>(rgbRows.size()) != imageBytes)
        throw std::invalid_argument("bitmap pixel buffer does not hold height padded rows");

    const auto imageSize = static_cast<std::size_t>(imageBytes);
    std::vector<std::uint8_t> out(kBitmapHeaderBytes + imageSize, 0);
    // File header.
    out[0] = 'B';
    out[1] = 'M';
    PutU32(out, 2, static_cast<std::uint32_t>(kBitmapHeaderBytes + imageSize));
    PutU32(out, 10, kBitmapHeaderBytes);
    // Information header; resolutions and colour counts stay 0.
    PutU32(out, 14, 40);
    PutU32(out, 18, static_cast<std::uint32_t>(pixelWidth));
    PutU32(out, 22, static_cast<std::uint32_t>(height)); // positive: rows run bottom-up
    PutU16(out, 26, 1);
    PutU16(out, 28, 24);
    PutU32(out, 34, static_cast<std::uint32_t>(imageSize));

    for (int row = 0; row < height; ++row) {
        const std::size_t base = static_cast<std::size_t>(row) * static_cast<std::size_t>(stride);
        for (int col = 0; col < pixelWidth; ++col) {
            const std::size_t at = base + 3 * static_cast<std::size_t>(col);
            const std::size_t dst = kBitmapHeaderBytes + at;
            out[dst] = rgbRows[at + 2];
            out[dst + 1] = rgbRows[at + 1];
            out[dst + 2] = rgbRows[at];
        }
    }
    return out;
}

WriteResult WriteBitmapFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                            FileSystem& files) {
    return WriteFileAtomically(
        path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), files);
}

} // namespace tervane
