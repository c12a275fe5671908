#pragma once

#include "expr/EvalStatus.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace tervane {

/// Single-precision complex value (real part, imaginary part).
struct Complex {
    float re = 0.0f;
    float im = 0.0f;
};

/// π as the library uses it: the single-precision value of 4·atan(1).
inline constexpr float kPiF = static_cast<float>(3.14159265358979323846);

/// Largest |k| for which an integer power is computed by repeated products.
inline constexpr int kMaxIntegerExponent = 64;

// The checked library. Each function returns EvalStatus::Value and writes its result,
// or returns the fault, DivisionByZero or Overflow (the output is then unspecified). An
// arithmetic fault makes a grid point invalid; it never ends the program. Values stored between
// steps are narrowed to single precision and checked there, which catches every
// division by zero, overflow and invalid operation given finite inputs: each of
// them leaves an infinity or a NaN in a stored value. Both evaluators (text
// interpreter and compiled program) call these same inline functions, so they
// agree bit for bit.
namespace cx {

inline bool IsFinite(Complex a) {
    return std::isfinite(a.re) && std::isfinite(a.im);
}

inline EvalStatus Narrow(double re, double im, Complex& out) {
    out.re = static_cast<float>(re);
    out.im = static_cast<float>(im);
    return IsFinite(out) ? EvalStatus::Value : EvalStatus::Overflow;
}

inline EvalStatus Add(Complex a, Complex b, Complex& out) {
    out.re = a.re + b.re;
    out.im = a.im + b.im;
    return IsFinite(out) ? EvalStatus::Value : EvalStatus::Overflow;
}

inline EvalStatus Sub(Complex a, Complex b, Complex& out) {
    out.re = a.re - b.re;
    out.im = a.im - b.im;
    return IsFinite(out) ? EvalStatus::Value : EvalStatus::Overflow;
}

inline EvalStatus Mul(Complex a, Complex b, Complex& out) {
    const double p = a.re, q = a.im, r = b.re, s = b.im;
    return Narrow(p * r - q * s, p * s + q * r, out);
}

inline EvalStatus Div(Complex a, Complex b, Complex& out) {
    Complex t;
    if (EvalStatus f = Mul(a, Complex{b.re, -b.im}, t); f != EvalStatus::Value) return f;
    const double r = b.re, s = b.im;
    const float d = static_cast<float>(r * r + s * s);
    if (!std::isfinite(d)) return EvalStatus::Overflow;
    if (d == 0.0f) return EvalStatus::DivisionByZero;
    out.re = t.re / d;
    out.im = t.im / d;
    return IsFinite(out) ? EvalStatus::Value : EvalStatus::Overflow;
}

/// |a| in double precision.
inline double Modulus(Complex a) {
    const double p = a.re, q = a.im;
    return std::sqrt(p * p + q * q);
}

inline EvalStatus Exp(Complex a, Complex& out) {
    const double e = std::exp(static_cast<double>(a.re));
    const double q = a.im;
    return Narrow(e * std::cos(q), e * std::sin(q), out);
}

/// Argument of p + qi in [0, 2π): the imaginary part of the logarithm, with a
/// single cut along the positive real axis.
inline double LogArgument(float p, float q) {
    const double pi = kPiF;
    if (q == 0.0f && p >= 0.0f) return 0.0;
    if (p == 0.0f && q > 0.0f) return pi / 2.0;
    if (q == 0.0f && p < 0.0f) return pi;
    if (p == 0.0f && q < 0.0f) return 3.0 * pi / 2.0;
    const double theta = std::atan(std::fabs(static_cast<double>(q) / static_cast<double>(p)));
    if (p > 0.0f) return q > 0.0f ? theta : 2.0 * pi - theta;
    return q > 0.0f ? pi - theta : pi + theta;
}

inline EvalStatus Log(Complex a, Complex& out) {
    const float m = static_cast<float>(Modulus(a));
    if (!std::isfinite(m)) return EvalStatus::Overflow;
    out.re = m != 0.0f ? static_cast<float>(std::log(static_cast<double>(m))) : 0.0f;
    out.im = static_cast<float>(LogArgument(a.re, a.im));
    return EvalStatus::Value;
}

/// True when b is real with an integer value k, |k| <= 64.
inline bool IsSmallIntegerExponent(Complex b, int& k) {
    if (b.im != 0.0f) return false;
    if (!(std::fabs(b.re) <= static_cast<float>(kMaxIntegerExponent))) return false;
    if (b.re != std::floor(b.re)) return false;
    k = static_cast<int>(b.re);
    return true;
}

/// a^k by binary powering with the complex product; a negative k takes the
/// reciprocal at the end. Exact where the logarithm route rounds.
inline EvalStatus PowInt(Complex a, int k, Complex& out) {
    unsigned n = static_cast<unsigned>(std::abs(k));
    Complex result{1.0f, 0.0f};
    Complex base = a;
    bool first = true;
    while (n != 0) {
        if (n & 1u) {
            if (first) {
                result = base;
                first = false;
            } else if (EvalStatus f = Mul(result, base, result); f != EvalStatus::Value) {
                return f;
            }
        }
        n >>= 1;
        // The square is only taken when a later bit needs it, so a^3 cannot
        // overflow through an unused a^4.
        if (n != 0) {
            if (EvalStatus f = Mul(base, base, base); f != EvalStatus::Value) return f;
        }
    }
    if (k < 0) return Div(Complex{1.0f, 0.0f}, result, out);
    out = result;
    return EvalStatus::Value;
}

inline EvalStatus Pow(Complex a, Complex b, Complex& out) {
    int k = 0;
    if (IsSmallIntegerExponent(b, k)) return PowInt(a, k, out);
    if (a.re == 0.0f && a.im == 0.0f) {
        // 0^b: 0 for Re b > 0; b = 0 was handled above as an integer power.
        if (b.re > 0.0f) {
            out = Complex{0.0f, 0.0f};
            return EvalStatus::Value;
        }
        return EvalStatus::DivisionByZero;
    }
    Complex l, m;
    if (EvalStatus f = Log(a, l); f != EvalStatus::Value) return f;
    if (EvalStatus f = Mul(b, l, m); f != EvalStatus::Value) return f;
    return Exp(m, out);
}

inline EvalStatus Sqr(Complex a, Complex& out) {
    if (a.re == 0.0f && a.im == 0.0f) {
        out = Complex{0.0f, 0.0f};
        return EvalStatus::Value;
    }
    Complex l, m;
    if (EvalStatus f = Log(a, l); f != EvalStatus::Value) return f;
    if (EvalStatus f = Mul(Complex{0.5f, 0.0f}, l, m); f != EvalStatus::Value) return f;
    return Exp(m, out);
}

/// e^(iz) and e^(-iz), the two halves of sine and cosine. With z = p + qi they
/// are e^(-q)·(cos p + i sin p) and e^q·(cos p − i sin p): one exponential and
/// one sine-cosine pair in double precision serve both.
inline EvalStatus ExpPair(Complex a, Complex& u, Complex& w) {
    const double p = a.re, q = a.im;
    const double c = std::cos(p), s = std::sin(p);
    const double grow = std::exp(q);
    const double shrink = 1.0 / grow;
    if (EvalStatus f = Narrow(shrink * c, shrink * s, u); f != EvalStatus::Value) return f;
    return Narrow(grow * c, -(grow * s), w);
}

/// cos a from the exponential pair: (U + W) / 2.
inline EvalStatus CosFromPair(Complex u, Complex w, Complex& out) {
    Complex s;
    if (EvalStatus f = Add(u, w, s); f != EvalStatus::Value) return f;
    return Div(s, Complex{2.0f, 0.0f}, out);
}

/// sin a from the exponential pair: (U − W) / 2i.
inline EvalStatus SinFromPair(Complex u, Complex w, Complex& out) {
    Complex s;
    if (EvalStatus f = Add(u, Complex{-w.re, -w.im}, s); f != EvalStatus::Value) return f;
    return Div(s, Complex{0.0f, 2.0f}, out);
}

inline EvalStatus Cos(Complex a, Complex& out) {
    Complex u, w;
    if (EvalStatus f = ExpPair(a, u, w); f != EvalStatus::Value) return f;
    return CosFromPair(u, w, out);
}

inline EvalStatus Sin(Complex a, Complex& out) {
    Complex u, w;
    if (EvalStatus f = ExpPair(a, u, w); f != EvalStatus::Value) return f;
    return SinFromPair(u, w, out);
}

/// tan a from the exponential pair: sine over cosine.
inline EvalStatus TanFromPair(Complex u, Complex w, Complex& out) {
    Complex s, c;
    if (EvalStatus f = SinFromPair(u, w, s); f != EvalStatus::Value) return f;
    if (EvalStatus f = CosFromPair(u, w, c); f != EvalStatus::Value) return f;
    return Div(s, c, out);
}

/// cot a from the exponential pair: cosine over sine.
inline EvalStatus CtanFromPair(Complex u, Complex w, Complex& out) {
    Complex s, c;
    if (EvalStatus f = SinFromPair(u, w, s); f != EvalStatus::Value) return f;
    if (EvalStatus f = CosFromPair(u, w, c); f != EvalStatus::Value) return f;
    return Div(c, s, out);
}

// Tangent and cotangent share one exponential pair between sine and cosine;
// the values are those of Sin and Cos.
inline EvalStatus Tan(Complex a, Complex& out) {
    Complex u, w;
    if (EvalStatus f = ExpPair(a, u, w); f != EvalStatus::Value) return f;
    return TanFromPair(u, w, out);
}

inline EvalStatus Ctan(Complex a, Complex& out) {
    Complex u, w;
    if (EvalStatus f = ExpPair(a, u, w); f != EvalStatus::Value) return f;
    return CtanFromPair(u, w, out);
}

} // namespace cx

// The library as callers outside the evaluators use it: a fault raises
// ExprError (division by zero or overflow).

/// a + b
Complex ComplexAdd(Complex a, Complex b);
/// a · b
Complex ComplexMul(Complex a, Complex b);
/// a / b
Complex ComplexDiv(Complex a, Complex b);
/// |a| in double precision
double ComplexModulus(Complex a);
/// e^a
Complex ComplexExp(Complex a);
/// ln a, imaginary part in [0, 2π); ln 0 is 0
Complex ComplexLog(Complex a);
/// sin a
Complex ComplexSin(Complex a);
/// cos a
Complex ComplexCos(Complex a);
/// tan a
Complex ComplexTan(Complex a);
/// cot a
Complex ComplexCtan(Complex a);
/// a^b
Complex ComplexPow(Complex a, Complex b);
/// square root of a
Complex ComplexSqr(Complex a);

} // namespace tervane
