#include "gl/GraphDraw.h"

#include "contour/CContour.h"
#include "gl/CTexture.h"
#include "gl/GlContourSink.h"
#include "gl/GlMaterial.h"
#include "gl/KindDraw.h"
#include "graph/SurfaceMesh.h"

#include <GL/gl.h>

#include <QString>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <vector>

namespace tervane {

namespace {

constexpr float kOverlayDrop = 3.0f;

// Vertex arrays of a batch of quads; a display list compiled around
// glDrawArrays or glDrawElements keeps its own copy of the data. With indices,
// each grid point is one vertex shared by the quads around it, which the GL
// transforms and lights once instead of four times.
struct QuadArrays {
    std::vector<GLfloat> positions, normals, colors, texCoords;
    std::vector<GLuint> indices;
    int colorComponents = 3;

    void Reserve(std::size_t vertices, bool texture) {
        positions.reserve(vertices * 3);
        normals.reserve(vertices * 3);
        colors.reserve(vertices * static_cast<std::size_t>(colorComponents));
        if (texture) texCoords.reserve(vertices * 2);
    }
    std::size_t Vertices() const { return positions.size() / 3; }

    void Draw(bool withColor, bool withTexture) const {
        if (positions.empty()) return;
        glEnableClientState(GL_VERTEX_ARRAY);
        glEnableClientState(GL_NORMAL_ARRAY);
        glVertexPointer(3, GL_FLOAT, 0, positions.data());
        glNormalPointer(GL_FLOAT, 0, normals.data());
        if (withColor) {
            glEnableClientState(GL_COLOR_ARRAY);
            glColorPointer(colorComponents, GL_FLOAT, 0, colors.data());
        }
        if (withTexture) {
            glEnableClientState(GL_TEXTURE_COORD_ARRAY);
            glTexCoordPointer(2, GL_FLOAT, 0, texCoords.data());
        }
        if (indices.empty())
            glDrawArrays(GL_QUADS, 0, static_cast<GLsizei>(Vertices()));
        else
            glDrawElements(GL_QUADS, static_cast<GLsizei>(indices.size()), GL_UNSIGNED_INT,
                           indices.data());
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
        glDisableClientState(GL_COLOR_ARRAY);
        glDisableClientState(GL_NORMAL_ARRAY);
        glDisableClientState(GL_VERTEX_ARRAY);
    }
};

void Push3(std::vector<GLfloat>& v, double a, double b, double c) {
    v.push_back(static_cast<GLfloat>(a));
    v.push_back(static_cast<GLfloat>(b));
    v.push_back(static_cast<GLfloat>(c));
}

void Push3(std::vector<GLfloat>& v, const SurfaceMesh::Vec3& a) {
    Push3(v, a[0], a[1], a[2]);
}

// The flat colour map of kind 13: lighting off, each cell at (X, Z, 0) with
// the vertices in the order P00, P01, P11, P10.
void DrawColorMap(const SurfaceMesh& mesh) {
    QuadArrays q;
    q.Reserve(mesh.ValidCells() * 4, false);
    glDisable(GL_LIGHTING);
    for (std::size_t i = 0; i + 1 < mesh.SizeU(); ++i) {
        for (std::size_t j = 0; j + 1 < mesh.SizeV(); ++j) {
            if (!mesh.CellValid(i, j)) continue;
            const std::size_t corners[4][2] = {{i, j}, {i, j + 1}, {i + 1, j + 1}, {i + 1, j}};
            for (const auto& c : corners) {
                const SurfaceMesh::Vec3 p = mesh.Position(c[0], c[1]);
                Push3(q.normals, mesh.VertexNormal(c[0], c[1]));
                Push3(q.colors, mesh.Color(c[0], c[1]));
                Push3(q.positions, p[0], p[2], 0.0);
            }
        }
    }
    q.Draw(true, false);
    glEnable(GL_LIGHTING);
}

// The surface quads P00, P10, P11, P01 with face or vertex normals, texture
// coordinates and colours as the graph's texture and translucency settings ask.
void DrawSurfaceQuads(const CGraph& g, const SurfaceMesh& mesh, bool textured) {
    const int smooth = g.Smoothness();
    if (smooth <= 0) return;
    const bool translucent = g.ShowTrans();
    // With a texture, mode 1 shows it unmodulated (white), mode 2 modulates it
    // by the vertex colour with the translucency alpha, other modes set no colour.
    bool withColor = true;
    bool white = false;
    bool alpha = translucent;
    if (g.ShowTex()) {
        alpha = g.TexMode() == 2;
        white = g.TexMode() == 1;
        withColor = g.TexMode() == 1 || g.TexMode() == 2;
    }
    QuadArrays q;
    q.colorComponents = alpha ? 4 : 3;
    const double su = g.StepU(), sv = g.StepV();
    auto vertex = [&](std::size_t i, std::size_t j, const SurfaceMesh::Vec3& normal) {
        Push3(q.normals, normal);
        if (textured) {
            q.texCoords.push_back(static_cast<GLfloat>((su - static_cast<double>(i)) / su));
            q.texCoords.push_back(static_cast<GLfloat>((sv - static_cast<double>(j)) / sv));
        }
        if (withColor) {
            Push3(q.colors, white ? SurfaceMesh::Vec3{1, 1, 1} : mesh.Color(i, j));
            if (alpha) q.colors.push_back(g.TransAlpha());
        }
        SurfaceMesh::Vec3 p = mesh.Position(i, j);
        // Points of no drawn cell are never referenced; keep NaN out of the arrays.
        for (double& c : p)
            if (!std::isfinite(c)) c = 0.0;
        Push3(q.positions, p);
    };
    if (smooth == 3) {
        // Smoothest: one vertex per grid point with its own normal, shared by its quads.
        const std::size_t nu = mesh.SizeU(), nv = mesh.SizeV();
        q.Reserve(nu * nv, textured);
        for (std::size_t i = 0; i < nu; ++i)
            for (std::size_t j = 0; j < nv; ++j)
                vertex(i, j, mesh.VertexNormal(i, j));
        q.indices.reserve(mesh.ValidCells() * 4);
        for (std::size_t i = 0; i + 1 < nu; ++i) {
            for (std::size_t j = 0; j + 1 < nv; ++j) {
                if (!mesh.CellValid(i, j)) continue;
                const auto at = [&](std::size_t a, std::size_t b) {
                    return static_cast<GLuint>(a * nv + b);
                };
                q.indices.insert(q.indices.end(),
                                 {at(i, j), at(i + 1, j), at(i + 1, j + 1), at(i, j + 1)});
            }
        }
    } else {
        // Flat and smooth: the cell's face normal on each of its own four vertices.
        q.Reserve(mesh.ValidCells() * 4, textured);
        for (std::size_t i = 0; i + 1 < mesh.SizeU(); ++i) {
            for (std::size_t j = 0; j + 1 < mesh.SizeV(); ++j) {
                if (!mesh.CellValid(i, j)) continue;
                const SurfaceMesh::Vec3& n = mesh.FaceNormal(i, j);
                vertex(i, j, n);
                vertex(i + 1, j, n);
                vertex(i + 1, j + 1, n);
                vertex(i, j + 1, n);
            }
        }
    }
    q.Draw(withColor, textured);
}

// The colour-map overlay: the surface's cells flattened onto the floor,
// coloured from the second colour (low) to the first colour (high) by height.
void DrawColormapOverlay(const CGraph& g, const SurfaceMesh& mesh, float minY, float floorY) {
    double low[3], high[3];
    CGraph::SplitColor(g.SecondColor(), low[0], low[1], low[2]);
    CGraph::SplitColor(g.FirstColor(), high[0], high[1], high[2]);
    const double range = mesh.Green().range;
    QuadArrays q;
    q.Reserve(mesh.ValidCells() * 4, false);
    for (std::size_t i = 0; i + 1 < mesh.SizeU(); ++i) {
        for (std::size_t j = 0; j + 1 < mesh.SizeV(); ++j) {
            if (!mesh.CellValid(i, j)) continue;
            const std::size_t corners[4][2] = {{i, j}, {i + 1, j}, {i + 1, j + 1}, {i, j + 1}};
            for (const auto& c : corners) {
                const SurfaceMesh::Vec3 p = mesh.Position(c[0], c[1]);
                const double f = range != 0.0 ? (p[1] - minY) / range : 0.0;
                Push3(q.normals, mesh.VertexNormal(c[0], c[1]));
                Push3(q.colors, low[0] + f * (high[0] - low[0]), low[1] + f * (high[1] - low[1]),
                      low[2] + f * (high[2] - low[2]));
                Push3(q.positions, p[0], floorY, p[2]);
            }
        }
    }
    q.Draw(true, false);
}

void DrawContourOverlay(const CGraph& g, const CGraph::Extents& e, float floorY,
                        std::int32_t sceneKind) {
    if (g.ContourLevel() == 0) return; // no levels asked for: nothing to trace
    const float dx = (e.MaxX - e.MinX) / static_cast<float>(g.StepU());
    const float dz = (e.MaxZ - e.MinZ) / static_cast<float>(g.StepV());
    const Grid2D& h = g.PlotY();
    std::vector<float> scratch; // for a plotted grid that is not stored point by point
    GlContourSink sink(g.LineWidth());
    CContour().Contour(static_cast<int>(h.SizeU()), static_cast<int>(h.SizeV()), dx, dz,
                       h.Contiguous(scratch), e.MinX - dx + 0.1f, e.MinZ - dz + 0.1f, floorY,
                       g.ContourLevel(), g.FillStyle(), 0, 0, sceneKind, sink);
}

// Gradient arrows of the height field on the floor, each ending in a small disc.
void DrawVectorOverlay(const CGraph& g, float floorY) {
    const Grid2D& X = g.PlotX();
    const Grid2D& H = g.PlotY();
    const Grid2D& Z = g.PlotZ();
    glEnable(GL_LINE_SMOOTH);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
    glColor3f(0, 0, 0);
    auto valid = [&](std::size_t i, std::size_t j) {
        return std::isfinite(X(i, j)) && std::isfinite(H(i, j)) && std::isfinite(Z(i, j));
    };
    for (std::size_t i = 1; i + 1 < H.SizeU(); ++i) {
        for (std::size_t j = 1; j + 1 < H.SizeV(); ++j) {
            if (!valid(i, j) || !valid(i + 1, j) || !valid(i - 1, j) || !valid(i, j + 1) ||
                !valid(i, j - 1))
                continue;
            const double gi = ((H(i + 1, j) - H(i, j)) + (H(i, j) - H(i - 1, j))) / 2.0;
            const double gj = ((H(i, j + 1) - H(i, j)) + (H(i, j) - H(i, j - 1))) / 2.0;
            const double ex = X(i, j) + gj, ez = Z(i, j) + gi;
            glBegin(GL_LINES);
            glVertex3d(X(i, j), floorY, Z(i, j));
            glVertex3d(ex, floorY, ez);
            glEnd();
            glBegin(GL_TRIANGLES);
            for (int k = 0; k < 20; ++k) {
                const double a0 = k * 31416.0 / 100000.0, a1 = (k + 1) * 31416.0 / 100000.0;
                glVertex3d(ex + 0.04 * std::cos(a0), floorY, ez + 0.04 * std::sin(a0));
                glVertex3d(ex + 0.04 * std::cos(a1), floorY, ez + 0.04 * std::sin(a1));
                glVertex3d(ex, floorY, ez);
            }
            glEnd();
        }
    }
    glDisable(GL_LINE_SMOOTH);
    glDisable(GL_BLEND);
}

// Cuts the surface at the limits its box was clipped to (CGraph::SpikeClip), with one GL clip
// plane per cut side, for as long as the graph is drawn. The planes are given in the graph's
// plot coordinates; a colour map, drawn flat at (X, Z, 0), is cut along X and Z only.
class SpikeClipPlanes {
public:
    explicit SpikeClipPlanes(const CGraph& graph) {
        const bool flat = graph.GraphType() == kGraphColorMap;
        for (int axis = 0; axis < 3; ++axis) {
            const SpikeLimits& limits = graph.SpikeClip(axis);
            if (flat && axis == 1) continue;
            const int drawnAxis = flat && axis == 2 ? 1 : axis;
            if (limits.clipsMin) Add(drawnAxis, 1.0, -static_cast<double>(limits.min));
            if (limits.clipsMax) Add(drawnAxis, -1.0, static_cast<double>(limits.max));
        }
    }
    ~SpikeClipPlanes() {
        for (int k = 0; k < used_; ++k)
            glDisable(static_cast<GLenum>(GL_CLIP_PLANE0 + k));
    }
    SpikeClipPlanes(const SpikeClipPlanes&) = delete;
    SpikeClipPlanes& operator=(const SpikeClipPlanes&) = delete;

private:
    // Keeps the points where sign·coordinate + offset >= 0.
    void Add(int axis, double sign, double offset) {
        GLdouble equation[4] = {0.0, 0.0, 0.0, offset};
        equation[axis] = sign;
        const auto plane = static_cast<GLenum>(GL_CLIP_PLANE0 + used_++);
        glClipPlane(plane, equation);
        glEnable(plane);
    }
    int used_ = 0;
};

// Marks each cut side with a red outline of the box's face at the cut, so that a clipped
// picture is never taken for the whole graph.
void DrawSpikeClipMarks(const CGraph& g) {
    if (!g.SpikesClipped() || g.GraphType() == kGraphColorMap) return;
    const CGraph::Extents& e = g.GetExtents();
    const float low[3] = {e.MinX, e.MinY, e.MinZ};
    const float high[3] = {e.MaxX, e.MaxY, e.MaxZ};
    glPushAttrib(GL_ENABLE_BIT | GL_LINE_BIT | GL_CURRENT_BIT | GL_POLYGON_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    for (int k = 0; k < 6; ++k) // the outline lies on the clip planes themselves
        glDisable(static_cast<GLenum>(GL_CLIP_PLANE0 + k));
    glLineWidth(2.0f);
    glColor3f(0.85f, 0.0f, 0.0f);
    for (int axis = 0; axis < 3; ++axis) {
        const SpikeLimits& limits = g.SpikeClip(axis);
        const int a = (axis + 1) % 3, b = (axis + 2) % 3;
        for (int side = 0; side < 2; ++side) {
            if (!(side == 0 ? limits.clipsMin : limits.clipsMax)) continue;
            const float at = side == 0 ? limits.min : limits.max;
            const float corners[4][2] = {
                {low[a], low[b]}, {high[a], low[b]}, {high[a], high[b]}, {low[a], high[b]}};
            glBegin(GL_LINE_LOOP);
            for (const auto& c : corners) {
                float p[3];
                p[axis] = at;
                p[a] = c[0];
                p[b] = c[1];
                glVertex3fv(p);
            }
            glEnd();
        }
    }
    glPopAttrib();
}

void DrawSurface(CGraph& g, float minY, std::int32_t sceneKind) {
    const bool overlays = g.ShowContour() || g.ShowVector() || g.ShowColormap();
    const SurfaceMesh mesh(g, overlays ? kOverlayDrop : 0.0f);
    if (mesh.SizeU() == 0) return;
    const SpikeClipPlanes clip(g);

    switch (g.Show()) {
    case kShowPoints:
        glPolygonMode(GL_FRONT_AND_BACK, GL_POINT);
        break;
    case kShowGrid:
        glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
        break;
    case kShowSurface:
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
        break;
    default:
        break;
    }

    CTexture texture;
    bool textured = false;
    if (g.ShowTex() && texture.LoadGLTextures(QString::fromStdString(g.TexName()))) {
        glEnable(GL_TEXTURE_2D);
        textured = true;
    }
    if (g.ShowTrans()) {
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glEnable(GL_BLEND);
    }

    switch (g.Smoothness()) {
    case kSmoothFlat:
        glShadeModel(GL_FLAT);
        break;
    case kSmoothSmooth:
    case kSmoothSmoothest:
        glShadeModel(GL_SMOOTH);
        break;
    default:
        break;
    }

    if (g.GraphType() == kGraphColorMap) {
        DrawColorMap(mesh);
        // A colour map leaves texturing and blending as they were switched.
        return;
    }

    DrawSurfaceQuads(g, mesh, textured);
    DrawSpikeClipMarks(g);
    if (textured) glDisable(GL_TEXTURE_2D);
    if (g.ShowTrans()) glDisable(GL_BLEND);

    const float floorY = minY - kOverlayDrop;
    CGraph::Extents e = g.GetExtents();
    if (g.ShowColormap()) DrawColormapOverlay(g, mesh, minY, floorY);
    if (g.ShowContour()) DrawContourOverlay(g, e, floorY, sceneKind);
    if (g.ShowVector()) DrawVectorOverlay(g, floorY);
}

// A contour plot of the sampled values over the domain, at the floor height.
void DrawContourPlot(const CGraph& g, float height, std::int32_t sceneKind) {
    const Grid2D& values = g.RealPart();
    if (values.Empty()) return;
    // Documents do not store the number of levels; without one the plot gets a default.
    const std::int32_t levels = g.ContourLevel() > 0 ? g.ContourLevel() : kDefaultContourLevels;
    const float dx = (g.MaxU() - g.MinU()) / static_cast<float>(g.StepU());
    const float dz = (g.MaxV() - g.MinV()) / static_cast<float>(g.StepV());
    GlContourSink sink(g.LineWidth());
    std::vector<float> scratch;
    CContour().Contour(static_cast<int>(values.SizeU()), static_cast<int>(values.SizeV()), dx, dz,
                       values.Contiguous(scratch), g.MinU() - dx, g.MinV() - dz, height, levels,
                       g.FillStyle(), g.FirstColor(), g.SecondColor(), sceneKind, sink);
}

// The sampled step to draw: the step itself for the kinds that hold every step, else the one
// sampling there is (graphs whose function reads t are resampled for the step they draw).
std::int32_t PointStep(const CGraph& graph, std::int32_t step) {
    if (!graph.Animation() || !IsAllStepsKind(graph.GraphType())) return 0;
    return std::clamp<std::int32_t>(step, 0, std::max(graph.SampledSteps() - 1, 0));
}

} // namespace

void DrawGraph(CGraph& graph, std::int32_t step, std::int32_t sceneKind) {
    const CBox box = graph.Animation() ? graph.GetBox(step) : graph.GetBox(0);
    float minY = box.MinY;
    if (graph.ShowContour() || graph.ShowVector() || graph.ShowColormap()) minY += kOverlayDrop;

    ApplyGraphMaterial(graph.Material());

    switch (graph.GraphType()) {
    case kGraphSurfaceAnimation:
        graph.UseAnimationStep(PointStep(graph, step));
        DrawSurface(graph, minY, sceneKind);
        break;
    case kGraphSurface:
    case kGraphColorMap:
    case kGraphSurfaceKind6:
    case kGraphRotationY:
    case kGraphRotationX:
        DrawSurface(graph, minY, sceneKind);
        break;
    case kGraphContour:
        DrawContourPlot(graph, minY, sceneKind);
        break;
    case kGraphVector:
        DrawVectorPlot(graph, minY, sceneKind);
        break;
    case kGraph3DCurve:
    case kGraph3DCurveAnimation:
        DrawSpaceCurve(graph, PointStep(graph, step));
        break;
    case kGraphPointSet:
    case kGraphPointObject:
    case kGraphPlanePairs:
        DrawPointObjects(graph, PointStep(graph, step), sceneKind);
        break;
    default:
        if (IsPlaneCurveKind(graph.GraphType()) || graph.GraphType() == kGraphPlanePoints)
            DrawPlaneCurve(graph, PointStep(graph, step));
        // Kinds 4, 5, 6, 31 and 32 are kept in documents but have no geometry.
        break;
    }
}

} // namespace tervane
