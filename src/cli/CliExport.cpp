#include "cli/CliExport.h"

#include "document/Document.h"
#include "graph/MeshExport.h"

#include <filesystem>
#include <fstream>
#include <optional>
#include <ostream>
#include <sstream>

namespace tervane::cli {

namespace {

namespace fs = std::filesystem;

std::string Lower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

// Writes through a temporary file that replaces the target only when complete,
// so a failed export never leaves half a mesh behind.
template <typename Write> bool WriteFile(const fs::path& path, Write write) {
    fs::path temporary = path;
    temporary += ".part";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        if (!file) return false;
        write(file);
        file.flush();
        if (!file) {
            file.close();
            std::error_code ignored;
            fs::remove(temporary, ignored);
            return false;
        }
    }
    std::error_code error;
    fs::rename(temporary, path, error);
    if (error) fs::remove(temporary, error);
    return !error;
}

} // namespace

int CmdExport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
              UsageFunction usage) {
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
    if (!LoadDocument(document, *input, err)) return 1;
    const auto& graphs = document.ShownGraphs().FunSurfs();

    MeshExport::Counts counts;
    bool written = false;
    if (extension == ".ply") {
        written = WriteFile(
            target, [&](std::ostream& file) { counts = MeshExport::WritePly(graphs, file); });
    } else {
        fs::path materials = target;
        materials.replace_extension(".mtl");
        std::ostringstream mtl;
        written = WriteFile(target, [&](std::ostream& file) {
            counts = MeshExport::WriteObj(graphs, file, mtl, materials.filename().string());
        });
        written = written && WriteFile(materials, [&](std::ostream& file) { file << mtl.str(); });
    }
    if (!written) {
        err << "Cannot write '" << *output << "'.\n";
        return 1;
    }
    out << "Wrote " << counts.vertices << " vertices and " << counts.triangles << " triangles to "
        << *output << ".\n";
    return 0;
}

} // namespace tervane::cli
