#pragma once

#include "cli/CliDocuments.h"
#include "core/AtomicFile.h"

#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

class QImage;

namespace tervane::cli {

/// Runs "render FILE.kpl -o OUT.png|OUT.bmp [--size WxH] [--view front|right|top|iso]
/// [--projection ortho|perspective] [--step N]" (args[0] is "render"). Returns 0 when the image
/// was written, 1 when the document could not be read, drawn or written, and usage's result for
/// wrong arguments.
int CmdRender(const std::vector<std::string>& args, std::ostream& err, UsageFunction usage,
              FileSystem& files);

/// Encodes image as PNG in memory and writes the bytes as the file at path through AtomicFile.
WriteResult SavePngFile(const std::filesystem::path& path, const QImage& image,
                        FileSystem& files = SystemFiles());

} // namespace tervane::cli
