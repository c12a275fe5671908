#pragma once

// The graph kinds that only documents and clipboard texts bring: two-dimensional functions,
// curves in space, point objects and the animated surface. They are sampled into points (or,
// for the animated surface, into one set of grids per animation step) rather than into the
// grid of w = f(z).

#include "core/Codes.h"

#include <cmath>
#include <cstdint>
#include <string>

namespace tervane {

class CGraph;

/// A sampled point of a curve or a point object; NaN coordinates mark a point that is left out.
struct PointSample {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    bool Valid() const { return std::isfinite(x) && std::isfinite(y) && std::isfinite(z); }
    friend bool operator==(const PointSample&, const PointSample&) = default;
};

/// Two-dimensional function kinds drawn as a curve of points along u.
constexpr bool IsPlaneCurveKind(std::int32_t kind) {
    return kind == kGraphPlaneFunction || kind == kGraphPlaneCurve3 || kind == kGraphPlaneCurve20 ||
           kind == kGraphPlaneCurve23 || kind == kGraphPlaneCurve37 || kind == kGraphPlaneCurve38;
}

/// Surfaces made by turning a two-dimensional function about an axis.
constexpr bool IsRotationKind(std::int32_t kind) {
    return kind == kGraphRotationY || kind == kGraphRotationX;
}

/// Kinds that sample every animation step at once when animated, keeping the points (or grids)
/// of each step.
constexpr bool IsAllStepsKind(std::int32_t kind) {
    return kind == kGraphPointObject || kind == kGraphPlanePoints || kind == kGraphPlanePairs ||
           kind == kGraph3DCurveAnimation || kind == kGraphSurfaceAnimation;
}

/// Kinds sampled into points (every kind of this header but the animated surface).
constexpr bool IsPointSampledKind(std::int32_t kind) {
    return IsPlaneCurveKind(kind) || kind == kGraph3DCurve || kind == kGraphPointSet ||
           kind == kGraphPointObject || kind == kGraphPlanePoints || kind == kGraphPlanePairs ||
           kind == kGraph3DCurveAnimation;
}

/// True for the kinds this header samples.
constexpr bool IsDocumentKind(std::int32_t kind) {
    return IsPointSampledKind(kind) || kind == kGraphSurfaceAnimation || IsRotationKind(kind);
}

/// The caption the window's result box shows for a two-dimensional function ("Function y=" and
/// its function text, and likewise x=, r=, a=), or an empty text for every other graph.
std::string ResultCaption(const CGraph& graph);

} // namespace tervane
