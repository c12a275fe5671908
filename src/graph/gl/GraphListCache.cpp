#include "graph/gl/GraphListCache.h"

#include "graph/gl/GraphDraw.h"

#include <algorithm>

namespace tervane {

GLuint GraphListCache::ListFor(const std::shared_ptr<CGraph>& graph, std::int32_t step,
                               std::int32_t sceneKind) {
    // Only graphs whose function reads t differ between animation steps.
    const bool perStep = graph->Animation() && graph->UsesT();
    const Key key{graph.get(), perStep ? step : 0};
    Entry& entry = entries_[key];
    const bool fresh = entry.list.Base() != 0 && entry.owner.lock() == graph &&
                       entry.settings == graph->SettingsRevision() &&
                       entry.samples == graph->SampleRevision() && entry.sceneKind == sceneKind;
    if (fresh && !perStep) return entry.list.Base();

    if (perStep) graph->GetPointsAtStep(step);
    GlListRange list(1);
    if (list.Base() == 0) return 0;
    glNewList(list.Base(), GL_COMPILE);
    DrawGraph(*graph, step, sceneKind);
    glEndList();
    ++compilations_;

    entry.owner = graph;
    entry.settings = graph->SettingsRevision();
    entry.samples = graph->SampleRevision();
    entry.sceneKind = sceneKind;
    entry.list = std::move(list);
    return entry.list.Base();
}

void GraphListCache::Prune(const std::vector<std::shared_ptr<CGraph>>& keep) {
    for (auto it = entries_.begin(); it != entries_.end();) {
        const auto owner = it->second.owner.lock();
        const bool kept = owner && std::any_of(keep.begin(), keep.end(),
                                               [&](const auto& g) { return g == owner; });
        it = kept ? std::next(it) : entries_.erase(it);
    }
}

} // namespace tervane
