#pragma once

#include "core/CBox.h"
#include "gl/GlListRange.h"
#include "graph/CGraph.h"

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

namespace tervane {

/// One display list per graph (and per animation step for graphs that depend
/// on t), compiled when the graph's content or settings change and replayed
/// otherwise. Turning the scene calls these lists again without issuing any
/// graph geometry. Lists of graphs that are gone are released by Prune.
class GraphListCache {
public:
    /// The list that draws graph at step of frames (compiled now if stale). The graph is
    /// resampled at that step first when it is animated and its function reads t.
    GLuint ListFor(const std::shared_ptr<CGraph>& graph, std::int32_t step, std::int32_t sceneKind,
                   std::int32_t frames, const SamplingOptions& sampling = {});

    /// The box of graph at step, taken when that step was sampled for its list or for StepBox:
    /// a graph that reads t keeps only the grids of the step sampled last, so its present grids
    /// tell nothing about the other steps. A step never sampled gives the graph's box from its
    /// present grids.
    CBox BoxFor(CGraph& graph, std::int32_t step);

    /// The box of graph at step, sampling that step first when it is stale, without compiling
    /// its list: an animation's union box is known before its step lists are compiled, each
    /// when it is first shown.
    CBox StepBox(const std::shared_ptr<CGraph>& graph, std::int32_t step, std::int32_t sceneKind,
                 std::int32_t frames, const SamplingOptions& sampling = {});

    /// The list that draws a still graph from every k-th grid point each way (k at least 2),
    /// for the frames drawn while the view is turned or zoomed with the mouse: the same
    /// settings, colours and box as ListFor's at a fraction of the vertices. Compiled once per
    /// content and k; 0 when the graph has no lighter picture (ListFor's is drawn then).
    GLuint LighterListFor(const std::shared_ptr<CGraph>& graph, std::int32_t sceneKind,
                          std::int32_t frames, std::size_t k);

    /// Releases the lists of graphs not in keep.
    void Prune(const std::vector<std::shared_ptr<CGraph>>& keep);

    /// Releases every list (the GL context must be current).
    void Clear() {
        entries_.clear();
        lighter_.clear();
        graphs_.clear();
    }

    /// How many graph lists were compiled so far (for tests and benchmarks).
    std::uint64_t Compilations() const noexcept { return compilations_; }
    /// How many lighter lists were compiled so far.
    std::uint64_t LighterCompilations() const noexcept { return lighterCompilations_; }

private:
    struct Key {
        const CGraph* graph;
        std::int32_t step;
        auto operator<=>(const Key&) const = default;
    };
    /// What a graph looked like when its lists were made. Any difference starts
    /// a new generation, which makes all of its step lists stale at once.
    struct GraphState {
        std::weak_ptr<CGraph> owner;
        std::uint64_t settings = 0;
        std::uint64_t samples = 0; ///< after the cache's own resampling, if any
        std::int32_t sceneKind = 0;
        std::int32_t frames = 0;
        std::uint64_t generation = 0;
    };
    struct Entry {
        std::uint64_t generation = 0;
        GlListRange list;
        CBox box;            ///< the graph's box right after this step was sampled
        bool hasBox = false; ///< box holds this generation's box
    };
    /// The graph's state, a new generation when its content, settings, scene kind or frame
    /// count changed since its lists were made.
    GraphState& StateFor(const std::shared_ptr<CGraph>& graph, std::int32_t sceneKind,
                         std::int32_t frames);
    /// The entry of graph at step, emptied when it belongs to an older generation.
    Entry& EntryFor(const std::shared_ptr<CGraph>& graph, std::int32_t step,
                    const GraphState& state);
    /// Samples graph at step when its function reads t (the cache's own resampling is no
    /// change to the graph).
    static void SampleStep(const std::shared_ptr<CGraph>& graph, std::int32_t step,
                           std::int32_t frames, const SamplingOptions& sampling, GraphState& state);
    [[nodiscard]] static std::int32_t KeyStep(const CGraph& graph, std::int32_t step) {
        return graph.Animation() && graph.UsesT() ? step : 0;
    }

    std::map<const CGraph*, GraphState> graphs_;
    std::map<Key, Entry> entries_;
    /// The lighter picture of a still graph: of which generation and k.
    struct LighterEntry {
        std::uint64_t generation = 0;
        std::size_t k = 0;
        GlListRange list;
    };
    std::map<const CGraph*, LighterEntry> lighter_;
    std::uint64_t compilations_ = 0;
    std::uint64_t lighterCompilations_ = 0;
};

} // namespace tervane
