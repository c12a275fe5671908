#pragma once

#include "graph/CGraph.h"
#include "graph/ZeroFinder.h"
#include "scene/CMarker.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tervane {

/// Packed colours (red in the low byte) of the marks of zeros, poles and places without a value.
inline constexpr std::int32_t kZeroMarkColor = 0xE06010;     // blue
inline constexpr std::int32_t kPoleMarkColor = 0x1010E0;     // red
inline constexpr std::int32_t kNoValueMarkColor = 0x404040;  // dark grey (the light brightens it)
inline constexpr std::int32_t kSingularMarkColor = 0xC040A0; // violet

/// The zeros and poles found in one shown graph.
struct GraphRoots {
    std::shared_ptr<const CGraph> Graph;
    /// How the graph list names it.
    std::string Label;
    ZeroFinderResult Result;
};

/// True for the graphs whose zeros and poles can be searched: surfaces and colour maps of
/// w = f(z) with sampled grids.
bool CanFindRoots(const CGraph& graph);

/// Finds the zeros and poles of the shown graphs, keeping each graph's result until its grids or
/// settings change (the view asks at every rebuild, a turn of the scene included).
class RootSearch {
public:
    /// The finds of each searchable graph of graphs, in their order. labels names them.
    const std::vector<GraphRoots>& For(const std::vector<std::shared_ptr<CGraph>>& graphs,
                                       const std::vector<std::string>& labels, unsigned threads);

private:
    struct Key {
        const CGraph* graph = nullptr;
        std::uint64_t samples = 0, settings = 0;
        friend bool operator==(const Key&, const Key&) = default;
    };
    std::vector<Key> keys_;
    std::vector<GraphRoots> roots_;
};

/// The marks of the finds in plot coordinates: at the root's x and y, the quantities of w taken
/// as 0 at a zero (|w| = 0 and log |w| at the bottom of the box) and at the top of the box at a
/// pole; every mark lies inside its graph's box. Zeros in kZeroMarkColor, poles in
/// kPoleMarkColor, sized to the box. A region without a value (most often a pole that a grid
/// point hits) is marked as a pole at its centre, in kNoValueMarkColor; a branch cut or an
/// essential singularity the finder names is marked at its region's centre, as low as a zero,
/// in kSingularMarkColor.
std::vector<CMarker> RootMarkers(const std::vector<GraphRoots>& roots);

/// The text the Result box shows: per graph its label and one line a find ("zero of order 2 at
/// z = 1 + 0i"), the regions without a value, or that none was found.
std::string RootsReport(const std::vector<GraphRoots>& roots);

} // namespace tervane
