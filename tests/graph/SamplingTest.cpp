#include "GraphTestSupport.h"
#include "core/Limits.h"
#include "expr/CEvaluator.h"
#include "expr/TextPasses.h"
#include "graph/CGraph.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <bit>
#include <cmath>
#include <cstring>
#include <thread>

namespace tervane {
namespace {

using testing::Surface;

std::vector<float> Copy(const Grid2D& grid) {
    return {grid.Values().begin(), grid.Values().end()};
}

TEST(GetPoints, FillsTheValueGridsWithTheEvaluatorsValues) {
    auto g = Surface("z^2+1", -1, 1, -2, 2, 4, 8);
    ASSERT_TRUE(g->GetPoints()) << g->LastError();
    ASSERT_EQ(g->RealPart().SizeU(), 5u);
    ASSERT_EQ(g->RealPart().SizeV(), 9u);
    CEvaluator evaluator;
    std::string postfix;
    ASSERT_EQ(evaluator.InfixToPostfix("z^2+1", postfix), 0);
    for (std::size_t i = 0; i <= 4; ++i) {
        for (std::size_t j = 0; j <= 8; ++j) {
            const float x = -1 + 0.5f * static_cast<float>(i);
            const float y = -2 + 0.5f * static_cast<float>(j);
            EXPECT_EQ(g->DomainX()(i, j), x);
            EXPECT_EQ(g->DomainY()(i, j), y);
            float u = 0, v = 0;
            ASSERT_TRUE(evaluator.DoEvaluate(postfix, false, u, v, x, y));
            EXPECT_EQ(g->RealPart()(i, j), u);
            EXPECT_EQ(g->ImaginaryPart()(i, j), v);
            EXPECT_FLOAT_EQ(g->MagnitudeGrid()(i, j), std::hypot(u, v));
        }
    }
    // Plot X, Y, Z are x, y and u; colours x, y and |w|.
    EXPECT_EQ(&g->PlotX(), &g->DomainX());
    EXPECT_EQ(&g->PlotZ(), &g->RealPart());
    EXPECT_EQ(&g->ColorGridB(), &g->MagnitudeGrid());
    EXPECT_EQ(g->GetExtents().MaxU, 1 + 1 - 0); // z = 1 + 0i gives the largest real part 2
    EXPECT_EQ(g->GetExtents().MinU, 1 - 4);     // z = 2i gives -3
}

TEST(GetPoints, EqualRangeEndsGiveOneColumn) {
    auto g = Surface("z", 2, 2, 0, 1, 3, 1);
    ASSERT_TRUE(g->GetPoints());
    for (std::size_t i = 0; i <= 3; ++i)
        EXPECT_EQ(g->DomainX()(i, 0), 2.0f);
}

TEST(GetPoints, UndefinedPointsAreNaNAndLeftOutOfExtents) {
    auto g = Surface("1/z", -1, 1, -1, 1, 2, 2);
    ASSERT_TRUE(g->GetPoints()) << g->LastError();
    EXPECT_TRUE(std::isnan(g->RealPart()(1, 1)));
    EXPECT_TRUE(std::isnan(g->ImaginaryPart()(1, 1)));
    EXPECT_TRUE(std::isnan(g->MagnitudeGrid()(1, 1)));
    EXPECT_EQ(g->DomainX()(1, 1), 0.0f);
    EXPECT_FLOAT_EQ(g->RealPart()(2, 1), 1.0f);
    EXPECT_FALSE(std::isnan(g->GetExtents().MaxM));
    EXPECT_FLOAT_EQ(g->GetExtents().MaxM, 1.0f);
}

TEST(GetPoints, AGraphWithNoValidPointStillSamples) {
    auto g = Surface("1/(z-z)", -1, 1, -1, 1, 3, 3);
    ASSERT_TRUE(g->GetPoints());
    for (float v : g->RealPart().Values())
        EXPECT_TRUE(std::isnan(v));
    // The extents never saw a value, so they keep their initial 0.
    EXPECT_EQ(g->GetExtents().MaxU, 0.0f);
    EXPECT_EQ(g->GetExtents().MinU, 0.0f);
}

TEST(GetPoints, QuantityCodesChooseThePlotAndColourGrids) {
    auto g = Surface("z", 0, 1, 0, 1, 2, 2, kQuantityMagnitude);
    g->SetColorR(kQuantityReal);
    g->SetColorG(9); // outside 1..5: a zero grid
    ASSERT_TRUE(g->GetPoints());
    EXPECT_EQ(Copy(g->PlotZ()), Copy(g->MagnitudeGrid()));
    EXPECT_EQ(Copy(g->ColorGridR()), Copy(g->RealPart()));
    for (float v : g->ColorGridG().Values())
        EXPECT_EQ(v, 0.0f);
    // Changing a code afterwards does not change the grids until the next sampling.
    g->SetVarZ(kQuantityImaginary);
    EXPECT_EQ(Copy(g->PlotZ()), Copy(g->MagnitudeGrid()));
    ASSERT_TRUE(g->GetPoints());
    EXPECT_EQ(Copy(g->PlotZ()), Copy(g->ImaginaryPart()));
}

TEST(GetPoints, ExtentsOfUVAndMagnitudeOnlyWiden) {
    auto g = Surface("z", -3, 3, -3, 3, 4, 4);
    ASSERT_TRUE(g->GetPoints());
    g->SetMinU(-1);
    g->SetMaxU(1);
    g->SetMinV(-1);
    g->SetMaxV(1);
    ASSERT_TRUE(g->GetPoints());
    EXPECT_EQ(g->GetExtents().MaxU, 3.0f);
    EXPECT_EQ(g->GetExtents().MinU, -3.0f);
    EXPECT_EQ(g->GetExtents().MaxV, 3.0f);
    EXPECT_FLOAT_EQ(g->GetExtents().MaxM, std::sqrt(18.0f));
}

TEST(GetPoints, StepCountsAreClampedBeforeTheGridsAreMade) {
    const struct {
        int stepU, stepV, wantU, wantV;
    } cases[] = {
        {0, -5, 1, 1},
        {2000000000, 2, kMaxSteps, 2},
    };
    for (const auto& c : cases) {
        auto g = Surface("z", 0, 1, 0, 1, c.stepU, c.stepV);
        ASSERT_TRUE(g->GetPoints());
        EXPECT_EQ(g->StepU(), c.wantU);
        EXPECT_EQ(g->StepV(), c.wantV);
        EXPECT_EQ(g->RealPart().SizeU(), static_cast<std::size_t>(c.wantU) + 1);
        EXPECT_EQ(g->RealPart().SizeV(), static_cast<std::size_t>(c.wantV) + 1);
    }
}

struct FailureCase {
    const char* function;
    const char* message;
    bool syntax;
};

TEST(GetPoints, FailsWithAReasonTheDialogsCanShow) {
    const FailureCase cases[] = {
        {"z^", "Character 2:  Operand expected", true},
        {"sin(z", "Character 5:  Closing parenthesis expected", true},
        {"", "Character 1:  Operand expected", true},
        {"  ", "The function gives no value.", false},
        {"ii", "The function contains a number that cannot be read.", false},
    };
    for (const auto& c : cases) {
        auto g = Surface(c.function, -1, 1, -1, 1, 3, 3);
        EXPECT_FALSE(g->GetPoints()) << c.function;
        EXPECT_EQ(g->LastError(), c.message) << c.function;
        EXPECT_EQ(g->LastSyntaxError().has_value(), c.syntax) << c.function;
        for (float v : g->PlotZ().Values())
            EXPECT_EQ(v, 0.0f) << c.function;
    }
}

TEST(GetPoints, RefusesAGridTooLargeForTheMemoryItIsGivenAndKeepsThePreviousGrids) {
    // 100 x 50 steps: 101 * 51 points, three float grids (u, v, |w|), x per i and y per j.
    const std::uint64_t needed = (101u * 51u * 3u + 101u + 51u) * sizeof(float);
    const struct {
        std::uint64_t available;
        bool fits;
    } cases[] = {{needed, true}, {needed - 1, false}, {needed / 4, false}, {0, true}};
    for (const auto& c : cases) {
        auto g = Surface("z", -1, 1, -1, 1, 2, 2);
        ASSERT_TRUE(g->GetPoints());
        const auto previous = Copy(g->RealPart());
        g->SetStepU(100);
        g->SetStepV(50);
        EXPECT_EQ(g->GetPoints(SamplingOptions{1, c.available}), c.fits) << c.available;
        if (c.fits) continue;
        EXPECT_NE(g->LastError().find("A grid of 101 x 51 points needs"), std::string::npos)
            << g->LastError();
        EXPECT_EQ(Copy(g->RealPart()), previous);
    }
}

TEST(CheckGridMemory, NamesTheSizeWithoutOverflow) {
    const auto refusal = CheckGridMemory(2147483648ull, 2147483648ull, 1u << 30);
    ASSERT_TRUE(refusal.has_value());
    EXPECT_EQ(refusal->find("needs 0 MB"), std::string::npos) << *refusal;
    EXPECT_NE(refusal->find("Choose fewer steps."), std::string::npos);
}

TEST(GetPoints, RefusesARangeTooLargeToStep) {
    auto g = Surface("z", -3e38f, 3e38f, 0, 1, 2, 2);
    EXPECT_FALSE(g->GetPoints());
    EXPECT_EQ(g->LastError(), "The range of x or y is too large to sample.");
}

TEST(GetPoints, ParallelRowsGiveTheSameBitsAsOneThread) {
    const char* functions[] = {"exp(sin(z))+z^2", "1/(z-0.5)", "sqr(z)*log(z)"};
    for (const char* f : functions) {
        std::vector<std::vector<float>> results;
        for (unsigned threads : {1u, 2u, 3u}) {
            auto g = Surface(f, -2, 2, -2, 2, 37, 23);
            ASSERT_TRUE(g->GetPoints(SamplingOptions{threads, std::nullopt}));
            std::vector<float> all = Copy(g->RealPart());
            all.insert(all.end(), g->ImaginaryPart().Values().begin(),
                       g->ImaginaryPart().Values().end());
            all.push_back(g->GetExtents().MaxM);
            results.push_back(std::move(all));
        }
        for (std::size_t k = 1; k < results.size(); ++k) {
            ASSERT_EQ(results[k].size(), results[0].size());
            EXPECT_EQ(std::memcmp(results[k].data(), results[0].data(),
                                  results[0].size() * sizeof(float)),
                      0)
                << f;
        }
    }
}

// The helper threads are kept between samplings; samplings that run at the same time (one of
// them on threads of its own) and samplings with more or fewer threads than the last one still
// give one thread's bits.
TEST(GetPoints, SamplingsAtTheSameTimeGiveTheSameBitsAsOneThread) {
    auto reference = Surface("sin(z)*cos(z)/(z+1)", -2, 2, -2, 2, 61, 45);
    ASSERT_TRUE(reference->GetPoints(SamplingOptions{1, std::nullopt}));
    const std::vector<float> want = Copy(reference->MagnitudeGrid());
    std::atomic<int> differing{0};
    auto sample = [&](unsigned first) {
        auto g = Surface("sin(z)*cos(z)/(z+1)", -2, 2, -2, 2, 61, 45);
        for (unsigned round = 0; round < 30; ++round) {
            if (!g->GetPoints(SamplingOptions{first + round % 4, std::nullopt}) ||
                Copy(g->MagnitudeGrid()) != want)
                ++differing;
        }
    };
    std::thread other(sample, 2u);
    sample(3u);
    other.join();
    EXPECT_EQ(differing.load(), 0);
}

TEST(GetPoints, PolarDomainMapsAngleAndRadiusToZ) {
    auto g = Surface("z", 0, 3.14159265f, 0, 2, 2, 2);
    g->SetCoordType(kCoordPolar);
    ASSERT_TRUE(g->GetPoints());
    // i = 1 is the angle π/2, j = 2 the radius 2: z = 2i.
    EXPECT_NEAR(g->DomainX()(1, 2), 0.0f, 1e-6);
    EXPECT_NEAR(g->DomainY()(1, 2), 2.0f, 1e-6);
    EXPECT_NEAR(g->ImaginaryPart()(1, 2), 2.0f, 1e-6);
}

TEST(Grid2D, EveryLayoutReadsTheSameThroughIJValuesAndContiguous) {
    // 2 x 3 points whose value is 10 i + j where the layout lets it vary.
    const struct {
        Grid2D::Layout layout;
        std::vector<float> stored, want;
    } cases[] = {
        {Grid2D::Layout::Full, {0, 1, 2, 10, 11, 12}, {0, 1, 2, 10, 11, 12}},
        {Grid2D::Layout::AlongU, {0, 10}, {0, 0, 0, 10, 10, 10}},
        {Grid2D::Layout::AlongV, {0, 1, 2}, {0, 1, 2, 0, 1, 2}},
        {Grid2D::Layout::Constant, {7}, {7, 7, 7, 7, 7, 7}},
    };
    for (const auto& c : cases) {
        Grid2D g;
        g.Resize(2, 3, c.layout);
        ASSERT_EQ(g.StoredCount(), c.stored.size());
        std::copy(c.stored.begin(), c.stored.end(), g.StoredData());
        EXPECT_EQ(g.Count(), 6u);
        EXPECT_EQ(g.Bytes(), c.stored.size() * sizeof(float));
        for (std::size_t k = 0; k < 6; ++k)
            EXPECT_EQ(g(k / 3, k % 3), c.want[k]);
        EXPECT_EQ(Copy(g), c.want);
        std::vector<float> scratch;
        const auto all = g.Contiguous(scratch);
        EXPECT_EQ(std::vector<float>(all.begin(), all.end()), c.want);
        EXPECT_EQ(Copy(Grid2D(g)), c.want) << "a copy keeps the layout";
    }
}

TEST(GetPoints, AGraphHoldsTwelveBytesAPointOnACartesianDomain) {
    const struct {
        std::int32_t coord;
        double most; // bytes per point, 101 x 101 points
    } cases[] = {{kCoordCartesian, 12.0 + 2.0 * 4 / 101}, {kCoordPolar, 20.0}};
    for (const auto& c : cases) {
        auto g = Surface("z", -1, 1, -1, 1, 100, 100);
        g->SetCoordType(c.coord);
        g->SetColorG(9); // a zero grid as well
        ASSERT_TRUE(g->GetPoints());
        EXPECT_LE(static_cast<double>(g->BytesHeld()) / (101.0 * 101.0), c.most + 0.01) << c.coord;
    }
}

TEST(GetPoints, KindsKnownOnlyToDocumentsAreKeptWithoutSampling) {
    auto g = Surface("z", 0, 1, 0, 1, 2, 2);
    g->SetGraphType(kGraphVectorField);
    EXPECT_TRUE(g->GetPoints());
    for (float v : g->RealPart().Values())
        EXPECT_EQ(v, 0.0f);
    g->SetGraphType(kGraphContour);
    EXPECT_TRUE(g->GetPoints());
    EXPECT_EQ(g->RealPart()(2, 0), 1.0f);
    // A contour plot lies over its domain as a colour map does, at height zero.
    for (float v : g->PlotY().Values())
        EXPECT_EQ(v, 0.0f);
    EXPECT_EQ(g->PlotX()(2, 0), 1.0f);
    EXPECT_EQ(g->PlotZ()(0, 2), 1.0f);
}

TEST(GetPoints, TheAnimationParameter) {
    auto g = Surface("t*z", 1, 1, 0, 0, 1, 1);
    g->SetMinT(2);
    g->SetMaxT(4);
    ASSERT_TRUE(g->GetPoints());
    EXPECT_TRUE(g->UsesT());
    EXPECT_EQ(g->RealPart()(0, 0), 2.0f); // t = MinT
    ASSERT_TRUE(g->GetPointsAtStep(2, 4));
    EXPECT_EQ(g->RealPart()(0, 0), 3.0f);
    auto still = Surface("z", 0, 1, 0, 1, 1, 1);
    ASSERT_TRUE(still->GetPoints());
    EXPECT_FALSE(still->UsesT());
}

TEST(GetPoints, AForkedChildSamplesWithThreadsOfItsOwn) {
    // The helper threads kept by a sampling in the parent do not exist in a child; the child
    // must start its own rather than wait for them.
    auto g = Surface("exp(z)", -2, 2, -2, 2, 64, 64);
    ASSERT_TRUE(g->GetPoints(SamplingOptions(2, std::nullopt)));
    const float expected = g->RealPart()(10, 20);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        alarm(20); // a child waiting for its parent's threads ends here instead of hanging
        auto h = Surface("exp(z)", -2, 2, -2, 2, 64, 64);
        _exit(h->GetPoints(SamplingOptions(2, std::nullopt)) && h->RealPart()(10, 20) == expected
                  ? 0
                  : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "the child was stopped by a signal";
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

} // namespace
} // namespace tervane
