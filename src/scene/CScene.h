#pragma once

#include "core/CBox.h"
#include "graph/CGraph.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tervane {

/// Where a scene's box is used: the document kind and whether X is labelled in units of π.
struct SceneBoxContext {
    std::int32_t SceneKind = 3;
    bool ShowPI = false;
};

/// An ordered collection of graphs with the scene orientation angles. Graphs
/// are shared: the same graph may sit in several scenes.
class CScene {
public:
    using GraphPtr = std::shared_ptr<CGraph>;

    /// The graphs in order.
    const std::vector<GraphPtr>& FunSurfs() const noexcept { return graphs_; }
    std::size_t Count() const noexcept { return graphs_.size(); }
    /// Grid points the graphs hold together (what drawing them all issues).
    [[nodiscard]] std::uint64_t SampledPoints() const;

    /// Appends a graph under the key of its ID; false when that key is taken.
    bool Add(GraphPtr graph);
    /// Inserts a graph at a position (0..Count); false when its key is taken.
    bool Insert(std::size_t position, GraphPtr graph);
    /// The graph stored under the decimal text of an ID, or null.
    GraphPtr Item(const std::string& key) const;
    /// Removes the graph under a key; false when there is none.
    bool Remove(const std::string& key);
    /// Position of the graph under a key, or -1.
    std::ptrdiff_t IndexOf(const std::string& key) const;
    /// Removes every graph.
    void Clear() noexcept { graphs_.clear(); }

    /// The key of a graph in the collection: the decimal text of its ID.
    static std::string KeyOf(const CGraph& graph) { return std::to_string(graph.ID()); }

    /// True when at least one graph is animated.
    bool Animation() const;

    /// The box of all graphs, widened by 0.04; snapped outward to whole label
    /// units in the two-dimensional kinds 1 and 4. Sets LabelUnitBase.
    CBox GetBox(std::int32_t step = 0, const SceneBoxContext& context = {});
    /// As GetBox, with each graph's box given by boxOf instead of its present grids (a view
    /// keeps the box of every animation step it drew, while the grids hold only the last one).
    CBox GetBox(const std::function<CBox(CGraph&)>& boxOf, const SceneBoxContext& context);

    /// One tenth of the largest absolute coordinate of the last GetBox (1 before).
    float LabelUnitBase() const noexcept { return labelUnitBase_; }

    float RotRoll() const noexcept { return rotRoll_; }
    float RotPitch() const noexcept { return rotPitch_; }
    float RotYaw() const noexcept { return rotYaw_; }
    void SetRotRoll(float v) noexcept { rotRoll_ = v; }
    void SetRotPitch(float v) noexcept { rotPitch_ = v; }
    void SetRotYaw(float v) noexcept { rotYaw_ = v; }

    /// The last merged box, widened but not snapped.
    const CBox& Extents() const noexcept { return extents_; }

private:
    std::vector<GraphPtr> graphs_;
    float rotRoll_ = 0.0f;
    float rotPitch_ = 0.0f;
    float rotYaw_ = 0.0f;
    float labelUnitBase_ = 1.0f;
    CBox extents_;
};

} // namespace tervane
