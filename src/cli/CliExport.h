#pragma once

#include "cli/CliDocuments.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace tervane::cli {

/// export FILE.kpl -o OUT.ply|OUT.obj: the shown graphs' surfaces as triangle meshes (an OBJ
/// gets its materials in a .mtl file beside it; both are replaced together or neither is).
int CmdExport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
              UsageFunction usage, FileSystem& files);

} // namespace tervane::cli
