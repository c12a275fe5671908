#include "gl/GraphListCache.h"

#include "gl/GraphDraw.h"

#include <algorithm>

namespace tervane {

GLuint GraphListCache::ListFor(const std::shared_ptr<CGraph>& graph, std::int32_t step,
                               std::int32_t sceneKind, std::int32_t frames,
                               const SamplingOptions& sampling) {
    // Only graphs whose function reads t differ between animation steps; they
    // are resampled for each step they are compiled for.
    const bool perStep = graph->Animation() && graph->UsesT();
    GraphState& state = graphs_[graph.get()];
    if (state.owner.lock() != graph || state.settings != graph->SettingsRevision() ||
        state.samples != graph->SampleRevision() || state.sceneKind != sceneKind ||
        state.frames != frames) {
        state.owner = graph;
        state.settings = graph->SettingsRevision();
        state.samples = graph->SampleRevision();
        state.sceneKind = sceneKind;
        state.frames = frames;
        ++state.generation;
    }

    Entry& entry = entries_[Key{graph.get(), KeyStep(*graph, step)}];
    if (entry.list.Base() != 0 && entry.generation == state.generation) return entry.list.Base();

    if (perStep) {
        graph->GetPointsAtStep(step, frames, sampling);
        // The cache's own resampling is no change to the graph.
        state.settings = graph->SettingsRevision();
        state.samples = graph->SampleRevision();
    }
    GlListRange list(1);
    if (list.Base() == 0) return 0;
    glNewList(list.Base(), GL_COMPILE);
    DrawGraph(*graph, step, sceneKind);
    glEndList();
    ++compilations_;
    entry.box = graph->GetBox(graph->Animation() ? step : 0);
    entry.generation = state.generation;
    entry.list = std::move(list);
    return entry.list.Base();
}

CBox GraphListCache::BoxFor(CGraph& graph, std::int32_t step) {
    const std::int32_t boxStep = graph.Animation() ? step : 0;
    const auto state = graphs_.find(&graph);
    const auto entry = entries_.find(Key{&graph, KeyStep(graph, step)});
    if (state == graphs_.end() || entry == entries_.end() || entry->second.list.Base() == 0 ||
        state->second.owner.lock().get() != &graph ||
        entry->second.generation != state->second.generation ||
        state->second.settings != graph.SettingsRevision() ||
        state->second.samples != graph.SampleRevision())
        return graph.GetBox(boxStep);
    return entry->second.box;
}

void GraphListCache::Prune(const std::vector<std::shared_ptr<CGraph>>& keep) {
    auto kept = [&](const CGraph* graph) {
        auto state = graphs_.find(graph);
        if (state == graphs_.end()) return false;
        const auto owner = state->second.owner.lock();
        return owner &&
               std::any_of(keep.begin(), keep.end(), [&](const auto& g) { return g == owner; });
    };
    for (auto it = entries_.begin(); it != entries_.end();)
        it = kept(it->first.graph) ? std::next(it) : entries_.erase(it);
    for (auto it = graphs_.begin(); it != graphs_.end();)
        it = kept(it->first) ? std::next(it) : graphs_.erase(it);
}

} // namespace tervane
