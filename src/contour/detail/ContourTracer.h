#pragma once

#include "contour/ContourSink.h"

#include <cstddef>
#include <span>
#include <vector>

namespace tervane::detail {

/// Where the grid lies: node (i, j), counted from 1, is at (x0 + i·dx, y0 + j·dy) in the grid
/// plane, and the plane sits at height along the third axis, oriented by the scene kind.
struct ContourPlane {
    float dx = 0.0f;
    float dy = 0.0f;
    float x0 = 0.0f;
    float y0 = 0.0f;
    float height = 0.0f;
    int sceneKind = 0;
};

/// Traces the lines of one level at a time over a grid of nx by ny nodes.
///
/// Two crossing tables hold, for every edge, the fraction at which the level crosses it or
/// -2 when it does not (or its crossing is drawn). Cells with a non-finite corner are holes:
/// no segment passes through them, and their rims are start and end edges like the grid's
/// outer boundary.
class ContourTracer {
public:
    /// z holds nx·ny values, node (i, j) at z[(i - 1)·ny + (j - 1)]; it must outlive the tracer.
    ContourTracer(int nx, int ny, std::span<const float> z, const ContourPlane& plane);

    /// Fills the crossing tables for level and sends every segment of it to sink.
    void TraceLevel(float level, ContourSink& sink);

private:
    enum class Heading { PlusI, PlusJ, MinusI, MinusJ };

    struct Edge {
        bool isV = false; ///< V(i, j) runs from node (i, j) to (i, j + 1), H(i, j) to (i + 1, j)
        int i = 0;
        int j = 0;
        friend bool operator==(const Edge&, const Edge&) = default;
    };

    std::size_t Index(int i, int j) const;
    float Z(int i, int j) const { return z_[Index(i, j)]; }
    float& Entry(const Edge& edge);
    bool CellUsable(int i, int j) const;
    bool CellAheadUsable(const Edge& edge, Heading heading) const;

    void FillTables(float level);
    void Trace(const Edge& start, Heading heading, ContourSink& sink);
    Edge ChooseNext(const Edge& current, Heading heading);
    static Heading MoveDirection(const Edge& from, const Edge& to);
    ContourVertex Point(const Edge& edge);

    int nx_;
    int ny_;
    std::span<const float> z_;
    ContourPlane plane_;
    std::vector<bool> cellValid_; ///< cell (i, j) spans nodes (i, j) to (i + 1, j + 1)
    bool hasHoles_ = false;
    std::vector<float> h_;
    std::vector<float> v_;
};

} // namespace tervane::detail
