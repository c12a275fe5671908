#include "graph/ZeroFinder.h"
#include "GraphTestSupport.h"
#include "expr/CEvaluator.h"
#include "expr/TextPasses.h"
#include "graph/CGraph.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <ostream>
#include <random>
#include <string>
#include <vector>

namespace tervane {
namespace {

using testing::Surface;

constexpr double kPi = std::numbers::pi;
constexpr RootKind kZero = RootKind::Zero;
constexpr RootKind kPole = RootKind::Pole;

struct Expected {
    RootKind kind;
    double x, y;
    int order;
};

struct Case {
    const char* name;
    const char* function;
    float minX, maxX, minY, maxY;
    int steps;
    std::vector<Expected> roots;
    int stepsY = 0; // 0: steps
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.function;
}

ZeroFinderResult FindIn(const CGraph& graph, unsigned threads = 1) {
    const auto program = CompileGraphFunction(graph);
    EXPECT_TRUE(program.has_value());
    ZeroFinderOptions options;
    options.Threads = threads;
    return FindZerosAndPoles(ZeroFinderInput::FromGraph(graph), program ? &*program : nullptr,
                             options);
}

// Every expected root found once, refined and within 1e-6, and nothing else.
void ExpectRoots(const ZeroFinderResult& result, const std::vector<Expected>& expected) {
    ASSERT_EQ(result.Roots.size(), expected.size());
    for (const Expected& e : expected) {
        const FoundRoot* nearest = nullptr;
        for (const FoundRoot& r : result.Roots)
            if (!nearest ||
                std::hypot(r.X - e.x, r.Y - e.y) < std::hypot(nearest->X - e.x, nearest->Y - e.y))
                nearest = &r;
        SCOPED_TRACE("expected at " + std::to_string(e.x) + ", " + std::to_string(e.y));
        EXPECT_EQ(nearest->Kind, e.kind);
        EXPECT_EQ(nearest->Order, e.order);
        EXPECT_TRUE(nearest->Refined);
        EXPECT_NEAR(nearest->X, e.x, 1e-6);
        EXPECT_NEAR(nearest->Y, e.y, 1e-6);
    }
    for (std::size_t k = 1; k < result.Roots.size(); ++k)
        EXPECT_LE(result.Roots[k - 1].X, result.Roots[k].X);
}

const double kR3 = std::sqrt(3.0) / 2;

// Steps of 37 over symmetric ranges keep the roots off the nodes and edges; the -2..2 grids in
// 40 steps have nodes at multiples of 0.1, so 0.5 lies on a node line and 0.25 midway. On the
// coarse grid of the triple zero w turns by more than half a turn along the edges near it, so
// its order is spread over several cells, one of them with the opposite sign.
const Case kCases[] = {
    {"CubeRootsOfUnity",
     "z^3-1",
     -2,
     2,
     -2,
     2,
     37,
     {{kZero, -0.5, -kR3, 1}, {kZero, -0.5, kR3, 1}, {kZero, 1, 0, 1}}},
    {"DoubleZeroAndPole", "(z-1)^2/(z+2)", -3, 3, -3, 3, 37, {{kPole, -2, 0, 1}, {kZero, 1, 0, 2}}},
    {"SineOverTwoPeriods",
     "sin(z)",
     -7,
     7,
     -7,
     7,
     50,
     {{kZero, -2 * kPi, 0, 1},
      {kZero, -kPi, 0, 1},
      {kZero, 0, 0, 1},
      {kZero, kPi, 0, 1},
      {kZero, 2 * kPi, 0, 1}}},
    {"ExponentialHasNone", "exp(z)", -3, 3, -3, 3, 37, {}},
    {"PolesAtPlusMinusI", "1/(z^2+1)", -2, 2, -2, 2, 37, {{kPole, 0, -1, 1}, {kPole, 0, 1, 1}}},
    {"ZerosOnNodes",
     "(z-0.5)(z+1.5i)",
     -2,
     2,
     -2,
     2,
     40,
     {{kZero, 0, -1.5, 1}, {kZero, 0.5, 0, 1}}},
    {"ZeroOnAnEdgeAlongY", "z-0.5-0.25i", -2, 2, -2, 2, 40, {{kZero, 0.5, 0.25, 1}}},
    {"ZeroOnAnEdgeAlongX", "z-0.25-0.5i", -2, 2, -2, 2, 40, {{kZero, 0.25, 0.5, 1}}},
    {"DoubleZeroOnAnEdge", "(z-0.5-0.25i)^2", -2, 2, -2, 2, 40, {{kZero, 0.5, 0.25, 2}}},
    {"TripleZero", "(z-0.3-0.2i)^3", -2, 2, -2, 2, 17, {{kZero, 0.3, 0.2, 3}}},
    {"DoublePoleOnAnEdge", "1/(z+0.25)^2", -2, 2, -2, 2, 40, {{kPole, -0.25, 0, 2}}},
    // Orders above two: an edge near the root turns w by more than half a turn.
    {"FifthOrderZero", "(z-0.31-0.17i)^5", -2, 2, -2, 2, 37, {{kZero, 0.31f, 0.17f, 5}}},
    {"FourthOrderPole", "1/(z-0.31-0.17i)^4", -2, 2, -2, 2, 37, {{kPole, 0.31f, 0.17f, 4}}},
    {"FifthOrderPole",
     "1/(z+0.5285+1.0475i)^5",
     -2,
     2,
     -2,
     2,
     101,
     {{kPole, -0.5285f, -1.0475f, 5}}},
    {"EighthOrderZeroAtACellCentre",
     "(z-0.05-0.05i)^8",
     -2,
     2,
     -2,
     2,
     40,
     {{kZero, 0.05f, 0.05f, 8}}},
    // Double poles on a cell row's middle line, where a difference step of the refinement
    // lands on the pole itself.
    {"DoublePoleMidCell41", "1/z^2", -2, 2, -2, 2, 41, {{kPole, 0, 0, 2}}},
    {"DoublePoleMidCell21", "1/z^2", -2, 2, -2, 2, 21, {{kPole, 0, 0, 2}}},
    {"DoublePoleMidCell35", "1/z^2", -2, 2, -2, 2, 35, {{kPole, 0, 0, 2}}},
    {"DoublePoleAtOne", "1/(z-1)^2", -2, 2, -2, 2, 37, {{kPole, 1, 0, 2}}},
    {"TripleZerosDoublePoles",
     "(z^2+1)^3/(z^2-1)^2",
     -2,
     2,
     -2,
     2,
     37,
     {{kPole, -1, 0, 2}, {kZero, 0, -1, 3}, {kZero, 0, 1, 3}, {kPole, 1, 0, 2}}},
    // exp z - 1 is exactly 0 in single precision round 0; the refinement works in double.
    {"ExpMinusOneOnAFineGrid", "exp(z)-1", -5, 5.3f, -4.1f, 4, 1493, {{kZero, 0, 0, 1}}},
    // Cells 1.33 long and 0.02 wide: w turns by up to a whole turn along one edge.
    {"LongCells",
     "z^5-1",
     -2,
     2,
     -2,
     2,
     3,
     {{kZero, -0.809017, -0.587785, 1},
      {kZero, -0.809017, 0.587785, 1},
      {kZero, 0.309017, -0.951057, 1},
      {kZero, 0.309017, 0.951057, 1},
      {kZero, 1, 0, 1}},
     200},
    // Poles that a node hits: the nodes round them have values.
    {"PoleOnANode", "z/(z-0.5)", -2, 2, -2, 2, 40, {{kZero, 0, 0, 1}, {kPole, 0.5, 0, 1}}},
    {"DoublePoleOnANode", "1/z^2", -2, 2, -2, 2, 40, {{kPole, 0, 0, 2}}},
    {"RemovableSingularityOnANode", "sin(z)/z", -2, 2, -2, 2, 40, {}},
    // exp(1/z) has no zero or pole: its winding round any loop is 0.
    {"EssentialSingularityBetweenNodes", "exp(1/z)", -2, 2, -2, 2, 41, {}},
};

class ZeroFinderCases : public ::testing::TestWithParam<Case> {};

TEST_P(ZeroFinderCases, FindsTheKnownZerosAndPoles) {
    const Case& c = GetParam();
    auto g =
        Surface(c.function, c.minX, c.maxX, c.minY, c.maxY, c.steps, c.stepsY ? c.stepsY : c.steps);
    ASSERT_TRUE(g->GetPoints()) << g->LastError();
    const ZeroFinderResult result = FindIn(*g);
    ExpectRoots(result, c.roots);
    EXPECT_TRUE(result.Invalid.empty());
    EXPECT_TRUE(result.Singular.empty());
    EXPECT_FALSE(result.Incomplete);
}

INSTANTIATE_TEST_SUITE_P(Functions, ZeroFinderCases, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Cells with a corner without a value are grouped into regions, cells that touch only at a
// corner included, and nothing is guessed inside them: regions on the grid's border, large ones,
// and those round which w cannot be followed. Grids of -2..2 in 40 steps.
TEST(ZeroFinder, CellsWithoutAValueAreGroupedIntoRegions) {
    const struct {
        const char* function;
        std::vector<Expected> roots;
        std::vector<InvalidRegion> regions; // box and cells
    } cases[] = {
        {"z/(z-2)", {{kZero, 0, 0, 1}}, {{1.9, 2, -0.1, 0.1, 0, 0, 2}}},
        {"1/((z+2)(z-2+2i))", {}, {{-2, -1.9, -0.1, 0.1, 0, 0, 2}, {1.9, 2, -2, -1.9, 0, 0, 1}}},
        {"exp(100x)", {}, {{0.8, 2, -2, 2, 0, 0, 12 * 40}}},
        {"exp(1/z)", {}, {{-0.1, 0.1, -0.1, 0.1, 0, 0, 4}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.function);
        auto g = Surface(c.function, -2, 2, -2, 2, 40, 40);
        ASSERT_TRUE(g->GetPoints()) << g->LastError();
        const ZeroFinderResult result = FindIn(*g);
        ExpectRoots(result, c.roots);
        ASSERT_EQ(result.Invalid.size(), c.regions.size());
        for (std::size_t k = 0; k < c.regions.size(); ++k) {
            const InvalidRegion& r = result.Invalid[k];
            const InvalidRegion& e = c.regions[k];
            EXPECT_EQ(r.Cells, e.Cells);
            EXPECT_NEAR(r.MinX, e.MinX, 1e-6);
            EXPECT_NEAR(r.MaxX, e.MaxX, 1e-6);
            EXPECT_NEAR(r.MinY, e.MinY, 1e-6);
            EXPECT_NEAR(r.MaxY, e.MaxY, 1e-6);
            EXPECT_NEAR(r.CentreX, (e.MinX + e.MaxX) / 2, 1e-6);
            EXPECT_NEAR(r.CentreY, (e.MinY + e.MaxY) / 2, 1e-6);
        }
    }
}

// Windings that come from a jump of w across a branch cut, or from a branch point, are not
// zeros or poles: they are reported as singular places. Genuine roots beside them stay.
TEST(ZeroFinder, BranchCutsAreNotZerosOrPoles) {
    const struct {
        const char* function;
        int steps;
        std::vector<Expected> roots;
        double x, y; // a singular region's cells hold this point
    } cases[] = {
        // log's cut runs along the positive real axis; log(-1) = πi with the library's π, one
        // ulp from the literal's.
        {"log(z)-pi*i", 40, {{kZero, -1, 2.384186e-07, 1}}, 1.0, 0.0},
        {"z^1.5", 40, {}, 0.0, 0.0},
        {"z^2.5", 41, {}, 0.0, 0.0},
        {"z^0.5", 40, {}, 0.0, 0.0},
        {"sqr(z)*(z+1)", 37, {{kZero, -1, 0, 1}}, 0.0, 0.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.function);
        auto g = Surface(c.function, -2, 2, -2, 2, c.steps, c.steps);
        ASSERT_TRUE(g->GetPoints()) << g->LastError();
        const ZeroFinderResult result = FindIn(*g);
        ExpectRoots(result, c.roots);
        bool held = false;
        for (const InvalidRegion& r : result.Singular)
            held |= r.MinX <= c.x && c.x <= r.MaxX && r.MinY <= c.y && c.y <= r.MaxY;
        EXPECT_TRUE(held);
    }
}

// Round an essential singularity zeros crowd without end (sin(1/z): 1/(kπ)) or there are none
// at all (exp(1/z)): every root reported is a true simple zero, and the place itself is named.
TEST(ZeroFinder, EssentialSingularitiesGiveOnlyTrueRoots) {
    for (const int steps : {40, 41, 200, 1001}) {
        SCOPED_TRACE(steps);
        auto g = Surface("sin(1/z)", -2, 2, -2, 2, steps, steps);
        ASSERT_TRUE(g->GetPoints()) << g->LastError();
        const ZeroFinderResult result = FindIn(*g, 2);
        EXPECT_GE(result.Roots.size(), 6u);
        for (const FoundRoot& r : result.Roots) {
            const double k = 1.0 / (kPi * r.X);
            EXPECT_TRUE(r.Kind == kZero && r.Order == 1 && r.Refined && r.Y == 0.0 &&
                        std::abs(k - std::round(k)) < 1e-6 * std::abs(k))
                << r.X << ", " << r.Y << " order " << r.Order;
        }
        bool named = false;
        for (const auto* regions : {&result.Singular, &result.Invalid})
            for (const InvalidRegion& region : *regions)
                named |=
                    region.MinX <= 0 && 0 <= region.MaxX && region.MinY <= 0 && 0 <= region.MaxY;
        EXPECT_TRUE(named);
        auto e = Surface("exp(1/z)", -2, 2, -2, 2, steps, steps);
        ASSERT_TRUE(e->GetPoints()) << e->LastError();
        EXPECT_TRUE(FindIn(*e, 2).Roots.empty());
    }
}

// exp z - 1 is exactly 0 in single precision within 6e-8 of 0, so refining it in single
// precision gave up on grids whose nodes fall near there. Forty grids of about 1500 steps.
TEST(ZeroFinder, RefinesExpMinusOneOnEveryGrid) {
    for (int steps = 1474; steps < 1514; ++steps) {
        auto g = Surface("exp(z)-1", -5, 5.3f, -4.1f, 4, steps, steps);
        ASSERT_TRUE(g->GetPoints()) << g->LastError();
        const ZeroFinderResult result = FindIn(*g, 2);
        SCOPED_TRACE(steps);
        ExpectRoots(result, {{kZero, 0, 0, 1}});
    }
}

// Roots of every order exactly on a node (the cells round it share it), on an edge and at a
// cell's centre of the -2..2 grid in 40 steps.
TEST(ZeroFinder, FindsRootsOfEveryOrderOnNodesAndEdges) {
    const struct {
        const char* text; // the root's place in the function
        double x, y;
    } places[] = {{"z", 0, 0},
                  {"(z-0.5)", 0.5, 0},
                  {"(z-0.25-0.5i)", 0.25, 0.5},
                  {"(z+0.05+0.15i)", -0.05, -0.15}};
    for (const auto& place : places) {
        for (const bool pole : {false, true}) {
            for (int order = 1; order <= 8; ++order) {
                const std::string text =
                    std::string(pole ? "1/" : "") + place.text + "^" + std::to_string(order);
                SCOPED_TRACE(text);
                auto g = Surface(text, -2, 2, -2, 2, 40, 40);
                ASSERT_TRUE(g->GetPoints()) << g->LastError();
                const ZeroFinderResult result = FindIn(*g);
                ExpectRoots(result, {{pole ? kPole : kZero, place.x, place.y, order}});
                EXPECT_TRUE(result.Invalid.empty() && result.Singular.empty());
            }
        }
    }
}

// Zeros and poles of orders 1 to 8 at random places on grids of 20 to 200 steps (a fixed seed):
// every one found once, with its kind and order, refined to within 1e-9, and nothing else.
TEST(ZeroFinder, FindsRootsOfEveryOrderAnywhere) {
    std::mt19937 rng(20261209);
    std::uniform_real_distribution<double> place(-1.8, 1.8);
    std::uniform_int_distribution<int> steps(20, 200);
    constexpr int kTrials = 40;
    double worst = 0.0;
    for (const bool pole : {false, true}) {
        for (int order = 1; order <= 8; ++order) {
            int right = 0;
            for (int trial = 0; trial < kTrials; ++trial) {
                char text[96];
                // Parts printed to six decimals, and held by the function as singles.
                const double x = static_cast<float>(std::round(place(rng) * 1e6) / 1e6);
                const double y = static_cast<float>(std::round(place(rng) * 1e6) / 1e6);
                std::snprintf(text, sizeof text,
                              pole ? "1/(z-(%.6f%+.6fi))^%d" : "(z-(%.6f%+.6fi))^%d", x, y, order);
                const int n = steps(rng), m = steps(rng);
                auto g = Surface(text, -2, 2, -2, 2, n, m);
                ASSERT_TRUE(g->GetPoints()) << g->LastError();
                const ZeroFinderResult result = FindIn(*g);
                const bool ok = result.Roots.size() == 1 && result.Invalid.empty() &&
                                result.Singular.empty() && result.Roots[0].Refined &&
                                result.Roots[0].Order == order &&
                                (result.Roots[0].Kind == kPole) == pole &&
                                std::hypot(result.Roots[0].X - x, result.Roots[0].Y - y) < 1e-9;
                if (result.Roots.size() == 1)
                    worst =
                        std::max(worst, std::hypot(result.Roots[0].X - x, result.Roots[0].Y - y));
                right += ok;
                EXPECT_TRUE(ok) << text << " on " << n << " x " << m << " steps";
            }
            std::printf("%s of order %d: %d of %d right\n", pole ? "poles" : "zeros", order, right,
                        kTrials);
        }
    }
    std::printf("largest position error: %.3g\n", worst);
}

TEST(ZeroFinder, WithoutAProgramReportsCellCentres) {
    auto g = Surface("z^3-1", -2, 2, -2, 2, 37, 37);
    ASSERT_TRUE(g->GetPoints()) << g->LastError();
    const ZeroFinderResult result = FindZerosAndPoles(ZeroFinderInput::FromGraph(*g), nullptr);
    ASSERT_EQ(result.Roots.size(), 3u);
    const double cell = 4.0 / 37;
    for (const FoundRoot& r : result.Roots) {
        EXPECT_FALSE(r.Refined);
        EXPECT_NEAR(std::hypot(r.X, r.Y), 1.0, cell);
    }
}

TEST(ZeroFinder, ThreadsGiveTheSameResult) {
    // 300 x 300 cells are split between threads; a root near a split must still come once.
    auto g = Surface("sin(z)/(z-1.3-0.7i)", -7, 7, -7, 7, 300, 300);
    ASSERT_TRUE(g->GetPoints()) << g->LastError();
    const ZeroFinderResult one = FindIn(*g, 1);
    for (unsigned threads : {2u, 3u, 7u}) {
        const ZeroFinderResult many = FindIn(*g, threads);
        ASSERT_EQ(many.Roots.size(), one.Roots.size()) << threads;
        for (std::size_t k = 0; k < one.Roots.size(); ++k) {
            EXPECT_EQ(many.Roots[k].X, one.Roots[k].X);
            EXPECT_EQ(many.Roots[k].Y, one.Roots[k].Y);
            EXPECT_EQ(many.Roots[k].Order, one.Roots[k].Order);
        }
    }
    EXPECT_EQ(one.Roots.size(), 6u);
}

// Raw grids whose (i, j) order runs clockwise in the z plane: a reversed x range and a polar
// domain (angle along i, radius along j).
TEST(ZeroFinder, ClockwiseGridsStillTellZerosFromPoles) {
    CEvaluator evaluator;
    std::string postfix;
    ASSERT_EQ(evaluator.InfixToPostfix(InsertImplicitMultiply("(z^3-1)/(z+0.5)"), postfix), 0);
    const CompiledProgram program = CompiledProgram::Compile(postfix);
    const float pi = static_cast<float>(kPi);
    const SampleDomain domains[] = {{2, -2, -2, 2, 38, 38, false},
                                    {-pi / 2, 3 * pi / 2, 0.05f, 2, 90, 41, true}};
    for (const SampleDomain& domain : domains) {
        SampleGrids grids;
        grids.Resize(domain.NU, domain.NV, domain.Polar);
        SampleProgram(program, domain, 0.0f, 1, grids);
        const ZeroFinderResult result =
            FindZerosAndPoles({&grids.x, &grids.y, &grids.u, &grids.v, 0.0f}, &program);
        ExpectRoots(
            result,
            {{kPole, -0.5, 0, 1}, {kZero, -0.5, -kR3, 1}, {kZero, -0.5, kR3, 1}, {kZero, 1, 0, 1}});
    }
}

TEST(ZeroFinder, RefusesGridsOfDifferentSizes) {
    const Grid2D a(3, 3), b(3, 4);
    EXPECT_THROW((void)FindZerosAndPoles({&a, &a, &a, &b, 0.0f}, nullptr), std::invalid_argument);
}

} // namespace
} // namespace tervane
