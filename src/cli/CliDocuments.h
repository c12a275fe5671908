#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace tervane::cli {

/// Prints a usage problem and the usage text; returns the exit code for wrong usage.
using UsageFunction = int (*)(std::ostream& err, std::string_view problem);

/// True when the arguments of "sample" name a document rather than giving --expr.
bool IsDocumentSample(const std::vector<std::string>& args);

/// info FILE.kpl: the document as JSON (scene kind, orientation, every graph field, axes).
int CmdInfo(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
            UsageFunction usage);

/// convert IN.kpl OUT.kpl: reads a document and writes it back.
int CmdConvert(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
               UsageFunction usage);

/// sample FILE.kpl [--graph N] [-o FILE]: the sampled grid of one graph as CSV, as
/// "sample --expr" writes it.
int CmdSampleDocument(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                      UsageFunction usage);

/// make-samples DIR: writes the Demo menu's documents into DIR.
int CmdMakeSamples(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                   UsageFunction usage);

} // namespace tervane::cli
