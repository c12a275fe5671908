#include "expr/Complex.h"

#include "expr/ExprError.h"

namespace tervane {

namespace {

template <typename Fn> Complex Unary(Fn fn, Complex a) {
    Complex out;
    RaiseOnError(fn(a, out));
    return out;
}

template <typename Fn> Complex Binary(Fn fn, Complex a, Complex b) {
    Complex out;
    RaiseOnError(fn(a, b, out));
    return out;
}

} // namespace

Complex ComplexAdd(Complex a, Complex b) {
    return Binary(cx::Add, a, b);
}
Complex ComplexMul(Complex a, Complex b) {
    return Binary(cx::Mul, a, b);
}
Complex ComplexDiv(Complex a, Complex b) {
    return Binary(cx::Div, a, b);
}
double ComplexModulus(Complex a) {
    return cx::Modulus(a);
}
Complex ComplexExp(Complex a) {
    return Unary(cx::Exp, a);
}
Complex ComplexLog(Complex a) {
    return Unary(cx::Log, a);
}
Complex ComplexSin(Complex a) {
    return Unary(cx::Sin, a);
}
Complex ComplexCos(Complex a) {
    return Unary(cx::Cos, a);
}
Complex ComplexTan(Complex a) {
    return Unary(cx::Tan, a);
}
Complex ComplexCtan(Complex a) {
    return Unary(cx::Ctan, a);
}
Complex ComplexPow(Complex a, Complex b) {
    return Binary(cx::Pow, a, b);
}
Complex ComplexSqr(Complex a) {
    return Unary(cx::Sqr, a);
}

} // namespace tervane
