// Evaluation speed of the two evaluators over a 1000 x 1000 grid.
// Prints the time per point ("per_point") for the text interpreter (DoEvaluate) and for the
// compiled program (one row of 1000 points at a time).
#include "expr/CEvaluator.h"
#include "expr/CompiledProgram.h"
#include "expr/TextPasses.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

using namespace tervane;

constexpr int kSide = 1000;
constexpr double kPoints = static_cast<double>(kSide) * kSide;

const char* const kFunctions[] = {
    "z^2+1",
    "exp(z)",
    "sin(z)*cos(z)/(z+1)",
    "exp(sin(z))+z^2",
};

std::string Postfix(const char* text) {
    CEvaluator evaluator;
    std::string postfix;
    evaluator.InfixToPostfix(InsertImplicitMultiply(text), postfix);
    return postfix;
}

// Grid coordinates over [-2, 2] x [-2, 2].
float Coordinate(int i) {
    return -2.0f + 4.0f * static_cast<float>(i) / static_cast<float>(kSide - 1);
}

void SetPerPoint(benchmark::State& state, const char* text) {
    state.SetLabel(text);
    state.counters["per_point"] = benchmark::Counter(
        kPoints, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_DoEvaluate(benchmark::State& state) {
    const char* text = kFunctions[state.range(0)];
    const std::string postfix = Postfix(text);
    CEvaluator evaluator;
    for (auto _ : state) {
        double sum = 0;
        for (int j = 0; j < kSide; ++j) {
            const float y = Coordinate(j);
            for (int i = 0; i < kSide; ++i) {
                float u = 0, v = 0;
                try {
                    if (evaluator.DoEvaluate(postfix, false, u, v, Coordinate(i), y)) sum += u;
                } catch (...) {
                }
            }
        }
        benchmark::DoNotOptimize(sum);
    }
    SetPerPoint(state, text);
}

void BM_Compiled(benchmark::State& state) {
    const char* text = kFunctions[state.range(0)];
    const CompiledProgram program = CompiledProgram::Compile(Postfix(text));
    std::vector<float> xs(kSide), ys(kSide);
    for (int i = 0; i < kSide; ++i)
        xs[i] = Coordinate(i);
    std::vector<Complex> w(kSide);
    std::vector<EvalStatus> status(kSide);
    for (auto _ : state) {
        for (int j = 0; j < kSide; ++j) {
            std::fill(ys.begin(), ys.end(), Coordinate(j));
            program.EvaluateBlock(xs.data(), ys.data(), kSide, 0.0f, w.data(), status.data());
            benchmark::DoNotOptimize(w.data());
        }
    }
    SetPerPoint(state, text);
}

} // namespace

BENCHMARK(BM_DoEvaluate)->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_Compiled)->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->MinTime(1.0);

BENCHMARK_MAIN();
