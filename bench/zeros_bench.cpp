// The zero and pole finder against the sampling it works on, over a 1000 x 1000 grid.
//
// BM_Sample/F/T samples function F with T threads through CGraph::GetPoints; BM_FindZeros/F/T
// runs the finder with T threads on that sampled graph (the winding scan over every cell, the
// refinement of what it finds and the grouping of cells without a value). Both report the time
// per grid point; the finder's "roots" counter is the number of zeros and poles it reported.
#include "BenchGraphs.h"
#include "graph/CGraph.h"
#include "graph/ZeroFinder.h"

#include <benchmark/benchmark.h>

namespace {

using namespace tervane;

constexpr int kSteps = 999; // 1000 points a side
constexpr double kPoints = 1000.0 * 1000.0;

// A quotient whose denominator's zeros cancel (one zero, at 1), and a function with seven
// zeros and two poles in the square -2..2.
const char* const kFunctions[] = {"(z^3-1)/(z^2+z+1)", "sin(5z)/(z^2+0.5)"};

void PerPoint(benchmark::State& state) {
    state.counters["per_point"] = benchmark::Counter(
        kPoints, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_Sample(benchmark::State& state) {
    const int function = static_cast<int>(state.range(0));
    const SamplingOptions sampling{static_cast<unsigned>(state.range(1)), std::nullopt};
    auto g = bench::Surface(kFunctions[function], kSteps);
    for (auto _ : state) {
        if (!g->GetPoints(sampling)) state.SkipWithError(g->LastError().c_str());
        benchmark::ClobberMemory();
    }
    state.SetLabel(kFunctions[function]);
    PerPoint(state);
}

void BM_FindZeros(benchmark::State& state) {
    const int function = static_cast<int>(state.range(0));
    auto g = bench::Surface(kFunctions[function], kSteps);
    if (!g->GetPoints(SamplingOptions{0, std::nullopt})) {
        state.SkipWithError(g->LastError().c_str());
        return;
    }
    const auto program = CompileGraphFunction(*g);
    ZeroFinderOptions options;
    options.Threads = static_cast<unsigned>(state.range(1));
    std::size_t roots = 0;
    for (auto _ : state) {
        const ZeroFinderResult result = FindZerosAndPoles(ZeroFinderInput::FromGraph(*g),
                                                          program ? &*program : nullptr, options);
        roots = result.Roots.size();
        benchmark::DoNotOptimize(result.Roots.data());
    }
    state.counters["roots"] = static_cast<double>(roots);
    state.SetLabel(kFunctions[function]);
    PerPoint(state);
}

BENCHMARK(BM_Sample)
    ->ArgsProduct({{0, 1}, {1, 2}})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0)
    ->UseRealTime();
BENCHMARK(BM_FindZeros)
    ->ArgsProduct({{0, 1}, {1, 2}})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0)
    ->UseRealTime();

} // namespace

BENCHMARK_MAIN();
