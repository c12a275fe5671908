#include "gl/KindDraw.h"

#include "gl/GlMarker.h"
#include "scene/CMarker.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

namespace tervane {

namespace {

void SetColor(std::int32_t packed) {
    double r, g, b;
    CGraph::SplitColor(packed, r, g, b);
    glColor3d(r, g, b);
}

float LineWidthOf(const CGraph& graph) {
    return static_cast<float>(std::clamp(graph.LineWidth(), 1, 64));
}

// The smoothing and blending of antialiased points and lines, restored afterwards.
class SmoothLines {
public:
    SmoothLines() {
        glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_HINT_BIT | GL_LINE_BIT |
                     GL_POINT_BIT | GL_CURRENT_BIT | GL_LIGHTING_BIT);
        glDisable(GL_LIGHTING);
        glDisable(GL_TEXTURE_2D);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glEnable(GL_LINE_SMOOTH);
        glEnable(GL_POINT_SMOOTH);
        glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
        glHint(GL_POINT_SMOOTH_HINT, GL_NICEST);
    }
    ~SmoothLines() { glPopAttrib(); }
    SmoothLines(const SmoothLines&) = delete;
    SmoothLines& operator=(const SmoothLines&) = delete;
};

} // namespace

void DrawPlaneCurve(const CGraph& graph, std::int32_t step) {
    const auto points = graph.StepPoints(step);
    if (points.empty()) return;
    SmoothLines state;
    glPointSize(2.0f);
    SetColor(graph.LineColor());
    glBegin(GL_POINTS);
    for (const PointSample& p : points)
        if (p.Valid()) glVertex3f(p.x, p.y, p.z);
    glEnd();
}

void DrawSpaceCurve(const CGraph& graph, std::int32_t step) {
    const auto points = graph.StepPoints(step);
    if (points.size() < 2) return;
    SmoothLines state;
    glLineWidth(LineWidthOf(graph));
    SetColor(graph.LineColor());
    glBegin(GL_LINES);
    for (std::size_t k = 1; k < points.size(); ++k) {
        const PointSample& a = points[k - 1];
        const PointSample& b = points[k];
        if (!a.Valid() || !b.Valid()) continue;
        glVertex3f(a.x, a.y, a.z);
        glVertex3f(b.x, b.y, b.z);
    }
    glEnd();
}

void DrawPointObjects(const CGraph& graph, std::int32_t step, std::int32_t sceneKind) {
    for (const PointSample& p : graph.StepPoints(step)) {
        if (!p.Valid()) continue;
        CMarker marker = CMarker().Init(p.x, p.y, p.z);
        marker.Color = graph.PointColor();
        marker.Size = graph.PointSize();
        marker.Hollow = graph.PointHollow();
        DrawMarker(marker, sceneKind);
    }
}

void DrawVectorPlot(const CGraph& graph, float height, std::int32_t sceneKind) {
    const Grid2D& h = graph.RealPart();
    const std::size_t nu = h.SizeU(), nv = h.SizeV();
    if (nu < 3 || nv < 3) return;
    const double dx = (static_cast<double>(graph.MaxU()) - graph.MinU()) / graph.StepU();
    const double dy = (static_cast<double>(graph.MaxV()) - graph.MinV()) / graph.StepV();
    if (dx == 0.0 || dy == 0.0) return;
    const bool flat = sceneKind == kSceneColorMap;
    auto valid = [&](std::size_t i, std::size_t j) { return std::isfinite(h(i, j)); };
    auto gradient = [&](std::size_t i, std::size_t j) {
        return std::array<double, 2>{(h(i + 1, j) - h(i - 1, j)) / (2.0 * dx),
                                     (h(i, j + 1) - h(i, j - 1)) / (2.0 * dy)};
    };
    auto usable = [&](std::size_t i, std::size_t j) {
        return valid(i, j) && valid(i + 1, j) && valid(i - 1, j) && valid(i, j + 1) &&
               valid(i, j - 1);
    };
    double longest = 0.0;
    for (std::size_t i = 1; i + 1 < nu; ++i)
        for (std::size_t j = 1; j + 1 < nv; ++j)
            if (usable(i, j)) {
                const auto g = gradient(i, j);
                const double length = std::hypot(g[0], g[1]);
                if (std::isfinite(length)) longest = std::max(longest, length);
            }
    if (longest == 0.0) return;
    const double cell = std::min(std::fabs(dx), std::fabs(dy));
    const double scale = 0.9 * cell / longest;

    SmoothLines state;
    glLineWidth(LineWidthOf(graph));
    SetColor(graph.SecondColor());
    auto vertex = [&](double x, double y) {
        if (flat)
            glVertex3d(x, y, height);
        else
            glVertex3d(x, height, y);
    };
    glBegin(GL_LINES);
    for (std::size_t i = 1; i + 1 < nu; ++i) {
        for (std::size_t j = 1; j + 1 < nv; ++j) {
            if (!usable(i, j)) continue;
            const auto g = gradient(i, j);
            const double gx = g[0] * scale, gy = g[1] * scale;
            const double length = std::hypot(gx, gy);
            if (!std::isfinite(length) || length < 1e-9) continue;
            const double x0 = graph.MinU() + dx * static_cast<double>(i);
            const double y0 = graph.MinV() + dy * static_cast<double>(j);
            const double x1 = x0 + gx, y1 = y0 + gy;
            // The shaft and a head of two strokes at 25° either side, a third of the arrow long.
            vertex(x0, y0);
            vertex(x1, y1);
            const double ux = -gx / length, uy = -gy / length, head = length / 3.0;
            const double c = std::cos(0.4363), s = std::sin(0.4363);
            vertex(x1, y1);
            vertex(x1 + head * (ux * c - uy * s), y1 + head * (ux * s + uy * c));
            vertex(x1, y1);
            vertex(x1 + head * (ux * c + uy * s), y1 + head * (-ux * s + uy * c));
        }
    }
    glEnd();
}

} // namespace tervane
