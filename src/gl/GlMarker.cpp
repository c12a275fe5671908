#include "gl/GlMarker.h"

#include "core/Codes.h"

#include "gl/GlQuadric.h"
#include "gl/GlStateGuard.h"

#include <GL/gl.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace tervane {

namespace {

struct Point2 {
    float x;
    float y;
};

std::vector<Point2> RegularPolygon(int corners, float radius, float startAngle) {
    std::vector<Point2> points;
    for (int k = 0; k < corners; ++k) {
        const double angle = startAngle + 2.0 * std::numbers::pi * k / corners;
        points.push_back({radius * static_cast<float>(std::cos(angle)),
                          radius * static_cast<float>(std::sin(angle))});
    }
    return points;
}

std::vector<Point2> SymbolOutline(const CMarker& marker) {
    switch (static_cast<MarkerSymbol>(marker.Symbol)) {
    case MarkerSymbol::Square: {
        const float h = marker.Size * 4.0f / 100.0f;
        return {{-h, -h}, {h, -h}, {h, h}, {-h, h}};
    }
    case MarkerSymbol::Triangle:
        return RegularPolygon(3, marker.Size * 7.5f / 100.0f,
                              static_cast<float>(std::numbers::pi / 2.0));
    case MarkerSymbol::Circle:
    default:
        return RegularPolygon(20, marker.Size * 5.0f / 100.0f, 0.0f);
    }
}

void DrawFlatSymbol(const CMarker& marker) {
    const std::vector<Point2> outline = SymbolOutline(marker);
    if (marker.Hollow) {
        glBegin(GL_LINE_LOOP);
        for (const Point2& p : outline)
            glVertex3f(marker.x + p.x, marker.y + p.y, 0.0f);
        glEnd();
        return;
    }
    glBegin(GL_TRIANGLES);
    for (std::size_t k = 0; k < outline.size(); ++k) {
        const Point2& a = outline[k];
        const Point2& b = outline[(k + 1) % outline.size()];
        glVertex3f(marker.x, marker.y, 0.0f);
        glVertex3f(marker.x + a.x, marker.y + a.y, 0.0f);
        glVertex3f(marker.x + b.x, marker.y + b.y, 0.0f);
    }
    glEnd();
}

} // namespace

void DrawMarker(const CMarker& marker, int sceneKind) {
    const auto rgb = marker.ColorFractions();
    GlMatrixGuard matrix;
    glColor3f(rgb[0], rgb[1], rgb[2]);
    if (sceneKind == kScenePlane) {
        DrawFlatSymbol(marker);
        return;
    }
    glTranslatef(marker.x, marker.y, marker.z);
    const GlQuadric quadric;
    gluSphere(quadric.Get(), marker.SphereRadius(), CMarker::kSphereSlices, CMarker::kSphereStacks);
}

} // namespace tervane
