#include "graph/Sampler.h"

#include "core/Codes.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <exception>
#include <functional>
#include <limits>
#include <mutex>
#include <numbers>
#include <thread>
#include <vector>

namespace tervane {

namespace {

// Value grids a sampling keeps per point: u, v and magnitude, and in the polar form x and y
// too (a Cartesian domain keeps x per i and y per j).
std::uint64_t GridsPerPoint(bool polar) {
    return polar ? 5 : 3;
}

// Threads that help sample rows, started at the first sampling that needs them and kept
// parked between samplings: starting threads for every sampling, and faulting in their stacks
// and scratch buffers, costs a noticeable share of the time a grid takes. One sampling uses them
// at a time; a sampling that runs while another holds them starts threads of its own.
class HelperThreads {
public:
    // Never destroyed: parked threads are simply ended with the process, whatever other threads
    // are still doing at exit.
    static HelperThreads& Shared() {
        static HelperThreads* const pool = new HelperThreads;
        return *pool;
    }

    // Runs task(0) on the calling thread and task(1) .. task(helpers) on other threads, and
    // returns when all have returned. An exception of any of them (memory running out) is
    // thrown here, after all have returned.
    void Run(unsigned helpers, const std::function<void(unsigned)>& task) {
        std::exception_ptr error;
        std::mutex errorLock;
        const auto guarded = [&](unsigned index) {
            try {
                task(index);
            } catch (...) {
                const std::lock_guard lock(errorLock);
                if (!error) error = std::current_exception();
            }
        };
        std::unique_lock busy(busy_, std::try_to_lock);
        if (!busy.owns_lock()) {
            {
                std::vector<std::jthread> threads;
                threads.reserve(helpers);
                for (unsigned k = 1; k <= helpers; ++k)
                    threads.emplace_back(guarded, k);
                guarded(0);
            }
            if (error) std::rethrow_exception(error);
            return;
        }
        const std::function<void(unsigned)> shared = guarded;
        {
            const std::lock_guard lock(mutex_);
            // A forked child has none of its parent's threads.
            if (owner_ != getpid()) {
                started_ = 0;
                owner_ = getpid();
            }
            for (; started_ < helpers; ++started_)
                std::thread(&HelperThreads::Loop, this, started_ + 1, generation_).detach();
            task_ = &shared;
            wanted_ = helpers;
            pending_ = helpers;
            ++generation_;
        }
        wake_.notify_all();
        {
            // The helpers use the caller's data: they must be done before it goes.
            struct Join {
                HelperThreads& pool;
                ~Join() {
                    std::unique_lock lock(pool.mutex_);
                    pool.done_.wait(lock, [&] { return pool.pending_ == 0; });
                    pool.task_ = nullptr;
                }
            } join{*this};
            guarded(0);
        }
        if (error) std::rethrow_exception(error);
    }

private:
    void Loop(unsigned index, std::uint64_t seen) {
        std::unique_lock lock(mutex_);
        for (;;) {
            wake_.wait(lock, [&] { return generation_ != seen; });
            seen = generation_;
            if (index > wanted_) continue;
            const std::function<void(unsigned)>* task = task_;
            lock.unlock();
            (*task)(index); // guarded by Run: never throws
            lock.lock();
            if (--pending_ == 0) done_.notify_one();
        }
    }

    std::mutex busy_; // held by the sampling that uses the threads
    std::mutex mutex_;
    std::condition_variable wake_, done_;
    unsigned started_ = 0; // helper threads, numbered 1 .. started_
    const std::function<void(unsigned)>* task_ = nullptr;
    std::uint64_t generation_ = 0;
    unsigned wanted_ = 0, pending_ = 0;
    pid_t owner_ = 0; // the process the helper threads belong to
};

std::string Megabytes(std::uint64_t bytes) {
    char text[32];
    std::snprintf(text, sizeof text, "%.0f MB", static_cast<double>(bytes) / (1024.0 * 1024.0));
    return text;
}

} // namespace

float ArgumentOf(float u, float v) {
    if (std::isnan(u) || std::isnan(v)) return std::numeric_limits<float>::quiet_NaN();
    // On the real axis the sign of a zero imaginary part is an accident of the arithmetic (sin z
    // on its real axis, 1/z on the negative real axis and the constant -1 all give −0), and atan2
    // would turn it into −π. Like the logarithm, take π on the whole negative real axis, and 0 at
    // w = 0 whatever the signs of its zeros.
    if (v == 0.0f) return u < 0.0f ? static_cast<float>(std::numbers::pi) : 0.0f;
    return static_cast<float>(std::atan2(static_cast<double>(v), static_cast<double>(u)));
}

float LogMagnitudeOf(float m) {
    if (!(m > 0.0f)) return std::numeric_limits<float>::quiet_NaN();
    return static_cast<float>(std::log(static_cast<double>(m)));
}

float QuantityValue(std::int32_t code, float x, float y, float u, float v, float m) {
    switch (code) {
    case kQuantityX:
        return x;
    case kQuantityY:
        return y;
    case kQuantityReal:
        return u;
    case kQuantityImaginary:
        return v;
    case kQuantityMagnitude:
        return m;
    case kQuantityArgument:
        return ArgumentOf(u, v);
    case kQuantityLogMagnitude:
        return LogMagnitudeOf(m);
    default:
        return 0.0f;
    }
}

float GridNode(float lo, float hi, std::uint64_t i, std::uint64_t steps) {
    if (steps == 0) return lo;
    const double l = lo;
    return static_cast<float>(l + (static_cast<double>(hi) - l) * static_cast<double>(i) /
                                      static_cast<double>(steps));
}

std::optional<SpikeLimits> FindSpikeLimits(const Grid2D& values) {
    constexpr std::size_t kMostSamples = 65536;
    const std::size_t nu = values.SizeU(), nv = values.SizeV();
    const std::size_t count = nu * nv;
    const std::size_t stride = std::max<std::size_t>(1, (count + kMostSamples - 1) / kMostSamples);
    std::vector<float> finite;
    finite.reserve(std::min(count, kMostSamples));
    float lowest = std::numeric_limits<float>::infinity(), highest = -lowest;
    for (std::size_t k = 0; k < count; ++k) {
        const float value = values(k / nv, k % nv);
        if (!std::isfinite(value)) continue;
        lowest = std::min(lowest, value);
        highest = std::max(highest, value);
        if (k % stride == 0) finite.push_back(value);
    }
    if (finite.empty()) return std::nullopt;
    const auto percentile = [&](double fraction) {
        const auto at = finite.begin() + static_cast<std::ptrdiff_t>(
                                             fraction * static_cast<double>(finite.size() - 1));
        std::nth_element(finite.begin(), at, finite.end());
        return static_cast<double>(*at);
    };
    const double low = percentile(0.05), high = percentile(0.95);
    const double fence = 1.5 * (high - low);
    SpikeLimits limits{lowest, highest, false, false};
    if (lowest < low - fence) {
        limits.min = static_cast<float>(low - fence);
        limits.clipsMin = true;
    }
    if (highest > high + fence) {
        limits.max = static_cast<float>(high + fence);
        limits.clipsMax = true;
    }
    return limits;
}

void ValueRange::Merge(const ValueRange& other) {
    max = std::max(max, other.max);
    min = std::min(min, other.min);
}

void ValueRange::WidenInto(float& runningMax, float& runningMin) const {
    if (!Any()) return;
    if (max > runningMax) runningMax = max;
    if (min < runningMin) runningMin = min;
}

void SampleGrids::Resize(std::uint64_t nu, std::uint64_t nv, bool polar) {
    x.Resize(nu, nv, polar ? Grid2D::Layout::Full : Grid2D::Layout::AlongU);
    y.Resize(nu, nv, polar ? Grid2D::Layout::Full : Grid2D::Layout::AlongV);
    for (Grid2D* grid : {&u, &v, &m})
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

std::uint64_t GridBytes(std::uint64_t nu, std::uint64_t nv, bool polar) {
    const std::uint64_t perPoint = GridsPerPoint(polar) * sizeof(float);
    constexpr std::uint64_t most = std::numeric_limits<std::uint64_t>::max();
    if (nu != 0 && nv > most / nu) return most;
    const std::uint64_t points = nu * nv;
    if (points > most / perPoint) return most;
    const std::uint64_t axes = polar ? 0 : (nu + nv) * sizeof(float); // cannot overflow here
    return points * perPoint > most - axes ? most : points * perPoint + axes;
}

std::optional<std::string> CheckGridMemory(std::uint64_t nu, std::uint64_t nv,
                                           std::uint64_t availableBytes, bool polar) {
    const std::uint64_t needed = GridBytes(nu, nv, polar);
    const bool addressable =
        needed / (GridsPerPoint(polar) * sizeof(float)) <= std::numeric_limits<std::size_t>::max();
    if (addressable && (availableBytes == 0 || needed <= availableBytes)) return std::nullopt;
    return "A grid of " + std::to_string(nu) + " x " + std::to_string(nv) + " points needs " +
           Megabytes(needed) + " of memory, but only " + Megabytes(availableBytes) +
           " is available. Choose fewer steps.";
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

unsigned CoreCount() {
    static const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    return cores;
}

SampleOutcome SampleProgram(const CompiledProgram& program, const SampleDomain& domain, float t,
                            unsigned threads, SampleGrids& grids) {
    const std::uint64_t nu = domain.NU, nv = domain.NV;
    std::vector<float> params(nv);
    for (std::uint64_t j = 0; j < nv; ++j)
        params[j] = GridNode(domain.MinV, domain.MaxV, j, nv - 1);
    if (!domain.Polar) std::copy(params.begin(), params.end(), grids.y.StoredData());

    if (threads == 0) {
        // One thread per core, but none that would get fewer points than it costs to hand
        // them over: waking a helper and joining it again takes about as long as sampling
        // ten thousand points of a simple function.
        constexpr std::uint64_t kPointsPerThread = 16384;
        const std::uint64_t worth = std::max<std::uint64_t>(1, nu * nv / kPointsPerThread);
        threads = static_cast<unsigned>(std::min<std::uint64_t>(CoreCount(), worth));
    }
    threads = static_cast<unsigned>(std::min<std::uint64_t>(threads, nu));

    // Each thread starts on a block of rows of its own and then helps with the others' blocks.
    // Sampling the same grid again gives each thread the rows it wrote last time, whose memory
    // is still in its own caches, as long as the threads keep pace with each other.
    struct Block {
        alignas(64) std::atomic<std::uint64_t> next{0};
        std::uint64_t end = 0;
    };
    std::vector<Block> blocks(threads);
    for (unsigned k = 0; k < threads; ++k) {
        blocks[k].next = nu * k / threads;
        blocks[k].end = nu * (k + 1) / threads;
    }
    std::vector<SampleOutcome> outcomes(threads);
    const std::function<void(unsigned)> worker = [&](unsigned index) {
        constexpr float inf = std::numeric_limits<float>::infinity();
        detail::BlockRanges ranges;
        std::fill(std::begin(ranges.min), std::end(ranges.min), inf);
        std::fill(std::begin(ranges.max), std::end(ranges.max), -inf);
        EvalStatus failure = EvalStatus::Value;
        // A polar row's points are worked out here; a Cartesian row is one x and the y nodes.
        std::vector<float> xs(domain.Polar ? nv : 0), ys(domain.Polar ? nv : 0);
        // The next row to sample, nu when all are taken.
        auto nextRow = [&, b = index, tried = 0u]() mutable {
            for (; tried < threads; b = (b + 1) % threads, ++tried) {
                const std::uint64_t i = blocks[b].next.fetch_add(1, std::memory_order_relaxed);
                if (i < blocks[b].end) return i;
            }
            return nu;
        };
        for (;;) {
            const std::uint64_t i = nextRow();
            if (i >= nu) break;
            const float a = GridNode(domain.MinU, domain.MaxU, i, nu - 1);
            if (domain.Polar) {
                // (angle a, radius r) is the point r·(cos a + i sin a).
                const double c = std::cos(static_cast<double>(a));
                const double sn = std::sin(static_cast<double>(a));
                for (std::uint64_t j = 0; j < nv; ++j) {
                    xs[j] = static_cast<float>(params[j] * c);
                    ys[j] = static_cast<float>(params[j] * sn);
                }
                std::copy(xs.begin(), xs.end(), grids.x.Row(i));
                std::copy(ys.begin(), ys.end(), grids.y.Row(i));
            } else {
                grids.x.StoredData()[i] = a;
            }
            // Values, magnitudes and ranges in one pass per chunk, straight into the grid rows.
            float* u = grids.u.Row(i);
            float* v = grids.v.Row(i);
            float* m = grids.m.Row(i);
            const EvalStatus whole =
                domain.Polar ? program.EvaluateRow(xs.data(), ys.data(), nv, t, u, v, m, ranges)
                             : program.EvaluateRow(a, params.data(), nv, t, u, v, m, ranges);
            if (whole != EvalStatus::Value) failure = whole;
        }
        SampleOutcome& out = outcomes[index];
        ValueRange* targets[] = {&out.x, &out.y, &out.u, &out.v, &out.m};
        for (int q = 0; q < 5; ++q) {
            targets[q]->min = ranges.min[q];
            targets[q]->max = ranges.max[q];
        }
        out.failure = failure;
    };
    if (threads <= 1)
        worker(0);
    else
        HelperThreads::Shared().Run(threads - 1, worker);

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
