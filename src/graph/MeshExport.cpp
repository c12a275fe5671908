#include "graph/MeshExport.h"

#include "core/MaterialPresets.h"
#include "graph/SurfaceMesh.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <ostream>
#include <sstream>
#include <unordered_map>

namespace tervane {

namespace {

struct Vertex {
    SurfaceMesh::Vec3 position, normal, color;
};

// The drawable triangles of one graph, with its vertices numbered from 0.
struct GraphMesh {
    const CGraph* graph = nullptr;
    std::vector<Vertex> vertices;
    std::vector<std::array<std::size_t, 3>> triangles;
};

bool IsMeshKind(std::int32_t kind) {
    return kind == kGraphSurface || kind == kGraphColorMap || kind == kGraphSurfaceAnimation ||
           IsRotationKind(kind);
}

GraphMesh BuildMesh(CGraph& graph) {
    GraphMesh out;
    out.graph = &graph;
    if (!IsMeshKind(graph.GraphType())) return out;
    graph.UseAnimationStep(0); // an animated surface exports its first step
    graph.GetBox();
    const SurfaceMesh mesh(graph);
    const std::size_t nu = mesh.SizeU(), nv = mesh.SizeV();
    if (nu == 0) return out;
    const bool flat = graph.GraphType() == kGraphColorMap;
    // Number only the points that some drawn cell uses.
    std::vector<std::size_t> index(nu * nv, SIZE_MAX);
    auto vertexOf = [&](std::size_t i, std::size_t j) {
        std::size_t& k = index[i * nv + j];
        if (k == SIZE_MAX) {
            k = out.vertices.size();
            SurfaceMesh::Vec3 p = mesh.Position(i, j);
            if (flat) p = {p[0], p[2], 0.0}; // colour maps lie in the plane
            SurfaceMesh::Vec3 c = mesh.Color(i, j);
            for (double& v : c)
                v = std::clamp(v, 0.0, 1.0);
            // A colour map faces up (+z), whatever the slope of the quantity it flattens.
            const SurfaceMesh::Vec3 n =
                flat ? SurfaceMesh::Vec3{0.0, 0.0, 1.0} : mesh.VertexNormal(i, j);
            out.vertices.push_back({p, n, c});
        }
        return k;
    };
    for (std::size_t i = 0; i + 1 < nu; ++i) {
        for (std::size_t j = 0; j + 1 < nv; ++j) {
            if (!mesh.CellValid(i, j)) continue;
            const std::size_t a = vertexOf(i, j), b = vertexOf(i + 1, j);
            const std::size_t c = vertexOf(i + 1, j + 1), d = vertexOf(i, j + 1);
            // The corners of a colour map's cell turn counter-clockwise seen from +z, so that
            // the faces agree with their normals also over a reversed range.
            const auto& pa = out.vertices[a].position;
            const auto& pb = out.vertices[b].position;
            const auto& pc = out.vertices[c].position;
            const double turn =
                (pb[0] - pa[0]) * (pc[1] - pa[1]) - (pb[1] - pa[1]) * (pc[0] - pa[0]);
            if (flat && turn < 0.0) {
                out.triangles.push_back({a, c, b});
                out.triangles.push_back({a, d, c});
            } else {
                out.triangles.push_back({a, b, c});
                out.triangles.push_back({a, c, d});
            }
        }
    }
    return out;
}

std::vector<GraphMesh> BuildMeshes(const std::vector<std::shared_ptr<CGraph>>& graphs) {
    std::vector<GraphMesh> meshes;
    for (const auto& g : graphs)
        if (g) meshes.push_back(BuildMesh(*g));
    return meshes;
}

std::string Number(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.7g", v);
    return text;
}

int Byte(double fraction) {
    return static_cast<int>(std::lround(std::clamp(fraction, 0.0, 1.0) * 255.0));
}

// Names may hold blanks; other programs read one word.
std::string Word(const std::string& name, std::int32_t id) {
    std::string word = "graph" + std::to_string(id);
    if (!name.empty()) {
        word += '_';
        for (char c : name)
            word += (std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-') ? c : '_';
    }
    return word;
}

// OBJ has no vertex colours: each face gets the mean colour of its corners, quantised to
// kColorLevels steps a channel so that faces of nearly the same colour share one material.
constexpr int kColorLevels = 31; // 5 bits a channel

struct FaceColor {
    std::array<int, 3> level{}; // 0..kColorLevels per channel

    std::uint32_t Key() const {
        return static_cast<std::uint32_t>((level[0] << 16) | (level[1] << 8) | level[2]);
    }
    double Fraction(int channel) const {
        return static_cast<double>(level[channel]) / kColorLevels;
    }
};

FaceColor QuantisedColor(const GraphMesh& m, const std::array<std::size_t, 3>& triangle) {
    FaceColor c;
    for (int ch = 0; ch < 3; ++ch) {
        double sum = 0.0;
        for (std::size_t corner : triangle)
            sum += m.vertices[corner].color[ch];
        c.level[ch] = static_cast<int>(std::lround(std::clamp(sum / 3.0, 0.0, 1.0) * kColorLevels));
    }
    return c;
}

std::string MaterialName(const std::string& graphName, const FaceColor& c) {
    return graphName + "_r" + std::to_string(c.level[0]) + "g" + std::to_string(c.level[1]) + "b" +
           std::to_string(c.level[2]);
}

} // namespace

MeshExport::Counts MeshExport::WritePly(const std::vector<std::shared_ptr<CGraph>>& graphs,
                                        std::ostream& out) {
    const std::vector<GraphMesh> meshes = BuildMeshes(graphs);
    Counts counts;
    for (const GraphMesh& m : meshes) {
        counts.vertices += m.vertices.size();
        counts.triangles += m.triangles.size();
    }
    out << "ply\nformat ascii 1.0\ncomment Tervane surfaces of w = f(z)\n";
    out << "element vertex " << counts.vertices << "\n";
    out << "property float x\nproperty float y\nproperty float z\n";
    out << "property float nx\nproperty float ny\nproperty float nz\n";
    out << "property uchar red\nproperty uchar green\nproperty uchar blue\n";
    out << "element face " << counts.triangles << "\n";
    out << "property list uchar int vertex_indices\nend_header\n";
    for (const GraphMesh& m : meshes) {
        for (const Vertex& v : m.vertices) {
            out << Number(v.position[0]) << ' ' << Number(v.position[1]) << ' '
                << Number(v.position[2]) << ' ' << Number(v.normal[0]) << ' ' << Number(v.normal[1])
                << ' ' << Number(v.normal[2]) << ' ' << Byte(v.color[0]) << ' ' << Byte(v.color[1])
                << ' ' << Byte(v.color[2]) << '\n';
        }
    }
    std::size_t base = 0;
    for (const GraphMesh& m : meshes) {
        for (const auto& t : m.triangles)
            out << "3 " << base + t[0] << ' ' << base + t[1] << ' ' << base + t[2] << '\n';
        base += m.vertices.size();
    }
    return counts;
}

MeshExport::Counts MeshExport::WriteObj(const std::vector<std::shared_ptr<CGraph>>& graphs,
                                        std::ostream& obj, std::ostream& mtl,
                                        const std::string& mtlFileName) {
    const std::vector<GraphMesh> meshes = BuildMeshes(graphs);
    Counts counts;
    obj << "# Tervane surfaces of w = f(z)\nmtllib " << mtlFileName << '\n';
    mtl << "# Tervane materials: one per graph and face colour\n";
    std::size_t base = 1; // OBJ numbers vertices from 1
    for (const GraphMesh& m : meshes) {
        const CGraph& g = *m.graph;
        const std::string name = Word(g.NameS(), g.ID());
        const MaterialPreset* preset = FindMaterialPreset(g.Material());

        // Faces by colour, the colours in the order they first occur.
        std::vector<FaceColor> colors;
        std::vector<std::vector<std::size_t>> facesOf;
        std::unordered_map<std::uint32_t, std::size_t> slot;
        for (std::size_t t = 0; t < m.triangles.size(); ++t) {
            const FaceColor c = QuantisedColor(m, m.triangles[t]);
            const auto [at, added] = slot.try_emplace(c.Key(), colors.size());
            if (added) {
                colors.push_back(c);
                facesOf.emplace_back();
            }
            facesOf[at->second].push_back(t);
        }

        for (const FaceColor& c : colors) {
            mtl << "newmtl " << MaterialName(name, c) << '\n';
            if (preset) {
                mtl << "Ka " << preset->ambient[0] << ' ' << preset->ambient[1] << ' '
                    << preset->ambient[2] << '\n';
                mtl << "Ks " << preset->specular[0] << ' ' << preset->specular[1] << ' '
                    << preset->specular[2] << '\n';
                mtl << "Ns " << preset->shininess << '\n';
            }
            mtl << "Kd " << Number(c.Fraction(0)) << ' ' << Number(c.Fraction(1)) << ' '
                << Number(c.Fraction(2)) << '\n';
            if (g.ShowTrans()) mtl << "d " << g.TransAlpha() << '\n';
            mtl << '\n';
        }

        obj << "o " << name << "\ng " << name << '\n';
        for (const Vertex& v : m.vertices)
            obj << "v " << Number(v.position[0]) << ' ' << Number(v.position[1]) << ' '
                << Number(v.position[2]) << '\n';
        for (const Vertex& v : m.vertices)
            obj << "vn " << Number(v.normal[0]) << ' ' << Number(v.normal[1]) << ' '
                << Number(v.normal[2]) << '\n';
        for (std::size_t k = 0; k < colors.size(); ++k) {
            obj << "usemtl " << MaterialName(name, colors[k]) << '\n';
            for (std::size_t t : facesOf[k]) {
                obj << 'f';
                for (std::size_t corner : m.triangles[t])
                    obj << ' ' << base + corner << "//" << base + corner;
                obj << '\n';
            }
        }
        base += m.vertices.size();
        counts.vertices += m.vertices.size();
        counts.triangles += m.triangles.size();
    }
    return counts;
}

WriteResult MeshExport::SavePly(const std::vector<std::shared_ptr<CGraph>>& graphs,
                                const std::filesystem::path& path, Counts& counts,
                                FileSystem& files) {
    AtomicFile file(path, files);
    if (!file.Status().Ok()) return file.Status();
    counts = WritePly(graphs, file.Stream());
    return file.Commit();
}

WriteResult MeshExport::SaveObj(const std::vector<std::shared_ptr<CGraph>>& graphs,
                                const std::filesystem::path& path, Counts& counts,
                                FileSystem& files) {
    std::filesystem::path materials = path;
    materials.replace_extension(".mtl");
    AtomicFile obj(path, files);
    if (!obj.Status().Ok()) return obj.Status();
    AtomicFile mtl(materials, files);
    if (!mtl.Status().Ok()) return mtl.Status();
    counts = WriteObj(graphs, obj.Stream(), mtl.Stream(), materials.filename().string());
    AtomicFile* inOrder[] = {&mtl, &obj};
    return CommitTogether(inOrder);
}

} // namespace tervane
