#include "graph/ZeroFinder.h"

#include "expr/CEvaluator.h"
#include "expr/TextPasses.h"
#include "graph/CGraph.h"
#include "graph/Sampler.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <complex>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <thread>

namespace tervane {

namespace {

using Point = std::complex<double>;

// The scan works on bytes in straight loops without branches, which the compiler turns into
// vector code: quadrants of a row of nodes, the steps along and across rows, and the cell sums,
// each with a reduction that says whether the rare cases (a step of two quadrants, a cell with
// a winding or without a value) occur in the row at all. Only then is the row looked at point
// by point.

// Quadrants of the angles of n values u + vi in [0, 2π): 0 for [0, π/2), 1 for [π/2, π), 2 for
// [π, 3π/2), 3 for [3π/2, 2π). w = 0 counts as quadrant 0; a node without a value gets 4 added.
void RowQuadrants(const float* u, const float* v, std::size_t n, std::uint8_t* q) {
    for (std::size_t j = 0; j < n; ++j) {
        const float a = u[j], b = v[j];
        const unsigned lower = (b < 0.0f) | ((b == 0.0f) & (a < 0.0f));
        const unsigned upperLeft = (a <= 0.0f) & (b > 0.0f);
        const unsigned right = a >= 0.0f;
        const unsigned none = (a != a) | (b != b); // NaN
        q[j] = static_cast<std::uint8_t>(lower * (2 + right) + (1 - lower) * upperLeft + 4 * none);
    }
}

// The marker of a step of two quadrants whose direction is still open.
constexpr std::int8_t kHalfTurn = 2;

// Quarter turns of w from nodes a[k] to b[k] (-1, 0, 1, or kHalfTurn when they lie in opposite
// quadrants), 0 when either end has no value. Returns true when some step is kHalfTurn.
bool QuadrantSteps(const std::uint8_t* a, const std::uint8_t* b, std::size_t n,
                   std::int8_t* steps) {
    unsigned halfTurns = 0;
    for (std::size_t k = 0; k < n; ++k) {
        const unsigned d = static_cast<unsigned>(b[k] - a[k]) & 3u;
        const unsigned valid = 1u - (((a[k] | b[k]) >> 2) & 1u);
        // 0, 1, 2, 3 → 0, 1, 2, −1
        const int step = static_cast<int>(d) - 4 * static_cast<int>(d & (d >> 1) & 1u);
        steps[k] = static_cast<std::int8_t>(step * static_cast<int>(valid));
        halfTurns |= static_cast<unsigned>(steps[k] == kHalfTurn);
    }
    return halfTurns != 0;
}

// Resolves a step of two quadrants from a to b by the side b lies on seen from a (the sign of
// the cross product, exact in double for single inputs), assuming the edge turns w by less than
// half a turn; exactly opposite values take the direction of increasing quadrant. The step from
// b to a is always the negative of the step from a to b.
std::int8_t HalfTurn(std::uint8_t qa, float ua, float va, std::uint8_t qb, float ub, float vb) {
    const double cross =
        static_cast<double>(ua) * static_cast<double>(vb) - static_cast<double>(ub) * va;
    if (cross > 0.0) return 2;
    if (cross < 0.0) return -2;
    return qa < qb ? 2 : -2;
}

struct CellFind {
    std::size_t i = 0, j = 0;
    int winding = 0; // in quarter turns around the cell's border (i, j) → (i+1, j) → ...
};

// Cells j0..j1−1 of cell row i, each with a corner without a value. Runs keep a region where
// the function has no value (a half-plane where exp overflows) small in memory.
struct InvalidRun {
    std::size_t i = 0, j0 = 0, j1 = 0;
};

struct ScanPart {
    std::vector<CellFind> finds;
    std::vector<InvalidRun> invalid; // in the order of i, then j
};

// Scans the cells of rows i0..i1−1 (cell row i lies between node rows i and i + 1). Each step
// along or across a row is worked out once and used by both cells that share its edge, with
// opposite signs, so the sum of the cells' winding numbers is the winding around the whole
// block: a zero on a node or an edge is counted in exactly one cell.
void ScanRows(std::span<const float> u, std::span<const float> v, std::size_t nv, std::size_t i0,
              std::size_t i1, ScanPart& part) {
    std::vector<std::uint8_t> qa(nv), qb(nv);
    std::vector<std::int8_t> along0(nv), along1(nv), across(nv);
    const float* const ub = u.data();
    const float* const vb = v.data();
    // The steps from node (ia, ja + k) to node (ib, jb + k), k < n.
    const auto steps = [&](const std::uint8_t* qFrom, std::size_t from, const std::uint8_t* qTo,
                           std::size_t to, std::size_t n, std::int8_t* out) {
        if (!QuadrantSteps(qFrom, qTo, n, out)) return;
        for (std::size_t k = 0; k < n; ++k)
            if (out[k] == kHalfTurn)
                out[k] =
                    HalfTurn(qFrom[k], ub[from + k], vb[from + k], qTo[k], ub[to + k], vb[to + k]);
    };
    const auto row = [&](std::size_t i, std::uint8_t* q, std::int8_t* along) {
        RowQuadrants(ub + i * nv, vb + i * nv, nv, q);
        steps(q, i * nv, q + 1, i * nv + 1, nv - 1, along);
    };
    std::uint8_t* qLow = qa.data();
    std::uint8_t* qHigh = qb.data();
    std::int8_t* alongLow = along0.data();
    std::int8_t* alongHigh = along1.data();
    std::int8_t* const acr = across.data();
    row(i0, qLow, alongLow);
    for (std::size_t i = i0; i < i1; ++i) {
        row(i + 1, qHigh, alongHigh);
        steps(qLow, i * nv, qHigh, (i + 1) * nv, nv, acr);
        unsigned any = 0;
        for (std::size_t j = 0; j + 1 < nv; ++j) {
            const unsigned corners = qLow[j] | qLow[j + 1] | qHigh[j] | qHigh[j + 1];
            const int sum = acr[j] + alongHigh[j] - acr[j + 1] - alongLow[j];
            any |= (corners & 4u) | static_cast<unsigned>(sum != 0);
        }
        if (any) {
            for (std::size_t j = 0; j + 1 < nv; ++j) {
                const int corners = qLow[j] | qLow[j + 1] | qHigh[j] | qHigh[j + 1];
                const int sum = acr[j] + alongHigh[j] - acr[j + 1] - alongLow[j];
                if (corners & 4) {
                    if (!part.invalid.empty() && part.invalid.back().i == i &&
                        part.invalid.back().j1 == j)
                        ++part.invalid.back().j1;
                    else
                        part.invalid.push_back({i, j, j + 1});
                } else if (sum != 0) {
                    part.finds.push_back({i, j, sum});
                }
            }
        }
        std::swap(qLow, qHigh);
        std::swap(alongLow, alongHigh);
    }
}

struct Box {
    double minX = 0, maxX = 0, minY = 0, maxY = 0;

    bool Contains(Point p) const {
        return p.real() >= minX && p.real() <= maxX && p.imag() >= minY && p.imag() <= maxY;
    }
};

// The four corners of cell (i, j) in the order of its border.
struct Cell {
    Point corner[4];

    Cell(const Grid2D& x, const Grid2D& y, std::size_t i, std::size_t j) {
        const std::size_t ci[4] = {i, i + 1, i + 1, i};
        const std::size_t cj[4] = {j, j, j + 1, j + 1};
        for (int k = 0; k < 4; ++k)
            corner[k] = {x(ci[k], cj[k]), y(ci[k], cj[k])};
    }

    Point Centre() const { return (corner[0] + corner[1] + corner[2] + corner[3]) / 4.0; }

    // Twice the signed area: positive when the border runs counter-clockwise.
    double Orientation() const {
        double a = 0.0;
        for (int k = 0; k < 4; ++k) {
            const Point p = corner[k], q = corner[(k + 1) & 3];
            a += p.real() * q.imag() - q.real() * p.imag();
        }
        return a;
    }

    // The longest side.
    double Size() const {
        double s = 0.0;
        for (int k = 0; k < 4; ++k)
            s = std::max(s, std::abs(corner[(k + 1) & 3] - corner[k]));
        return s;
    }

    Box Bounds(double margin) const {
        Box b{corner[0].real(), corner[0].real(), corner[0].imag(), corner[0].imag()};
        for (int k = 1; k < 4; ++k) {
            b.minX = std::min(b.minX, corner[k].real());
            b.maxX = std::max(b.maxX, corner[k].real());
            b.minY = std::min(b.minY, corner[k].imag());
            b.maxY = std::max(b.maxY, corner[k].imag());
        }
        return {b.minX - margin, b.maxX + margin, b.minY - margin, b.maxY + margin};
    }
};

// Resolution of a position given to the program, which takes single x and y.
double PositionUlp(Point p) {
    return FLT_EPSILON * std::max(std::abs(p.real()), std::abs(p.imag()));
}

// Steps below this end the iteration: a few units of the single position, or a ten-millionth
// of the cell where the position is near zero.
double Tolerance(Point p, double cell) {
    return std::max(4.0 * PositionUlp(p), 1e-7 * cell);
}

// f, or 1/f when a pole is sought.
class Target {
public:
    enum class At { Value, Pole, None };

    Target(const CompiledProgram& program, float t, bool pole)
        : program_(program), t_(t), pole_(pole) {}

    At Evaluate(float x, float y, Point& g) const {
        Complex w;
        if (program_.Evaluate(x, y, t_, w) != EvalStatus::Value) return pole_ ? At::Pole : At::None;
        const Point f(w.re, w.im);
        if (!pole_) {
            g = f;
        } else {
            if (f == 0.0) return At::None;
            g = 1.0 / f;
        }
        return At::Value;
    }

private:
    const CompiledProgram& program_;
    float t_;
    bool pole_;
};

constexpr int kMaxIterations = 40;

// Newton's method for a zero of the given order of the target, z ← z − order·g/g', from start.
// The derivative is a central difference whose step follows the Newton steps down (a fixed
// step would misjudge the derivative of a zero of order three or more once the iterate is
// closer than the step). Fails when the iterate leaves allowed, a value is missing or the
// derivative vanishes.
std::optional<Point> Newton(const Target& target, Point start, int order, double cell,
                            const Box& allowed) {
    Point z = start;
    double lastStep = std::numeric_limits<double>::infinity();
    double h = 1e-3 * cell;
    for (int iteration = 0; iteration < kMaxIterations; ++iteration) {
        const float xf = static_cast<float>(z.real()), yf = static_cast<float>(z.imag());
        const Point zf(xf, yf);
        Point g;
        const Target::At at = target.Evaluate(xf, yf, g);
        if (at == Target::At::Pole) return zf; // f has no value: the pole itself was hit
        if (at == Target::At::None) return std::nullopt;
        if (g == 0.0) return zf;
        h = std::max(std::min(h, lastStep), std::max(16.0 * PositionUlp(zf), 1e-7 * cell));
        const float xp = static_cast<float>(xf + h), xm = static_cast<float>(xf - h);
        Point gp, gm;
        if (target.Evaluate(xp, yf, gp) != Target::At::Value ||
            target.Evaluate(xm, yf, gm) != Target::At::Value)
            return std::nullopt;
        const Point derivative = (gp - gm) / (static_cast<double>(xp) - xm);
        if (derivative == 0.0 || !std::isfinite(derivative.real()) ||
            !std::isfinite(derivative.imag()))
            return std::nullopt;
        const Point step = static_cast<double>(order) * g / derivative;
        z = zf - step;
        if (!allowed.Contains(z)) return std::nullopt;
        lastStep = std::abs(step);
        if (lastStep <= Tolerance(z, cell)) return z;
    }
    // Rounding noise in f can keep the last steps above the tolerance; small ones are kept.
    if (lastStep <= 1e-4 * cell) return z;
    return std::nullopt;
}

// A find with the cell it came from.
struct Candidate {
    FoundRoot root;
    double cell = 0.0; // size of the cell
    Box bounds;        // the cell's corners
    Box allowed;       // where refinement may go: the bounds and a cell around them
    bool dropped = false;
    bool changed = false;

    int SignedOrder() const { return root.Kind == RootKind::Zero ? root.Order : -root.Order; }
    void SetSignedOrder(int order) {
        root.Kind = order >= 0 ? RootKind::Zero : RootKind::Pole;
        root.Order = std::abs(order);
        changed = true;
    }
};

// A component within a millionth of the cell of zero is zero: single-precision evaluation
// leaves a root at 0 (tan z, a real root's imaginary part) a few 1e-8 away from it.
double SnapToZero(double c, double cell) {
    return std::abs(c) <= 1e-6 * cell ? 0.0 : c;
}

bool Refine(Candidate& c, const CompiledProgram& program, float t) {
    const Target target(program, t, c.root.Kind == RootKind::Pole);
    const auto found = Newton(target, {c.root.X, c.root.Y}, c.root.Order, c.cell, c.allowed);
    if (!found) return false;
    c.root.X = SnapToZero(found->real(), c.cell);
    c.root.Y = SnapToZero(found->imag(), c.cell);
    c.root.Refined = true;
    return true;
}

// Gathers the finds that belong to one root. Near a zero or pole of high order on a coarse grid
// w can turn by more than half a turn along one edge, and the order is then spread over
// several cells, some of them with the opposite sign (a triple zero counted as four zeros and a
// pole); a multiple root on a shared edge may be split between two cells. Refined finds of one
// kind closer than a twentieth of a cell are merged; a find that did not refine and whose cell
// (with half a cell around it) holds a refined root is added to that root with its sign. The
// sum is conserved, and the roots whose order changed are refined again with the new order
// (one whose order came to nothing is dropped).
void Consolidate(std::vector<Candidate>& candidates, const CompiledProgram* program, float t) {
    std::sort(candidates.begin(), candidates.end(),
              [](const Candidate& a, const Candidate& b) { return a.root.X < b.root.X; });
    double widest = 0.0;
    for (const Candidate& c : candidates)
        widest = std::max(widest, c.cell);
    for (std::size_t a = 0; a < candidates.size(); ++a) {
        Candidate& keep = candidates[a];
        if (keep.dropped || !keep.root.Refined) continue;
        for (std::size_t b = a + 1; b < candidates.size(); ++b) {
            Candidate& other = candidates[b];
            if (other.root.X - keep.root.X > 0.05 * widest) break;
            if (other.dropped || !other.root.Refined || other.root.Kind != keep.root.Kind) continue;
            const double reach = 0.05 * std::max(keep.cell, other.cell);
            if (std::abs(Point(other.root.X - keep.root.X, other.root.Y - keep.root.Y)) > reach)
                continue;
            const double wk = keep.root.Order, wo = other.root.Order;
            keep.root.X = (keep.root.X * wk + other.root.X * wo) / (wk + wo);
            keep.root.Y = (keep.root.Y * wk + other.root.Y * wo) / (wk + wo);
            keep.SetSignedOrder(keep.SignedOrder() + other.SignedOrder());
            keep.cell = std::max(keep.cell, other.cell);
            other.dropped = true;
        }
    }
    // Refined roots by x, to find those inside the cell of a find that did not refine.
    std::vector<std::size_t> refined;
    for (std::size_t k = 0; k < candidates.size(); ++k)
        if (!candidates[k].dropped && candidates[k].root.Refined) refined.push_back(k);
    for (Candidate& loose : candidates) {
        if (loose.dropped || loose.root.Refined) continue;
        const double margin = 0.5 * loose.cell;
        Box reach = loose.bounds;
        reach.minX -= margin;
        reach.maxX += margin;
        reach.minY -= margin;
        reach.maxY += margin;
        auto k = std::lower_bound(
            refined.begin(), refined.end(), reach.minX,
            [&](std::size_t index, double x) { return candidates[index].root.X < x; });
        Candidate* nearest = nullptr;
        double best = std::numeric_limits<double>::infinity();
        const Point centre(loose.root.X, loose.root.Y);
        for (; k != refined.end() && candidates[*k].root.X <= reach.maxX; ++k) {
            Candidate& r = candidates[*k];
            const Point p(r.root.X, r.root.Y);
            if (!reach.Contains(p) || std::abs(p - centre) >= best) continue;
            best = std::abs(p - centre);
            nearest = &r;
        }
        if (!nearest) continue;
        nearest->SetSignedOrder(nearest->SignedOrder() + loose.SignedOrder());
        nearest->cell = std::max(nearest->cell, loose.cell);
        loose.dropped = true;
    }
    for (Candidate& c : candidates) {
        if (c.dropped || !c.changed) continue;
        if (c.root.Order == 0) {
            c.dropped = true;
        } else if (program) {
            const Candidate before = c;
            if (!Refine(c, *program, t)) c = before;
        }
    }
    std::erase_if(candidates, [](const Candidate& c) { return c.dropped; });
}

std::size_t FindSet(std::vector<std::size_t>& parent, std::size_t k) {
    while (parent[k] != k) {
        parent[k] = parent[parent[k]];
        k = parent[k];
    }
    return k;
}

// Groups the runs of invalid cells (in the order of i, then j) into regions of cells that
// touch, corners included: runs of neighbouring rows whose cells overlap or meet diagonally.
std::vector<InvalidRegion> GroupInvalid(const std::vector<InvalidRun>& runs, const Grid2D& x,
                                        const Grid2D& y) {
    std::vector<InvalidRegion> regions;
    if (runs.empty()) return regions;
    std::vector<std::size_t> parent(runs.size());
    for (std::size_t k = 0; k < runs.size(); ++k)
        parent[k] = k;
    // The runs of the previous row, [prev, row), against those of this row, [row, next).
    std::size_t prev = 0, row = 0;
    while (row < runs.size()) {
        std::size_t next = row;
        while (next < runs.size() && runs[next].i == runs[row].i)
            ++next;
        if (row > 0 && runs[row - 1].i + 1 == runs[row].i) {
            std::size_t a = prev;
            for (std::size_t b = row; b < next; ++b) {
                while (a < row && runs[a].j1 < runs[b].j0)
                    ++a;
                for (std::size_t k = a; k < row && runs[k].j0 <= runs[b].j1; ++k)
                    parent[FindSet(parent, k)] = FindSet(parent, b);
            }
        }
        prev = row;
        row = next;
    }
    std::vector<std::size_t> regionOf(runs.size(), SIZE_MAX);
    for (std::size_t k = 0; k < runs.size(); ++k) {
        const std::size_t root = FindSet(parent, k);
        if (regionOf[root] == SIZE_MAX) {
            regionOf[root] = regions.size();
            InvalidRegion r;
            r.MinX = r.MinY = std::numeric_limits<double>::infinity();
            r.MaxX = r.MaxY = -std::numeric_limits<double>::infinity();
            regions.push_back(r);
        }
        InvalidRegion& r = regions[regionOf[root]];
        const InvalidRun& run = runs[k];
        r.Cells += run.j1 - run.j0;
        for (std::size_t i = run.i; i <= run.i + 1; ++i) {
            for (std::size_t j = run.j0; j <= run.j1; ++j) {
                const double px = x(i, j), py = y(i, j);
                r.MinX = std::min(r.MinX, px);
                r.MaxX = std::max(r.MaxX, px);
                r.MinY = std::min(r.MinY, py);
                r.MaxY = std::max(r.MaxY, py);
            }
        }
    }
    for (InvalidRegion& r : regions) {
        r.CentreX = 0.5 * (r.MinX + r.MaxX);
        r.CentreY = 0.5 * (r.MinY + r.MaxY);
    }
    std::sort(regions.begin(), regions.end(), [](const InvalidRegion& a, const InvalidRegion& b) {
        return a.CentreX != b.CentreX ? a.CentreX < b.CentreX : a.CentreY < b.CentreY;
    });
    return regions;
}

} // namespace

ZeroFinderInput ZeroFinderInput::FromGraph(const CGraph& graph, float t) {
    return {&graph.DomainX(), &graph.DomainY(), &graph.RealPart(), &graph.ImaginaryPart(), t};
}

ZeroFinderResult FindZerosAndPoles(const ZeroFinderInput& input, const CompiledProgram* program,
                                   const ZeroFinderOptions& options) {
    if (!input.X || !input.Y || !input.U || !input.V)
        throw std::invalid_argument("the zero finder needs the x, y, u and v grids");
    const std::size_t nu = input.U->SizeU(), nv = input.U->SizeV();
    for (const Grid2D* g : {input.X, input.Y, input.V})
        if (g->SizeU() != nu || g->SizeV() != nv)
            throw std::invalid_argument("the grids of the zero finder differ in size");
    ZeroFinderResult result;
    if (nu < 2 || nv < 2) return result;

    std::vector<float> scratchU, scratchV;
    const std::span<const float> u = input.U->Contiguous(scratchU);
    const std::span<const float> v = input.V->Contiguous(scratchV);

    const std::size_t cellRows = nu - 1, cellCols = nv - 1;
    unsigned threads = options.Threads;
    if (threads == 0) threads = CoreCount();
    // Small grids are not worth a thread.
    if (cellRows * cellCols < 65536) threads = 1;
    threads = static_cast<unsigned>(std::min<std::size_t>(threads, cellRows));
    std::vector<ScanPart> parts(threads);
    const auto rowsOf = [&](unsigned k) { return cellRows * k / threads; };
    if (threads == 1) {
        ScanRows(u, v, nv, 0, cellRows, parts[0]);
    } else {
        std::vector<std::jthread> pool;
        pool.reserve(threads);
        for (unsigned k = 0; k < threads; ++k)
            pool.emplace_back([&, k] { ScanRows(u, v, nv, rowsOf(k), rowsOf(k + 1), parts[k]); });
    }

    const Grid2D& x = *input.X;
    const Grid2D& y = *input.Y;
    std::vector<Candidate> candidates;
    std::vector<InvalidRun> invalid;
    for (ScanPart& part : parts) {
        invalid.insert(invalid.end(), part.invalid.begin(), part.invalid.end());
        for (const CellFind& f : part.finds) {
            const Cell cell(x, y, f.i, f.j);
            const double orientation = cell.Orientation();
            if (orientation == 0.0 || !std::isfinite(orientation)) continue; // no inside
            // Windings are counted along i then j; on a grid where that runs clockwise in the
            // z plane they are reversed.
            const int turns = (orientation > 0.0 ? f.winding : -f.winding) / 4;
            if (turns == 0) continue;
            Candidate c;
            const Point centre = cell.Centre();
            c.root = {turns > 0 ? RootKind::Zero : RootKind::Pole, centre.real(), centre.imag(),
                      std::abs(turns), false};
            c.cell = cell.Size();
            c.bounds = cell.Bounds(0.0);
            c.allowed = cell.Bounds(c.cell);
            candidates.push_back(c);
        }
    }

    const bool refine = program && options.Refine;
    if (refine) {
        const std::size_t count = std::min(candidates.size(), options.MaxRefined);
        for (std::size_t k = 0; k < count; ++k)
            Refine(candidates[k], *program, input.T);
    }
    Consolidate(candidates, refine ? program : nullptr, input.T);

    result.Roots.reserve(candidates.size());
    for (const Candidate& c : candidates)
        result.Roots.push_back(c.root);
    std::sort(result.Roots.begin(), result.Roots.end(), [](const FoundRoot& a, const FoundRoot& b) {
        return a.X != b.X ? a.X < b.X : a.Y < b.Y;
    });
    result.Invalid = GroupInvalid(invalid, x, y);
    return result;
}

std::optional<CompiledProgram> CompileGraphFunction(const CGraph& graph) {
    CEvaluator evaluator;
    std::string postfix;
    if (evaluator.InfixToPostfix(InsertImplicitMultiply(graph.ExpressZ()), postfix) != 0)
        return std::nullopt;
    return CompiledProgram::Compile(postfix);
}

} // namespace tervane
