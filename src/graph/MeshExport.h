#pragma once

#include "core/AtomicFile.h"
#include "graph/CGraph.h"

#include <filesystem>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

namespace tervane {

/// Triangle meshes of sampled graphs for other programs (Blender, ParaView,
/// MeshLab): each drawn cell becomes two triangles; cells touching an
/// undefined point are left out, as on screen. Graphs must have been sampled.
class MeshExport {
public:
    /// Totals of what was written.
    struct Counts {
        std::size_t vertices = 0;
        std::size_t triangles = 0;
    };

    /// ASCII PLY with per-vertex normals and colours (0..255).
    static Counts WritePly(const std::vector<std::shared_ptr<CGraph>>& graphs, std::ostream& out);

    /// Wavefront OBJ with one group and material per graph, vertex normals and
    /// vertex colours ("v x y z r g b", read by Blender and MeshLab); the
    /// materials go to mtl, which obj names as mtlFileName.
    static Counts WriteObj(const std::vector<std::shared_ptr<CGraph>>& graphs, std::ostream& obj,
                           std::ostream& mtl, const std::string& mtlFileName);

    /// WritePly into the file at path through AtomicFile (the old file survives any failure).
    static WriteResult SavePly(const std::vector<std::shared_ptr<CGraph>>& graphs,
                               const std::filesystem::path& path, Counts& counts,
                               FileSystem& files = SystemFiles());

    /// WriteObj into the file at path and its materials into the .mtl beside it (path with the
    /// extension .mtl). Both files are replaced together or neither is; the MTL first, so that
    /// a new OBJ never names a missing or an old MTL.
    static WriteResult SaveObj(const std::vector<std::shared_ptr<CGraph>>& graphs,
                               const std::filesystem::path& path, Counts& counts,
                               FileSystem& files = SystemFiles());
};

} // namespace tervane
