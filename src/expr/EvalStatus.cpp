#include "expr/EvalStatus.h"

#include "expr/ExprError.h"

#include <array>

namespace tervane {

namespace {

struct StatusRow {
    EvalStatus status;
    int number;
    std::string_view message;
};

// The engine's error numbers and messages, one row per status, in the order of the enum.
constexpr std::array<StatusRow, kEvalStatusCount> kStatusRows = {{
    {EvalStatus::Value, 0, ""},
    {EvalStatus::NoValue, 0, "No value"},
    {EvalStatus::DivisionByZero, ExprError::kDivisionByZero, "Division by zero"},
    {EvalStatus::Overflow, ExprError::kOverflow, "Overflow"},
    {EvalStatus::TypeMismatch, ExprError::kTypeMismatch, "Type mismatch"},
    {EvalStatus::StackEmpty, ExprError::kPopEmpty, "Pop method invoked on empty stack"},
    {EvalStatus::PeekEmpty, ExprError::kPeekEmpty, "GetPopValue method invoked on empty stack"},
    {EvalStatus::Subscript, ExprError::kSubscript, "Subscript out of range"},
}};

constexpr bool RowsInEnumOrder() {
    for (std::size_t i = 0; i < kStatusRows.size(); ++i)
        if (static_cast<std::size_t>(kStatusRows[i].status) != i) return false;
    return true;
}
static_assert(RowsInEnumOrder(), "kStatusRows must list the statuses in the order of the enum");

const StatusRow& Row(EvalStatus status) {
    const auto index = static_cast<std::size_t>(status);
    return kStatusRows[index < kStatusRows.size() ? index : 0];
}

} // namespace

int EvalStatusNumber(EvalStatus status) {
    return Row(status).number;
}

std::string_view EvalStatusMessage(EvalStatus status) {
    return Row(status).message;
}

} // namespace tervane
