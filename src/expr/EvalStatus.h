#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tervane {

/// Outcome of an evaluation step: of one operation of the complex library, of
/// a point of the compiled program, or of an error the text evaluator raises
/// as ExprError. Every status has one error number and one message, given by
/// EvalStatusNumber and EvalStatusMessage.
enum class EvalStatus : std::uint8_t {
    Value = 0,      ///< a value was computed
    NoValue,        ///< the program leaves nothing on the stack
    DivisionByZero, ///< arithmetic fault
    Overflow,       ///< arithmetic fault (overflow or invalid operation)
    TypeMismatch,   ///< a number literal does not convert
    StackEmpty,     ///< an operator finds too few operands (a pop from an empty stack)
    PeekEmpty,      ///< the top of an empty stack is read
    Subscript,      ///< a list index outside the list
};

/// Number of distinct statuses.
inline constexpr std::size_t kEvalStatusCount = 8;

/// The error number of a status: the numbered-error convention of
/// ExprError::Number (0 for Value and NoValue, which are not errors).
int EvalStatusNumber(EvalStatus status);

/// The one-line message for a status ("" for Value).
std::string_view EvalStatusMessage(EvalStatus status);

} // namespace tervane
