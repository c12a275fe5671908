#include "cli/CliExport.h"

#include "document/Document.h"
#include "graph/MeshExport.h"

#include <filesystem>
#include <optional>
#include <ostream>

namespace tervane::cli {

namespace {

namespace fs = std::filesystem;

std::string Lower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

} // namespace

int CmdExport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
              UsageFunction usage, FileSystem& files) {
    std::optional<std::string> input, output;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "-o") {
            if (i + 1 >= args.size()) return usage(err, "-o needs a file name");
            output = args[++i];
        } else if (!input) {
            input = args[i];
        } else {
            return usage(err, "export takes one document");
        }
    }
    if (!input || !output) return usage(err, "export needs FILE.kpl -o OUT.ply|OUT.obj");
    const fs::path target(*output);
    const std::string extension = Lower(target.extension().string());
    if (extension != ".ply" && extension != ".obj")
        return usage(err, "the mesh file must end in .ply or .obj: '" + *output + "'");

    Document document;
    if (!LoadDocument(document, *input, err) || !FitsInMemory(document, err) ||
        !AnyShownGraphSampled(document, err))
        return 1;
    return ExportDocument(document, *output, out, err, files);
}

int ExportDocument(Document& document, const std::string& output, std::ostream& out,
                   std::ostream& err, FileSystem& files) {
    const fs::path target(output);
    const std::string extension = Lower(target.extension().string());
    const auto& graphs = document.ShownGraphs().FunSurfs();

    // A file without a single triangle is refused rather than written empty.
    std::ostream nowhere(nullptr);
    MeshExport::Counts counts = MeshExport::WritePly(graphs, nowhere);
    if (counts.triangles == 0) {
        err << "The document has no surface to export: no shown surface or colour map has a "
               "drawable cell.\n";
        return 1;
    }
    const WriteResult written = extension == ".ply"
                                    ? MeshExport::SavePly(graphs, target, counts, files)
                                    : MeshExport::SaveObj(graphs, target, counts, files);
    if (!written.Ok()) {
        err << written.Message() << '\n';
        return 1;
    }
    out << "Wrote " << counts.vertices << " vertices and " << counts.triangles << " triangles to "
        << output << ".\n";
    return 0;
}

} // namespace tervane::cli
