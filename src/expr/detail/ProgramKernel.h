#pragma once

// The interface between a compiled program and its vector kernels. The kernels are built once
// per instruction set (ProgramKernelSse2.cpp for every x86-64, ProgramKernelAvx2.cpp with AVX2
// and FMA) and chosen at run time. This header holds only plain data and declarations: no
// function with a body, so nothing here is compiled with one file's instruction set and then
// called from another's.

#include <cstddef>
#include <cstdint>

namespace tervane::detail {

/// Instructions of a compiled program.
enum class OpCode : std::uint8_t {
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
    /// Marks Overflow where a value of slots k..slot is not finite: the checks that the
    /// instructions before it left out (see CompiledProgram::DeferOverflowChecks).
    Check,
};

/// One instruction: its result (and first operand) lives in stack slot `slot`, a second stack
/// operand in slot + 1.
struct KernelOp {
    OpCode code = OpCode::Const;
    std::uint8_t func = 0;  ///< the Func of OpCode::Func
    std::uint16_t slot = 0; ///< stack slot of the result (and first operand)
    std::int32_t k = 0;     ///< integer exponent of PowIntC
    float cr = 0, ci = 0;   ///< constant operand
    /// Operands read straight from z (the frame's x and y) instead of their slots: kFromZFirst,
    /// kFromZSecond. Only for the instructions CompiledProgram::FoldVariables lists.
    std::uint8_t fromZ = 0;
};

inline constexpr std::uint8_t kFromZFirst = 1;
inline constexpr std::uint8_t kFromZSecond = 2;

/// Points per chunk: the stack slots of a chunk stay in the L1 cache.
inline constexpr std::size_t kKernelChunk = 256;
/// A chunk's point count is rounded up to a multiple of this (the widest vector of floats).
inline constexpr std::size_t kKernelLanes = 8;

/// Per-point status inside a kernel: 0 while the point has a value, else its EvalStatus.
using LaneStatus = std::int32_t;

/// An operation the kernels leave to the scalar library (general powers, the functions without
/// a vector form): applied to every point whose status is 0, in place on slot a.
using ScalarStep = void (*)(const KernelOp& op, float* ar, float* ai, const float* br,
                            const float* bi, LaneStatus* status, std::size_t n);

/// One chunk of points: inputs padded to a multiple of kKernelLanes, a stack of
/// 2 * kKernelChunk floats per slot (real parts, then imaginary parts) and a status per point.
struct KernelFrame {
    const float* x = nullptr;
    const float* y = nullptr;
    float t = 0;
    std::size_t n = 0;
    float* stack = nullptr;
    LaneStatus* status = nullptr;
    ScalarStep scalar = nullptr;
};

/// Ranges of one block of sampled points (min above max while empty), in the order x, y, u, v,
/// |w|.
struct BlockRanges {
    float min[5];
    float max[5];
};

/// The kernel functions of one instruction set.
struct KernelTable {
    /// Runs count instructions over one chunk, every status starting at 0.
    void (*run)(const KernelOp* ops, std::size_t count, const KernelFrame& frame);
    /// Writes the results of a chunk: status[k] is lanes[k], or tail where lanes[k] is 0; u and v
    /// are the top slot's parts where that status is 0 (Value), NaN elsewhere. Returns true when
    /// some status is neither Value nor an arithmetic fault (a whole-function failure).
    bool (*finish)(const LaneStatus* lanes, LaneStatus tail, const float* topRe, const float* topIm,
                   std::size_t n, float* u, float* v, std::uint8_t* status);
    /// m = |u + vi| (double precision, narrowed), and widens ranges by the points whose u is not
    /// NaN (x and y) or by every non-NaN value (u, v, m).
    void (*summarise)(const float* x, const float* y, const float* u, const float* v, float* m,
                      std::size_t n, BlockRanges& ranges);
    /// finish and summarise over one chunk of a sampled row, without the statuses: writes u, v
    /// (NaN where the point has no value) and m, widens ranges, and returns the first status
    /// that fails the whole function (NoValue, TypeMismatch or StackEmpty; 0 when none).
    LaneStatus (*store)(const LaneStatus* lanes, LaneStatus tail, const float* topRe,
                        const float* topIm, const float* x, const float* y, std::size_t n, float* u,
                        float* v, float* m, BlockRanges& ranges);
};

extern const KernelTable kSse2Kernel;
extern const KernelTable kAvx2Kernel;

} // namespace tervane::detail
