// The vector kernel for processors with AVX2 and FMA, chosen at run time: four doubles per SLEEF
// call. The file is compiled with -mavx2 -mfma; contraction into fused multiply-add stays off.
#include "expr/detail/ProgramKernel.h"

#include <immintrin.h>
#include <sleef.h>

namespace tervane::detail {
namespace {

constexpr float kPiF = static_cast<float>(3.14159265358979323846);

void ExpLanes(const double* in, double* out, std::size_t n) {
    for (std::size_t i = 0; i < n; i += 4)
        _mm256_storeu_pd(out + i, Sleef_expd4_u10avx2(_mm256_loadu_pd(in + i)));
}

void LogLanes(const double* in, double* out, std::size_t n) {
    for (std::size_t i = 0; i < n; i += 4)
        _mm256_storeu_pd(out + i, Sleef_logd4_u10avx2(_mm256_loadu_pd(in + i)));
}

void AtanLanes(const double* in, double* out, std::size_t n) {
    for (std::size_t i = 0; i < n; i += 4)
        _mm256_storeu_pd(out + i, Sleef_atand4_u10avx2(_mm256_loadu_pd(in + i)));
}

void SinCosLanes(const double* in, double* s, double* c, std::size_t n) {
    for (std::size_t i = 0; i < n; i += 4) {
        const Sleef___m256d_2 r = Sleef_sincosd4_u10avx2(_mm256_loadu_pd(in + i));
        _mm256_storeu_pd(s + i, r.x);
        _mm256_storeu_pd(c + i, r.y);
    }
}

#include "expr/detail/ProgramKernel.inc"

} // namespace

const KernelTable kAvx2Kernel = {Run, Finish, Summarise, Store};

} // namespace tervane::detail
