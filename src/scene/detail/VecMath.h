#pragma once

#include <array>
#include <cmath>

namespace tervane::detail {

// Vectors share the four-float layout of quaternions; the vector routines use elements 0..2 only.
using Vec4 = std::array<float, 4>;

inline Vec4 VecSub(const Vec4& a, const Vec4& b) {
    return {a[0] - b[0], a[1] - b[1], a[2] - b[2], 0.0f};
}

inline Vec4 VecAdd(const Vec4& a, const Vec4& b) {
    return {a[0] + b[0], a[1] + b[1], a[2] + b[2], 0.0f};
}

// Element 3 of the result is always 0.
inline Vec4 VecCross(const Vec4& a, const Vec4& b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0], 0.0f};
}

inline float VecLength(const Vec4& v) {
    return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
}

inline void VecScale(Vec4& v, float s) {
    v[0] *= s;
    v[1] *= s;
    v[2] *= s;
}

// Callers guard against the zero vector; its direction is undefined.
inline void VecNormal(Vec4& v) {
    VecScale(v, 1.0f / VecLength(v));
}

inline float VecDot(const Vec4& a, const Vec4& b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

} // namespace tervane::detail
