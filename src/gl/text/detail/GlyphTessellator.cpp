#include "gl/text/detail/GlyphTessellator.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>
#include <deque>
#include <memory>

namespace tervane::detail {

namespace {

struct TessDeleter {
    void operator()(GLUtesselator* tess) const { gluDeleteTess(tess); }
};
using TessPtr = std::unique_ptr<GLUtesselator, TessDeleter>;

// State shared with the tessellator callbacks of one polygon.
struct TessRun {
    // Vertices must stay at their address until gluTessEndPolygon; a deque never moves them.
    std::deque<std::array<GLdouble, 3>> vertices;
    bool failed = false;
};

void GLAPIENTRY OnBegin(GLenum type, void*) {
    glBegin(type);
}
void GLAPIENTRY OnVertex(void* vertex, void*) {
    glVertex3dv(static_cast<const GLdouble*>(vertex));
}
void GLAPIENTRY OnEnd(void*) {
    glEnd();
}
void GLAPIENTRY OnError(GLenum, void* data) {
    static_cast<TessRun*>(data)->failed = true;
}
// Where contours cross, the tessellator asks for a new vertex; the weights are irrelevant
// because only positions are carried.
void GLAPIENTRY OnCombine(GLdouble coords[3], void* [4], GLfloat[4], void** out, void* data) {
    auto* run = static_cast<TessRun*>(data);
    run->vertices.push_back({coords[0], coords[1], coords[2]});
    *out = run->vertices.back().data();
}

template <typename F> _GLUfuncptr AsGluCallback(F* function) {
    return reinterpret_cast<_GLUfuncptr>(function);
}

bool EmitFace(GLUtesselator* tess, const std::vector<GlyphContour>& contours, double z,
              double normalZ) {
    TessRun run;
    gluTessNormal(tess, 0.0, 0.0, normalZ);
    glNormal3d(0.0, 0.0, normalZ);
    gluTessBeginPolygon(tess, &run);
    for (const GlyphContour& contour : contours) {
        if (contour.size() < 3) continue;
        gluTessBeginContour(tess);
        for (const auto& point : contour) {
            run.vertices.push_back({point[0], point[1], z});
            gluTessVertex(tess, run.vertices.back().data(), run.vertices.back().data());
        }
        gluTessEndContour(tess);
    }
    gluTessEndPolygon(tess);
    return !run.failed;
}

double SignedArea(const GlyphContour& contour) {
    double twice = 0.0;
    for (std::size_t i = 0; i < contour.size(); ++i) {
        const auto& a = contour[i];
        const auto& b = contour[(i + 1) % contour.size()];
        twice += a[0] * b[1] - b[0] * a[1];
    }
    return twice / 2.0;
}

void EmitWalls(const std::vector<GlyphContour>& contours, double depth) {
    // TrueType fills to the right of each contour's direction (outer contours clockwise), other
    // outline formats to the left; the total signed area tells which, and the walls' normals
    // then point away from the filled side.
    double total = 0.0;
    for (const GlyphContour& contour : contours)
        total += SignedArea(contour);
    const double side = total < 0.0 ? 1.0 : -1.0;

    glBegin(GL_QUADS);
    for (const GlyphContour& contour : contours) {
        if (contour.size() < 2) continue;
        for (std::size_t i = 0; i < contour.size(); ++i) {
            const auto& a = contour[i];
            const auto& b = contour[(i + 1) % contour.size()];
            const double dx = b[0] - a[0];
            const double dy = b[1] - a[1];
            const double length = std::hypot(dx, dy);
            if (length == 0.0) continue;
            glNormal3d(-dy / length * side, dx / length * side, 0.0);
            glVertex3d(a[0], a[1], 0.0);
            glVertex3d(a[0], a[1], -depth);
            glVertex3d(b[0], b[1], -depth);
            glVertex3d(b[0], b[1], 0.0);
        }
    }
    glEnd();
}

} // namespace

bool EmitExtrudedGlyph(const std::vector<GlyphContour>& contours, double depth, bool nonZero) {
    if (contours.empty()) return true;
    TessPtr tess(gluNewTess());
    if (!tess) return false;
    gluTessCallback(tess.get(), GLU_TESS_BEGIN_DATA, AsGluCallback(&OnBegin));
    gluTessCallback(tess.get(), GLU_TESS_VERTEX_DATA, AsGluCallback(&OnVertex));
    gluTessCallback(tess.get(), GLU_TESS_END_DATA, AsGluCallback(&OnEnd));
    gluTessCallback(tess.get(), GLU_TESS_ERROR_DATA, AsGluCallback(&OnError));
    gluTessCallback(tess.get(), GLU_TESS_COMBINE_DATA, AsGluCallback(&OnCombine));
    gluTessProperty(tess.get(), GLU_TESS_WINDING_RULE,
                    nonZero ? GLU_TESS_WINDING_NONZERO : GLU_TESS_WINDING_ODD);

    bool ok = EmitFace(tess.get(), contours, 0.0, 1.0);
    ok = EmitFace(tess.get(), contours, -depth, -1.0) && ok;
    EmitWalls(contours, depth);
    return ok;
}

} // namespace tervane::detail
