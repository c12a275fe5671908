#include "scene/CScene.h"

#include <algorithm>
#include <cmath>

namespace tervane {

namespace {
constexpr float kBoxReset = 9999999.0f;
constexpr float kMargin = 0.04f;
constexpr float kPiLabel = 3.1416f;
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
    float maxX = -kBoxReset, minX = kBoxReset;
    float maxY = -kBoxReset, minY = kBoxReset;
    float maxZ = -kBoxReset, minZ = kBoxReset;
    for (const GraphPtr& g : graphs_) {
        const CBox b = g->Animation() ? g->GetBox(step) : g->GetBox();
        // A graph box with minimum above maximum changes nothing.
        if (b.MinX < minX) minX = b.MinX;
        if (b.MaxX > maxX) maxX = b.MaxX;
        if (b.MinY < minY) minY = b.MinY;
        if (b.MaxY > maxY) maxY = b.MaxY;
        if (b.MinZ < minZ) minZ = b.MinZ;
        if (b.MaxZ > maxZ) maxZ = b.MaxZ;
    }
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

    if (context.SceneKind == 1 || context.SceneKind == 4) {
        // Two-dimensional documents: X and Y snap outward to whole label units,
        // so the grid lines of the axes fall on the edges.
        const float s = 2.0f * labelUnitBase_;
        float unit;
        if (s < 1.0f)
            unit = 1.0f;
        else if (s < 5.0f)
            unit = std::floor(s) + 1.0f;
        else
            unit = (std::floor(s / 5.0f) + 1.0f) * 5.0f;
        const float unitX = context.ShowPI ? kPiLabel : unit;
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

} // namespace tervane
