#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tervane {

/// Ordered list of ranked tokens with insertion and removal by position.
/// Storage beyond ElementCount may hold stale elements; an index outside the
/// allocated storage raises a subscript error (ExprError::kSubscript).
class clsPolish {
public:
    /// Number of elements in use.
    std::int32_t ElementCount() const noexcept { return count_; }

    /// Forgets every element; the storage stays allocated.
    void Clear() noexcept { count_ = 0; }

    /// Inserts an element at Index (0..ElementCount), moving later ones up.
    void Push(std::int32_t Index, std::int16_t Rank, const std::string& Data);

    /// Removes Num elements from Index on.
    void Kill(std::int32_t Index, std::int32_t Num);

    /// Rank of the element at Index.
    std::int16_t GetRank(std::int32_t Index) const;

    /// Data text of the element at Index.
    const std::string& GetData(std::int32_t Index) const;

private:
    struct Element {
        std::int16_t rank = 0;
        std::string data;
    };

    const Element& At(std::int32_t index) const;

    std::vector<Element> elements_;
    std::int32_t count_ = 0;
};

} // namespace tervane
