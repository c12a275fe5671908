#include "document/RootMarks.h"

#include "core/Codes.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <stdexcept>

namespace tervane {

namespace {

std::string Number(double value) {
    if (value == 0.0) value = 0.0; // no "-0"
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", value);
    return text;
}

std::string ComplexText(double x, double y) {
    std::string text = Number(x);
    text += y < 0 ? " - " : " + ";
    text += Number(std::fabs(y));
    text += "i";
    return text;
}

// The value a plot axis takes at a find at (x, y): the coordinates themselves, the quantities of
// w as 0 at a zero, and the top of the axis (towards infinity) at a pole; log |w| of a zero is
// the bottom.
float MarkCoordinate(std::int32_t code, double x, double y, bool zero, float low, float high) {
    float value = 0.0f;
    switch (code) {
    case kQuantityX:
        value = static_cast<float>(x);
        break;
    case kQuantityY:
        value = static_cast<float>(y);
        break;
    case kQuantityMagnitude:
        value = zero ? 0.0f : high;
        break;
    case kQuantityLogMagnitude:
        value = zero ? low : high;
        break;
    default: // u, v and arg: 0 at a zero, undefined at a pole, shown at 0 as well
        value = 0.0f;
        break;
    }
    return std::clamp(value, low, high);
}

} // namespace

bool CanFindRoots(const CGraph& graph) {
    const std::int32_t kind = graph.GraphType();
    if (kind != kGraphSurface && kind != kGraphColorMap) return false;
    if (!IsComplexForm(graph.FunForm()) || !graph.LastError().empty()) return false;
    const std::size_t n = graph.RealPart().Count();
    return n > 0 && graph.ImaginaryPart().Count() == n && graph.DomainX().Count() == n &&
           graph.DomainY().Count() == n;
}

const std::vector<GraphRoots>& RootSearch::For(const std::vector<std::shared_ptr<CGraph>>& graphs,
                                               const std::vector<std::string>& labels,
                                               unsigned threads) {
    std::vector<Key> keys;
    for (const auto& g : graphs)
        if (g && CanFindRoots(*g))
            keys.push_back({g.get(), g->SampleRevision(), g->SettingsRevision()});
    if (keys == keys_ && roots_.size() == keys.size()) return roots_;

    std::vector<GraphRoots> roots;
    for (std::size_t k = 0; k < graphs.size(); ++k) {
        const auto& g = graphs[k];
        if (!g || !CanFindRoots(*g)) continue;
        GraphRoots found;
        found.Graph = g;
        found.Label = k < labels.size() ? labels[k] : g->NameS();
        const std::optional<CompiledProgram> program = CompileGraphFunction(*g);
        ZeroFinderOptions options;
        options.Threads = threads;
        try {
            found.Result =
                FindZerosAndPoles(ZeroFinderInput::FromGraph(*g, g->Animation() ? g->MinT() : 0.0f),
                                  program ? &*program : nullptr, options);
        } catch (const std::invalid_argument&) {
            continue; // grids of mismatched sizes: nothing to search
        }
        roots.push_back(std::move(found));
    }
    keys_ = std::move(keys);
    roots_ = std::move(roots);
    return roots_;
}

std::vector<CMarker> RootMarkers(const std::vector<GraphRoots>& roots) {
    std::vector<CMarker> marks;
    for (const GraphRoots& graph : roots) {
        // The box the graph's last GetBox found (its plot extents).
        const CGraph::Extents& e = graph.Graph->GetExtents();
        const float lows[3] = {e.MinX, e.MinY, e.MinZ};
        const float highs[3] = {e.MaxX, e.MaxY, e.MaxZ};
        if (!(lows[0] <= highs[0] && lows[1] <= highs[1] && lows[2] <= highs[2])) continue;
        const std::int32_t codes[3] = {graph.Graph->VarX(), graph.Graph->VarY(),
                                       graph.Graph->VarZ()};
        // A colour map is drawn flat, its X and Z plot axes across the view and nothing up:
        // its marks lie in that plane, 4 % of its larger side across.
        const bool flat = graph.Graph->GraphType() == kGraphColorMap;
        // On a surface a sphere 4 % across the middle one of the box's sides: the height of a
        // surface cut at a pole can dwarf the domain the marks lie in. But at least 2 % across
        // the longest side, which sets the scale of the picture: in a box much taller than wide
        // the marks would otherwise be a few pixels.
        float sides[3] = {highs[0] - lows[0], highs[1] - lows[1], highs[2] - lows[2]};
        std::sort(sides, sides + 3);
        const float radius =
            flat ? std::max({0.02f * (highs[0] - lows[0]), 0.02f * (highs[2] - lows[2]), 1e-6f})
                 : std::max({0.02f * sides[1], 0.01f * sides[2], 1e-6f});
        auto add = [&](double x, double y, bool zero, std::int32_t color) {
            CMarker mark;
            mark.x = MarkCoordinate(codes[0], x, y, zero, lows[0], highs[0]);
            mark.y = MarkCoordinate(codes[1], x, y, zero, lows[1], highs[1]);
            mark.z = MarkCoordinate(codes[2], x, y, zero, lows[2], highs[2]);
            if (flat) {
                mark.y = mark.z;
                mark.z = 0.0f;
            }
            mark.Size = (radius - 0.05f) / 0.05f; // the sphere radius is Size·0.05 + 0.05
            mark.Color = color;
            mark.Show = true;
            marks.push_back(mark);
        };
        for (const FoundRoot& root : graph.Result.Roots) {
            const bool zero = root.Kind == RootKind::Zero;
            add(root.X, root.Y, zero, zero ? kZeroMarkColor : kPoleMarkColor);
        }
        for (const InvalidRegion& region : graph.Result.Invalid)
            add(region.CentreX, region.CentreY, false, kNoValueMarkColor);
        for (const InvalidRegion& region : graph.Result.Singular)
            add(region.CentreX, region.CentreY, true, kSingularMarkColor);
    }
    return marks;
}

std::string RootsReport(const std::vector<GraphRoots>& roots) {
    std::string text;
    if (roots.empty()) return "Zeros and poles: no shown surface or colour map to search.\n";
    for (const GraphRoots& graph : roots) {
        text += "Zeros and poles of " + graph.Label + ":\n";
        for (const FoundRoot& root : graph.Result.Roots) {
            text += root.Kind == RootKind::Zero ? "  zero" : "  pole";
            text += " of order " + std::to_string(root.Order) +
                    " at z = " + ComplexText(root.X, root.Y);
            if (!root.Refined) text += " (cell centre)";
            text += '\n';
        }
        for (const InvalidRegion& region : graph.Result.Invalid)
            text += "  no value near z = " + ComplexText(region.CentreX, region.CentreY) + " (" +
                    std::to_string(region.Cells) + (region.Cells == 1 ? " cell" : " cells") +
                    " not searched)\n";
        for (const InvalidRegion& region : graph.Result.Singular)
            text += "  branch cut or essential singularity near z = " +
                    ComplexText(region.CentreX, region.CentreY) + " (no zero or pole counted)\n";
        if (graph.Result.Incomplete)
            text += "  (w turns too fast for the grid in places: more steps give a sure count)\n";
        if (graph.Result.Roots.empty() && graph.Result.Invalid.empty() &&
            graph.Result.Singular.empty())
            text += "  none found\n";
    }
    return text;
}

} // namespace tervane
