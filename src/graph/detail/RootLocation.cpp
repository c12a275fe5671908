#include "graph/detail/RootLocation.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <numbers>
#include <optional>

namespace tervane::detail {

namespace {

constexpr int kNewtonIterations = 50;
// Orders Newton's method estimates at most.
constexpr double kMaxMultiplicity = 64.5;
// Quads are cut into four at most this many times: down to about 1e-12 of a cell.
constexpr int kMaxDepth = 40;
// Evaluations one cell's search may take. Round an essential singularity, where zeros or poles
// crowd without end, it would go on and on.
constexpr std::size_t kCellEvaluations = 100000;

struct Bounds {
    double minX = 0, maxX = 0, minY = 0, maxY = 0;

    bool Contains(Point p) const {
        return p.real() >= minX && p.real() <= maxX && p.imag() >= minY && p.imag() <= maxY;
    }
};

Bounds BoundsOf(const Quad& q, double margin) {
    Bounds b{q.Corner[0].z.real(), q.Corner[0].z.real(), q.Corner[0].z.imag(),
             q.Corner[0].z.imag()};
    for (const PathPoint& c : q.Corner) {
        b.minX = std::min(b.minX, c.z.real());
        b.maxX = std::max(b.maxX, c.z.real());
        b.minY = std::min(b.minY, c.z.imag());
        b.maxY = std::max(b.maxY, c.z.imag());
    }
    return {b.minX - margin, b.maxX + margin, b.minY - margin, b.maxY + margin};
}

// f, or 1/f for a pole. Nothing where it has no value; for a pole, hit tells that f has none
// at z itself (the pole was hit).
std::optional<Point> Target(ArgumentTracker& tracker, Point z, bool pole, bool* hit = nullptr) {
    const auto f = tracker.Value(z);
    if (!f) {
        if (hit) *hit = pole && !tracker.Spent();
        return std::nullopt;
    }
    if (!pole) return *f;
    if (*f == 0.0) return std::nullopt;
    return 1.0 / *f;
}

// g' at z by a central difference of step h, in the first of four directions where both
// difference points have a value and the difference is finite and not 0.
std::optional<Point> Derivative(ArgumentTracker& tracker, Point z, double h, bool pole) {
    static const Point kDirections[] = {{1, 0},
                                        {0, 1},
                                        {std::numbers::sqrt2 / 2, std::numbers::sqrt2 / 2},
                                        {std::numbers::sqrt2 / 2, -std::numbers::sqrt2 / 2}};
    for (const Point d : kDirections) {
        const auto gp = Target(tracker, z + h * d, pole);
        const auto gm = Target(tracker, z - h * d, pole);
        if (!gp || !gm) continue;
        const Point dg = (*gp - *gm) / (2.0 * h * d);
        if (dg != 0.0 && std::isfinite(dg.real()) && std::isfinite(dg.imag())) return dg;
    }
    return std::nullopt;
}

// Newton's method for a root of the given order of the target, z ← z − order·g/g', from start,
// in double precision. The derivative is a central difference whose step stays far below the
// distance to the root (a larger one misjudges the derivative near a root of order three or
// more); where a difference point has no value, the difference is taken in another direction.
// Fails when the iterate leaves `room` or does not settle.
std::optional<Point> Newton(ArgumentTracker& tracker, Point start, int order, bool pole,
                            double scale, const Bounds& room, const std::vector<KnownRoot>& known) {
    Point z = start;
    double last = std::numeric_limits<double>::infinity();
    // The root's own order may exceed the share the cell counted (a multiple root on a node
    // is shared by the cells round it). With u = g/g' = (z − r)/m near a root r of order m, two
    // iterates give m = s·u0 / (u0 − u1) for a step s·u0 between them: the order is estimated
    // from the second iteration on.
    double multiplicity = order;
    std::optional<Point> previousU;
    for (int iteration = 0; iteration < kNewtonIterations; ++iteration) {
        bool hit = false;
        const auto g = Target(tracker, z, pole, &hit);
        if (!g) {
            if (hit) return z; // f has no value at the pole itself
            if (tracker.Spent()) return std::nullopt;
            z += Point(1e-9 * scale, 0.7e-9 * scale); // step off a point without a value
            continue;
        }
        if (*g == 0.0) return z;
        const double floor = 1e-12 * (std::abs(z) + scale);
        // The difference step must be far below the distance to the root, which the Newton
        // step itself estimates: a step that comes out shorter than a hundred difference steps
        // is taken again with a difference step a thousandth of it.
        double h = std::max(std::min(1e-3 * scale, 1e-3 * last), floor);
        std::optional<Point> derivative;
        for (int attempt = 0; attempt < 8; ++attempt) {
            derivative = Derivative(tracker, z, h, pole);
            if (!derivative) break;
            const double distance = std::abs(multiplicity * *g / *derivative);
            if (h <= 1e-2 * distance || h <= floor) break;
            h = std::max(1e-3 * distance, floor);
        }
        if (!derivative) return std::nullopt;
        // With known roots divided out: the logarithmic derivative less k/(z − r) for each.
        Point logDerivative = *derivative / *g;
        for (const KnownRoot& r : known)
            logDerivative -= static_cast<double>(r.Order) / (z - r.Z);
        if (logDerivative == 0.0 || !std::isfinite(std::abs(logDerivative))) return std::nullopt;
        const Point u = 1.0 / logDerivative;
        if (previousU && *previousU != u) {
            const double estimate = (multiplicity * *previousU / (*previousU - u)).real();
            if (estimate >= 0.5 && estimate < kMaxMultiplicity)
                multiplicity = std::max(1.0, std::round(estimate));
        }
        previousU = u;
        const Point step = multiplicity * u;
        z -= step;
        last = std::abs(step);
        if (!room.Contains(z)) return std::nullopt;
        if (last <= 1e-15 * (std::abs(z) + scale)) return z;
    }
    // Rounding noise in f can keep the last steps above that; small ones are kept.
    if (last <= 1e-7 * scale) return z;
    return std::nullopt;
}

// The winding of w round a square of half-side r centred on z, and the mean of ln |w| at its
// corners.
struct SquareCheck {
    bool ok = false;
    int turns = 0;
    double logMagnitude = 0.0;
};

SquareCheck CheckSquare(ArgumentTracker& tracker, Point z, double r, PathFlags& flags) {
    static const Point kCorners[4] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
    PathPoint p[4];
    SquareCheck check;
    for (int k = 0; k < 4; ++k) {
        const auto v = tracker.ValueNear(z + r * kCorners[k], 1e-3 * r);
        if (!v) return check;
        const double m = std::abs(v->w);
        if (!(m > 0.0) || !std::isfinite(m)) return check;
        p[k] = *v;
        check.logMagnitude += 0.25 * std::log(m);
    }
    int quarters = 0;
    for (int k = 0; k < 4; ++k)
        quarters += tracker.Steps(p[k], p[(k + 1) & 3], flags);
    check.turns = quarters / 4;
    check.ok = true;
    return check;
}

// Whether f has a zero (turns > 0) or pole (turns < 0) at z: on two squares round it, of half
// sides scale/8 and scale/64, w winds the same number of times k, with the sign of turns and at
// least as often (a root on an edge may be shared between cells), without a jump, and |w|
// grows like |z − z0|^k between them. Returns k, or 0.
int Verify(ArgumentTracker& tracker, Point z, int turns, double scale, bool& jump) {
    PathFlags flags;
    const double outer = scale / 8, inner = scale / 64;
    const SquareCheck a = CheckSquare(tracker, z, outer, flags);
    const SquareCheck b = CheckSquare(tracker, z, inner, flags);
    jump |= flags.Jump;
    if (!a.ok || !b.ok || !flags.Sound() || a.turns != b.turns) return 0;
    const int k = a.turns;
    if ((k > 0) != (turns > 0) || std::abs(k) < std::abs(turns)) return 0;
    const double growth = (a.logMagnitude - b.logMagnitude) / std::log(outer / inner);
    if (std::abs(growth - k) > 0.25 + 0.05 * std::abs(k)) return 0;
    return k;
}

Point Bilinear(const Quad& q, double s, double t) {
    return (1 - s) * (1 - t) * q.Corner[0].z + s * (1 - t) * q.Corner[1].z + s * t * q.Corner[2].z +
           (1 - s) * t * q.Corner[3].z;
}

class Locator {
public:
    Locator(ArgumentTracker& tracker, int orientation, bool jumpSeen,
            const std::vector<KnownRoot>& known)
        : tracker_(tracker), orientation_(orientation), jumpSeen_(jumpSeen), known_(known) {}

    void Locate(const Quad& q, int turns, int depth) {
        const double size = q.Size();
        const Point centre = q.Centre();
        const bool pole = turns < 0;
        const auto z =
            Newton(tracker_, centre, std::abs(turns), pole, size, BoundsOf(q, size), known_);
        if (z && BoundsOf(q, 1e-6 * size).Contains(*z) && !IsKnown(*z, size)) {
            bool jump = false;
            const int order = Verify(tracker_, *z, turns, CheckScale(*z, size), jump);
            if (order != 0 && !Taken(*z, turns, std::abs(order), size)) {
                result_.Roots.push_back({*z, turns, std::abs(order), true});
                return;
            }
        }
        // Where w jumps, windings below the cell are not to be trusted: a root that a check
        // does not confirm is no root.
        if (jumpSeen_ || depth >= kMaxDepth || size <= 1e-13 * (std::abs(centre) + size)) {
            result_.Singular = true;
            return;
        }
        Split(q, turns, depth);
    }

    Location Result() { return std::move(result_); }

private:
    // Whether a part found before holds the root at z to its whole order already: two roots on
    // the edge two parts share may both be found from either part. The root is then passed
    // over from here on, so that the search finds this part's own.
    bool Taken(Point z, int turns, int order, double size) {
        int claimed = std::abs(turns);
        for (const LocatedRoot& r : result_.Roots)
            if ((r.Turns > 0) == (turns > 0) && std::abs(r.Z - z) <= 1e-6 * size)
                claimed += std::abs(r.Turns);
        if (claimed <= order) return false;
        known_.push_back({z, order});
        return true;
    }

    bool IsKnown(Point z, double size) const {
        for (const KnownRoot& r : known_)
            if (std::abs(z - r.Z) <= 1e-6 * size) return true;
        return false;
    }

    // The checking squares stay clear of the known roots.
    double CheckScale(Point z, double size) const {
        double scale = size;
        for (const KnownRoot& r : known_)
            scale = std::min(scale, 2.0 * std::abs(z - r.Z));
        return scale;
    }

    // Cuts q into four at the midpoints of its sides and follows the winding into each part
    // that has one. The parts' inner edges are followed once and shared, so their windings add
    // up to q's as long as every path is sound.
    void Split(const Quad& q, int turns, int depth) {
        const double size = q.Size();
        PathPoint lattice[3][3];
        lattice[0][0] = q.Corner[0];
        lattice[2][0] = q.Corner[1];
        lattice[2][2] = q.Corner[2];
        lattice[0][2] = q.Corner[3];
        for (int a = 0; a < 3; ++a) {
            for (int b = 0; b < 3; ++b) {
                if ((a != 1) && (b != 1)) continue;
                const auto v = tracker_.ValueNear(Bilinear(q, a / 2.0, b / 2.0), 1e-3 * size);
                if (!v) {
                    result_.Roots.push_back({q.Centre(), turns, std::abs(turns), false});
                    return;
                }
                lattice[a][b] = *v;
            }
        }
        PathFlags flags;
        int along[2][3], across[3][2]; // steps to the next point in a, and in b
        for (int a = 0; a < 2; ++a)
            for (int b = 0; b < 3; ++b)
                along[a][b] = tracker_.Steps(lattice[a][b], lattice[a + 1][b], flags);
        for (int a = 0; a < 3; ++a)
            for (int b = 0; b < 2; ++b)
                across[a][b] = tracker_.Steps(lattice[a][b], lattice[a][b + 1], flags);
        int found = 0;
        for (int a = 0; a < 2; ++a) {
            for (int b = 0; b < 2; ++b) {
                const int quarters =
                    along[a][b] + across[a + 1][b] - along[a][b + 1] - across[a][b];
                const int part = orientation_ * quarters / 4;
                if (part == 0) continue;
                found += part;
                const Quad child{
                    {lattice[a][b], lattice[a + 1][b], lattice[a + 1][b + 1], lattice[a][b + 1]}};
                Locate(child, part, depth + 1);
            }
        }
        // Parts whose windings do not add up to q's: the rest of q's winding is no root.
        if (found != turns) result_.Singular = true;
    }

    ArgumentTracker& tracker_;
    int orientation_;
    bool jumpSeen_;
    std::vector<KnownRoot> known_;
    Location result_;
};

} // namespace

Point Quad::Centre() const {
    return 0.25 * (Corner[0].z + Corner[1].z + Corner[2].z + Corner[3].z);
}

double Quad::Size() const {
    double s = 0.0;
    for (int k = 0; k < 4; ++k)
        s = std::max(s, std::abs(Corner[(k + 1) & 3].z - Corner[k].z));
    return s;
}

int Quad::Orientation() const {
    double a = 0.0;
    for (int k = 0; k < 4; ++k) {
        const Point p = Corner[k].z, q = Corner[(k + 1) & 3].z;
        a += p.real() * q.imag() - q.real() * p.imag();
    }
    if (!(std::abs(a) > 0.0) || !std::isfinite(a)) return 0;
    return a > 0.0 ? 1 : -1;
}

Location LocateRoots(ArgumentTracker& tracker, const Quad& quad, int turns, bool jumpSeen,
                     const std::vector<KnownRoot>& known) {
    Locator locator(tracker, quad.Orientation(), jumpSeen, known);
    tracker.Limit(kCellEvaluations);
    locator.Locate(quad, turns, 0);
    Location location = locator.Result();
    if (tracker.Spent()) {
        // The search did not end: what it did not locate is no sure root.
        std::erase_if(location.Roots, [](const LocatedRoot& r) { return !r.Refined; });
        location.Singular = true;
    }
    tracker.Unlimit();
    return location;
}

} // namespace tervane::detail
