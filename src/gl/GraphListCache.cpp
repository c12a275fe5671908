#include "gl/GraphListCache.h"

#include "gl/GraphDraw.h"

#include <algorithm>

namespace tervane {

GraphListCache::GraphState& GraphListCache::StateFor(const std::shared_ptr<CGraph>& graph,
                                                     std::int32_t sceneKind, std::int32_t frames) {
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
    return state;
}

GraphListCache::Entry& GraphListCache::EntryFor(const std::shared_ptr<CGraph>& graph,
                                                std::int32_t step, const GraphState& state) {
    Entry& entry = entries_[Key{graph.get(), KeyStep(*graph, step)}];
    if (entry.generation != state.generation) {
        entry.list.Reset();
        entry.hasBox = false;
        entry.generation = state.generation;
    }
    return entry;
}

void GraphListCache::SampleStep(const std::shared_ptr<CGraph>& graph, std::int32_t step,
                                std::int32_t frames, const SamplingOptions& sampling,
                                GraphState& state) {
    // Only graphs whose function reads t differ between animation steps; they are resampled
    // for each step they are drawn or measured at.
    if (!(graph->Animation() && graph->UsesT())) return;
    graph->GetPointsAtStep(step, frames, sampling);
    state.settings = graph->SettingsRevision();
    state.samples = graph->SampleRevision();
}

GLuint GraphListCache::ListFor(const std::shared_ptr<CGraph>& graph, std::int32_t step,
                               std::int32_t sceneKind, std::int32_t frames,
                               const SamplingOptions& sampling) {
    GraphState& state = StateFor(graph, sceneKind, frames);
    Entry& entry = EntryFor(graph, step, state);
    if (entry.list.Base() != 0) return entry.list.Base();
    SampleStep(graph, step, frames, sampling, state);
    GlListRange list(1);
    if (list.Base() == 0) return 0;
    glNewList(list.Base(), GL_COMPILE);
    DrawGraph(*graph, step, sceneKind);
    glEndList();
    ++compilations_;
    entry.box = graph->GetBox(graph->Animation() ? step : 0);
    entry.hasBox = true;
    entry.list = std::move(list);
    return entry.list.Base();
}

GLuint GraphListCache::LighterListFor(const std::shared_ptr<CGraph>& graph, std::int32_t sceneKind,
                                      std::int32_t frames, std::size_t k) {
    if (graph->Animation() && graph->UsesT()) return 0;
    const GraphState& state = StateFor(graph, sceneKind, frames);
    LighterEntry& entry = lighter_[graph.get()];
    if (entry.generation == state.generation && entry.k == k && entry.list.Base() != 0)
        return entry.list.Base();
    entry.list.Reset();
    entry.generation = state.generation;
    entry.k = k;
    const std::shared_ptr<CGraph> lighter = graph->Decimated(k);
    if (!lighter) return 0;
    GlListRange list(1);
    if (list.Base() == 0) return 0;
    glNewList(list.Base(), GL_COMPILE);
    DrawGraph(*lighter, 0, sceneKind);
    glEndList();
    ++lighterCompilations_;
    entry.list = std::move(list);
    return entry.list.Base();
}

CBox GraphListCache::StepBox(const std::shared_ptr<CGraph>& graph, std::int32_t step,
                             std::int32_t sceneKind, std::int32_t frames,
                             const SamplingOptions& sampling) {
    GraphState& state = StateFor(graph, sceneKind, frames);
    Entry& entry = EntryFor(graph, step, state);
    if (entry.hasBox) return entry.box;
    SampleStep(graph, step, frames, sampling, state);
    entry.box = graph->GetBox(graph->Animation() ? step : 0);
    entry.hasBox = true;
    return entry.box;
}

CBox GraphListCache::BoxFor(CGraph& graph, std::int32_t step) {
    const std::int32_t boxStep = graph.Animation() ? step : 0;
    const auto state = graphs_.find(&graph);
    const auto entry = entries_.find(Key{&graph, KeyStep(graph, step)});
    if (state == graphs_.end() || entry == entries_.end() || !entry->second.hasBox ||
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
    for (auto it = lighter_.begin(); it != lighter_.end();)
        it = kept(it->first) ? std::next(it) : lighter_.erase(it);
    for (auto it = graphs_.begin(); it != graphs_.end();)
        it = kept(it->first) ? std::next(it) : graphs_.erase(it);
}

} // namespace tervane
