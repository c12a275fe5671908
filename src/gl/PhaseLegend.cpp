#include "gl/PhaseLegend.h"

#include "core/Codes.h"
#include "gl/GlStateGuard.h"
#include "graph/CGraph.h"
#include "graph/PhaseColour.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tervane {

namespace {

constexpr int kSegments = 72;
constexpr int kRings = 16;

void Vertex(const PhaseLegendPlace& p, double angle, double fraction) {
    // Radius fraction f of the wheel shows |w| = f / (1 − f): 1 halfway out, growing without
    // bound towards the rim.
    const double modulus = fraction >= 1.0 ? INFINITY : fraction / (1.0 - fraction);
    const auto c = PhaseColour(angle, modulus);
    glColor3f(c[0], c[1], c[2]);
    glVertex2d(p.centreX + p.radius * fraction * std::cos(angle),
               p.centreY + p.radius * fraction * std::sin(angle));
}

} // namespace

bool NeedsPhaseLegend(const std::vector<std::shared_ptr<CGraph>>& graphs) {
    return std::any_of(graphs.begin(), graphs.end(), [](const std::shared_ptr<CGraph>& g) {
        return g && (g->GraphType() == kGraphSurface || g->GraphType() == kGraphColorMap) &&
               IsPhaseColourCode(g->ColorR());
    });
}

PhaseLegendPlace PlacePhaseLegend(int width, int height) {
    const float radius =
        std::clamp(0.09f * static_cast<float>(std::min(width, height)), 16.0f, 72.0f);
    const float margin = std::max(8.0f, 0.25f * radius);
    return {static_cast<float>(width) - margin - radius, margin + radius, radius};
}

void DrawPhaseLegend(int width, int height) {
    if (width <= 0 || height <= 0) return;
    const PhaseLegendPlace p = PlacePhaseLegend(width, height);
    const GlAttribGuard attributes(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_LINE_BIT | GL_LIGHTING_BIT |
                                   GL_DEPTH_BUFFER_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glShadeModel(GL_SMOOTH);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, width, 0, height, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();

    constexpr double kStep = 2.0 * std::numbers::pi / kSegments;
    for (int r = 0; r < kRings; ++r) {
        const double f0 = static_cast<double>(r) / kRings, f1 = static_cast<double>(r + 1) / kRings;
        glBegin(GL_QUAD_STRIP);
        for (int s = 0; s <= kSegments; ++s) {
            const double angle = -std::numbers::pi + s * kStep;
            Vertex(p, angle, f1);
            Vertex(p, angle, f0);
        }
        glEnd();
    }
    // A dark rim and marks at the quarter turns, arg 0 the longest.
    glLineWidth(1.5f);
    glColor3f(0.15f, 0.15f, 0.15f);
    glBegin(GL_LINE_LOOP);
    for (int s = 0; s < kSegments; ++s) {
        const double angle = s * kStep;
        glVertex2d(p.centreX + p.radius * std::cos(angle), p.centreY + p.radius * std::sin(angle));
    }
    glEnd();
    glBegin(GL_LINES);
    for (int q = 0; q < 4; ++q) {
        const double angle = q * std::numbers::pi / 2;
        const double outer = p.radius * (q == 0 ? 1.3 : 1.15);
        glVertex2d(p.centreX + p.radius * std::cos(angle), p.centreY + p.radius * std::sin(angle));
        glVertex2d(p.centreX + outer * std::cos(angle), p.centreY + outer * std::sin(angle));
    }
    glEnd();

    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
}

} // namespace tervane
