#pragma once

#include "cli/CliDocuments.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace tervane::cli {

/// Runs "render FILE.kpl -o OUT.png|OUT.bmp [--size WxH] [--view front|right|top|iso]
/// [--projection ortho|perspective] [--step N]" (args[0] is "render"). Returns 0 when the image
/// was written, 1 when the document could not be read, drawn or written, and usage's result for
/// wrong arguments.
int CmdRender(const std::vector<std::string>& args, std::ostream& err, UsageFunction usage);

} // namespace tervane::cli
