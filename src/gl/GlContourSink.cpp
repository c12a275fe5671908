#include "gl/GlContourSink.h"

#include <GL/gl.h>

namespace tervane {

GlContourSink::GlContourSink(int lineWidth) {
    glPushAttrib(GL_ENABLE_BIT | GL_LINE_BIT | GL_COLOR_BUFFER_BIT | GL_HINT_BIT | GL_CURRENT_BIT);
    glDisable(GL_LIGHTING);
    glEnable(GL_LINE_SMOOTH);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
    glLineWidth(static_cast<GLfloat>(lineWidth));
}

GlContourSink::~GlContourSink() {
    EndLines();
    glPopAttrib();
}

void GlContourSink::EndLines() {
    if (linesOpen_) glEnd();
    linesOpen_ = false;
}

void GlContourSink::BeginLevel(int, float, double r, double g, double b) {
    EndLines();
    glColor3d(r, g, b);
}

void GlContourSink::Segment(const ContourVertex& from, const ContourVertex& to) {
    if (!linesOpen_) {
        glBegin(GL_LINES);
        linesOpen_ = true;
    }
    glVertex3d(from.x, from.y, from.z);
    glVertex3d(to.x, to.y, to.z);
}

void DrawContour(int nx, int ny, float dx, float dy, std::span<const float> z, float x0, float y0,
                 float height, int lngLevel, int fstFillStyle, int lngFirstColor,
                 int lngSecondColor, int lngLineWidth, int lngSceneKind) {
    GlContourSink sink(lngLineWidth);
    CContour().Contour(nx, ny, dx, dy, z, x0, y0, height, lngLevel, fstFillStyle, lngFirstColor,
                       lngSecondColor, lngSceneKind, sink);
}

} // namespace tervane
