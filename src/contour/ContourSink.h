#pragma once

namespace tervane {

/// A point of a contour line in scene coordinates, ready to hand to glVertex3d.
struct ContourVertex {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;

    friend bool operator==(const ContourVertex&, const ContourVertex&) = default;
};

/// Receives the contour lines that CContour traces, so tracing stays free of GL.
///
/// The calls arrive in drawing order: BeginLevel once for every level (also for levels
/// that yield no line), then that level's segments, each to be drawn as one GL_LINES pair
/// in the level's colour. A GL replayer sets glColor3d in BeginLevel and issues the two
/// vertices in Segment; the line state (smoothing, blending, width, lighting) is its own.
class ContourSink {
public:
    virtual ~ContourSink() = default;

    /// Starts level number index (0 = lowest) at value level, drawn in colour (r, g, b).
    virtual void BeginLevel(int index, float level, double r, double g, double b) = 0;

    /// One straight piece of the current level, from the previous crossing to the next.
    virtual void Segment(const ContourVertex& from, const ContourVertex& to) = 0;
};

} // namespace tervane
