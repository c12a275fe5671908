#include "expr/CEvaluator.h"
#include "expr/ExprError.h"
#include "expr/TextPasses.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <iterator>

namespace tervane {
namespace {

struct Point {
    const char* postfix;
    float x, y;
    double re, im;
};

TEST(DoEvaluate, ValuesOfPostfixTexts) {
    const Point cases[] = {
        {"i ", 0, 0, 0, 1},
        {"I ", 0, 0, 0, 1},
        {"2 i * ", 0, 0, 0, 2},
        {"3.5 ", 0, 0, 3.5, 0},
        {"1,5 ", 0, 0, 1.5, 0},
        {"2.5i ", 0, 0, 0, 2.5},
        {".5 ", 0, 0, 0.5, 0},
        {"5. ", 0, 0, 5, 0},
        {"XX ", 3, 4, 3, 0},
        {"YY ", 3, 4, 0, 4},
        {"ZZ ", 3, 4, 3, 4},
        {"XX YY + ", 3, 4, 3, 4},
        {"ZZ (-) ", 1, -2, -1, 2},
        {"ZZ 2 ^ 1 + ", 1, 2, -2, 4},
        {"ZZ LOG ", 0, 0, 0, 0},
        {"ZZ 2 ^ ", 0, 0, 0, 0},
        {"ZZ 0 ^ ", 0, 0, 1, 0},
        {"1 2 - 3 - ", 0, 0, -4, 0},
        {"8 4 / 2 / ", 0, 0, 1, 0},
        {"ZZ SIN ", 0, 1, 0, 1.1752012},
        {"RR ", 3, 4, 5, 0},
        {"AA ", 0, -1, 3 * 3.14159274101257 / 2, 0},
        {"VV BB + NN + ", 3, 4, 0, 0},
        {"ZZ ABS ", 3, 4, 5, 0},
        {"ZZ INT ", 1.5f, -0.5f, 1, -1}, // hand-written: the translator never emits INT
        {"1 2 ", 0, 0, 2, 0},            // values below the top are ignored
        {"ZZ FOO ", 1, 1, 1, 1},         // unknown tokens push nothing
        {"ZZ trailing", 1, 1, 1, 1},     // text after the last blank is ignored
    };
    for (const auto& c : cases) {
        CEvaluator evaluator;
        float u = -99, v = -99;
        ASSERT_TRUE(evaluator.DoEvaluate(c.postfix, false, u, v, c.x, c.y)) << c.postfix;
        EXPECT_NEAR(u, c.re, 1e-6) << c.postfix;
        EXPECT_NEAR(v, c.im, 1e-6) << c.postfix;
    }
}

TEST(DoEvaluate, TheAnimationParameter) {
    CEvaluator evaluator;
    float u = 0, v = 0;
    ASSERT_TRUE(evaluator.DoEvaluate("TT ZZ * ", false, u, v, 1, 2, 0.5f));
    EXPECT_FLOAT_EQ(u, 0.5f);
    EXPECT_FLOAT_EQ(v, 1.0f);
}

TEST(DoEvaluate, NoValueLeavesOutputsAlone) {
    for (const char* text : {"", "FOO ", "ZZ"}) {
        CEvaluator evaluator;
        float u = 7, v = 8;
        EXPECT_FALSE(evaluator.DoEvaluate(text, false, u, v, 1, 1)) << text;
        EXPECT_EQ(u, 7);
        EXPECT_EQ(v, 8);
    }
}

struct Failure {
    const char* postfix;
    float x, y;
    int number;
};

TEST(DoEvaluate, ErrorsPassToTheCaller) {
    const Failure cases[] = {
        {"1 ZZ / ", 0, 0, ExprError::kDivisionByZero},
        {"1 + ", 0, 0, ExprError::kPopEmpty},
        {"+ ", 0, 0, ExprError::kPopEmpty},
        {"SIN ", 0, 0, ExprError::kPopEmpty},
        {"(-) ", 0, 0, ExprError::kPopEmpty},
        {"i2 ", 0, 0, ExprError::kTypeMismatch},
        {"1.5i3 ", 0, 0, ExprError::kTypeMismatch},
        {"ii ", 0, 0, ExprError::kTypeMismatch},
        {"inf ", 0, 0, ExprError::kTypeMismatch},
        {"1.2.3 ", 0, 0, ExprError::kTypeMismatch},
        {"1000000000000000000000000000000000000000000 ", 0, 0, ExprError::kOverflow},
        {"ZZ EXP ", 100, 0, ExprError::kOverflow},
        {"ZZ 1 ZZ / + ", 0, 0, ExprError::kDivisionByZero},
        // The first fault wins, even when a stack error would follow.
        {"1 0 / + ", 0, 0, ExprError::kDivisionByZero},
    };
    for (const auto& c : cases) {
        CEvaluator evaluator;
        float u = 0, v = 0;
        try {
            evaluator.DoEvaluate(c.postfix, false, u, v, c.x, c.y);
            ADD_FAILURE() << c.postfix << " did not raise";
        } catch (const ExprError& e) {
            EXPECT_EQ(e.Number(), c.number) << c.postfix << ": " << e.what();
        }
    }
}

TEST(EvalStatus, EachStatusHasOneNumberAndOneMessage) {
    struct Row {
        EvalStatus status;
        int number;
        const char* message;
        bool arithmetic;
    };
    const Row rows[] = {
        {EvalStatus::Value, 0, "", false},
        {EvalStatus::NoValue, 0, "No value", false},
        {EvalStatus::DivisionByZero, 11, "Division by zero", true},
        {EvalStatus::Overflow, 6, "Overflow", true},
        {EvalStatus::TypeMismatch, 13, "Type mismatch", false},
        {EvalStatus::StackEmpty, -2147220493, "Pop method invoked on empty stack", false},
        {EvalStatus::PeekEmpty, -2147220492, "GetPopValue method invoked on empty stack", false},
        {EvalStatus::Subscript, 9, "Subscript out of range", false},
    };
    static_assert(std::size(rows) == kEvalStatusCount);
    for (const auto& r : rows) {
        const int index = static_cast<int>(r.status);
        EXPECT_EQ(EvalStatusNumber(r.status), r.number) << index;
        EXPECT_EQ(EvalStatusMessage(r.status), r.message) << index;
        const ExprError error(r.status);
        EXPECT_EQ(error.Number(), r.number) << index;
        EXPECT_STREQ(error.what(), r.message) << index;
        EXPECT_EQ(error.IsArithmetic(), r.arithmetic) << index;
    }
}

TEST(DoEvaluate, LiteralsReadTheSameInAnyLocale) {
    // A German locale, when installed, would make the C library read "," as the mark.
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    std::string saved = previous ? previous : "C";
    std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    CEvaluator evaluator;
    float u = 0, v = 0;
    ASSERT_TRUE(evaluator.DoEvaluate("1.5 2,25 + ", false, u, v, 0, 0));
    EXPECT_FLOAT_EQ(u, 3.75f);
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(DoEvaluate, TypedFunctionsEndToEnd) {
    struct Case {
        const char* text;
        float x, y;
        double re, im;
    };
    const Case cases[] = {
        {"z^2+1", 1, 2, -2, 4},
        {"2z", 1, 1, 2, 2},
        {"(z+1)(z-1)", 2, 0, 3, 0},
        {"exp(z)", 0, 3.14159265f, -1, 0},
        {"sqr(z)", -4, 0, 0, 2},
        {"1/z", 0, 2, 0, -0.5},
        {"x", 3, 4, 3, 0},
        {"y", 3, 4, 0, 4},
        {"x+y*i", 3, 4, -1, 0}, // y stands for y·i, so y·i is -y
        {"pi", 0, 0, 3.1415926, 0},
        {"log(-1-i)", 0, 0, std::log(std::sqrt(2.0)), 5 * 3.14159274101257 / 4},
    };
    for (const auto& c : cases) {
        CEvaluator evaluator;
        std::string postfix;
        ASSERT_EQ(evaluator.InfixToPostfix(InsertImplicitMultiply(c.text), postfix), 0) << c.text;
        float u = 0, v = 0;
        ASSERT_TRUE(evaluator.DoEvaluate(postfix, false, u, v, c.x, c.y)) << c.text;
        EXPECT_NEAR(u, c.re, 1e-5) << c.text;
        EXPECT_NEAR(v, c.im, 1e-5) << c.text;
    }
}

} // namespace
} // namespace tervane
