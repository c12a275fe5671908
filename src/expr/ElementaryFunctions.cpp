#include "expr/ElementaryFunctions.h"

#include <complex>

namespace tervane {

namespace {

using cd = std::complex<double>;

EvalStatus Narrowed(cd value, Complex& out) {
    return cx::Narrow(value.real(), value.imag(), out);
}

// 1 / value, where a zero denominator is a division by zero.
EvalStatus Reciprocal(cd value, Complex& out) {
    if (value == cd(0.0, 0.0)) return EvalStatus::DivisionByZero;
    return Narrowed(1.0 / value, out);
}

// f(1 / a) for the inverse functions of reciprocal functions.
template <typename Fn> EvalStatus OfReciprocal(Fn fn, cd a, Complex& out) {
    if (a == cd(0.0, 0.0)) return EvalStatus::DivisionByZero;
    return Narrowed(fn(1.0 / a), out);
}

} // namespace

EvalStatus ApplyFunction(Func func, Complex a, Complex& out) {
    const cd z(a.re, a.im);
    switch (func) {
    case Func::Sin:
        return cx::Sin(a, out);
    case Func::Cos:
        return cx::Cos(a, out);
    case Func::Tan:
        return cx::Tan(a, out);
    case Func::Ctan:
        return cx::Ctan(a, out);
    case Func::Log:
        return cx::Log(a, out);
    case Func::Exp:
        return cx::Exp(a, out);
    case Func::Sqr:
        return cx::Sqr(a, out);
    case Func::Abs:
        return cx::Narrow(cx::Modulus(a), 0.0, out);
    case Func::Int:
        return cx::Narrow(std::floor(z.real()), std::floor(z.imag()), out);
    case Func::Rnd:
        return cx::Narrow(std::round(z.real()), std::round(z.imag()), out);
    case Func::Atan:
        return Narrowed(std::atan(z), out);
    case Func::Sec:
        return Reciprocal(std::cos(z), out);
    case Func::Csec:
        return Reciprocal(std::sin(z), out);
    case Func::Asin:
        return Narrowed(std::asin(z), out);
    case Func::Acos:
        return Narrowed(std::acos(z), out);
    case Func::Asec:
        return OfReciprocal([](cd v) { return std::acos(v); }, z, out);
    case Func::Acsec:
        return OfReciprocal([](cd v) { return std::asin(v); }, z, out);
    case Func::Actan:
        return OfReciprocal([](cd v) { return std::atan(v); }, z, out);
    case Func::Sinh:
        return Narrowed(std::sinh(z), out);
    case Func::Cosh:
        return Narrowed(std::cosh(z), out);
    case Func::Tanh:
        return Narrowed(std::tanh(z), out);
    case Func::Ctanh:
        return Reciprocal(std::tanh(z), out);
    case Func::Sech:
        return Reciprocal(std::cosh(z), out);
    case Func::Csech:
        return Reciprocal(std::sinh(z), out);
    case Func::Asinh:
        return Narrowed(std::asinh(z), out);
    case Func::Acosh:
        return Narrowed(std::acosh(z), out);
    case Func::Atanh:
        return Narrowed(std::atanh(z), out);
    case Func::Asech:
        return OfReciprocal([](cd v) { return std::acosh(v); }, z, out);
    case Func::Acsech:
        return OfReciprocal([](cd v) { return std::asinh(v); }, z, out);
    case Func::Actanh:
        return OfReciprocal([](cd v) { return std::atanh(v); }, z, out);
    }
    return EvalStatus::Overflow;
}

} // namespace tervane
