#include "graph/PhaseColour.h"
#include "GraphTestSupport.h"
#include "graph/CGraph.h"
#include "graph/Sampler.h"
#include "graph/SurfaceMesh.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace tervane {
namespace {

constexpr double kPi = std::numbers::pi;

double Distance(const std::array<double, 3>& a, const std::array<double, 3>& b) {
    return std::hypot(a[0] - b[0], a[1] - b[1], a[2] - b[2]);
}

double HueDegrees(const std::array<double, 3>& lab) {
    double h = std::atan2(lab[2], lab[1]) * 180.0 / kPi;
    return h < 0 ? h + 360.0 : h;
}

TEST(PhaseColour, EqualStepsOfArgGiveEqualStepsOfColour) {
    // Around the whole wheel, at several moduli: neighbours 5° apart are equally far apart in
    // OKLab (the HSV wheel varies by a factor of three here).
    for (const double modulus : {0.25, 1.0, 4.0}) {
        double lo = 1e9, hi = 0;
        for (int k = 0; k < 72; ++k) {
            const double a = -kPi + k * kPi / 36;
            const double d = Distance(SrgbToOklab(PhaseColour(a, modulus)),
                                      SrgbToOklab(PhaseColour(a + kPi / 36, modulus)));
            lo = std::min(lo, d);
            hi = std::max(hi, d);
        }
        EXPECT_GT(lo, 0.004) << modulus;
        EXPECT_LT(hi / lo, 1.05) << "modulus " << modulus;
    }
}

TEST(PhaseColour, ArgZeroIsRedAndArgHalfPiYellowGreenAtModulusOne) {
    struct Case {
        double argument, hue;
    };
    for (const Case c : {Case{0.0, 29.0}, Case{kPi / 2, 119.0}, Case{kPi, 209.0}}) {
        const auto rgb = PhaseColour(c.argument, 1.0);
        const auto lab = SrgbToOklab(rgb);
        EXPECT_NEAR(HueDegrees(lab), c.hue, 0.5) << c.argument;
        EXPECT_NEAR(lab[0], 0.62, 0.002) << "lightness is that of |w| = 1, unclipped";
        for (const float channel : rgb) {
            EXPECT_GT(channel, 0.0f);
            EXPECT_LT(channel, 1.0f);
        }
    }
    const auto red = PhaseColour(0.0, 1.0);
    EXPECT_GT(red[0], red[1]);
    EXPECT_GT(red[0], red[2]);
    const auto yellowGreen = PhaseColour(kPi / 2, 1.0);
    EXPECT_GT(yellowGreen[1], yellowGreen[2]);
    EXPECT_GT(yellowGreen[0], yellowGreen[2]);
}

TEST(PhaseColour, LightnessRisesWithModulusAndStepsAtRingsAndRays) {
    EXPECT_LT(SrgbToOklab(PhaseColour(0.0, 0.0))[0], 0.1);       // zeros are black
    EXPECT_GT(SrgbToOklab(PhaseColour(0.0, INFINITY))[0], 0.94); // poles white
    double last = 0;
    for (const double r : {0.01, 0.1, 0.5, 1.0, 2.0, 10.0, 100.0}) {
        const double l = SrgbToOklab(PhaseColour(1.0, r))[0];
        EXPECT_GT(l, last) << r;
        last = l;
    }
    // Just past a power of 2 (or a multiple of π/6) the colour is darker than just before it.
    const PhaseColourOptions rings{true, false}, rays{false, true};
    EXPECT_LT(SrgbToOklab(PhaseColour(1.0, 2.01, rings))[0],
              SrgbToOklab(PhaseColour(1.0, 1.99, rings))[0] - 0.05);
    EXPECT_LT(SrgbToOklab(PhaseColour(kPi / 6 + 0.01, 1.0, rays))[0],
              SrgbToOklab(PhaseColour(kPi / 6 - 0.01, 1.0, rays))[0] - 0.05);
}

TEST(Quantities, ArgumentAndLogMagnitudeFollowTheSampledValues) {
    // arg w on the branch of the logarithm (−π..π, π on the negative axis) and log |w|, NaN at
    // a zero of w.
    const auto g = testing::Surface("z", -2, 2, -2, 2, 4, 4, kQuantityArgument);
    g->SetColorR(kQuantityLogMagnitude);
    ASSERT_TRUE(g->GetPoints());
    const Grid2D& arg = g->PlotZ();
    const Grid2D& logm = g->ColorGridR();
    ASSERT_EQ(arg.Count(), 25u);
    EXPECT_FLOAT_EQ(arg(0, 2), static_cast<float>(kPi)); // z = −2
    EXPECT_FLOAT_EQ(arg(4, 2), 0.0f);                    // z = 2
    EXPECT_FLOAT_EQ(arg(2, 0), static_cast<float>(-kPi / 2));
    EXPECT_FLOAT_EQ(logm(4, 4), static_cast<float>(std::log(std::sqrt(8.0))));
    EXPECT_TRUE(std::isnan(logm(2, 2)));
    EXPECT_FLOAT_EQ(g->GetExtents().MaxL, static_cast<float>(std::log(std::sqrt(8.0))));
    EXPECT_FLOAT_EQ(g->GetExtents().MinL, 0.0f); // |w| = 1 next to the zero
}

TEST(Quantities, ArgumentIsPiOnTheWholeNegativeRealAxis) {
    // A zero imaginary part may come out as −0; arg w is π there all the same, as for log w.
    const float pi = static_cast<float>(kPi);
    struct Part {
        float u, v, arg;
    };
    for (const Part c : {Part{-1.0f, -0.0f, pi}, Part{-1.0f, 0.0f, pi}, Part{-INFINITY, -0.0f, pi},
                         Part{1.0f, -0.0f, 0.0f}, Part{-0.0f, -0.0f, 0.0f}})
        EXPECT_EQ(ArgumentOf(c.u, c.v), c.arg) << c.u << ' ' << c.v;

    // Grid nodes z = x + yi, x in −4..4 and y in −2..2 a unit apart, node (x + 4, y + 2).
    struct Node {
        const char* function;
        std::size_t i, j;
        bool negativeZero; // Im w comes out as −0 here
    };
    for (const Node c :
         {Node{"1/z", 3, 2, true}, Node{"sin(z)", 2, 2, true}, Node{"sin(z)", 8, 2, true},
          Node{"z^2", 4, 1, true}, Node{"-1", 0, 0, true}, Node{"z-3", 3, 2, false}}) {
        const auto g = testing::Surface(c.function, -4, 4, -2, 2, 8, 4, kQuantityArgument);
        ASSERT_TRUE(g->GetPoints()) << c.function;
        ASSERT_EQ(g->ImaginaryPart()(c.i, c.j), 0.0f) << c.function;
        ASSERT_LT(g->RealPart()(c.i, c.j), 0.0f) << c.function;
        ASSERT_EQ(std::signbit(g->ImaginaryPart()(c.i, c.j)), c.negativeZero) << c.function;
        EXPECT_EQ(g->PlotZ()(c.i, c.j), pi) << c.function << " at node " << c.i << ',' << c.j;
    }
}

TEST(Quantities, PhaseSchemeColoursByArgAndModulus) {
    const auto g = testing::Surface("z", -2, 2, -2, 2, 4, 4);
    const std::int32_t code = PhaseColourCode(false, false);
    g->SetColorR(code);
    g->SetColorG(code);
    g->SetColorB(code);
    ASSERT_TRUE(g->GetPoints());
    g->GetBox(0);
    const SurfaceMesh mesh(*g);
    const auto expected = PhaseColour(kPi / 2, 2.0);
    const auto c = mesh.Color(2, 4); // z = 2i
    for (int k = 0; k < 3; ++k)
        EXPECT_FLOAT_EQ(static_cast<float>(c[k]), expected[k]);
}

TEST(Quantities, ColoursOfAClippedGraphSpreadOverTheBodyOfTheValues) {
    // 1/z off its pole: the plot is cut at the spike, and so is the |w| colour channel, so the
    // blue of the graph's body is not squeezed into the bottom of the scale.
    const auto g = testing::Surface("1/z", -3, 3, -3, 3, 41, 41, kQuantityMagnitude);
    ASSERT_TRUE(g->GetPoints());
    g->GetBox(0);
    ASSERT_TRUE(g->SpikesClipped());
    const SurfaceMesh mesh(*g);
    int bright = 0;
    for (std::size_t i = 0; i < mesh.SizeU(); ++i)
        for (std::size_t j = 0; j < mesh.SizeV(); ++j) {
            const double blue = mesh.Color(i, j)[2];
            EXPECT_LE(blue, 1.0);
            bright += blue > 0.25 ? 1 : 0;
        }

    g->SetClipSpikes(false);
    g->GetBox(0);
    const SurfaceMesh unclipped(*g);
    int brightUnclipped = 0;
    for (std::size_t i = 0; i < unclipped.SizeU(); ++i)
        for (std::size_t j = 0; j < unclipped.SizeV(); ++j)
            brightUnclipped += unclipped.Color(i, j)[2] > 0.25 ? 1 : 0;
    EXPECT_GT(bright, 5 * brightUnclipped) << bright << " against " << brightUnclipped;
}

} // namespace
} // namespace tervane
