#include "gl/GlAxes.h"

#include "gl/GlMaterial.h"
#include "gl/GlQuadric.h"
#include "gl/GlStateGuard.h"
#include "gl/text/GlFonts.h"
#include "gl/text/GlText.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <memory>

namespace tervane {

namespace {

using Pass = AxesGeometry::Pass;

void Colour(const AxesGeometry::Colour& c) {
    glColor3f(c.r, c.g, c.b);
}

void Vertex(const AxesGeometry::Point& p) {
    glVertex3f(p.x, p.y, p.z);
}

void ApplyState(const AxesGeometry::State& state) {
    if (state.lighting) {
        if (*state.lighting)
            glEnable(GL_LIGHTING);
        else
            glDisable(GL_LIGHTING);
    }
    if (state.colorMaterial) {
        if (*state.colorMaterial) {
            glColorMaterial(GL_FRONT_AND_BACK, GL_DIFFUSE);
            glEnable(GL_COLOR_MATERIAL);
        } else {
            glDisable(GL_COLOR_MATERIAL);
        }
    }
    if (state.lineSmooth) {
        if (*state.lineSmooth) {
            glEnable(GL_LINE_SMOOTH);
            glEnable(GL_BLEND);
            glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
            glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
        } else {
            glDisable(GL_LINE_SMOOTH);
            glDisable(GL_BLEND);
        }
    }
    if (state.smoothShading) glShadeModel(*state.smoothShading ? GL_SMOOTH : GL_FLAT);
}

void DrawQuads(const std::vector<AxesGeometry::Quad>& quads) {
    if (quads.empty()) return;
    glBegin(GL_QUADS);
    for (const AxesGeometry::Quad& quad : quads) {
        if (quad.normal) glNormal3f(quad.normal->x, quad.normal->y, quad.normal->z);
        for (std::size_t k = 0; k < quad.corners.size(); ++k) {
            Colour(quad.colours[k]);
            Vertex(quad.corners[k]);
        }
    }
    glEnd();
}

void DrawTriangles(const std::vector<AxesGeometry::Triangle>& triangles) {
    if (triangles.empty()) return;
    glBegin(GL_TRIANGLES);
    for (const AxesGeometry::Triangle& triangle : triangles) {
        for (std::size_t k = 0; k < triangle.corners.size(); ++k) {
            Colour(triangle.colours[k]);
            Vertex(triangle.corners[k]);
        }
    }
    glEnd();
}

// The width cannot change between glBegin and glEnd, so each run of lines of one width is one
// block.
void DrawLines(const std::vector<AxesGeometry::Line>& lines) {
    std::size_t start = 0;
    while (start < lines.size()) {
        const float width = lines[start].width;
        std::size_t end = start;
        while (end < lines.size() && lines[end].width == width)
            ++end;
        glLineWidth(width);
        glBegin(GL_LINES);
        for (std::size_t k = start; k < end; ++k) {
            Colour(lines[k].colour);
            Vertex(lines[k].from);
            Vertex(lines[k].to);
        }
        glEnd();
        start = end;
    }
}

void DrawLabels(const std::vector<AxesGeometry::Label>& labels, const GlFonts& fonts) {
    for (const AxesGeometry::Label& label : labels) {
        const AxesGeometry::Point& at = label.position;
        if (label.font == AxesGeometry::Font::Bitmap) {
            DrawBitmapText(fonts.BitmapFont(), at.z, at.x, at.y, label.text);
            continue;
        }
        const OutlineFont& font = label.font == AxesGeometry::Font::OutlineTitle
                                      ? fonts.OutlineTitleFont()
                                      : fonts.OutlineLabelFont();
        // The colour is set here rather than passed packed, so fractions that are not whole
        // bytes survive.
        Colour(label.colour);
        const AxesGeometry::Rotation& r = label.rotation;
        DrawOutlineText(font, label.text, at.x, at.y, at.z, {r.angle, r.x, r.y, r.z}, std::nullopt,
                        label.scale);
    }
}

void DrawCones(const std::vector<AxesGeometry::Cone>& cones) {
    if (cones.empty()) return;
    const GlQuadric quadric;
    for (const AxesGeometry::Cone& cone : cones) {
        const GlMatrixGuard matrix;
        glTranslatef(cone.base.x, cone.base.y, cone.base.z);
        const AxesGeometry::Rotation& r = cone.rotation;
        if (r.angle != 0.0f && (r.x != 0.0f || r.y != 0.0f || r.z != 0.0f))
            glRotatef(r.angle, r.x, r.y, r.z);
        Colour(cone.colour);
        gluCylinder(quadric.Get(), cone.baseRadius, cone.topRadius, cone.height, cone.slices,
                    cone.stacks);
    }
}

} // namespace

void IssueAxes(const AxesGeometry& geometry, const GlFonts& fonts) {
    for (const Pass& pass : geometry.passes) {
        ApplyState(pass.state);
        if (pass.fillBothFaces) glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
        if (pass.material) IssueMaterial(*pass.material);
        DrawQuads(pass.quads);
        DrawTriangles(pass.triangles);
        DrawLines(pass.lines);
        DrawLabels(pass.labels, fonts);
        DrawCones(pass.cones);
    }
}

} // namespace tervane
