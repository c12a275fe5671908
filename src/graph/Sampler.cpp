#include "graph/Sampler.h"

#include "graph/detail/Extents.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <thread>
#include <vector>

namespace tervane {

namespace {

// Value grids a sampling keeps per point: x, y, u, v and magnitude.
constexpr std::uint64_t kGridsPerPoint = 5;

std::string Megabytes(std::uint64_t bytes) {
    char text[32];
    std::snprintf(text, sizeof text, "%.0f MB", static_cast<double>(bytes) / (1024.0 * 1024.0));
    return text;
}

} // namespace

void ValueRange::Merge(const ValueRange& other) {
    max = std::max(max, other.max);
    min = std::min(min, other.min);
}

void ValueRange::WidenInto(float& runningMax, float& runningMin) const {
    if (!Any()) return;
    if (max > runningMax) runningMax = max;
    if (min < runningMin) runningMin = min;
}

void SampleGrids::Resize(std::uint64_t nu, std::uint64_t nv) {
    for (Grid2D* grid : {&x, &y, &u, &v, &m})
        grid->Resize(nu, nv);
}

void SampleGrids::Release() {
    for (Grid2D* grid : {&x, &y, &u, &v, &m})
        grid->Release();
}

void SampleGrids::Fill(float value) {
    for (Grid2D* grid : {&x, &y, &u, &v, &m})
        grid->Fill(value);
}

std::size_t SampleGrids::Bytes() const noexcept {
    return x.Bytes() + y.Bytes() + u.Bytes() + v.Bytes() + m.Bytes();
}

std::uint64_t GridBytes(std::uint64_t nu, std::uint64_t nv) {
    constexpr std::uint64_t perPoint = kGridsPerPoint * sizeof(float);
    constexpr std::uint64_t most = std::numeric_limits<std::uint64_t>::max();
    if (nu != 0 && nv > most / nu) return most;
    const std::uint64_t points = nu * nv;
    return points > most / perPoint ? most : points * perPoint;
}

std::optional<std::string> CheckGridMemory(std::uint64_t nu, std::uint64_t nv,
                                           std::uint64_t availableBytes) {
    const std::uint64_t needed = GridBytes(nu, nv);
    const bool addressable =
        needed / (kGridsPerPoint * sizeof(float)) <= std::numeric_limits<std::size_t>::max();
    if (addressable && (availableBytes == 0 || needed <= availableBytes)) return std::nullopt;
    return "A grid of " + std::to_string(nu) + " x " + std::to_string(nv) + " points needs " +
           Megabytes(needed) + " of memory, but only " + Megabytes(availableBytes) +
           " is available. Choose fewer steps.";
}

std::uint64_t SystemAvailableMemory() {
    // MemAvailable counts reclaimable caches too, which is what an allocation can get.
    std::ifstream meminfo("/proc/meminfo");
    std::string key;
    std::uint64_t kib = 0;
    std::string unit;
    while (meminfo >> key >> kib >> unit) {
        if (key == "MemAvailable:") return kib * 1024;
    }
    const long pages = sysconf(_SC_AVPHYS_PAGES);
    const long size = sysconf(_SC_PAGESIZE);
    if (pages > 0 && size > 0) return static_cast<std::uint64_t>(pages) * size;
    return 0;
}

bool IsWholeFunctionFailure(EvalStatus s) {
    return s == EvalStatus::NoValue || s == EvalStatus::StackEmpty || s == EvalStatus::TypeMismatch;
}

std::string SampleFailureMessage(EvalStatus s) {
    switch (s) {
    case EvalStatus::NoValue:
        return "The function gives no value.";
    case EvalStatus::TypeMismatch:
        return "The function contains a number that cannot be read.";
    case EvalStatus::StackEmpty:
        return "The function is missing an operand.";
    default:
        return std::string(EvalStatusMessage(s));
    }
}

SampleOutcome SampleProgram(const CompiledProgram& program, const SampleDomain& domain, float t,
                            unsigned threads, SampleGrids& grids) {
    const std::uint64_t nu = domain.NU, nv = domain.NV;
    std::vector<float> params(nv);
    for (std::uint64_t j = 0; j < nv; ++j)
        params[j] = static_cast<float>(static_cast<double>(domain.DV) * j + domain.MinV);

    if (threads == 0) threads = std::max(1u, std::thread::hardware_concurrency());
    threads = static_cast<unsigned>(std::min<std::uint64_t>(threads, nu));

    std::atomic<std::uint64_t> nextRow{0};
    std::vector<SampleOutcome> outcomes(threads);
    auto worker = [&](unsigned index) {
        // Ranges stay in locals while the rows are written, so the compiler keeps them in
        // registers.
        ValueRange ex, ey, eu, ev, em;
        EvalStatus failure = EvalStatus::Value;
        const float nan = std::numeric_limits<float>::quiet_NaN();
        std::vector<float> xs(nv), ys(nv);
        std::vector<Complex> w(nv);
        std::vector<EvalStatus> status(nv);
        for (;;) {
            const std::uint64_t i = nextRow.fetch_add(1, std::memory_order_relaxed);
            if (i >= nu) break;
            const float a = static_cast<float>(static_cast<double>(domain.DU) * i + domain.MinU);
            if (domain.Polar) {
                // (angle a, radius r) is the point r·(cos a + i sin a).
                const double c = std::cos(static_cast<double>(a));
                const double sn = std::sin(static_cast<double>(a));
                for (std::uint64_t j = 0; j < nv; ++j) {
                    xs[j] = static_cast<float>(params[j] * c);
                    ys[j] = static_cast<float>(params[j] * sn);
                }
            } else {
                std::fill(xs.begin(), xs.end(), a);
                std::copy(params.begin(), params.end(), ys.begin());
            }
            program.EvaluateBlock(xs.data(), ys.data(), nv, t, w.data(), status.data());

            std::copy(xs.begin(), xs.end(), grids.x.Row(i));
            std::copy(ys.begin(), ys.end(), grids.y.Row(i));
            float* ru = grids.u.Row(i);
            float* rv = grids.v.Row(i);
            float* rm = grids.m.Row(i);
            // Undefined points come back as NaN, which the magnitude keeps and the ranges pass
            // over (NaN fails every comparison), so both loops run without branches.
            for (std::uint64_t j = 0; j < nv; ++j) {
                const float u = w[j].re, v = w[j].im;
                const double re = u, im = v;
                ru[j] = u;
                rv[j] = v;
                rm[j] = static_cast<float>(std::sqrt(re * re + im * im));
            }
            // x and y count only where the function has a value.
            for (std::uint64_t j = 0; j < nv; ++j) {
                const bool valid = ru[j] == ru[j];
                xs[j] = valid ? xs[j] : nan;
                ys[j] = valid ? ys[j] : nan;
            }
            detail::WidenExtents(xs.data(), nv, ex.min, ex.max);
            detail::WidenExtents(ys.data(), nv, ey.min, ey.max);
            detail::WidenExtents(ru, nv, eu.min, eu.max);
            detail::WidenExtents(rv, nv, ev.min, ev.max);
            detail::WidenExtents(rm, nv, em.min, em.max);
            for (std::uint64_t j = 0; j < nv; ++j)
                if (IsWholeFunctionFailure(status[j])) failure = status[j];
        }
        outcomes[index] = SampleOutcome{ex, ey, eu, ev, em, failure};
    };
    if (threads <= 1) {
        worker(0);
    } else {
        std::vector<std::jthread> pool;
        pool.reserve(threads);
        for (unsigned k = 0; k < threads; ++k)
            pool.emplace_back(worker, k);
    }

    SampleOutcome total;
    for (const SampleOutcome& s : outcomes) {
        total.x.Merge(s.x);
        total.y.Merge(s.y);
        total.u.Merge(s.u);
        total.v.Merge(s.v);
        total.m.Merge(s.m);
        if (s.failure != EvalStatus::Value) total.failure = s.failure;
    }
    return total;
}

} // namespace tervane
