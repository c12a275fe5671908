// Fuzz target: the translator and both evaluators. Every function text the fuzzer makes is
// translated (as typed and with implicit multiplications written out); every postfix text that
// results is evaluated at several points by the text-driven evaluator and by the compiled
// program, with each instruction set the processor runs: the statuses must agree at every
// point and the values within one unit in the last place of a single (the compiled program's
// vector library may round a double result to the other side of a single). The raw input is also
// fed to the text-driven evaluator as a postfix text, where only a crash counts.
//
// Input: the function text, optionally followed by a NUL byte and up to 12 bytes giving x, y
// and t of one more point.
#include "expr/CEvaluator.h"
#include "expr/CompiledProgram.h"
#include "expr/ExprError.h"
#include "expr/TextPasses.h"

#include "../expr/ReferenceEvaluation.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

using namespace tervane;

struct Point {
    float x, y, t;
};

// What DoEvaluate makes of a point, in the compiled program's terms.
EvalStatus Reference(const std::string& postfix, Point p, Complex& w) {
    const auto status = testing::ReferenceEvaluate(postfix, p.x, p.y, p.t, w);
    if (!status) {
        std::fprintf(stderr, "unexpected error for '%s'\n", postfix.c_str());
        std::abort();
    }
    return *status;
}

using testing::SameBits;

[[noreturn]] void Disagree(const std::string& postfix, Point p, EvalStatus want, Complex w,
                           EvalStatus got, Complex g, const char* path) {
    std::fprintf(stderr,
                 "evaluators disagree (%s) on '%s' at x=%a y=%a t=%a: text %d (%a, %a), "
                 "compiled %d (%a, %a)\n",
                 path, postfix.c_str(), static_cast<double>(p.x), static_cast<double>(p.y),
                 static_cast<double>(p.t), static_cast<int>(want), static_cast<double>(w.re),
                 static_cast<double>(w.im), static_cast<int>(got), static_cast<double>(g.re),
                 static_cast<double>(g.im));
    std::abort();
}

void Compare(const std::string& postfix, const Point* points, std::size_t count) {
    CompiledProgram program = CompiledProgram::Compile(postfix);
    const InstructionSet sets[] = {InstructionSet::Sse2, InstructionSet::Avx2};
    for (const InstructionSet set : sets) {
        if (!program.UseInstructionSet(set)) continue;
        for (std::size_t k = 0; k < count; ++k) {
            const Point p = points[k];
            Complex want{};
            const EvalStatus wantStatus = Reference(postfix, p, want);
            Complex got{};
            const EvalStatus gotStatus = program.Evaluate(p.x, p.y, p.t, got);
            if (gotStatus != wantStatus ||
                (wantStatus == EvalStatus::Value && !testing::WithinOneUlp(want, got)))
                Disagree(postfix, p, wantStatus, want, gotStatus, got, "Evaluate");
            Complex block{};
            EvalStatus blockStatus = EvalStatus::Value;
            program.EvaluateBlock(&p.x, &p.y, 1, p.t, &block, &blockStatus);
            if (blockStatus != gotStatus ||
                (gotStatus == EvalStatus::Value && !SameBits(got, block)))
                Disagree(postfix, p, gotStatus, got, blockStatus, block, "EvaluateBlock");
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Long texts add nothing the short ones do not reach, and slow the search down.
    if (size > 2048) return 0;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t nul = input.find('\0');
    const std::string text(input.substr(0, nul));

    Point points[5] = {{0.75f, -1.25f, 0.5f},
                       {0.0f, 0.0f, 0.0f},
                       {1.0f, 0.0f, -2.0f},
                       {-2.5f, 0.001f, 1.0f},
                       {0.0f, 0.0f, 0.0f}};
    std::size_t count = 4;
    if (nul != std::string_view::npos) {
        float extra[3] = {0.0f, 0.0f, 0.0f};
        std::memcpy(extra, input.data() + nul + 1, std::min<std::size_t>(size - nul - 1, 12));
        points[count++] = {extra[0], extra[1], extra[2]};
    }

    for (int implicit = 0; implicit < 2; ++implicit) {
        const std::string source = implicit ? InsertImplicitMultiply(text) : text;
        CEvaluator evaluator;
        std::string postfix;
        if (evaluator.InfixToPostfix(source, postfix) != 0) continue;
        Compare(postfix, points, count);
    }

    // Any text as a postfix text: the evaluator may refuse it, but must not crash.
    Complex ignored{};
    (void)Reference(text, points[0], ignored);
    return 0;
}
