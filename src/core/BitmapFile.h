#pragma once

#include "core/AtomicFile.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

namespace tervane {

/// Size of the file header plus the information header; the pixels start here.
inline constexpr int kBitmapHeaderBytes = 54;

/// Bytes per row of a 24-bit bitmap pixelWidth pixels wide: 3 bytes a pixel, padded to a
/// multiple of 4. Throws std::invalid_argument for a width below 1 or one whose rows would not
/// fit the 32-bit size fields.
[[nodiscard]] int BitmapRowStride(int pixelWidth);

/// The width argument the capture commands pass for a view viewWidth pixels wide: the width
/// itself when its bit of value 2 is set, else two less. The bitmap is one pixel wider.
[[nodiscard]] int BitmapCaptureWidth(int viewWidth);

/// Builds a complete 24-bit bitmap file (bottom-up rows) from pixels read back as RGB.
///
/// rgbRows holds height rows of BitmapRowStride(pixelWidth) bytes, bottom row first, each pixel
/// red, green, blue; padding bytes may hold anything, the file gets zeros there. The file stores
/// blue, green, red. Throws std::invalid_argument when a size is below 1, the file would exceed
/// the 32-bit size field, or rgbRows is not exactly height rows long.
[[nodiscard]] std::vector<std::uint8_t> EncodeBitmapFile(int pixelWidth, int height,
                                                         std::span<const std::uint8_t> rgbRows);

/// Writes bytes as the file at path through AtomicFile: a failed write leaves neither a partial
/// file nor a damaged old one.
WriteResult WriteBitmapFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                            FileSystem& files = SystemFiles());

} // namespace tervane
