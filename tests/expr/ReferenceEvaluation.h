#pragma once

#include "expr/CEvaluator.h"
#include "expr/CompiledProgram.h"
#include "expr/ExprError.h"

#include <bit>
#include <cstdint>
#include <optional>
#include <string>

namespace tervane::testing {

/// What the text-driven evaluator makes of a point, in the compiled program's terms; empty for
/// an error the compiled program has no status for (which would be a fault of its own).
inline std::optional<EvalStatus> ReferenceEvaluate(const std::string& postfix, float x, float y,
                                                   float t, Complex& w) {
    CEvaluator evaluator;
    try {
        if (!evaluator.DoEvaluate(postfix, false, w.re, w.im, x, y, t)) return EvalStatus::NoValue;
        return EvalStatus::Value;
    } catch (const ExprError& e) {
        switch (e.Number()) {
        case ExprError::kDivisionByZero:
            return EvalStatus::DivisionByZero;
        case ExprError::kOverflow:
            return EvalStatus::Overflow;
        case ExprError::kTypeMismatch:
            return EvalStatus::TypeMismatch;
        case ExprError::kPopEmpty:
        case ExprError::kPeekEmpty:
            return EvalStatus::StackEmpty;
        default:
            return std::nullopt;
        }
    }
}

/// True when two values have the same bits (NaN payloads and signed zeros included).
inline bool SameBits(Complex a, Complex b) {
    return std::bit_cast<std::uint32_t>(a.re) == std::bit_cast<std::uint32_t>(b.re) &&
           std::bit_cast<std::uint32_t>(a.im) == std::bit_cast<std::uint32_t>(b.im);
}

/// True when each part of a and b is at most one unit in the last place of a single from the
/// other (finite values of the same sign, or zeros). The compiled program may differ from the
/// text evaluator by that much: its vector library rounds a double result of an elementary
/// function to the other side of a single now and then.
inline bool WithinOneUlp(Complex a, Complex b) {
    auto ordered = [](float f) {
        const auto bits = static_cast<std::int64_t>(std::bit_cast<std::int32_t>(f));
        return bits < 0 ? -(bits & 0x7fffffff) : bits;
    };
    auto near = [&](float p, float q) {
        const std::int64_t d = ordered(p) - ordered(q);
        return d >= -1 && d <= 1;
    };
    return SameBits(a, b) || (near(a.re, b.re) && near(a.im, b.im));
}

} // namespace tervane::testing
