#pragma once

#include <stdexcept>
#include <string>

namespace tervane {

/// Numbered error raised by the expression engine; the number tells the kind.
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

    ExprError(int number, const std::string& description);

    /// The error number (one of the constants above).
    int Number() const noexcept { return number_; }

    /// True for division by zero and overflow: the point has no value.
    bool IsArithmetic() const noexcept {
        return number_ == kOverflow || number_ == kDivisionByZero;
    }

private:
    int number_;
};

} // namespace tervane
