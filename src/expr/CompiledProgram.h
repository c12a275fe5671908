#pragma once

#include "expr/Complex.h"
#include "expr/EvalStatus.h"
#include "expr/Tokens.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace tervane {

/// A postfix text compiled once into a flat instruction list whose stack
/// slots are fixed at compile time. Evaluates one point or a block of points
/// with the same results, bit for bit, as CEvaluator::DoEvaluate.
class CompiledProgram {
public:
    /// Compiles a postfix text (as produced by CEvaluator::InfixToPostfix).
    static CompiledProgram Compile(std::string_view postfix);

    /// Evaluates at z = x + yi with animation parameter t.
    EvalStatus Evaluate(float x, float y, float t, Complex& w) const;

    /// Evaluates n points z = x[k] + y[k]·i. Where status[k] is not Value,
    /// w[k] is NaN + NaN·i.
    void EvaluateBlock(const float* x, const float* y, std::size_t n, float t, Complex* w,
                       EvalStatus* status) const;

    /// True when the function reads the animation parameter t.
    bool UsesT() const noexcept { return usesT_; }

    /// Largest number of values on the stack at once.
    std::size_t MaxDepth() const noexcept { return maxDepth_; }

    /// Number of instructions.
    std::size_t Size() const noexcept { return ops_.size(); }

private:
    enum class Code : std::uint8_t {
        Const,
        X,
        Y,
        Z,
        T,
        Arg,
        Mod,
        Neg,
        Add,
        Sub,
        Mul,
        Div,
        Pow,
        AddC,
        SubC,
        MulC,
        DivC,
        PowC,
        PowIntC,
        Square,
        Sin,
        Cos,
        Tan,
        Ctan,
        Log,
        Exp,
        Sqr,
        Func,
    };

    struct Op {
        explicit Op(Code c) : code(c) {}
        Code code;
        Func func = Func::Sin;
        std::int32_t k = 0;     ///< integer exponent of PowIntC
        std::uint16_t slot = 0; ///< stack slot of the result (and first operand)
        Complex c;              ///< constant operand
    };

    /// The instruction of a function: the library's functions have their own,
    /// the others go through Code::Func.
    static Code FunctionCode(Func func);

    /// The instruction that pushes a variable (V, B and N push the constant 0).
    static Code VariableCode(Variable variable);

    void RunChunk(const float* x, const float* y, std::size_t n, float t, Complex* w,
                  EvalStatus* status, Complex* stack) const;

    std::vector<Op> ops_;
    /// How a run that gets past the last instruction ends: Value, NoValue, or
    /// the error of the token where compilation stopped.
    EvalStatus tail_ = EvalStatus::NoValue;
    std::size_t maxDepth_ = 0;
    std::size_t finalDepth_ = 0;
    bool usesT_ = false;
};

} // namespace tervane
