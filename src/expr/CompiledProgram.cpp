#include "expr/CompiledProgram.h"

#include "expr/ElementaryFunctions.h"
#include "expr/detail/PostfixReader.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

namespace tervane {

namespace {

// Points per chunk of a block: the stack slots of a chunk stay in the L1 cache.
constexpr std::size_t kChunk = 256;

// Branch-free forms of cx::Add and cx::Mul for vectorised loops: the same
// arithmetic, with the fault reported as "not finite".
inline bool FiniteSum(Complex a, Complex b, Complex& out) {
    out.re = a.re + b.re;
    out.im = a.im + b.im;
    return std::isfinite(out.re) && std::isfinite(out.im);
}

inline bool FiniteProduct(Complex a, Complex b, Complex& out) {
    const double p = a.re, q = a.im, r = b.re, t = b.im;
    out.re = static_cast<float>(p * r - q * t);
    out.im = static_cast<float>(p * t + q * r);
    return std::isfinite(out.re) && std::isfinite(out.im);
}

bool SameBits(Complex a, Complex b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

} // namespace

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
    using detail::BinaryOp;
    using detail::PostfixKind;
    CompiledProgram p;
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
        Op op(code);
        op.func = func;
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
            Op op(Code::Const);
            op.c = token.value;
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
                const Complex b = last.c;
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
                push(Op(kBinaryCodes[index]));
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
            Op op(VariableCode(token.variable));
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
    Complex result;
    EvaluateBlock(&x, &y, 1, t, &result, &status);
    if (status == EvalStatus::Value) w = result;
    return status;
}

void CompiledProgram::EvaluateBlock(const float* x, const float* y, std::size_t n, float t,
                                    Complex* w, EvalStatus* status) const {
    thread_local std::vector<Complex> stack;
    const std::size_t slots = std::max<std::size_t>(maxDepth_, 1);
    if (stack.size() < slots * kChunk) stack.resize(slots * kChunk);
    for (std::size_t begin = 0; begin < n; begin += kChunk) {
        const std::size_t count = std::min(kChunk, n - begin);
        RunChunk(x + begin, y + begin, count, t, w + begin, status + begin, stack.data());
    }
}

void CompiledProgram::RunChunk(const float* x, const float* y, std::size_t n, float t, Complex* w,
                               EvalStatus* status, Complex* stack) const {
    std::fill(status, status + n, EvalStatus::Value);

    // Applies fn to every point still valid; a fault marks the point.
    auto each = [&](auto fn) {
        for (std::size_t i = 0; i < n; ++i) {
            if (status[i] != EvalStatus::Value) continue;
            const EvalStatus f = fn(i);
            if (f != EvalStatus::Value) status[i] = f;
        }
    };
    // For the cheap operations that can only overflow: every point is computed,
    // without branches, so the loop vectorises; a point that is already invalid
    // computes garbage that is never read, and a new overflow marks the point
    // unless an earlier fault has.
    auto all = [&](auto fn) {
        for (std::size_t i = 0; i < n; ++i) {
            const bool finite = fn(i);
            const bool keep = status[i] != EvalStatus::Value || finite;
            status[i] = keep ? status[i] : EvalStatus::Overflow;
        }
    };

    // Sine, cosine, tangent and cotangent of one argument share its exponential
    // pair, so sin(z)*cos(z) computes it once per point: the pair of the last
    // trigonometric argument is remembered per point and reused when the next
    // argument has the same bits. The values are exactly those of cx::Sin etc.
    struct PairMemo {
        Complex arg, u, w;
    };
    std::array<PairMemo, kChunk> memo;
    std::array<bool, kChunk> remembered{};
    auto trig = [&](Complex* a, auto fromPair) {
        each([&](std::size_t i) {
            PairMemo& m = memo[i];
            if (!remembered[i] || !SameBits(m.arg, a[i])) {
                if (EvalStatus f = cx::ExpPair(a[i], m.u, m.w); f != EvalStatus::Value) {
                    remembered[i] = false;
                    return f;
                }
                m.arg = a[i];
                remembered[i] = true;
            }
            return fromPair(m.u, m.w, a[i]);
        });
    };

    for (const Op& op : ops_) {
        Complex* a = stack + op.slot * kChunk;
        Complex* b = a + kChunk; // second operand of binary operators
        switch (op.code) {
        case Code::Const:
            std::fill(a, a + n, op.c);
            break;
        case Code::X:
            for (std::size_t i = 0; i < n; ++i)
                a[i] = Complex{x[i], 0.0f};
            break;
        case Code::Y:
            for (std::size_t i = 0; i < n; ++i)
                a[i] = Complex{0.0f, y[i]};
            break;
        case Code::Z:
            for (std::size_t i = 0; i < n; ++i)
                a[i] = Complex{x[i], y[i]};
            break;
        case Code::T:
            std::fill(a, a + n, Complex{t, 0.0f});
            break;
        case Code::Arg:
            for (std::size_t i = 0; i < n; ++i)
                a[i] = Complex{static_cast<float>(cx::LogArgument(x[i], y[i])), 0.0f};
            break;
        case Code::Mod:
            each([&](std::size_t i) {
                return cx::Narrow(cx::Modulus(Complex{x[i], y[i]}), 0.0, a[i]);
            });
            break;
        case Code::Neg:
            for (std::size_t i = 0; i < n; ++i)
                a[i] = Complex{-a[i].re, -a[i].im};
            break;
        case Code::Add:
            all([&](std::size_t i) { return FiniteSum(a[i], b[i], a[i]); });
            break;
        case Code::Sub:
            all([&](std::size_t i) { return FiniteSum(a[i], Complex{-b[i].re, -b[i].im}, a[i]); });
            break;
        case Code::Mul:
            all([&](std::size_t i) { return FiniteProduct(a[i], b[i], a[i]); });
            break;
        case Code::Div:
            each([&](std::size_t i) { return cx::Div(a[i], b[i], a[i]); });
            break;
        case Code::Pow:
            each([&](std::size_t i) { return cx::Pow(a[i], b[i], a[i]); });
            break;
        case Code::AddC:
            all([&](std::size_t i) { return FiniteSum(a[i], op.c, a[i]); });
            break;
        case Code::SubC:
            all([&](std::size_t i) { return FiniteSum(a[i], Complex{-op.c.re, -op.c.im}, a[i]); });
            break;
        case Code::MulC:
            all([&](std::size_t i) { return FiniteProduct(a[i], op.c, a[i]); });
            break;
        case Code::DivC:
            each([&](std::size_t i) { return cx::Div(a[i], op.c, a[i]); });
            break;
        case Code::PowC:
            each([&](std::size_t i) { return cx::Pow(a[i], op.c, a[i]); });
            break;
        case Code::PowIntC:
            each([&](std::size_t i) { return cx::PowInt(a[i], op.k, a[i]); });
            break;
        case Code::Square:
            all([&](std::size_t i) { return FiniteProduct(a[i], a[i], a[i]); });
            break;
        case Code::Sin:
            trig(a, cx::SinFromPair);
            break;
        case Code::Cos:
            trig(a, cx::CosFromPair);
            break;
        case Code::Tan:
            trig(a, cx::TanFromPair);
            break;
        case Code::Ctan:
            trig(a, cx::CtanFromPair);
            break;
        case Code::Log:
            each([&](std::size_t i) { return cx::Log(a[i], a[i]); });
            break;
        case Code::Exp:
            each([&](std::size_t i) { return cx::Exp(a[i], a[i]); });
            break;
        case Code::Sqr:
            each([&](std::size_t i) { return cx::Sqr(a[i], a[i]); });
            break;
        case Code::Func:
            each([&](std::size_t i) { return ApplyFunction(op.func, a[i], a[i]); });
            break;
        }
    }

    const float nan = std::numeric_limits<float>::quiet_NaN();
    const Complex* top = finalDepth_ > 0 ? stack + (finalDepth_ - 1) * kChunk : nullptr;
    for (std::size_t i = 0; i < n; ++i) {
        if (status[i] == EvalStatus::Value) status[i] = tail_;
        w[i] = status[i] == EvalStatus::Value ? top[i] : Complex{nan, nan};
    }
}

} // namespace tervane
