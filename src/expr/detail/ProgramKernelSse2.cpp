// The vector kernel for every x86-64 processor: SSE2, two doubles per SLEEF call.
#include "expr/detail/ProgramKernel.h"

#include <emmintrin.h>
#include <sleef.h>

namespace tervane::detail {
namespace {

constexpr float kPiF = static_cast<float>(3.14159265358979323846);

void ExpLanes(const double* in, double* out, std::size_t n) {
    for (std::size_t i = 0; i < n; i += 2)
        _mm_storeu_pd(out + i, Sleef_expd2_u10sse2(_mm_loadu_pd(in + i)));
}

void LogLanes(const double* in, double* out, std::size_t n) {
    for (std::size_t i = 0; i < n; i += 2)
        _mm_storeu_pd(out + i, Sleef_logd2_u10sse2(_mm_loadu_pd(in + i)));
}

void AtanLanes(const double* in, double* out, std::size_t n) {
    for (std::size_t i = 0; i < n; i += 2)
        _mm_storeu_pd(out + i, Sleef_atand2_u10sse2(_mm_loadu_pd(in + i)));
}

void SinCosLanes(const double* in, double* s, double* c, std::size_t n) {
    for (std::size_t i = 0; i < n; i += 2) {
        const Sleef___m128d_2 r = Sleef_sincosd2_u10sse2(_mm_loadu_pd(in + i));
        _mm_storeu_pd(s + i, r.x);
        _mm_storeu_pd(c + i, r.y);
    }
}

#include "expr/detail/ProgramKernel.inc"

} // namespace

const KernelTable kSse2Kernel = {Run, Finish, Summarise, Store};

} // namespace tervane::detail
