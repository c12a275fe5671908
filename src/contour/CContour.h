#pragma once

#include "contour/ContourSink.h"

#include "core/Codes.h"

#include <span>

namespace tervane {

/// Traces the contour lines of a field sampled on a regular grid: equally spaced levels from
/// the smallest to the largest sample, each in a colour graded between two end colours.
///
/// Tracing issues no GL; the lines go to a ContourSink. The caller (or a GL replayer) owns the
/// line state around the call: lighting off, line smoothing and blending on, the line width.
class CContour {
public:
    /// Fill style that draws every level in the second colour.
    static constexpr int SingleColourFillStyle = 4;

    /// Traces every level of z and sends the lines to sink.
    ///
    /// z holds nx·ny samples with the first index outermost: node (i, j), counted from 1,
    /// is z[(i - 1)·ny + (j - 1)] and lies at (x0 + i·dx, y0 + j·dy) in the grid plane.
    /// Non-finite samples (NaN for failed points) are invalid: no line passes through a cell
    /// touching one. lngLevel is the number of level intervals; the level k (from 0) is drawn
    /// in the second colour at the lowest level rising to the first colour at the highest,
    /// or in the second colour throughout for SingleColourFillStyle. The grid plane point
    /// (x, y) becomes (x, y, height) for SceneKindColourMap and (x, height + 0.1, y) for
    /// kScene3D; for any other scene kind nothing is sent.
    ///
    /// z is read only; the nudging of samples off the levels works on a copy.
    /// Throws std::domain_error when lngLevel is 0 and std::invalid_argument when nx or ny
    /// is negative or z does not hold nx·ny samples; nothing is sent to sink then.
    void Contour(int nx, int ny, float dx, float dy, std::span<const float> z, float x0, float y0,
                 float height, int lngLevel, int fstFillStyle, int lngFirstColor,
                 int lngSecondColor, int lngSceneKind, ContourSink& sink) const;
};

} // namespace tervane
