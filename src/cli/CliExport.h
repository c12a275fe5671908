#pragma once

#include "cli/CliDocuments.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace tervane::cli {

/// export FILE.kpl -o OUT.ply|OUT.obj: the shown graphs' surfaces as triangle meshes (an OBJ
/// gets its materials in a .mtl file beside it).
int CmdExport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
              UsageFunction usage);

} // namespace tervane::cli
