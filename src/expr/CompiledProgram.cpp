#include "expr/CompiledProgram.h"

#include "expr/ElementaryFunctions.h"
#include "expr/detail/PostfixReader.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>

namespace tervane {

namespace {

using detail::KernelFrame;
using detail::KernelOp;
using detail::KernelTable;
using detail::kKernelChunk;
using detail::kKernelLanes;
using detail::LaneStatus;

// The kernels write statuses as bytes.
static_assert(sizeof(EvalStatus) == sizeof(std::uint8_t));

const KernelTable& Kernel(InstructionSet set) {
    return set == InstructionSet::Avx2 ? detail::kAvx2Kernel : detail::kSse2Kernel;
}

// The steps the kernels leave to the scalar library: general powers with a stack exponent and
// the functions without a vector form.
void ScalarStep(const KernelOp& op, float* ar, float* ai, const float* br, const float* bi,
                LaneStatus* status, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) {
        if (status[i] != 0) continue;
        Complex out;
        const Complex a{ar[i], ai[i]};
        const EvalStatus f = op.code == detail::OpCode::Pow
                                 ? cx::Pow(a, Complex{br[i], bi[i]}, out)
                                 : ApplyFunction(static_cast<Func>(op.func), a, out);
        if (f != EvalStatus::Value) {
            status[i] = static_cast<LaneStatus>(f);
        } else {
            ar[i] = out.re;
            ai[i] = out.im;
        }
    }
}

} // namespace

InstructionSet CompiledProgram::BestInstructionSet() {
    static const InstructionSet best =
        __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma") ? InstructionSet::Avx2
                                                                        : InstructionSet::Sse2;
    return best;
}

bool CompiledProgram::UseInstructionSet(InstructionSet set) {
    if (set == InstructionSet::Avx2 && BestInstructionSet() != InstructionSet::Avx2) return false;
    set_ = set;
    return true;
}

CompiledProgram::Code CompiledProgram::FunctionCode(Func func) {
    switch (func) {
    case Func::Sin:
        return Code::Sin;
    case Func::Cos:
        return Code::Cos;
    case Func::Tan:
        return Code::Tan;
    case Func::Ctan:
        return Code::Ctan;
    case Func::Log:
        return Code::Log;
    case Func::Exp:
        return Code::Exp;
    case Func::Sqr:
        return Code::Sqr;
    default:
        return Code::Func;
    }
}

CompiledProgram::Code CompiledProgram::VariableCode(Variable variable) {
    switch (variable) {
    case Variable::Z:
        return Code::Z;
    case Variable::X:
        return Code::X;
    case Variable::Y:
        return Code::Y;
    case Variable::T:
        return Code::T;
    case Variable::A:
        return Code::Arg;
    case Variable::R:
        return Code::Mod;
    default:
        return Code::Const;
    }
}

CompiledProgram CompiledProgram::Compile(std::string_view postfix) {
    CompiledProgram p = Translate(postfix);
    p.FoldVariables();
    p.DeferOverflowChecks();
    return p;
}

// z sits in the frame's x and y for the whole chunk, so an instruction whose operand is z can
// read it there instead of from a slot that z was copied into. A value stays in its slot until
// the instruction that takes it: the first later instruction that writes a slot at or below
// it, which takes it as its first operand (same slot) or as its second (the slot below).
void CompiledProgram::FoldVariables() {
    auto takesFirst = [](Code code) {
        switch (code) {
        case Code::Add:
        case Code::Sub:
        case Code::Mul:
        case Code::Div:
        case Code::AddC:
        case Code::SubC:
        case Code::MulC:
        case Code::DivC:
        case Code::Square:
        case Code::Log:
        case Code::Exp:
            return true;
        default:
            return false;
        }
    };
    auto takesSecond = [](Code code) {
        return code == Code::Add || code == Code::Sub || code == Code::Mul || code == Code::Div;
    };
    std::vector<bool> folded(ops_.size(), false);
    for (std::size_t i = 0; i < ops_.size(); ++i) {
        if (ops_[i].code != Code::Z) continue;
        const std::uint16_t slot = ops_[i].slot;
        std::size_t j = i + 1;
        while (j < ops_.size() && ops_[j].slot > slot)
            ++j;
        if (j == ops_.size()) continue; // the result itself
        Op& taker = ops_[j];
        if (taker.slot == slot && takesFirst(taker.code)) {
            taker.fromZ |= detail::kFromZFirst;
            folded[i] = true;
        } else if (taker.slot + 1 == slot && takesSecond(taker.code)) {
            taker.fromZ |= detail::kFromZSecond;
            folded[i] = true;
        }
    }
    std::vector<Op> ops;
    ops.reserve(ops_.size());
    for (std::size_t i = 0; i < ops_.size(); ++i)
        if (!folded[i]) ops.push_back(ops_[i]);
    ops_ = std::move(ops);
}

// An instruction that only adds, subtracts and multiplies keeps non-finite parts non-finite:
// inf and NaN stay inf or NaN through every sum, and through every product (inf·0 is NaN).
// Once such an instruction's result is not finite, every result computed from it is not finite
// either, so the check of a run of them can wait until a value leaves the run. The wait ends
// before any other instruction, which may set a fault of its own and must see the run's first,
// and at the end; the Checks then cover every slot the run wrote that is still on the stack.
// The statuses are those of checking after every instruction, at a fraction of the work.
void CompiledProgram::DeferOverflowChecks() {
    auto deferred = [](const Op& op) {
        switch (op.code) {
        case Code::Add:
        case Code::Sub:
        case Code::Mul:
        case Code::AddC:
        case Code::SubC:
        case Code::MulC:
        case Code::Square:
            return true;
        case Code::PowIntC:
            // z^0 is 1 whatever z is, and a negative power divides.
            return op.k > 0;
        default:
            return false;
        }
    };
    // Instructions that can never fault and leave the pending checks as they are.
    auto neutral = [](const Op& op) {
        switch (op.code) {
        case Code::Const:
        case Code::X:
        case Code::Y:
        case Code::Z:
        case Code::T:
        case Code::Neg:
            return true;
        default:
            return false;
        }
    };
    // pending[s]: slot s holds a value of the run whose check is still to come. A value a
    // sum or product takes is checked through its result, so taking it clears its slot.
    std::vector<bool> pending;
    std::vector<Op> ops;
    ops.reserve(ops_.size() + 1);
    auto flush = [&] {
        for (std::size_t first = 0; first < pending.size(); ++first) {
            if (!pending[first]) continue;
            std::size_t last = first;
            while (last + 1 < pending.size() && pending[last + 1])
                ++last;
            Op check{};
            check.code = Code::Check;
            check.k = static_cast<std::int32_t>(first);
            check.slot = static_cast<std::uint16_t>(last);
            ops.push_back(check);
            first = last;
        }
        pending.assign(pending.size(), false);
    };
    for (const Op& op : ops_) {
        if (deferred(op)) {
            pending.resize(std::max<std::size_t>(pending.size(), op.slot + 1u), false);
            std::fill(pending.begin() + op.slot + 1, pending.end(), false);
            pending[op.slot] = true;
        } else if (!neutral(op)) {
            flush();
        }
        // A neutral instruction pushes a finite value onto a free slot, or negates one in place.
        ops.push_back(op);
    }
    flush();
    ops_ = std::move(ops);
}

CompiledProgram CompiledProgram::Translate(std::string_view postfix) {
    using detail::BinaryOp;
    using detail::PostfixKind;
    CompiledProgram p;
    p.set_ = BestInstructionSet();
    std::size_t depth = 0;
    auto push = [&](Op op) {
        op.slot = static_cast<std::uint16_t>(depth);
        p.ops_.push_back(op);
        ++depth;
        p.maxDepth_ = std::max(p.maxDepth_, depth);
    };
    // Stops compiling: every run that gets here ends with this status.
    auto stop = [&](EvalStatus status) {
        p.tail_ = status;
        p.finalDepth_ = depth;
    };
    // Instructions of the binary operators, indexed by BinaryOp: with two stack
    // operands, and with a constant right operand.
    static constexpr Code kBinaryCodes[] = {Code::Add, Code::Sub, Code::Mul, Code::Div, Code::Pow};
    static constexpr Code kConstantOperandCodes[] = {Code::AddC, Code::SubC, Code::MulC, Code::DivC,
                                                     Code::PowC};
    // Replaces the operand on top by the result of a one-operand instruction.
    auto unary = [&](Code code, Func func = Func::Sin) -> bool {
        if (depth < 1) return false;
        --depth;
        Op op{};
        op.code = code;
        op.func = static_cast<std::uint8_t>(func);
        push(op);
        return true;
    };

    detail::PostfixReader reader(postfix);
    detail::PostfixToken token;
    while (reader.Next(token)) {
        if (depth >= std::numeric_limits<std::uint16_t>::max() - 1) {
            stop(EvalStatus::Overflow);
            return p;
        }

        switch (token.kind) {
        case PostfixKind::Function:
            if (!unary(FunctionCode(token.func), token.func)) {
                stop(EvalStatus::StackEmpty);
                return p;
            }
            break;
        case PostfixKind::Literal: {
            if (token.status != EvalStatus::Value) {
                stop(token.status);
                return p;
            }
            Op op{};
            op.cr = token.value.re;
            op.ci = token.value.im;
            push(op);
            break;
        }
        case PostfixKind::Binary: {
            if (depth < 2) {
                stop(EvalStatus::StackEmpty);
                return p;
            }
            const auto index = static_cast<std::size_t>(token.op);
            Op& last = p.ops_.back();
            // A constant right operand is folded into the operator.
            if (last.code == Code::Const && last.slot == depth - 1) {
                const Complex b{last.cr, last.ci};
                int k = 0;
                last.slot = static_cast<std::uint16_t>(depth - 2);
                last.code = kConstantOperandCodes[index];
                if (token.op == BinaryOp::Pow && cx::IsSmallIntegerExponent(b, k)) {
                    // a^2 by binary powering is exactly one product a·a.
                    last.code = k == 2 ? Code::Square : Code::PowIntC;
                    last.k = k;
                }
                --depth;
            } else {
                depth -= 2;
                Op op{};
                op.code = kBinaryCodes[index];
                push(op);
            }
            break;
        }
        case PostfixKind::Negate:
            if (!unary(Code::Neg)) {
                stop(EvalStatus::StackEmpty);
                return p;
            }
            break;
        case PostfixKind::Variable: {
            Op op{};
            op.code = VariableCode(token.variable);
            if (token.variable == Variable::T) p.usesT_ = true;
            push(op);
            break;
        }
        case PostfixKind::Unknown:
            break; // unknown tokens push nothing
        }
    }
    p.tail_ = depth == 0 ? EvalStatus::NoValue : EvalStatus::Value;
    p.finalDepth_ = depth;
    return p;
}

EvalStatus CompiledProgram::Evaluate(float x, float y, float t, Complex& w) const {
    EvalStatus status = EvalStatus::Value;
    float u = 0, v = 0;
    EvaluateBlock(&x, &y, 1, t, &u, &v, &status);
    if (status == EvalStatus::Value) w = Complex{u, v};
    return status;
}

void CompiledProgram::EvaluateBlock(const float* x, const float* y, std::size_t n, float t,
                                    Complex* w, EvalStatus* status) const {
    std::array<float, kKernelChunk> u, v;
    for (std::size_t begin = 0; begin < n; begin += kKernelChunk) {
        const std::size_t count = std::min(kKernelChunk, n - begin);
        EvaluateBlock(x + begin, y + begin, count, t, u.data(), v.data(), status + begin);
        for (std::size_t i = 0; i < count; ++i)
            w[begin + i] = Complex{u[i], v[i]};
    }
}

template <typename Output>
void CompiledProgram::RunChunks(const float* x, std::size_t xStep, const float* y, std::size_t n,
                                float t, Output output) const {
    // Per thread: the stack (real and imaginary parts of every slot, one spare slot so that the
    // second operand of the top slot is addressable), the statuses and padded inputs.
    struct Scratch {
        std::vector<float> stack;
        std::array<LaneStatus, kKernelChunk> lanes;
        std::array<float, kKernelChunk> x, y;
    };
    thread_local Scratch scratch;
    const std::size_t slots = maxDepth_ + 1;
    if (scratch.stack.size() < 2 * kKernelChunk * slots)
        scratch.stack.resize(2 * kKernelChunk * slots);

    const KernelTable& kernel = Kernel(set_);
    // Without a value on the stack every status is a failure and the top is never read.
    const float* top =
        scratch.stack.data() + 2 * kKernelChunk * (finalDepth_ > 0 ? finalDepth_ - 1 : 0);
    for (std::size_t begin = 0; begin < n; begin += kKernelChunk) {
        const std::size_t count = std::min(kKernelChunk, n - begin);
        const std::size_t padded = (count + kKernelLanes - 1) / kKernelLanes * kKernelLanes;
        KernelFrame frame;
        frame.x = x + begin * xStep;
        frame.y = y + begin;
        if (padded != count) {
            // The kernel reads whole vectors: the last chunk is copied and padded with its last
            // point, so that a row of one x (or one y) stays one value to the kernel.
            const float* xs = x + begin * xStep;
            std::fill(std::copy(xs, xs + count, scratch.x.begin()), scratch.x.begin() + padded,
                      xs[count - 1]);
            std::fill(std::copy(y + begin, y + begin + count, scratch.y.begin()),
                      scratch.y.begin() + padded, y[begin + count - 1]);
            frame.x = scratch.x.data();
            frame.y = scratch.y.data();
        }
        frame.t = t;
        frame.n = padded;
        frame.stack = scratch.stack.data();
        frame.status = scratch.lanes.data();
        frame.scalar = ScalarStep;
        kernel.run(ops_.data(), ops_.size(), frame);
        output(kernel, scratch.lanes.data(), top, frame.x, begin, count);
    }
}

bool CompiledProgram::EvaluateBlock(const float* x, const float* y, std::size_t n, float t,
                                    float* u, float* v, EvalStatus* status) const {
    bool whole = false;
    RunChunks(x, 1, y, n, t,
              [&](const KernelTable& kernel, const LaneStatus* lanes, const float* top,
                  const float*, std::size_t begin, std::size_t count) {
                  whole |= kernel.finish(lanes, static_cast<LaneStatus>(tail_), top,
                                         top + kKernelChunk, count, u + begin, v + begin,
                                         reinterpret_cast<std::uint8_t*>(status + begin));
              });
    return whole;
}

EvalStatus CompiledProgram::EvaluateRow(const float* x, const float* y, std::size_t n, float t,
                                        float* u, float* v, float* m,
                                        detail::BlockRanges& ranges) const {
    return EvaluateRow(x, 1, y, n, t, u, v, m, ranges);
}

EvalStatus CompiledProgram::EvaluateRow(float x, const float* y, std::size_t n, float t, float* u,
                                        float* v, float* m, detail::BlockRanges& ranges) const {
    // One chunk's worth of x serves every chunk of the row.
    thread_local std::array<float, kKernelChunk> xs;
    std::fill(xs.begin(), xs.begin() + static_cast<std::ptrdiff_t>(std::min(n, kKernelChunk)), x);
    return EvaluateRow(xs.data(), 0, y, n, t, u, v, m, ranges);
}

EvalStatus CompiledProgram::EvaluateRow(const float* x, std::size_t xStep, const float* y,
                                        std::size_t n, float t, float* u, float* v, float* m,
                                        detail::BlockRanges& ranges) const {
    LaneStatus whole = 0;
    RunChunks(x, xStep, y, n, t,
              [&](const KernelTable& kernel, const LaneStatus* lanes, const float* top,
                  const float* xs, std::size_t begin, std::size_t count) {
                  const LaneStatus failure =
                      kernel.store(lanes, static_cast<LaneStatus>(tail_), top, top + kKernelChunk,
                                   xs, y + begin, count, u + begin, v + begin, m + begin, ranges);
                  whole = whole != 0 ? whole : failure;
              });
    return static_cast<EvalStatus>(whole);
}

void CompiledProgram::Summarise(const float* x, const float* y, const float* u, const float* v,
                                float* m, std::size_t n, detail::BlockRanges& ranges) const {
    Kernel(set_).summarise(x, y, u, v, m, n, ranges);
}

} // namespace tervane
