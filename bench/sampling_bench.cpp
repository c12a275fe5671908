// Sampling speed of a 1000 x 1000 grid for five functions.
//
// BM_Sample/F/T samples function F with T threads through CGraph::GetPoints;
// BM_SampleSmall/F/T the same on a 100 x 100 grid.
// BM_HandWritten/F computes the same grids (x, y, u, v, |w| and extents) in a
// loop that calls the complex library directly: what a compiler makes of the
// expression with no interpreter. The summary at the end prints our time per
// point, the ratio of our one-thread time to the hand-written loop, the
// speed-up with two threads, the memory a graph holds per grid point, and the share of points
// whose sampled value is not the complex library's to the bit (the vector library of the
// compiled program rounds a few double results to the other side of a single).
#include "BenchGraphs.h"
#include "expr/Complex.h"
#include "graph/CGraph.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <map>
#include <string>
#include <vector>

namespace {

using namespace tervane;

constexpr int kSteps = 999; // 1000 points a side
constexpr double kPoints = 1000.0 * 1000.0;

const char* const kFunctions[] = {
    "z^2+1", "exp(z)", "sin(z)*cos(z)/(z+1)", "exp(sin(z))+z^2", "(z^3-1)/(z^2+z+1)",
};
constexpr int kFunctionCount = 5;

std::shared_ptr<CGraph> MakeGraph(int function, int steps = kSteps) {
    return bench::Surface(kFunctions[function], steps);
}

void PerPoint(benchmark::State& state) {
    state.counters["per_point"] = benchmark::Counter(
        kPoints, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

double gBytesPerPoint = 0;

void BM_Sample(benchmark::State& state) {
    const int function = static_cast<int>(state.range(0));
    const SamplingOptions sampling{static_cast<unsigned>(state.range(1)), std::nullopt};
    auto g = MakeGraph(function);
    for (auto _ : state) {
        if (!g->GetPoints(sampling)) state.SkipWithError(g->LastError().c_str());
        benchmark::ClobberMemory();
    }
    gBytesPerPoint = static_cast<double>(g->BytesHeld()) / kPoints;
    state.counters["bytes_per_point"] = gBytesPerPoint;
    state.SetLabel(kFunctions[function]);
    PerPoint(state);
}

// A 100 x 100 grid, a hundredth of the points: the share of a sampling that does not scale with
// the grid (translating and compiling the text, sizing the grids, waking or starting threads)
// shows here.
void BM_SampleSmall(benchmark::State& state) {
    const int function = static_cast<int>(state.range(0));
    const SamplingOptions sampling{static_cast<unsigned>(state.range(1)), std::nullopt};
    auto g = MakeGraph(function, 99);
    for (auto _ : state) {
        if (!g->GetPoints(sampling)) state.SkipWithError(g->LastError().c_str());
        benchmark::ClobberMemory();
    }
    state.SetLabel(kFunctions[function]);
    state.counters["per_point"] = benchmark::Counter(
        1e4, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// The five functions written out against the library.
EvalStatus Apply(int function, Complex z, Complex& w) {
    Complex a, b, c;
    EvalStatus f = EvalStatus::Value;
    switch (function) {
    case 0:
        if ((f = cx::Pow(z, {2, 0}, a)) != EvalStatus::Value) return f;
        return cx::Add(a, {1, 0}, w);
    case 1:
        return cx::Exp(z, w);
    case 2:
        if ((f = cx::Sin(z, a)) != EvalStatus::Value) return f;
        if ((f = cx::Cos(z, b)) != EvalStatus::Value) return f;
        if ((f = cx::Mul(a, b, c)) != EvalStatus::Value) return f;
        if ((f = cx::Add(z, {1, 0}, a)) != EvalStatus::Value) return f;
        return cx::Div(c, a, w);
    case 3:
        if ((f = cx::Sin(z, a)) != EvalStatus::Value) return f;
        if ((f = cx::Exp(a, b)) != EvalStatus::Value) return f;
        if ((f = cx::Pow(z, {2, 0}, c)) != EvalStatus::Value) return f;
        return cx::Add(b, c, w);
    default:
        if ((f = cx::Pow(z, {3, 0}, a)) != EvalStatus::Value) return f;
        if ((f = cx::Sub(a, {1, 0}, a)) != EvalStatus::Value) return f;
        if ((f = cx::Pow(z, {2, 0}, b)) != EvalStatus::Value) return f;
        if ((f = cx::Add(b, z, b)) != EvalStatus::Value) return f;
        if ((f = cx::Add(b, {1, 0}, b)) != EvalStatus::Value) return f;
        return cx::Div(a, b, w);
    }
}

void BM_HandWritten(benchmark::State& state) {
    const int function = static_cast<int>(state.range(0));
    const std::size_t n = kSteps + 1;
    std::vector<float> xs(n * n), ys(n * n), us(n * n), vs(n * n), ms(n * n);
    const float du = 4.0f / kSteps, dv = 4.0f / kSteps;
    const float inf = std::numeric_limits<float>::infinity();
    for (auto _ : state) {
        // The same extents as sampling keeps: x, y, u, v and |w| of valid points.
        float maxX = -inf, minX = inf, maxY = -inf, minY = inf, maxU = -inf, minU = inf;
        float maxV = -inf, minV = inf, maxM = -inf, minM = inf;
        for (std::size_t i = 0; i < n; ++i) {
            const float x = static_cast<float>(static_cast<double>(du) * i - 2.0);
            for (std::size_t j = 0; j < n; ++j) {
                const float y = static_cast<float>(static_cast<double>(dv) * j - 2.0);
                const std::size_t k = i * n + j;
                xs[k] = x;
                ys[k] = y;
                Complex w;
                if (Apply(function, {x, y}, w) == EvalStatus::Value) {
                    us[k] = w.re;
                    vs[k] = w.im;
                    const double re = w.re, im = w.im;
                    ms[k] = static_cast<float>(std::sqrt(re * re + im * im));
                    maxX = std::max(maxX, x);
                    minX = std::min(minX, x);
                    maxY = std::max(maxY, y);
                    minY = std::min(minY, y);
                    maxU = std::max(maxU, us[k]);
                    minU = std::min(minU, us[k]);
                    maxV = std::max(maxV, vs[k]);
                    minV = std::min(minV, vs[k]);
                    maxM = std::max(maxM, ms[k]);
                    minM = std::min(minM, ms[k]);
                } else {
                    us[k] = vs[k] = ms[k] = std::numeric_limits<float>::quiet_NaN();
                }
            }
        }
        benchmark::DoNotOptimize(maxX + minX + maxY + minY + maxU + minU + maxV + minV + maxM +
                                 minM);
        benchmark::ClobberMemory();
    }
    state.SetLabel(kFunctions[function]);
    PerPoint(state);
}

BENCHMARK(BM_Sample)
    ->ArgsProduct({{0, 1, 2, 3, 4}, {1, 2}})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0)
    ->UseRealTime();
// Threads 0: as many as the sampling finds worth it (one on this grid).
BENCHMARK(BM_SampleSmall)
    ->ArgsProduct({{0, 1}, {1, 2, 0}})
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();
BENCHMARK(BM_HandWritten)
    ->DenseRange(0, kFunctionCount - 1)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0);

// Keeps the console output and remembers each run's time per iteration.
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (!run.error_occurred) seconds_[run.benchmark_name()] = run.GetAdjustedRealTime();
    }

    void PrintSummary() const {
        std::printf("\nSampling a 1000 x 1000 grid (ns per point; ratio = ours / hand-written "
                    "loop, one thread):\n");
        std::printf("%-22s %10s %10s %12s %8s %10s\n", "function", "1 thread", "2 threads",
                    "hand-written", "ratio", "speed-up");
        for (int f = 0; f < kFunctionCount; ++f) {
            const double one = Find("BM_Sample/" + std::to_string(f) + "/1");
            const double two = Find("BM_Sample/" + std::to_string(f) + "/2");
            const double hand = Find("BM_HandWritten/" + std::to_string(f));
            std::printf("%-22s %10.1f %10.1f %12.1f %8.2f %10.2f\n", kFunctions[f], one, two, hand,
                        one / hand, one / two);
        }
        std::printf("memory held per grid point: %.1f bytes\n", gBytesPerPoint);
    }

    // Samples each function once and compares every point with the library's own value.
    static void PrintDiffering() {
        std::printf("\nPoints whose value differs from the complex library's (at most one unit "
                    "in the last place), or whose validity differs:\n");
        for (int f = 0; f < kFunctionCount; ++f) {
            auto g = MakeGraph(f);
            if (!g->GetPoints()) continue;
            std::size_t differing = 0, validity = 0;
            for (int i = 0; i <= kSteps; ++i) {
                for (int j = 0; j <= kSteps; ++j) {
                    const float x = g->DomainX()(i, j), y = g->DomainY()(i, j);
                    Complex w;
                    const bool valid = Apply(f, {x, y}, w) == EvalStatus::Value;
                    const float u = g->RealPart()(i, j), v = g->ImaginaryPart()(i, j);
                    if (valid != !std::isnan(u)) {
                        ++validity;
                    } else if (valid && (std::memcmp(&u, &w.re, sizeof u) != 0 ||
                                         std::memcmp(&v, &w.im, sizeof v) != 0)) {
                        ++differing;
                    }
                }
            }
            std::printf("%-22s differing %zu of %.0f (share %.2g), validity differs at %zu\n",
                        kFunctions[f], differing, kPoints, differing / kPoints, validity);
        }
    }

private:
    // Nanoseconds per point of the run whose name starts with prefix.
    double Find(const std::string& prefix) const {
        for (const auto& [name, ms] : seconds_)
            if (name.rfind(prefix, 0) == 0) return ms * 1e6 / kPoints; // ms per grid
        return std::nan("");
    }

    std::map<std::string, double> seconds_;
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintSummary();
    SummaryReporter::PrintDiffering();
    benchmark::Shutdown();
    return 0;
}
