#pragma once

#include "cli/CliDocuments.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace tervane::cli {

/// plot TEXT -o OUT.png|OUT.bmp|OUT.kpl|OUT.ply|OUT.obj [--kind surface|colormap]
/// [--axes A,B,C] [--colour R,G,B] [--range XMIN,XMAX,YMIN,YMAX] [--steps N[,M]] [--size WxH]
/// [--view V] [--projection P] [--clip|--no-clip]: makes a document of one graph of TEXT and
/// renders it, exports its mesh or saves it. Returns 0, 1 when the function cannot be sampled
/// or the file cannot be written, and usage's result for wrong arguments.
int CmdPlot(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
            UsageFunction usage, FileSystem& files);

} // namespace tervane::cli
