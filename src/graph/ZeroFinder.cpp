#include "graph/ZeroFinder.h"

#include "expr/CEvaluator.h"
#include "expr/TextPasses.h"
#include "graph/CGraph.h"
#include "graph/Sampler.h"
#include "graph/detail/ArgumentSteps.h"
#include "graph/detail/RootLocation.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <complex>
#include <cstdint>
#include <limits>
#include <map>
#include <optional>
#include <span>
#include <stdexcept>
#include <thread>
#include <unordered_map>
#include <unordered_set>

namespace tervane {

namespace {

using detail::PathFlags;
using detail::Point;

// The scan works on bytes in straight loops without branches, which the compiler turns into
// vector code: quadrants of a row of nodes, the steps along and across rows, and the cell sums,
// each with a reduction that says whether the rare cases (a step of two quadrants, a cell with
// a winding or without a value) occur in the row at all. Only then is the row looked at point
// by point.

// The scan's loops are built for AVX2 as well as for every x86-64; the processor's best is
// chosen when the program loads. Their arrays never overlap (__restrict), so that they are
// vectorised without run-time overlap tests.
#define TERVANE_SCAN_CLONES __attribute__((target_clones("avx2", "default")))

// Per node, bytes: the quadrant of w's angle in [0, 2π) (0 for [0, π/2), 1 for [π/2, π), 2 for
// [π, 3π/2), 3 for [3π/2, 2π); w = 0 counts as quadrant 0; a node without a value gets 4
// added), the octant (which half of its quadrant the angle lies in, roughly: ties may go
// either way) and the binary exponent of the larger of |u| and |v| (within a factor √2 of |w|).
TERVANE_SCAN_CLONES void RowNodes(const float* __restrict u, const float* __restrict v,
                                  std::size_t n, std::uint8_t* __restrict q,
                                  std::uint8_t* __restrict octant,
                                  std::uint8_t* __restrict exponent) {
    for (std::size_t j = 0; j < n; ++j) {
        const float a = u[j], b = v[j];
        const unsigned lower = (b < 0.0f) | ((b == 0.0f) & (a < 0.0f));
        const unsigned upperLeft = (a <= 0.0f) & (b > 0.0f);
        const unsigned right = a >= 0.0f;
        const unsigned none = (a != a) | (b != b); // NaN
        const unsigned quadrant = lower * (2 + right) + (1 - lower) * upperLeft;
        q[j] = static_cast<std::uint8_t>(quadrant + 4 * none);
        const float fa = std::fabs(a), fb = std::fabs(b);
        const unsigned half = static_cast<unsigned>(fb > fa) ^ (quadrant & 1u);
        octant[j] = static_cast<std::uint8_t>(2 * quadrant + half);
        exponent[j] =
            static_cast<std::uint8_t>(std::bit_cast<std::uint32_t>(std::max(fa, fb)) >> 23);
    }
}

// The marker of a step of two quadrants whose direction is still open.
constexpr std::int8_t kHalfTurn = 2;

// Quarter turns of w from nodes a[k] to b[k] (-1, 0, 1, or kHalfTurn when they lie in opposite
// quadrants), 0 when either end has no value. Returns true when some step is kHalfTurn.
//
// Also marks the edges along which w may do more than its values at the ends show (steep[k] =
// 1): their angles lie two octants or more apart (every turn of a quarter or more does), or the
// exponents of their sizes differ by two or more (every change of |w| by a factor 4√2 or more
// does). By the Cauchy-Riemann equations |w| and arg w change equally fast, so a fast change of
// either can hide turns between the nodes. Edges with an end without a value are marked too.
TERVANE_SCAN_CLONES bool
EdgeSteps(const std::uint8_t* __restrict qa, const std::uint8_t* __restrict oa,
          const std::uint8_t* __restrict ea, const std::uint8_t* __restrict qb,
          const std::uint8_t* __restrict ob, const std::uint8_t* __restrict eb, std::size_t n,
          std::int8_t* __restrict steps, std::uint8_t* __restrict steep) {
    // Byte arithmetic throughout, so that the loop runs on whole vectors of bytes.
    std::uint8_t halfTurns = 0;
    for (std::size_t k = 0; k < n; ++k) {
        const std::uint8_t d = static_cast<std::uint8_t>((qb[k] - qa[k]) & 3);
        const std::uint8_t none = static_cast<std::uint8_t>(((qa[k] | qb[k]) >> 2) & 1);
        // 0, 1, 2, 3 → 0, 1, 2, −1 (as a byte, 255), and 0 without a value
        const std::uint8_t step =
            static_cast<std::uint8_t>((d | (0 - ((d >> 1) & d & 1))) & (none - 1));
        steps[k] = static_cast<std::int8_t>(step);
        halfTurns |= static_cast<std::uint8_t>(step == kHalfTurn);
        const std::uint8_t turn = static_cast<std::uint8_t>((ob[k] - oa[k] + 1) & 7);
        const std::uint8_t grow = static_cast<std::uint8_t>(eb[k] - ea[k] + 1);
        steep[k] = static_cast<std::uint8_t>((turn > 2) | (grow > 2) | none);
    }
    return halfTurns != 0;
}

// Whether any of n cells between two node rows has a corner without a value, a winding or a
// steep edge. Bytes again: a winding of −8..8 quarters is not 0 as a byte unless it is 0.
TERVANE_SCAN_CLONES std::uint8_t
CellRowFlags(const std::uint8_t* __restrict qLow, const std::uint8_t* __restrict qHigh,
             const std::int8_t* __restrict alongLow, const std::int8_t* __restrict alongHigh,
             const std::int8_t* __restrict acr, const std::uint8_t* __restrict steepLow,
             const std::uint8_t* __restrict steepHigh, const std::uint8_t* __restrict steepAcr,
             std::size_t n) {
    std::uint8_t any = 0;
    for (std::size_t j = 0; j < n; ++j) {
        const std::uint8_t corners = qLow[j] | qLow[j + 1] | qHigh[j] | qHigh[j + 1];
        const std::uint8_t sum =
            static_cast<std::uint8_t>(acr[j] + alongHigh[j] - acr[j + 1] - alongLow[j]);
        any |= static_cast<std::uint8_t>((corners & 4) | sum | steepLow[j] | steepHigh[j] |
                                         steepAcr[j] | steepAcr[j + 1]);
    }
    return any;
}

struct CellFind {
    std::size_t i = 0, j = 0;
    int winding = 0; // in quarter turns around the cell's border (i, j) → (i+1, j) → ...
};

// Cells j0..j1−1 of cell row i. Runs keep a region where the function has no value (a
// half-plane where exp overflows) small in memory.
struct CellRun {
    std::size_t i = 0, j0 = 0, j1 = 0;
};

void AddToRuns(std::vector<CellRun>& runs, std::size_t i, std::size_t j) {
    if (!runs.empty() && runs.back().i == i && runs.back().j1 == j)
        ++runs.back().j1;
    else
        runs.push_back({i, j, j + 1});
}

struct ScanPart {
    std::vector<CellFind> finds;
    std::vector<CellRun> invalid; // cells with a corner without a value, in the order of i, j
    std::vector<CellRun> steep;   // valid cells with a steep edge, in the same order
};

// Scans the cells of rows i0..i1−1 (cell row i lies between node rows i and i + 1). Each step
// along or across a row is worked out once and used by both cells that share its edge, with
// opposite signs, so the sum of the cells' winding numbers is the winding around the whole
// block: a zero on a node or an edge is counted in exactly one cell.
//
// Built for AVX2 as well as for every x86-64; the processor's best is chosen when the program
// loads.
__attribute__((target_clones("avx2", "default"))) void ScanRows(std::span<const float> u,
                                                                std::span<const float> v,
                                                                std::size_t nv, std::size_t i0,
                                                                std::size_t i1, ScanPart& part) {
    std::vector<std::uint8_t> bytes(9 * nv);
    std::vector<std::int8_t> along0(nv), along1(nv), across(nv);
    const float* const ub = u.data();
    const float* const vb = v.data();
    struct Row {
        std::uint8_t* q;
        std::uint8_t* octant;
        std::uint8_t* exponent;
        std::uint8_t* steep; // of the edges along the row
        std::int8_t* along;
    };
    Row low{bytes.data(), bytes.data() + nv, bytes.data() + 2 * nv, bytes.data() + 3 * nv,
            along0.data()};
    Row high{bytes.data() + 4 * nv, bytes.data() + 5 * nv, bytes.data() + 6 * nv,
             bytes.data() + 7 * nv, along1.data()};
    std::uint8_t* const steepAcr = bytes.data() + 8 * nv;
    std::int8_t* const acr = across.data();
    // The steps from node from + k of row a to node to + k of row b, k < n.
    const auto steps = [&](const Row& a, std::size_t from, std::size_t ja, const Row& b,
                           std::size_t to, std::size_t jb, std::size_t n, std::int8_t* out,
                           std::uint8_t* steep) {
        if (!EdgeSteps(a.q + ja, a.octant + ja, a.exponent + ja, b.q + jb, b.octant + jb,
                       b.exponent + jb, n, out, steep))
            return;
        for (std::size_t k = 0; k < n; ++k)
            if (out[k] == kHalfTurn)
                // Resolved by the side the second value lies on, as every path step is.
                out[k] = static_cast<std::int8_t>(
                    detail::QuarterStep({ub[from + k], vb[from + k]}, {ub[to + k], vb[to + k]}));
    };
    const auto row = [&](std::size_t i, const Row& r) {
        const std::size_t o = i * nv;
        RowNodes(ub + o, vb + o, nv, r.q, r.octant, r.exponent);
        steps(r, o, 0, r, o + 1, 1, nv - 1, r.along, r.steep);
    };
    row(i0, low);
    for (std::size_t i = i0; i < i1; ++i) {
        row(i + 1, high);
        steps(low, i * nv, 0, high, (i + 1) * nv, 0, nv, acr, steepAcr);
        const std::uint8_t any = CellRowFlags(low.q, high.q, low.along, high.along, acr, low.steep,
                                              high.steep, steepAcr, nv - 1);
        if (any) {
            for (std::size_t j = 0; j + 1 < nv; ++j) {
                const int corners = low.q[j] | low.q[j + 1] | high.q[j] | high.q[j + 1];
                const int sum = acr[j] + high.along[j] - acr[j + 1] - low.along[j];
                if (corners & 4) {
                    AddToRuns(part.invalid, i, j);
                    continue;
                }
                if (sum != 0) part.finds.push_back({i, j, sum});
                if (low.steep[j] | high.steep[j] | steepAcr[j] | steepAcr[j + 1])
                    AddToRuns(part.steep, i, j);
            }
        }
        std::swap(low, high);
    }
}

std::size_t FindSet(std::vector<std::size_t>& parent, std::size_t k) {
    while (parent[k] != k) {
        parent[k] = parent[parent[k]];
        k = parent[k];
    }
    return k;
}

// Groups runs of cells (in the order of i, then j) into regions of cells that touch, corners
// included: runs of neighbouring rows whose cells overlap or meet diagonally. Returns the runs
// of each region.
std::vector<std::vector<std::size_t>> GroupRuns(const std::vector<CellRun>& runs) {
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
    std::vector<std::vector<std::size_t>> groups;
    std::vector<std::size_t> groupOf(runs.size(), SIZE_MAX);
    for (std::size_t k = 0; k < runs.size(); ++k) {
        const std::size_t root = FindSet(parent, k);
        if (groupOf[root] == SIZE_MAX) {
            groupOf[root] = groups.size();
            groups.emplace_back();
        }
        groups[groupOf[root]].push_back(k);
    }
    return groups;
}

// Bounding box, centre and number of cells of a group of runs.
InvalidRegion RegionOf(const std::vector<CellRun>& runs, const std::vector<std::size_t>& group,
                       const Grid2D& x, const Grid2D& y) {
    InvalidRegion r;
    r.MinX = r.MinY = std::numeric_limits<double>::infinity();
    r.MaxX = r.MaxY = -std::numeric_limits<double>::infinity();
    for (const std::size_t k : group) {
        const CellRun& run = runs[k];
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
    r.CentreX = 0.5 * (r.MinX + r.MaxX);
    r.CentreY = 0.5 * (r.MinY + r.MaxY);
    return r;
}

void SortRegions(std::vector<InvalidRegion>& regions) {
    std::sort(regions.begin(), regions.end(), [](const InvalidRegion& a, const InvalidRegion& b) {
        return a.CentreX != b.CentreX ? a.CentreX < b.CentreX : a.CentreY < b.CentreY;
    });
}

// Runs of a sorted list of cell numbers (i·(nv − 1) + j).
std::vector<CellRun> RunsOf(const std::vector<std::size_t>& cells, std::size_t cellCols) {
    std::vector<CellRun> runs;
    for (const std::size_t c : cells)
        AddToRuns(runs, c / cellCols, c % cellCols);
    return runs;
}

// Regions of a few cells round one or two nodes without a value (a pole that a node hits) are
// searched when f has a value next to those nodes.
constexpr std::size_t kMaxFilledCells = 16;

// The search after the scan: w followed between the nodes where the scan saw it turn or grow
// fast, the windings of the cells round those places counted again, and the finds located.
class Search {
public:
    Search(const ZeroFinderInput& input, std::span<const float> u, std::span<const float> v,
           detail::ArgumentTracker* tracker)
        : x_(*input.X), y_(*input.Y), u_(u), v_(v), nu_(input.U->SizeU()), nv_(input.U->SizeV()),
          tracker_(tracker) {}

    std::size_t CellCols() const { return nv_ - 1; }
    std::size_t CellRows() const { return nu_ - 1; }

    // Nodes without a value in a small region inside the grid get the value of f in double
    // precision, there or at a point right beside it, when all of the region's edges can then be
    // followed without a jump. Returns whether the region was filled.
    bool FillRegion(const std::vector<std::size_t>& cells) {
        std::vector<std::size_t> filled, followed;
        bool ok = true;
        for (const std::size_t c : cells) {
            const double reach = 1e-6 * CellQuad(c).Size();
            for (const std::size_t node : CellNodes(c)) {
                if (!std::isnan(u_[node]) || overrides_.contains(node)) continue;
                // On the border a pole may be counted outside the grid: it stays a warning.
                const std::size_t i = node / nv_, j = node % nv_;
                if (i == 0 || j == 0 || i + 1 == nu_ || j + 1 == nv_) {
                    ok = false;
                    break;
                }
                const auto p = tracker_->ValueNear(NodeZ(node), reach);
                if (!p) {
                    ok = false;
                    break;
                }
                overrides_[node] = *p;
                filled.push_back(node);
            }
            if (!ok) break;
        }
        for (std::size_t k = 0; ok && k < cells.size(); ++k) {
            for (const std::size_t e : CellEdges(cells[k])) {
                if (edges_.contains(e)) continue;
                const PathFlags flags = Follow(e);
                followed.push_back(e);
                if (!flags.Sound()) ok = false;
            }
        }
        if (ok) return true;
        for (const std::size_t node : filled)
            overrides_.erase(node);
        for (const std::size_t e : followed)
            edges_.erase(e);
        return false;
    }

    // Follows every edge of the given cells (sorted, each valid) and counts the windings of
    // these cells and of every cell round them again.
    void Recount(const std::vector<std::size_t>& cells, std::unordered_map<std::size_t, int>& finds,
                 std::unordered_set<std::size_t>& jumps) {
        // A node where the single value is exactly 0 (a high power below the smallest single)
        // takes its value in double precision, so that w's argument there is its own.
        for (const std::size_t c : cells)
            for (const std::size_t node : CellNodes(c))
                if (u_[node] == 0.0f && v_[node] == 0.0f && !overrides_.contains(node))
                    if (const auto w = tracker_->Value(NodeZ(node)); w && *w != 0.0)
                        overrides_[node] = {NodeZ(node), *w};
        for (const std::size_t c : cells)
            for (const std::size_t e : CellEdges(c))
                if (!edges_.contains(e)) Follow(e);
        for (const std::size_t c : Dilate(cells)) {
            if (!CellValid(c)) continue;
            detail::PathFlags flags;
            const int quarters = CellQuarters(c, flags);
            if (quarters != 0)
                finds[c] = quarters;
            else
                finds.erase(c);
            if (!flags.Sound() && quarters != 0)
                jumps.insert(c);
            else
                jumps.erase(c);
        }
    }

    // The cells round the given ones (sorted, without repeats), the given ones included.
    std::vector<std::size_t> Dilate(const std::vector<std::size_t>& cells) const {
        std::vector<std::size_t> out;
        out.reserve(cells.size() * 3);
        const std::size_t cols = CellCols(), rows = CellRows();
        for (const std::size_t c : cells) {
            const std::size_t i = c / cols, j = c % cols;
            for (std::size_t a = i > 0 ? i - 1 : 0; a <= std::min(i + 1, rows - 1); ++a)
                for (std::size_t b = j > 0 ? j - 1 : 0; b <= std::min(j + 1, cols - 1); ++b)
                    out.push_back(a * cols + b);
        }
        std::sort(out.begin(), out.end());
        out.erase(std::unique(out.begin(), out.end()), out.end());
        return out;
    }

    bool CellValid(std::size_t c) const {
        for (const std::size_t node : CellNodes(c))
            if (std::isnan(u_[node]) && !overrides_.contains(node)) return false;
        return true;
    }

    // The cell's corners in the order of its border, with f at each.
    detail::Quad CellQuad(std::size_t c) const {
        const auto nodes = CellNodes(c);
        return {{Node(nodes[0]), Node(nodes[1]), Node(nodes[2]), Node(nodes[3])}};
    }

private:
    Point NodeZ(std::size_t node) const {
        return {x_(node / nv_, node % nv_), y_(node / nv_, node % nv_)};
    }

    detail::PathPoint Node(std::size_t node) const {
        if (const auto it = overrides_.find(node); it != overrides_.end()) return it->second;
        return {NodeZ(node), Point(u_[node], v_[node])};
    }

    // Nodes (i, j), (i+1, j), (i+1, j+1), (i, j+1) of cell c.
    std::array<std::size_t, 4> CellNodes(std::size_t c) const {
        const std::size_t n = c / CellCols() * nv_ + c % CellCols();
        return {n, n + nv_, n + nv_ + 1, n + 1};
    }

    // Edges: 2·n from node n to the next along j, 2·n + 1 from n to the next along i.
    std::array<std::size_t, 4> CellEdges(std::size_t c) const {
        const auto n = CellNodes(c);
        return {2 * n[0] + 1, 2 * n[1], 2 * n[3] + 1, 2 * n[0]};
    }

    detail::PathFlags Follow(std::size_t edge) {
        const std::size_t from = edge / 2;
        const std::size_t to = from + (edge % 2 ? nv_ : 1);
        detail::PathFlags flags;
        const int steps = tracker_->Steps(Node(from), Node(to), flags);
        edges_[edge] = {steps, flags};
        return flags;
    }

    int EdgeSteps(std::size_t edge, detail::PathFlags& flags) const {
        if (const auto it = edges_.find(edge); it != edges_.end()) {
            flags |= it->second.flags;
            return it->second.steps;
        }
        const std::size_t from = edge / 2;
        const std::size_t to = from + (edge % 2 ? nv_ : 1);
        return detail::QuarterStep(Node(from).w, Node(to).w);
    }

    // The winding of cell c in quarter turns along its border (i, j) → (i+1, j) → ...
    int CellQuarters(std::size_t c, detail::PathFlags& flags) const {
        const auto e = CellEdges(c);
        return EdgeSteps(e[0], flags) + EdgeSteps(e[1], flags) - EdgeSteps(e[2], flags) -
               EdgeSteps(e[3], flags);
    }

    struct EdgeTurn {
        int steps = 0;
        detail::PathFlags flags;
    };

    const Grid2D& x_;
    const Grid2D& y_;
    std::span<const float> u_, v_;
    std::size_t nu_, nv_;
    detail::ArgumentTracker* tracker_;
    std::unordered_map<std::size_t, detail::PathPoint> overrides_;
    std::unordered_map<std::size_t, EdgeTurn> edges_;
};

// A component within a ten-billionth of the cell of zero is zero: a root on an axis that the
// refinement approached from one side, or a pole on a node found from a point beside it.
double SnapToZero(double c, double cell) {
    return std::abs(c) <= 1e-10 * cell ? 0.0 : c;
}

// A located root with the cell it was counted in.
struct Candidate {
    FoundRoot root;
    int share = 0;   // signed part of the order counted in this cell
    double cell = 0; // the cell's size
};

// The refined roots found, each with the order its check measured and the shares of it that
// cells counted.
class Claims {
public:
    struct Entry {
        Point z;
        bool zero = true;
        int order = 0;                                  // as its check measured it
        int claimed = 0;                                // the shares cells counted
        std::vector<std::pair<std::size_t, int>> cells; // (cell's place, share)
    };

    void Add(const detail::LocatedRoot& r, int share, std::size_t cell, double size) {
        Entry* e = Find(r, size);
        if (!e) {
            byX_.emplace(r.Z.real(), entries_.size());
            entries_.push_back({r.Z, r.Turns > 0, r.Order, 0, {}});
            e = &entries_.back();
        }
        e->claimed += std::abs(share);
        e->cells.emplace_back(cell, share);
    }

    std::vector<Entry>& Entries() { return entries_; }

private:
    Entry* Find(const detail::LocatedRoot& r, double size) {
        const double reach = 1e-6 * size;
        for (auto it = byX_.lower_bound(r.Z.real() - reach);
             it != byX_.end() && it->first <= r.Z.real() + reach; ++it) {
            Entry& e = entries_[it->second];
            if (e.zero == (r.Turns > 0) && std::abs(e.z - r.Z) <= reach) return &e;
        }
        return nullptr;
    }

    std::vector<Entry> entries_;
    std::multimap<double, std::size_t> byX_;
};

// Merges refined finds of one kind that are the same root: a root on an edge or a node whose
// order was split between the cells that share it. Their shares add up.
std::vector<FoundRoot> Merge(std::vector<Candidate> candidates) {
    std::sort(candidates.begin(), candidates.end(),
              [](const Candidate& a, const Candidate& b) { return a.root.X < b.root.X; });
    std::vector<bool> dropped(candidates.size(), false);
    for (std::size_t a = 0; a < candidates.size(); ++a) {
        Candidate& keep = candidates[a];
        if (dropped[a] || !keep.root.Refined) continue;
        for (std::size_t b = a + 1; b < candidates.size(); ++b) {
            const Candidate& other = candidates[b];
            const double reach = 1e-6 * std::max(keep.cell, other.cell);
            if (other.root.X - keep.root.X > reach) break;
            if (dropped[b] || !other.root.Refined || other.root.Kind != keep.root.Kind) continue;
            if (std::abs(Point(other.root.X - keep.root.X, other.root.Y - keep.root.Y)) > reach)
                continue;
            keep.share += other.share;
            dropped[b] = true;
        }
    }
    std::vector<FoundRoot> roots;
    for (std::size_t k = 0; k < candidates.size(); ++k) {
        if (dropped[k]) continue;
        FoundRoot r = candidates[k].root;
        r.Order = std::max(r.Order, std::abs(candidates[k].share));
        roots.push_back(r);
    }
    std::sort(roots.begin(), roots.end(), [](const FoundRoot& a, const FoundRoot& b) {
        return a.X != b.X ? a.X < b.X : a.Y < b.Y;
    });
    return roots;
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

    std::unordered_map<std::size_t, int> finds; // cell → winding in quarter turns
    std::vector<CellRun> invalid, steep;
    for (ScanPart& part : parts) {
        invalid.insert(invalid.end(), part.invalid.begin(), part.invalid.end());
        steep.insert(steep.end(), part.steep.begin(), part.steep.end());
        for (const CellFind& f : part.finds)
            finds[f.i * cellCols + f.j] = f.winding;
    }
    const auto groups = GroupRuns(invalid);

    std::optional<detail::ArgumentTracker> tracker;
    if (program) tracker.emplace(*program, input.T, options.EvaluationBudget + 4 * nu * nv);
    Search search(input, u, v, tracker ? &*tracker : nullptr);
    // Cells whose winding rests on a path where w jumps or could not be followed.
    std::unordered_set<std::size_t> jumps;
    if (tracker) {
        std::vector<std::size_t> recount;
        for (const CellRun& run : steep)
            for (std::size_t j = run.j0; j < run.j1; ++j)
                recount.push_back(run.i * cellCols + j);
        for (const auto& group : groups) {
            std::vector<std::size_t> cells;
            for (const std::size_t k : group)
                for (std::size_t j = invalid[k].j0; j < invalid[k].j1; ++j)
                    cells.push_back(invalid[k].i * cellCols + j);
            if (cells.size() > kMaxFilledCells || !search.FillRegion(cells)) {
                result.Invalid.push_back(RegionOf(invalid, group, *input.X, *input.Y));
                continue;
            }
            recount.insert(recount.end(), cells.begin(), cells.end());
        }
        std::sort(recount.begin(), recount.end());
        recount.erase(std::unique(recount.begin(), recount.end()), recount.end());
        std::vector<std::size_t> valid;
        for (const std::size_t c : search.Dilate(recount))
            if (search.CellValid(c)) valid.push_back(c);
        search.Recount(valid, finds, jumps);
    } else {
        for (const auto& group : groups)
            result.Invalid.push_back(RegionOf(invalid, group, *input.X, *input.Y));
    }

    std::vector<std::size_t> cells;
    cells.reserve(finds.size());
    for (const auto& [cell, quarters] : finds)
        cells.push_back(cell);
    std::sort(cells.begin(), cells.end());

    const bool refine = tracker && options.Refine;
    std::vector<Candidate> candidates;
    std::vector<std::size_t> singular;
    // The cells whose finds were located, with what was found there.
    struct Located {
        std::size_t cell;
        detail::Quad quad;
        int turns;
        bool jump;
        double size;
        detail::Location location;
    };
    std::vector<Located> located;
    for (const std::size_t c : cells) {
        const detail::Quad quad = search.CellQuad(c);
        const int orientation = quad.Orientation();
        if (orientation == 0) continue; // no inside
        const int turns = orientation * finds[c] / 4;
        if (turns == 0) continue;
        const double size = quad.Size();
        const bool jump = jumps.contains(c);
        if (refine && located.size() < options.MaxRefined && !tracker->Exhausted()) {
            located.push_back(
                {c, quad, turns, jump, size, detail::LocateRoots(*tracker, quad, turns, jump)});
            continue;
        }
        if (jump) {
            singular.push_back(c);
            continue;
        }
        const Point centre = quad.Centre();
        candidates.push_back({{turns > 0 ? RootKind::Zero : RootKind::Pole, centre.real(),
                               centre.imag(), std::abs(turns), false},
                              turns,
                              size});
    }
    // Each cell's share of a root it found: the measured order where the winding rests on a jump.
    const auto shareOf = [](const Located& l, const detail::LocatedRoot& r) {
        return l.jump ? (r.Turns > 0 ? r.Order : -r.Order) : r.Turns;
    };
    // Two roots on the edge two cells share may both be found from either cell, one of them
    // twice: more shares of it than its order. Each cell claiming it searches again with it
    // passed over, until its shares fit; a cell whose search finds another root takes that.
    const auto claimsOf = [&] {
        Claims claims;
        for (std::size_t k = 0; k < located.size(); ++k)
            for (const detail::LocatedRoot& r : located[k].location.Roots)
                if (r.Refined) claims.Add(r, shareOf(located[k], r), k, located[k].size);
        return claims;
    };
    Claims claims = claimsOf();
    for (Claims::Entry& e : claims.Entries()) {
        for (const auto& [k, share] : e.cells) {
            if (e.claimed <= e.order) break;
            Located& l = located[k];
            detail::Location again =
                detail::LocateRoots(*tracker, l.quad, l.turns, l.jump, {{e.z, e.order}});
            const bool found = !again.Singular && !again.Roots.empty() &&
                               std::all_of(again.Roots.begin(), again.Roots.end(),
                                           [](const auto& r) { return r.Refined; });
            if (!found) continue;
            l.location = std::move(again);
            e.claimed -= std::abs(share);
        }
    }
    // Shares that no search explains (roots crowding on an edge, as round an essential
    // singularity) are no sure root: their cells are singular places. No root is reported with
    // more than the order its check measured.
    claims = claimsOf();
    for (Claims::Entry& e : claims.Entries()) {
        for (auto it = e.cells.rbegin(); it != e.cells.rend() && e.claimed > e.order; ++it) {
            detail::Location& location = located[it->first].location;
            const double reach = 1e-6 * located[it->first].size;
            std::erase_if(location.Roots, [&](const detail::LocatedRoot& r) {
                return r.Refined && std::abs(r.Z - e.z) <= reach;
            });
            location.Singular = true;
            e.claimed -= std::abs(it->second);
        }
    }
    for (const Located& l : located) {
        if (l.location.Singular) singular.push_back(l.cell);
        for (const detail::LocatedRoot& r : l.location.Roots) {
            const int share = shareOf(l, r);
            candidates.push_back(
                {{share > 0 ? RootKind::Zero : RootKind::Pole, SnapToZero(r.Z.real(), l.size),
                  SnapToZero(r.Z.imag(), l.size), r.Order, r.Refined},
                 share,
                 l.size});
        }
    }
    std::sort(singular.begin(), singular.end());
    result.Roots = Merge(std::move(candidates));

    const std::vector<CellRun> singularRuns = RunsOf(singular, cellCols);
    for (const auto& group : GroupRuns(singularRuns))
        result.Singular.push_back(RegionOf(singularRuns, group, *input.X, *input.Y));
    SortRegions(result.Invalid);
    SortRegions(result.Singular);
    result.Incomplete = tracker && tracker->Exhausted();
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
