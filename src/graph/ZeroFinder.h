#pragma once

#include "expr/CompiledProgram.h"
#include "graph/Grid2D.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace tervane {

class CGraph;

/// A sampled grid of w = f(z): the node coordinates and the value at every node. x and y may
/// use any layout (one value per i and per j on a Cartesian domain, every point on a polar
/// one); u and v hold every point, NaN where f has no value. All four have the same size.
struct ZeroFinderInput {
    const Grid2D* X = nullptr;
    const Grid2D* Y = nullptr;
    const Grid2D* U = nullptr;
    const Grid2D* V = nullptr;
    /// The animation parameter the grid was sampled at; refinement evaluates at the same t.
    float T = 0.0f;

    /// The grids of a sampled graph (it must outlive the input).
    static ZeroFinderInput FromGraph(const CGraph& graph, float t = 0.0f);
};

struct ZeroFinderOptions {
    /// Threads that scan rows of cells in parallel (0: one per core). Results do not depend on
    /// it.
    unsigned Threads = 0;
    /// Whether finds are refined by Newton's method (when a program is given).
    bool Refine = true;
    /// Finds beyond this many are reported at their cell centres without refinement, so that a
    /// function of noise cannot make the search run for minutes.
    std::size_t MaxRefined = 10000;
    /// Evaluations of f allowed for following w between grid nodes and refining, beyond
    /// 4 per grid point (the same reason).
    std::size_t EvaluationBudget = 4'000'000;
};

enum class RootKind : std::uint8_t { Zero, Pole };

/// A zero or a pole of some order. Refined: the position was found by Newton's method or by
/// narrowing the winding down; otherwise it is the centre of the grid cell the winding number
/// was counted in.
struct FoundRoot {
    RootKind Kind = RootKind::Zero;
    double X = 0.0, Y = 0.0;
    int Order = 1;
    bool Refined = false;
};

/// Connected grid cells with a corner where f has no value: their winding number is unknown,
/// so a zero or pole inside them is not guessed. Bounding box of the cells, its centre, and the
/// number of cells.
struct InvalidRegion {
    double MinX = 0.0, MaxX = 0.0, MinY = 0.0, MaxY = 0.0;
    double CentreX = 0.0, CentreY = 0.0;
    std::size_t Cells = 0;
};

struct ZeroFinderResult {
    /// Sorted by x, then y.
    std::vector<FoundRoot> Roots;
    /// Sorted by the centre's x, then y.
    std::vector<InvalidRegion> Invalid;
    /// Connected grid cells round which w winds although f has no zero or pole of finite order
    /// there: w jumps across a branch cut, or does not behave like a power of z − z0 at any
    /// scale (an essential singularity). Sorted like Invalid.
    std::vector<InvalidRegion> Singular;
    /// The evaluation budget ran out: some windings rest on the grid's nodes alone.
    bool Incomplete = false;
};

/// Finds the zeros and poles of f inside the sampled grid by the argument principle: the
/// winding number of w around the border of each grid cell is the number of zeros less the
/// number of poles in it, counted with their order. Each grid edge contributes the same step
/// to both cells that share it, so a zero on a node or an edge is counted in exactly one cell.
/// With a program, w is followed between the nodes wherever it turns or grows fast (near zeros
/// and poles of any order, on coarse or long cells), so the windings are exact; cells whose
/// corners have no value are searched too when a few points are missing (a pole on a node);
/// finds are located in double precision and checked to be zeros or poles of their order.
/// Without one, windings come from the nodes alone and finds are not refined. Throws
/// std::invalid_argument when the grids are missing or their sizes differ.
[[nodiscard]] ZeroFinderResult FindZerosAndPoles(const ZeroFinderInput& input,
                                                 const CompiledProgram* program,
                                                 const ZeroFinderOptions& options = {});

/// The compiled program of a graph's function text, as its sampling compiles it; nothing when
/// the text does not translate.
[[nodiscard]] std::optional<CompiledProgram> CompileGraphFunction(const CGraph& graph);

} // namespace tervane
