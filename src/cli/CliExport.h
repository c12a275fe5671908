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

/// Writes the shown surfaces of document to output (.ply, or .obj with its .mtl) and says on out
/// how much was written. A document without a single drawable cell is refused (1, with a message
/// on err), as is a file that cannot be written.
int ExportDocument(Document& document, const std::string& output, std::ostream& out,
                   std::ostream& err, FileSystem& files);

} // namespace tervane::cli
