#pragma once

#include "core/AtomicFile.h"

#include <cstdint>
#include <filesystem>
#include <vector>

namespace tervane {

/// Reads the current frame buffer back as a complete 24-bit bitmap file in memory.
///
/// w is the width the capture commands pass (BitmapCaptureWidth of the view width): the bitmap is
/// w + 1 pixels wide and h high, read from (0, 0). Pixels beyond the viewport (the last column
/// when w is the view's own width) take the clear colour, the view's background. Needs the
/// view's GL context current. Returns an empty vector when w + 1 or h is below 1 or
/// the size is too large for a bitmap file.
[[nodiscard]] std::vector<std::uint8_t> ReadViewBitmap(int w, int h);

/// Writes ReadViewBitmap(w, h) to path, replacing any file there as a whole. Returns false,
/// leaving no new file, when the frame buffer cannot be read or the file cannot be written.
bool SaveViewBitmap(const std::filesystem::path& path, int w, int h);

/// The same through the given file system, with the reason of a failure.
WriteResult SaveViewBitmap(const std::filesystem::path& path, int w, int h, FileSystem& files);

} // namespace tervane
