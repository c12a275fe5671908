#pragma once

#include "core/FileSystem.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace tervane::cli {

/// Runs tervane-cli with the arguments after the program name; returns the exit code
/// (0 success, 1 a failure the command reports, 2 wrong usage). Output that cannot be written
/// and running out of memory are failures (1, with a message on err). Files are written
/// through files.
int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
           std::ostream& err, FileSystem& files = SystemFiles());

} // namespace tervane::cli
