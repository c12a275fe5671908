#pragma once

// Locating the zeros and poles that the winding of w round a grid cell proves, in double
// precision: Newton's method for a root of known order, checked by the winding and the growth
// of |w| on two small squares round the result, and where that fails, the cell cut into four
// again and again, following the winding down.

#include "graph/detail/ArgumentSteps.h"

#include <vector>

namespace tervane::detail {

/// A quadrilateral with f at its corners, in the order of its border.
struct Quad {
    PathPoint Corner[4];

    Point Centre() const;
    /// The longest side.
    double Size() const;
    /// +1 when the border runs counter-clockwise, −1 when clockwise, 0 when it has no inside.
    int Orientation() const;
};

/// A zero (Turns > 0) or pole (Turns < 0) located in a quad. Turns is the share of its order
/// that the quad's winding counted (a root on a shared edge is counted in one cell or split
/// between two); Order is its whole order where a check measured it, else |Turns|.
struct LocatedRoot {
    Point Z;
    int Turns = 0;
    int Order = 0;
    bool Refined = false;
};

struct Location {
    std::vector<LocatedRoot> Roots;
    /// Part of the winding led to no zero or pole: w jumps there (a branch cut), behaves like
    /// no power of z − z0 down to the smallest scale (an essential singularity), or the
    /// winding vanishes when the quad is cut into four (it came from the grid's values alone).
    bool Singular = false;
};

/// A root found before, to be passed over: Newton's method then works on f divided by its
/// factor (z − Z)^Order (multiplied for a pole), and a result at it is refused.
struct KnownRoot {
    Point Z;
    int Order = 0;
};

/// Locates the zeros and poles making up the winding `turns` of w round quad, counted
/// counter-clockwise in the z plane (zeros less poles). jumpSeen: the winding rests on a path
/// where w jumps, so only a root that passes the check is kept, with the order it measured.
/// known: roots of the same kind already counted elsewhere (a cell's neighbour found the root
/// on their shared edge that this cell's winding does not hold).
Location LocateRoots(ArgumentTracker& tracker, const Quad& quad, int turns, bool jumpSeen,
                     const std::vector<KnownRoot>& known = {});

} // namespace tervane::detail
