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

    /// Wavefront OBJ of standard statements only: one object and group per graph with
    /// its vertices and vertex normals. OBJ has no vertex colours, so each triangle takes
    /// the mean colour of its corners, quantised to 5 bits a channel; the graph's faces are
    /// grouped by colour under "usemtl", with one material per graph and colour in mtl
    /// ("newmtl", "Kd" the colour, "Ka", "Ks", "Ns" from the graph's material preset, "d"
    /// when it is transparent). obj names the materials' file as mtlFileName.
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
