#include "expr/Complex.h"
#include "expr/ElementaryFunctions.h"
#include "expr/ExprError.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace tervane {
namespace {

constexpr double kPi = 3.14159274101257; // the library's single-precision π
constexpr double kTol = 1e-5;

void ExpectNear(Complex actual, double re, double im, const char* what, double tol = kTol) {
    EXPECT_NEAR(actual.re, re, tol) << what;
    EXPECT_NEAR(actual.im, im, tol) << what;
}

TEST(ComplexLibrary, PiIsTheSinglePrecisionValue) {
    EXPECT_NEAR(static_cast<double>(kPiF), 3.14159274101257, 1e-14);
    EXPECT_NE(static_cast<double>(kPiF), 3.14159265358979);
}

TEST(ComplexLibrary, LogarithmBranchHasOneCutAlongThePositiveRealAxis) {
    struct Case {
        Complex z;
        double im;
    };
    const Case cases[] = {
        {{0, 0}, 0},
        {{2, 0}, 0},
        {{0, 1}, kPi / 2},
        {{-1, 0}, kPi},
        {{0, -1}, 3 * kPi / 2},
        {{1, 1}, kPi / 4},
        {{-1, 1}, 3 * kPi / 4},
        {{-1, -1}, 5 * kPi / 4}, // third quadrant continues the [0, 2π) branch
        {{1, -1}, 2 * kPi - kPi / 4},
        {{1, -1e-6f}, 2 * kPi},
    };
    for (const auto& c : cases) {
        const Complex l = ComplexLog(c.z);
        EXPECT_NEAR(l.im, c.im, kTol) << c.z.re << "," << c.z.im;
        EXPECT_GE(l.im, 0.0f);
        EXPECT_LT(l.im, 2 * kPi + kTol);
    }
    EXPECT_EQ(ComplexLog({0, 0}).re, 0.0f);
    EXPECT_NEAR(ComplexLog({-1, -1}).re, std::log(std::sqrt(2.0)), kTol);
    EXPECT_NEAR(ComplexLog({std::exp(2.0f), 0}).re, 2.0, kTol);
}

TEST(ComplexLibrary, ValuesOfTheElementaryFunctions) {
    struct Case {
        const char* what;
        std::function<Complex()> fn;
        double re, im;
    };
    const Case cases[] = {
        {"sqr(-4)",
         [] {
             return ComplexSqr({-4, 0});
         },
         0, 2},
        {"sqr(4)",
         [] {
             return ComplexSqr({4, 0});
         },
         2, 0},
        {"sqr(0)",
         [] {
             return ComplexSqr({0, 0});
         },
         0, 0},
        {"sin(pi/2)",
         [] {
             return ComplexSin({static_cast<float>(kPi / 2), 0});
         },
         1, 0},
        {"cos(0)",
         [] {
             return ComplexCos({0, 0});
         },
         1, 0},
        {"sin(i)",
         [] {
             return ComplexSin({0, 1});
         },
         0, 1.1752012},
        {"cos(i)",
         [] {
             return ComplexCos({0, 1});
         },
         1.5430806, 0},
        {"tan(1)",
         [] {
             return ComplexTan({1, 0});
         },
         1.5574077, 0},
        {"ctan(1)",
         [] {
             return ComplexCtan({1, 0});
         },
         0.6420926, 0},
        {"exp(1+i)",
         [] {
             return ComplexExp({1, 1});
         },
         1.4686939, 2.2873553},
        {"(1+2i)^2",
         [] {
             return ComplexPow({1, 2}, {2, 0});
         },
         -3, 4},
        {"2^3",
         [] {
             return ComplexPow({2, 0}, {3, 0});
         },
         8, 0},
        {"2^0.5",
         [] {
             return ComplexPow({2, 0}, {0.5f, 0});
         },
         1.4142135, 0},
        {"i^i",
         [] {
             return ComplexPow({0, 1}, {0, 1});
         },
         std::exp(-kPi / 2), 0},
        {"z^-2",
         [] {
             return ComplexPow({0, 2}, {-2, 0});
         },
         -0.25, 0},
        {"0^2",
         [] {
             return ComplexPow({0, 0}, {2, 0});
         },
         0, 0},
        {"0^0.5",
         [] {
             return ComplexPow({0, 0}, {0.5f, 0});
         },
         0, 0},
        {"0^(1+i)",
         [] {
             return ComplexPow({0, 0}, {1, 1});
         },
         0, 0},
        {"0^0",
         [] {
             return ComplexPow({0, 0}, {0, 0});
         },
         1, 0},
        {"(1+i)*(1-i)",
         [] {
             return ComplexMul({1, 1}, {1, -1});
         },
         2, 0},
        {"(1+i)/(1-i)",
         [] {
             return ComplexDiv({1, 1}, {1, -1});
         },
         0, 1},
        {"(3+4i)+(1-i)",
         [] {
             return ComplexAdd({3, 4}, {1, -1});
         },
         4, 3},
    };
    for (const auto& c : cases)
        ExpectNear(c.fn(), c.re, c.im, c.what, 2e-6 * (1 + std::abs(c.re)));
    EXPECT_DOUBLE_EQ(ComplexModulus({3, 4}), 5.0);
}

TEST(ComplexLibrary, SquareRootOfTheFourthQuadrantLiesInTheSecond) {
    const Complex r = ComplexSqr({1, -1});
    EXPECT_LT(r.re, 0.0f);
    EXPECT_GT(r.im, 0.0f);
    // The mended third quadrant: sqr(-1-i) has arg 5π/8, also in the second quadrant.
    const Complex s = ComplexSqr({-1, -1});
    EXPECT_LT(s.re, 0.0f);
    EXPECT_GT(s.im, 0.0f);
    EXPECT_NEAR(std::atan2(s.im, s.re), 5 * kPi / 8, 1e-5);
}

TEST(ComplexLibrary, IntegerPowersAreExact) {
    EXPECT_EQ(ComplexPow({2, 0}, {3, 0}).re, 8.0f);
    EXPECT_EQ(ComplexPow({2, 0}, {3, 0}).im, 0.0f);
    EXPECT_EQ(ComplexPow({-2, 0}, {2, 0}).re, 4.0f);
    EXPECT_EQ(ComplexPow({-2, 0}, {2, 0}).im, 0.0f);
    EXPECT_EQ(ComplexPow({3, 0}, {-2, 0}).re, 1.0f / 9.0f);
    EXPECT_EQ(ComplexPow({0.5f, 0}, {64, 0}).re, std::ldexp(1.0f, -64));
    EXPECT_EQ(ComplexPow({1, 1}, {8, 0}).re, 16.0f);
    EXPECT_EQ(ComplexPow({1, 1}, {8, 0}).im, 0.0f);
    EXPECT_EQ(ComplexPow({7, 3}, {0, 0}).re, 1.0f);
    // Beyond 64, or not an integer, the logarithm route is used (it rounds).
    EXPECT_NEAR(ComplexPow({1.01f, 0}, {65, 0}).re, std::pow(1.01, 65.0), 1e-4);
}

struct FaultCase {
    const char* what;
    std::function<Complex()> fn;
    int number;
};

TEST(ComplexLibrary, ArithmeticFaultsRaise) {
    const FaultCase cases[] = {
        {"1/0",
         [] {
             return ComplexDiv({1, 0}, {0, 0});
         },
         ExprError::kDivisionByZero},
        {"0/0",
         [] {
             return ComplexDiv({0, 0}, {0, 0});
         },
         ExprError::kDivisionByZero},
        {"1/1e-30",
         [] {
             return ComplexDiv({1, 0}, {1e-30f, 0});
         },
         ExprError::kDivisionByZero},
        {"1/1e20",
         [] {
             return ComplexDiv({1, 0}, {1e20f, 0});
         },
         ExprError::kOverflow},
        {"exp(89)",
         [] {
             return ComplexExp({89, 0});
         },
         ExprError::kOverflow},
        {"0^-1",
         [] {
             return ComplexPow({0, 0}, {-1, 0});
         },
         ExprError::kDivisionByZero},
        {"0^i",
         [] {
             return ComplexPow({0, 0}, {0, 1});
         },
         ExprError::kDivisionByZero},
        {"0^-0.5",
         [] {
             return ComplexPow({0, 0}, {-0.5f, 0});
         },
         ExprError::kDivisionByZero},
        {"mul overflow",
         [] {
             return ComplexMul({1e30f, 0}, {1e30f, 0});
         },
         ExprError::kOverflow},
        {"add overflow",
         [] {
             return ComplexAdd({3e38f, 0}, {3e38f, 0});
         },
         ExprError::kOverflow},
        {"sin(100i)",
         [] {
             return ComplexSin({0, 100});
         },
         ExprError::kOverflow},
        {"log of huge",
         [] {
             return ComplexLog({3e38f, 3e38f});
         },
         ExprError::kOverflow},
        {"2^200",
         [] {
             return ComplexPow({2, 0}, {200, 0});
         },
         ExprError::kOverflow},
    };
    for (const auto& c : cases) {
        try {
            c.fn();
            ADD_FAILURE() << c.what << " did not raise";
        } catch (const ExprError& e) {
            EXPECT_EQ(e.Number(), c.number) << c.what;
            EXPECT_TRUE(e.IsArithmetic()) << c.what;
        }
    }
    // Large but representable results do not raise.
    EXPECT_NO_THROW(ComplexExp({88, 0}));
    EXPECT_NO_THROW(ComplexPow({2, 0}, {127, 0}));
}

TEST(ElementaryFunctions, PrincipalBranchesOfTheFurtherFunctions) {
    struct Case {
        Func func;
        Complex z;
        double re, im;
    };
    const Case cases[] = {
        {Func::Abs, {3, -4}, 5, 0},
        {Func::Int, {1.7f, -1.2f}, 1, -2},
        {Func::Rnd, {1.5f, -1.4f}, 2, -1},
        {Func::Atan, {1, 0}, std::atan(1.0), 0},
        {Func::Sec, {0, 0}, 1, 0},
        {Func::Csec, {1, 0}, 1 / std::sin(1.0), 0},
        {Func::Asin, {0.5f, 0}, std::asin(0.5), 0},
        {Func::Acos, {0.5f, 0}, std::acos(0.5), 0},
        {Func::Asec, {2, 0}, std::acos(0.5), 0},
        {Func::Acsec, {2, 0}, std::asin(0.5), 0},
        {Func::Actan, {1, 0}, std::atan(1.0), 0},
        {Func::Sinh, {1, 0}, std::sinh(1.0), 0},
        {Func::Cosh, {1, 0}, std::cosh(1.0), 0},
        {Func::Tanh, {1, 0}, std::tanh(1.0), 0},
        {Func::Ctanh, {1, 0}, 1 / std::tanh(1.0), 0},
        {Func::Sech, {1, 0}, 1 / std::cosh(1.0), 0},
        {Func::Csech, {1, 0}, 1 / std::sinh(1.0), 0},
        {Func::Asinh, {1, 0}, std::asinh(1.0), 0},
        {Func::Acosh, {2, 0}, std::acosh(2.0), 0},
        {Func::Atanh, {0.5f, 0}, std::atanh(0.5), 0},
        {Func::Asech, {0.5f, 0}, std::acosh(2.0), 0},
        {Func::Acsech, {1, 0}, std::asinh(1.0), 0},
        {Func::Actanh, {2, 0}, std::atanh(0.5), 0},
        {Func::Asin, {2, 0}, kPi / 2, -std::acosh(2.0)}, // principal branch off the real interval
    };
    for (const auto& c : cases) {
        Complex out;
        ASSERT_EQ(ApplyFunction(c.func, c.z, out), EvalStatus::Value)
            << kFunctionNames[static_cast<int>(c.func)];
        EXPECT_NEAR(out.re, c.re, 1e-6) << kFunctionNames[static_cast<int>(c.func)];
        EXPECT_NEAR(std::abs(out.im), std::abs(c.im), 1e-6)
            << kFunctionNames[static_cast<int>(c.func)];
    }
    Complex out;
    EXPECT_EQ(ApplyFunction(Func::Actan, {0, 0}, out), EvalStatus::DivisionByZero);
    EXPECT_EQ(ApplyFunction(Func::Ctanh, {0, 0}, out), EvalStatus::DivisionByZero);
    EXPECT_EQ(ApplyFunction(Func::Atan, {0, 1}, out), EvalStatus::Overflow);
    EXPECT_EQ(ApplyFunction(Func::Sinh, {100, 0}, out), EvalStatus::Overflow);
}

} // namespace
} // namespace tervane
