#pragma once

// The turns of w = f(z) along paths in the z plane, counted in quarter turns, for the zero and
// pole finder. A value's quadrant is its argument's quarter of [0, 2π); a step between two
// values is the change of quadrant, from −1 to 2, where a change of two quadrants takes the
// side the second value lies on. Along a path whose every step turns w by less than half a
// turn, the steps add up to the path's turn; around a closed path they add up to four times its
// winding number. The sum around any closed path is a multiple of four whatever the values, so
// windings of cells that share their edges always add up to the winding around their union.

#include "expr/CompiledProgram.h"

#include <algorithm>
#include <complex>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace tervane::detail {

using Point = std::complex<double>;

/// 0 for arguments in [0, π/2), 1 for [π/2, π), 2 for [π, 3π/2), 3 for [3π/2, 2π); w = 0 is 0.
inline int Quadrant(Point w) {
    const double a = w.real(), b = w.imag();
    if (b < 0.0 || (b == 0.0 && a < 0.0)) return a >= 0.0 ? 3 : 2;
    return (a <= 0.0 && b > 0.0) ? 1 : 0;
}

/// The step from a to b in quarter turns: −1, 0, 1, or ±2 by the side b lies on seen from a
/// (the direction of increasing quadrant when they are exactly opposite). The step from b to a
/// is always its negative.
inline int QuarterStep(Point a, Point b) {
    const int qa = Quadrant(a), qb = Quadrant(b);
    const int d = (qb - qa) & 3;
    if (d != 2) return d == 3 ? -1 : d;
    const double cross = a.real() * b.imag() - b.real() * a.imag();
    if (cross > 0.0) return 2;
    if (cross < 0.0) return -2;
    return qa < qb ? 2 : -2;
}

/// What a path's turn rests on.
struct PathFlags {
    /// w jumps somewhere on the path: halving a piece did not make its values closer (a branch
    /// cut or an essential singularity crosses it).
    bool Jump = false;
    /// Some piece could not be resolved: the evaluation budget ran out, or no value was found
    /// near a point of the path.
    bool Unresolved = false;

    PathFlags& operator|=(const PathFlags& other) {
        Jump |= other.Jump;
        Unresolved |= other.Unresolved;
        return *this;
    }
    bool Sound() const { return !Jump && !Unresolved; }
};

/// A point of a path with the value of f there.
struct PathPoint {
    Point z;
    Point w;
};

/// Evaluates f in double precision and follows w along straight pieces finely enough that every
/// step between neighbouring samples turns w by less than an eighth of a turn and changes |w| by
/// less than a factor e^(π/4): the turn of w along the piece is then exact. Counts evaluations
/// against a budget shared by every path it follows.
class ArgumentTracker {
public:
    ArgumentTracker(const CompiledProgram& program, double t, std::size_t budget)
        : program_(program), t_(t), budget_(budget), limit_(budget) {}

    /// f(z) in double precision; nothing where f has no value or the budget is spent.
    std::optional<Point> Value(Point z);

    /// f at z, or where f has no value there, at the first of a few points round z within
    /// reach that has one (the point is moved); nothing when none has a value.
    std::optional<PathPoint> ValueNear(Point z, double reach);

    /// The turn of w from a to b along the straight piece between them, in quarter turns. A
    /// path that needs more than a few thousand evaluations (f varies without end, as round an
    /// essential singularity) is left unresolved.
    int Steps(const PathPoint& a, const PathPoint& b, PathFlags& flags);

    /// Evaluations made so far.
    std::size_t Evaluations() const { return evaluations_; }
    /// The whole budget is spent.
    bool Exhausted() const { return evaluations_ >= budget_; }
    /// The budget or the present limit is spent: no more evaluations.
    bool Spent() const { return evaluations_ >= limit_; }
    /// Allows at most n more evaluations until Unlimit.
    void Limit(std::size_t n) { limit_ = std::min(budget_, evaluations_ + n); }
    void Unlimit() { limit_ = budget_; }

private:
    int Piece(const PathPoint& a, const PathPoint& b, int depth, PathFlags& flags);
    /// Whether w jumps between the ends of a tiny piece, rather than vanishing or growing
    /// without bound there.
    bool IsJump(const PathPoint& a, const PathPoint& b);

    const CompiledProgram& program_;
    double t_;
    std::size_t budget_;
    std::size_t limit_;
    std::size_t evaluations_ = 0;
    std::size_t pathEnd_ = 0; // evaluations allowed to the path being followed
};

} // namespace tervane::detail
