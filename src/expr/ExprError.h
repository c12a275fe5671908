#pragma once

#include "expr/EvalStatus.h"

#include <stdexcept>

namespace tervane {

/// Numbered error raised by the expression engine. It carries the status that
/// failed; its number and description are the status's (EvalStatusNumber,
/// EvalStatusMessage), the number telling the kind.
class ExprError : public std::runtime_error {
public:
    /// Base of application-defined error numbers.
    static constexpr int kAppErrorBase = -2147221504;
    static constexpr int kPopEmpty = kAppErrorBase + 1011;
    static constexpr int kPeekEmpty = kAppErrorBase + 1012;
    /// Run-time error numbers for arithmetic faults, conversions and subscripts.
    static constexpr int kOverflow = 6;
    static constexpr int kSubscript = 9;
    static constexpr int kDivisionByZero = 11;
    static constexpr int kTypeMismatch = 13;

    explicit ExprError(EvalStatus status);

    /// The status that failed.
    EvalStatus Status() const noexcept { return status_; }

    /// The error number (one of the constants above).
    int Number() const noexcept { return EvalStatusNumber(status_); }

    /// True for division by zero and overflow: the point has no value.
    bool IsArithmetic() const noexcept {
        return status_ == EvalStatus::Overflow || status_ == EvalStatus::DivisionByZero;
    }

private:
    EvalStatus status_;
};

/// Raises the ExprError of a status; Value raises nothing.
inline void RaiseOnError(EvalStatus status) {
    if (status != EvalStatus::Value) [[unlikely]]
        throw ExprError(status);
}

} // namespace tervane
