#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace tervane {
class Document;
class FileSystem;
} // namespace tervane

namespace tervane::cli {

/// Prints a usage problem and the usage text; returns the exit code for wrong usage.
using UsageFunction = int (*)(std::ostream& err, std::string_view problem);

/// False, with a message on err, when drawing or exporting the document's shown graphs would
/// take more memory than this process has left.
bool FitsInMemory(const Document& doc, std::ostream& err);

/// False, with the first failed graph's message on err, when the document shows graphs and none
/// of them could be sampled (loading has warned about each one that could not).
bool AnyShownGraphSampled(const Document& doc, std::ostream& err);

/// Loads a document; prints the error and returns false when it does not load. Warnings go to
/// err (and to warnings when given): the document is usable.
bool LoadDocument(Document& doc, const std::string& path, std::ostream& err,
                  std::vector<std::string>* warnings = nullptr);

/// True when the arguments of "sample" name a document rather than giving --expr.
bool IsDocumentSample(const std::vector<std::string>& args);

/// info FILE.kpl: the document as JSON (scene kind, orientation, every graph field, axes).
int CmdInfo(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
            UsageFunction usage);

/// convert IN.kpl OUT.kpl: reads a document and writes it back.
int CmdConvert(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
               UsageFunction usage, FileSystem& files);

/// sample FILE.kpl [--graph N] [-o FILE]: the sampled grid of one graph as CSV, as
/// "sample --expr" writes it.
int CmdSampleDocument(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                      UsageFunction usage, FileSystem& files);

/// make-samples DIR: writes the Demo menu's documents into DIR.
int CmdMakeSamples(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                   UsageFunction usage, FileSystem& files);

} // namespace tervane::cli
