#include "scene/CScene.h"

#include "core/Codes.h"
#include "scene/AxesGeometry.h"

#include <algorithm>
#include <cmath>

namespace tervane {

namespace {
constexpr float kMargin = 0.04f;
} // namespace

bool CScene::Add(GraphPtr graph) {
    return Insert(graphs_.size(), std::move(graph));
}

bool CScene::Insert(std::size_t position, GraphPtr graph) {
    if (!graph || IndexOf(KeyOf(*graph)) >= 0 || position > graphs_.size()) return false;
    graphs_.insert(graphs_.begin() + static_cast<std::ptrdiff_t>(position), std::move(graph));
    return true;
}

std::ptrdiff_t CScene::IndexOf(const std::string& key) const {
    for (std::size_t k = 0; k < graphs_.size(); ++k)
        if (KeyOf(*graphs_[k]) == key) return static_cast<std::ptrdiff_t>(k);
    return -1;
}

CScene::GraphPtr CScene::Item(const std::string& key) const {
    const std::ptrdiff_t k = IndexOf(key);
    return k < 0 ? nullptr : graphs_[static_cast<std::size_t>(k)];
}

bool CScene::Remove(const std::string& key) {
    const std::ptrdiff_t k = IndexOf(key);
    if (k < 0) return false;
    graphs_.erase(graphs_.begin() + k);
    return true;
}

bool CScene::Animation() const {
    return std::any_of(graphs_.begin(), graphs_.end(),
                       [](const GraphPtr& g) { return g->Animation(); });
}

CBox CScene::GetBox(std::int32_t step, const SceneBoxContext& context) {
    return GetBox([step](CGraph& g) { return g.Animation() ? g.GetBox(step) : g.GetBox(); },
                  context);
}

CBox CScene::GetBox(const std::function<CBox(CGraph&)>& boxOf, const SceneBoxContext& context) {
    CBox all = CBox::Empty();
    for (const GraphPtr& g : graphs_)
        all.Include(boxOf(*g));
    float minX = all.MinX, maxX = all.MaxX, minY = all.MinY, maxY = all.MaxY;
    float minZ = all.MinZ, maxZ = all.MaxZ;
    minX -= kMargin;
    minY -= kMargin;
    minZ -= kMargin;
    maxX += kMargin;
    maxY += kMargin;
    maxZ += kMargin;

    float largest = 0.0f;
    for (float v : {minX, maxX, minY, maxY, minZ, maxZ})
        largest = std::max(largest, std::fabs(v));
    labelUnitBase_ = largest / 10.0f;

    extents_ = CBox{minX, maxX, minY, maxY, minZ, maxZ};
    CBox box = extents_;

    if (IsPlaneScene(context.SceneKind)) {
        // Two-dimensional documents: X and Y snap outward to whole label units,
        // so the grid lines of the axes fall on the edges.
        const float unit = LabelUnit(labelUnitBase_);
        const float unitX = context.ShowPI ? kRoundedPi : unit;
        const float nMinX = std::floor(std::fabs(minX + kMargin) / unitX) + 1.0f;
        const float nMaxX = std::floor(std::fabs(maxX - kMargin) / unitX) + 1.0f;
        const float nMinY = std::floor(std::fabs(minY + kMargin) / unit) + 1.0f;
        const float nMaxY = std::floor(std::fabs(maxY - kMargin) / unit) + 1.0f;
        box.MinX = -nMinX * unitX;
        box.MaxX = nMaxX * unitX;
        box.MinY = -nMinY * unit;
        box.MaxY = nMaxY * unit;
    }
    return box;
}

std::uint64_t CScene::SampledPoints() const {
    std::uint64_t points = 0;
    for (const GraphPtr& graph : graphs_)
        points += graph->RealPart().Count();
    return points;
}

} // namespace tervane
