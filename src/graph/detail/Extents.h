#pragma once

#include <cstddef>
#include <limits>

namespace tervane::detail {

/// Widens [min, max] by the values of an array, passing over NaN. Works on
/// four lanes at a time with GCC/Clang vector extensions: a comparison and a
/// select per lane, exactly what the scalar loop does, but without the branch
/// that keeps compilers from vectorising a NaN-aware minimum.
inline void WidenExtents(const float* values, std::size_t n, float& min, float& max) {
    using Lanes = float __attribute__((vector_size(16)));
    constexpr float inf = std::numeric_limits<float>::infinity();
    Lanes lo = {inf, inf, inf, inf};
    Lanes hi = {-inf, -inf, -inf, -inf};
    std::size_t k = 0;
    for (; k + 4 <= n; k += 4) {
        Lanes v;
        __builtin_memcpy(&v, values + k, sizeof v);
        lo = v < lo ? v : lo;
        hi = v > hi ? v : hi;
    }
    for (int lane = 0; lane < 4; ++lane) {
        if (lo[lane] < min) min = lo[lane];
        if (hi[lane] > max) max = hi[lane];
    }
    for (; k < n; ++k) {
        if (values[k] < min) min = values[k];
        if (values[k] > max) max = values[k];
    }
}

} // namespace tervane::detail
