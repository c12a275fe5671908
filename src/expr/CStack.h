#pragma once

#include "expr/ExprError.h"

#include <cstdint>
#include <limits>
#include <vector>

namespace tervane {

/// Last-in-first-out stack used by the translator (token texts) and the
/// evaluator (numbers). Storage grows in steps of 10 slots and never shrinks,
/// so one translation or evaluation allocates once or twice.
template <typename T> class CStack {
public:
    static constexpr std::int32_t kGrowth = 10;

    /// Number of values on the stack.
    std::int32_t StackSize() const noexcept { return count_; }

    /// Number of allocated slots.
    std::int32_t Capacity() const noexcept { return static_cast<std::int32_t>(items_.size()); }

    /// Puts a value on top.
    void Push(const T& value) {
        if (count_ == std::numeric_limits<std::int32_t>::max())
            throw ExprError(EvalStatus::Overflow);
        if (count_ + 1 > Capacity()) items_.resize(items_.size() + kGrowth);
        items_[count_++] = value;
    }

    /// Removes and returns the top value; the slot keeps its content.
    T Pop() {
        if (count_ == 0) throw ExprError(EvalStatus::StackEmpty);
        return items_[--count_];
    }

    /// Returns the top value without removing it.
    const T& GetPopValue() const {
        if (count_ == 0) throw ExprError(EvalStatus::PeekEmpty);
        return items_[count_ - 1];
    }

private:
    std::vector<T> items_;
    std::int32_t count_ = 0;
};

} // namespace tervane
