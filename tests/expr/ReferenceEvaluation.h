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

} // namespace tervane::testing
