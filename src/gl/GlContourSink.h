#pragma once

#include "contour/CContour.h"
#include "contour/ContourSink.h"

namespace tervane {

/// Draws the contour lines CContour traces as GL_LINES, each level in its colour.
///
/// For its lifetime it holds the line state of contour drawing: lighting off, line smoothing
/// with the nicest hint, blending with source alpha / one minus source alpha, and the given line
/// width. The destructor restores the state that was current before (enable flags, line, blend,
/// hint and current colour), so the caller's lighting and blending come back as they were.
/// Works the same inside a display list being compiled.
class GlContourSink : public ContourSink {
public:
    /// Saves the state and sets the line state with lineWidth in pixels.
    explicit GlContourSink(int lineWidth);
    /// Ends any open line batch and restores the saved state.
    ~GlContourSink() override;

    GlContourSink(const GlContourSink&) = delete;
    GlContourSink& operator=(const GlContourSink&) = delete;

    void BeginLevel(int index, float level, double r, double g, double b) override;
    void Segment(const ContourVertex& from, const ContourVertex& to) override;

private:
    void EndLines();

    bool linesOpen_ = false;
};

/// Traces and draws contour lines in one call: the arguments of CContour::Contour (which may
/// throw, leaving the GL state restored) plus the line width in pixels.
void DrawContour(int nx, int ny, float dx, float dy, std::span<const float> z, float x0, float y0,
                 float height, int lngLevel, int fstFillStyle, int lngFirstColor,
                 int lngSecondColor, int lngLineWidth, int lngSceneKind);

} // namespace tervane
