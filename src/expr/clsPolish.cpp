#include "expr/clsPolish.h"

#include "expr/ExprError.h"

namespace tervane {

namespace {
[[noreturn]] void Subscript() {
    throw ExprError(EvalStatus::Subscript);
}
} // namespace

void clsPolish::Push(std::int32_t Index, std::int16_t Rank, const std::string& Data) {
    if (Index < 0 || Index > count_) Subscript();
    elements_.resize(static_cast<std::size_t>(count_) + 1);
    for (std::int32_t i = count_; i > Index; --i)
        elements_[i] = std::move(elements_[i - 1]);
    elements_[Index] = Element{Rank, Data};
    ++count_;
}

void clsPolish::Kill(std::int32_t Index, std::int32_t Num) {
    if (Index < 0 || Num < 0 || Index > count_ - Num) Subscript();
    for (std::int32_t i = Index; i <= count_ - Num - 1; ++i)
        elements_[i] = elements_[i + Num];
    count_ -= Num;
}

std::int16_t clsPolish::GetRank(std::int32_t Index) const {
    return At(Index).rank;
}

const std::string& clsPolish::GetData(std::int32_t Index) const {
    return At(Index).data;
}

const clsPolish::Element& clsPolish::At(std::int32_t index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= elements_.size()) Subscript();
    return elements_[index];
}

} // namespace tervane
