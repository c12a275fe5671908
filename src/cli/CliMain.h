#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace tervane::cli {

/// Runs tervane-cli with the arguments after the program name; returns the exit code
/// (0 success, 1 a failure the command reports, 2 wrong usage).
int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
           std::ostream& err);

} // namespace tervane::cli
