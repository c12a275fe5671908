#include "graph/detail/ArgumentSteps.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace tervane::detail {

namespace {

// A piece is followed without halving it once both halves change log w by at most this: an
// eighth of a turn of w, or a factor e^(π/4) of |w|.
constexpr double kSmooth = std::numbers::pi / 4;

// Pieces are halved at most this many times: down to 2^-26 of the path.
constexpr int kMaxDepth = 26;

// Evaluations one path may take. Near a zero or pole of order 8 an edge takes a few dozen.
constexpr std::size_t kPathEvaluations = 4000;

// At the depth limit, a piece that is still not smooth is told apart by |w| a few hundred piece
// lengths away: next to a zero or pole of order m it differs from the piece's by a factor of
// about 512^m; next to a jump it does not (w is continuous on either side).
constexpr double kProbeDistance = 512.0;
constexpr double kJumpFactor = 32.0;

// log(p / q) with the argument's difference in (−π, π]; infinite when either is 0.
Point LogRatio(Point p, Point q) {
    const double mp = std::abs(p), mq = std::abs(q);
    if (mp == 0.0 || mq == 0.0) return {std::numeric_limits<double>::infinity(), 0.0};
    double turn = std::arg(p) - std::arg(q);
    if (turn > std::numbers::pi) turn -= 2 * std::numbers::pi;
    if (turn <= -std::numbers::pi) turn += 2 * std::numbers::pi;
    return {std::log(mp) - std::log(mq), turn};
}

} // namespace

std::optional<Point> ArgumentTracker::Value(Point z) {
    if (Spent()) return std::nullopt;
    ++evaluations_;
    std::complex<double> w;
    if (program_.EvaluatePrecise(z, t_, w) != EvalStatus::Value) return std::nullopt;
    return w;
}

std::optional<PathPoint> ArgumentTracker::ValueNear(Point z, double reach) {
    if (const auto w = Value(z)) return PathPoint{z, *w};
    // Points round z at a quarter, a half and all of the reach, eight directions each.
    for (const double r : {0.25, 0.5, 1.0}) {
        for (int k = 0; k < 8; ++k) {
            const Point p = z + std::polar(r * reach, k * std::numbers::pi / 4);
            if (const auto w = Value(p)) return PathPoint{p, *w};
            if (Spent()) return std::nullopt;
        }
    }
    return std::nullopt;
}

int ArgumentTracker::Steps(const PathPoint& a, const PathPoint& b, PathFlags& flags) {
    pathEnd_ = evaluations_ + kPathEvaluations;
    return Piece(a, b, 0, flags);
}

bool ArgumentTracker::IsJump(const PathPoint& a, const PathPoint& b) {
    const double ma = std::abs(a.w), mb = std::abs(b.w);
    if (!(ma > 0.0 && mb > 0.0 && std::isfinite(ma) && std::isfinite(mb))) return false;
    const Point away = kProbeDistance * (b.z - a.z);
    const auto probe = ValueNear(0.5 * (a.z + b.z) + away, 0.1 * std::abs(away));
    if (!probe) return false;
    const double mp = std::abs(probe->w);
    return mp > std::max(ma, mb) / kJumpFactor && mp < std::min(ma, mb) * kJumpFactor;
}

int ArgumentTracker::Piece(const PathPoint& a, const PathPoint& b, int depth, PathFlags& flags) {
    const Point mid = 0.5 * (a.z + b.z);
    const double length = std::abs(b.z - a.z);
    const bool atLimit = depth >= kMaxDepth || mid == a.z || mid == b.z;
    // A point without a value is stepped round within a tenth of the piece.
    const auto m = ValueNear(mid, 0.1 * length);
    if (!m) {
        flags.Unresolved = true;
        return QuarterStep(a.w, b.w);
    }
    const Point d1 = LogRatio(m->w, a.w), d2 = LogRatio(b.w, m->w);
    const bool smooth = std::abs(d1) <= kSmooth && std::abs(d2) <= kSmooth &&
                        std::abs(d1.imag() + d2.imag() - LogRatio(b.w, a.w).imag()) < 1.0;
    const int here = QuarterStep(a.w, m->w) + QuarterStep(m->w, b.w);
    if (smooth) return here;
    if (Spent() || evaluations_ >= pathEnd_) {
        flags.Unresolved = true;
        return here;
    }
    if (atLimit) {
        // The half that is not smooth holds the jump, if any.
        const bool first = std::abs(d1) > kSmooth;
        if (IsJump(first ? a : *m, first ? *m : b)) flags.Jump = true;
        return here;
    }
    return Piece(a, *m, depth + 1, flags) + Piece(*m, b, depth + 1, flags);
}

} // namespace tervane::detail
