#pragma once

#include "cli/CliDocuments.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace tervane::cli {

/// zeros TEXT [--range XMIN,XMAX,YMIN,YMAX] [--steps N[,M]] [--t T]: samples TEXT as plot does
/// and prints its zeros and poles inside the range as CSV, "kind,x,y,order" lines sorted by x
/// then y after that header. Regions where the function has no value are warned about on err.
/// Returns 0, 1 when the function cannot be sampled or has no value anywhere in the range, and
/// usage's result for wrong arguments.
int CmdZeros(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
             UsageFunction usage);

} // namespace tervane::cli
