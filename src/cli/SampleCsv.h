#pragma once

#include "core/AtomicFile.h"
#include "graph/CGraph.h"

#include <iosfwd>
#include <optional>
#include <string>

namespace tervane::cli {

/// Writes a sampled graph as CSV (i,j,x,y,u,v,m; "nan" where the function is undefined) to
/// the file output, or to out when there is none. Returns the exit code: 0, or 1 with a message
/// on err when the file cannot be written (the old file, if any, is left as it was).
int WriteSampleCsv(const CGraph& graph, const std::optional<std::string>& output, std::ostream& out,
                   std::ostream& err, FileSystem& files = SystemFiles());

/// Writes the CSV of a sampled graph as the file at path through AtomicFile.
WriteResult SaveSampleCsv(const CGraph& graph, const std::filesystem::path& path,
                          FileSystem& files = SystemFiles());

} // namespace tervane::cli
