#pragma once

#include "expr/Complex.h"
#include "expr/EvalStatus.h"
#include "expr/Tokens.h"
#include "expr/detail/ProgramKernel.h"

#include <complex>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace tervane {

/// Instruction sets the compiled program's kernel is built for.
enum class InstructionSet : std::uint8_t {
    Sse2, ///< every x86-64 processor
    Avx2, ///< AVX2 and FMA
};

/// A postfix text compiled once into a flat instruction list whose stack slots are fixed at
/// compile time. Evaluates blocks of points in structure-of-arrays form, a chunk of points per
/// instruction, with the elementary functions taken from a vector library (SLEEF, double
/// precision, 1 ulp) instead of libm. Every step is otherwise the checked complex library's, in
/// the same precision, so the statuses are those of CEvaluator::DoEvaluate at every point and a
/// value differs from it by at most one unit in the last place of a single, where the vector
/// library and libm round a double result to different sides of a single.
class CompiledProgram {
public:
    /// Compiles a postfix text (as produced by CEvaluator::InfixToPostfix). The program uses
    /// the best instruction set of this processor.
    static CompiledProgram Compile(std::string_view postfix);

    /// The widest instruction set this processor runs.
    static InstructionSet BestInstructionSet();

    /// Makes the program use another instruction set; false (and no change) when the
    /// processor lacks it.
    bool UseInstructionSet(InstructionSet set);
    InstructionSet UsedInstructionSet() const noexcept { return set_; }

    /// Evaluates at z = x + yi with animation parameter t.
    EvalStatus Evaluate(float x, float y, float t, Complex& w) const;

    /// Evaluates at z in double precision throughout (constants as compiled): the same
    /// steps, branches and faults, without narrowing to single between them. For refining
    /// positions more finely than a single resolves; not bit-equal to Evaluate.
    EvalStatus EvaluatePrecise(std::complex<double> z, double t, std::complex<double>& w) const;

    /// Evaluates n points z = x[k] + y[k]·i into u[k] + v[k]·i. Where status[k] is not Value,
    /// u[k] and v[k] are NaN. Returns true when some status is neither Value nor an arithmetic
    /// fault (DivisionByZero, Overflow): a failure of the whole function.
    bool EvaluateBlock(const float* x, const float* y, std::size_t n, float t, float* u, float* v,
                       EvalStatus* status) const;

    /// The same into complex values.
    void EvaluateBlock(const float* x, const float* y, std::size_t n, float t, Complex* w,
                       EvalStatus* status) const;

    /// Evaluates a row of n sampled points into u and v (NaN where a point has no value) and
    /// their magnitudes m, as EvaluateBlock and Summarise do together (a chunk at a time, while
    /// it is in the cache, and without the statuses), and widens ranges. Returns the first
    /// status that fails the whole function (NoValue, TypeMismatch, StackEmpty), or Value.
    EvalStatus EvaluateRow(const float* x, const float* y, std::size_t n, float t, float* u,
                           float* v, float* m, detail::BlockRanges& ranges) const;

    /// The same for a row whose points all have the real part x, as a row of a Cartesian grid.
    EvalStatus EvaluateRow(float x, const float* y, std::size_t n, float t, float* u, float* v,
                           float* m, detail::BlockRanges& ranges) const;

    /// m[k] = |u[k] + v[k]·i| in double precision, narrowed, and ranges widened by the n points
    /// (x and y only where u is defined, NaN passed over), with this program's instruction set.
    void Summarise(const float* x, const float* y, const float* u, const float* v, float* m,
                   std::size_t n, detail::BlockRanges& ranges) const;

    /// True when the function reads the animation parameter t.
    bool UsesT() const noexcept { return usesT_; }

    /// Largest number of values on the stack at once.
    std::size_t MaxDepth() const noexcept { return maxDepth_; }

    /// Number of instructions.
    std::size_t Size() const noexcept { return ops_.size(); }

private:
    using Code = detail::OpCode;
    using Op = detail::KernelOp;

    /// The instruction of a function: the library's functions have their own,
    /// the others go through Code::Func.
    static Code FunctionCode(Func func);

    /// The instruction that pushes a variable (V, B and N push the constant 0).
    static Code VariableCode(Variable variable);

    /// Compiles a postfix text instruction by instruction, each checking its results.
    static CompiledProgram Translate(std::string_view postfix);

    /// Lets instructions whose operand is z read it from the frame instead of a slot.
    void FoldVariables();

    /// Leaves the overflow checks of sums and products to Check instructions where their
    /// values are next used by anything else, and at the end.
    void DeferOverflowChecks();

    /// Runs the program over n points a chunk at a time; output(kernel, lanes, top, xs, begin,
    /// count) takes each chunk's statuses, top stack slot and real parts. A chunk starting at
    /// point k reads its real parts from x + k·xStep: xStep 0 gives every chunk the same ones.
    template <typename Output>
    void RunChunks(const float* x, std::size_t xStep, const float* y, std::size_t n, float t,
                   Output output) const;

    EvalStatus EvaluateRow(const float* x, std::size_t xStep, const float* y, std::size_t n,
                           float t, float* u, float* v, float* m,
                           detail::BlockRanges& ranges) const;

    std::vector<Op> ops_;
    /// How a run that gets past the last instruction ends: Value, NoValue, or
    /// the error of the token where compilation stopped.
    EvalStatus tail_ = EvalStatus::NoValue;
    std::size_t maxDepth_ = 0;
    std::size_t finalDepth_ = 0;
    bool usesT_ = false;
    InstructionSet set_ = InstructionSet::Sse2;
};

} // namespace tervane
