#include "expr/PreciseEvaluation.h"

#include "expr/CompiledProgram.h"
#include "expr/Complex.h"

#include <cmath>
#include <vector>

namespace tervane::precise {

namespace {

EvalStatus Checked(Cd value, Cd& out) {
    out = value;
    return std::isfinite(value.real()) && std::isfinite(value.imag()) ? EvalStatus::Value
                                                                      : EvalStatus::Overflow;
}

EvalStatus Reciprocal(Cd value, Cd& out) {
    return Div(Cd(1.0, 0.0), value, out);
}

template <typename Fn> EvalStatus OfReciprocal(Fn fn, Cd a, Cd& out) {
    Cd r;
    if (EvalStatus f = Reciprocal(a, r); f != EvalStatus::Value) return f;
    return Checked(fn(r), out);
}

void SinCos(Cd a, Cd& s, Cd& c) {
    s = std::sin(a);
    c = std::cos(a);
}

} // namespace

double LogArgument(Cd z) {
    const double pi = kPiF;
    const double p = z.real(), q = z.imag();
    if (q == 0.0 && p >= 0.0) return 0.0;
    if (p == 0.0 && q > 0.0) return pi / 2.0;
    if (q == 0.0 && p < 0.0) return pi;
    if (p == 0.0 && q < 0.0) return 3.0 * pi / 2.0;
    const double theta = std::atan(std::fabs(q / p));
    if (p > 0.0) return q > 0.0 ? theta : 2.0 * pi - theta;
    return q > 0.0 ? pi - theta : pi + theta;
}

EvalStatus Div(Cd a, Cd b, Cd& out) {
    if (b == Cd(0.0, 0.0)) return EvalStatus::DivisionByZero;
    return Checked(a / b, out);
}

EvalStatus Log(Cd a, Cd& out) {
    const double m = std::abs(a);
    if (!std::isfinite(m)) return EvalStatus::Overflow;
    out = Cd(m != 0.0 ? std::log(m) : 0.0, LogArgument(a));
    return EvalStatus::Value;
}

EvalStatus Exp(Cd a, Cd& out) {
    const double e = std::exp(a.real());
    return Checked(Cd(e * std::cos(a.imag()), e * std::sin(a.imag())), out);
}

EvalStatus PowInt(Cd a, int k, Cd& out) {
    unsigned n = static_cast<unsigned>(std::abs(k));
    Cd result(1.0, 0.0), base = a;
    while (n != 0) {
        if (n & 1u) result *= base;
        n >>= 1;
        if (n != 0) base *= base;
    }
    if (k < 0) return Reciprocal(result, out);
    return Checked(result, out);
}

EvalStatus PowLog(Cd a, Cd b, bool sqrt, Cd& out) {
    if (a == Cd(0.0, 0.0)) {
        out = Cd(0.0, 0.0);
        return sqrt || b.real() > 0.0 ? EvalStatus::Value : EvalStatus::DivisionByZero;
    }
    Cd l;
    if (EvalStatus f = Log(a, l); f != EvalStatus::Value) return f;
    return Exp(b * l, out);
}

EvalStatus Pow(Cd a, Cd b, Cd& out) {
    if (b.imag() == 0.0 && std::fabs(b.real()) <= kMaxIntegerExponent &&
        b.real() == std::floor(b.real()))
        return PowInt(a, static_cast<int>(b.real()), out);
    return PowLog(a, b, false, out);
}

EvalStatus ApplyFunction(Func func, Cd z, Cd& out) {
    Cd s, c;
    switch (func) {
    case Func::Sin:
        SinCos(z, s, c);
        return Checked(s, out);
    case Func::Cos:
        SinCos(z, s, c);
        return Checked(c, out);
    case Func::Tan:
        SinCos(z, s, c);
        return Div(s, c, out);
    case Func::Ctan:
        SinCos(z, s, c);
        return Div(c, s, out);
    case Func::Log:
        return Log(z, out);
    case Func::Exp:
        return Exp(z, out);
    case Func::Sqr:
        return PowLog(z, Cd(0.5, 0.0), true, out);
    case Func::Abs:
        // As the single library's modulus, not hypot: the narrowed values agree to the bit.
        return Checked(Cd(std::sqrt(z.real() * z.real() + z.imag() * z.imag()), 0.0), out);
    case Func::Int:
        return Checked(Cd(std::floor(z.real()), std::floor(z.imag())), out);
    case Func::Rnd:
        return Checked(Cd(std::round(z.real()), std::round(z.imag())), out);
    case Func::Atan:
        return Checked(std::atan(z), out);
    case Func::Sec:
        SinCos(z, s, c);
        return Reciprocal(c, out);
    case Func::Csec:
        SinCos(z, s, c);
        return Reciprocal(s, out);
    case Func::Asin:
        return Checked(std::asin(z), out);
    case Func::Acos:
        return Checked(std::acos(z), out);
    case Func::Asec:
        return OfReciprocal([](Cd v) { return std::acos(v); }, z, out);
    case Func::Acsec:
        return OfReciprocal([](Cd v) { return std::asin(v); }, z, out);
    case Func::Actan:
        return OfReciprocal([](Cd v) { return std::atan(v); }, z, out);
    case Func::Sinh:
        return Checked(std::sinh(z), out);
    case Func::Cosh:
        return Checked(std::cosh(z), out);
    case Func::Tanh:
        return Checked(std::tanh(z), out);
    case Func::Ctanh:
        return Reciprocal(std::tanh(z), out);
    case Func::Sech:
        return Reciprocal(std::cosh(z), out);
    case Func::Csech:
        return Reciprocal(std::sinh(z), out);
    case Func::Asinh:
        return Checked(std::asinh(z), out);
    case Func::Acosh:
        return Checked(std::acosh(z), out);
    case Func::Atanh:
        return Checked(std::atanh(z), out);
    case Func::Asech:
        return OfReciprocal([](Cd v) { return std::acosh(v); }, z, out);
    case Func::Acsech:
        return OfReciprocal([](Cd v) { return std::asinh(v); }, z, out);
    case Func::Actanh:
        return OfReciprocal([](Cd v) { return std::atanh(v); }, z, out);
    }
    return EvalStatus::Overflow;
}

} // namespace tervane::precise

namespace tervane {

EvalStatus CompiledProgram::EvaluatePrecise(std::complex<double> z, double t,
                                            std::complex<double>& w) const {
    using precise::Cd;
    thread_local std::vector<Cd> stack;
    if (stack.size() < maxDepth_ + 2) stack.resize(maxDepth_ + 2);
    for (const Op& op : ops_) {
        Cd& a = stack[op.slot];
        const Cd first = (op.fromZ & detail::kFromZFirst) ? z : a;
        const Cd second = (op.fromZ & detail::kFromZSecond) ? z : stack[op.slot + 1u];
        const Cd c(op.cr, op.ci);
        EvalStatus f = EvalStatus::Value;
        switch (op.code) {
        case Code::Const:
            a = c;
            break;
        case Code::X:
            a = Cd(z.real(), 0.0);
            break;
        case Code::Y:
            a = Cd(0.0, z.imag());
            break;
        case Code::Z:
            a = z;
            break;
        case Code::T:
            a = Cd(t, 0.0);
            break;
        case Code::Arg:
            a = Cd(precise::LogArgument(z), 0.0);
            break;
        case Code::Mod:
            a = Cd(std::abs(z), 0.0);
            break;
        case Code::Neg:
            a = -a;
            break;
        case Code::Add:
            a = first + second;
            break;
        case Code::Sub:
            a = first - second;
            break;
        case Code::Mul:
            a = first * second;
            break;
        case Code::Div:
            f = precise::Div(first, second, a);
            break;
        case Code::Pow:
            f = precise::Pow(first, second, a);
            break;
        case Code::AddC:
            a = first + c;
            break;
        case Code::SubC:
            a = first - c;
            break;
        case Code::MulC:
            a = first * c;
            break;
        case Code::DivC:
            f = precise::Div(first, c, a);
            break;
        case Code::PowC:
            f = precise::PowLog(first, c, false, a);
            break;
        case Code::PowIntC:
            f = precise::PowInt(first, op.k, a);
            break;
        case Code::Square:
            a = first * first;
            break;
        case Code::Sin:
        case Code::Cos:
        case Code::Tan:
        case Code::Ctan:
        case Code::Log:
        case Code::Exp:
        case Code::Sqr:
        case Code::Func: {
            static constexpr Func kFuncs[] = {Func::Sin, Func::Cos, Func::Tan, Func::Ctan,
                                              Func::Log, Func::Exp, Func::Sqr};
            const auto index =
                static_cast<std::size_t>(op.code) - static_cast<std::size_t>(Code::Sin);
            const Func func = op.code == Code::Func ? static_cast<Func>(op.func) : kFuncs[index];
            f = precise::ApplyFunction(func, first, a);
            break;
        }
        case Code::Check:
            break;
        }
        if (f == EvalStatus::Value && !(std::isfinite(a.real()) && std::isfinite(a.imag())))
            f = EvalStatus::Overflow;
        if (f != EvalStatus::Value) return f;
    }
    if (tail_ != EvalStatus::Value) return tail_;
    w = stack[finalDepth_ - 1];
    return EvalStatus::Value;
}

} // namespace tervane
