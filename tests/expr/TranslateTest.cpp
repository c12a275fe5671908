#include "expr/CEvaluator.h"
#include "expr/TextPasses.h"

#include <gtest/gtest.h>

#include <vector>

namespace tervane {
namespace {

struct Good {
    const char* input;
    const char* postfix;
};

// Translation without the implicit-multiplication pre-pass.
TEST(InfixToPostfix, TranslatesValidTexts) {
    const Good cases[] = {
        {"z^2+1", "ZZ 2 ^ 1 + "},
        {"-z^2", "ZZ 2 ^ (-) "},
        {"-z*2", "ZZ (-) 2 * "},
        {"2*-z", "2 ZZ (-) * "},
        {"2^-z", "2 ZZ (-) ^ "},
        {"2^3^2", "2 3 ^ 2 ^ "},
        {"1-2-3", "1 2 - 3 - "},
        {"8/4/2", "8 4 / 2 / "},
        {"1+2*3", "1 2 3 * + "},
        {"(1+2)*3", "1 2 + 3 * "},
        {"sin(z)*2", "ZZ SIN 2 * "},
        {"sin z", "ZZ SIN "},
        {"Sin(Z)", "ZZ SIN "},
        {"sin -z", "ZZ (-) SIN "},
        {"sin(z)^2", "ZZ SIN 2 ^ "},
        {"exp(sin(z))", "ZZ SIN EXP "},
        {"2 z", "2 ZZ * "},
        {"(z+1)(z-1)", "ZZ 1 + ZZ 1 - * "},
        {"2(z)", "2 ZZ * "},
        {"z sin(z)", "ZZ ZZ SIN * "},
        {"pi", "3.1415926 "},
        {"PI*z", "3.1415926 ZZ * "},
        {"x+y", "XX YY + "},
        {"v+a+r+b+t+n", "VV AA + RR + BB + TT + NN + "},
        {"+z", "ZZ "},
        {"1,5", "1,5 "},
        {"2.5i", "2.5i "},
        {"i", "i "},
        {"(((z)))", "ZZ "},
        {"((z)", "ZZ "}, // fails below: only the tokens emitted count here
        {"", ""},
        {"   ", ""},
        {"\tz", "ZZ "},
        {"acsech(z)", "ZZ ACSECH "},
        {"Actanh(Z)", "ZZ ACTANH "},
    };
    for (const auto& c : cases) {
        CEvaluator evaluator;
        std::string buffer;
        const int result = evaluator.InfixToPostfix(c.input, buffer);
        if (std::string(c.input) == "((z)") {
            EXPECT_NE(result, 0);
            continue;
        }
        EXPECT_EQ(result, 0) << c.input << ": " << evaluator.ErrorText();
        EXPECT_EQ(buffer, c.postfix) << c.input;
        EXPECT_FALSE(evaluator.LastError().has_value());
    }
}

struct Bad {
    const char* input;
    const char* message;
    int shown;    // position in the "Character N" line
    int returned; // InfixToPostfix's result
};

TEST(InfixToPostfix, ReportsEachSyntaxErrorWithItsPosition) {
    const Bad cases[] = {
        {"2+-z", "Operand expected", 2, 2},
        {"(", "Closing parenthesis expected", 1, 1},
        {"(z+1", "Closing parenthesis expected", 4, 4},
        {"()", "Operand expected", 1, 1},
        {")", "Operand expected", 1, 1},
        {"z)", "Closing parenthesis without matching open parenthesis", 0, 1},
        {"(z))", "Closing parenthesis without matching open parenthesis", 3, 3},
        {"sin", "Operand expected", 3, 3},
        {"z+", "Operand expected", 2, 2},
        {"2*", "Operand expected", 2, 2},
        {"*2", "Operand expected", 1, 1},
        {"2**3", "Operand expected", 2, 2},
        {"2^/3", "Operand expected", 2, 2},
        {"sin 2", "Open parenthesis expected", 4, 4},
        {"z 2", "Operator expected", 0, 1},
        {"(z)2", "Operator expected", 3, 3},
        {"1.2.3", "Operand contains multiple decimal points", 1, 1},
        {"z+1,2.3", "Operand contains multiple decimal points", 2, 2},
        {".", "Invalid operand", 0, 1},
        {"z+,", "Invalid operand", 2, 2},
        {"z#2", "Unexpected character encountered", 0, 1},
        {"z+[1]", "Unexpected character encountered", 2, 2},
        {"z=1", "Unexpected character encountered", 0, 1},
        {"q", "Undefined symbol : 'q'", 0, 1},
        {"z+xy", "Undefined symbol : 'xy'", 2, 2},
        {"e^z", "Undefined symbol : 'e'", 0, 1},
        {"sinus(z)", "Undefined symbol : 'sinus'", 0, 1},
        {"int(z)", "Undefined symbol : 'nt'", 1, 1},
        {"2*Foo_Bar", "Undefined symbol : 'Foo_Bar'", 2, 2},
        {"z^2+\xc3\xbc", "Unexpected character encountered", 4, 4},
    };
    for (const auto& c : cases) {
        CEvaluator evaluator;
        std::vector<SyntaxError> reported;
        evaluator.SetErrorHandler([&](const SyntaxError& e) { reported.push_back(e); });
        std::string buffer;
        EXPECT_EQ(evaluator.InfixToPostfix(c.input, buffer), c.returned) << c.input;
        EXPECT_EQ(evaluator.ErrorText(), c.message) << c.input;
        ASSERT_EQ(reported.size(), 1u) << c.input;
        EXPECT_EQ(reported[0].position, c.shown) << c.input;
        EXPECT_EQ(reported[0].Text(), "Character " + std::to_string(c.shown) + ":  " + c.message)
            << c.input;
    }
}

TEST(InfixToPostfix, KeepsTokensEmittedBeforeAnError) {
    CEvaluator evaluator;
    std::string buffer = "kept ";
    EXPECT_NE(evaluator.InfixToPostfix("z*2+q", buffer), 0);
    EXPECT_EQ(buffer, "kept ZZ 2 * ");
    // The message stays until the next error; a success clears only LastError.
    std::string again;
    EXPECT_EQ(evaluator.InfixToPostfix("z", again), 0);
    EXPECT_EQ(evaluator.ErrorText(), "Undefined symbol : 'q'");
    EXPECT_FALSE(evaluator.LastError().has_value());
}

TEST(InfixToPostfix, PrePassThenTranslation) {
    // What sampling does: rewrite implicit products first, then translate.
    const Good cases[] = {
        {"2x", "2 XX * "}, {"3(z+1)", "3 ZZ 1 + * "},    {"2sin(z)", "2 ZZ SIN * "},
        {"2i", "2 i * "},  {"pi(z)", "3.1415926 ZZ * "}, {"x(x+1)", "XX XX 1 + * "},
    };
    for (const auto& c : cases) {
        CEvaluator evaluator;
        std::string buffer;
        EXPECT_EQ(evaluator.InfixToPostfix(InsertImplicitMultiply(c.input), buffer), 0) << c.input;
        EXPECT_EQ(buffer, c.postfix) << c.input;
    }
    CEvaluator evaluator;
    std::string buffer;
    EXPECT_EQ(evaluator.InfixToPostfix(InsertImplicitMultiply(""), buffer), 1);
    EXPECT_EQ(evaluator.ErrorText(), "Operand expected");
}

TEST(CEvaluator, PrecedenceAndSymbolStart) {
    EXPECT_EQ(CEvaluator::Precedence("+"), 1);
    EXPECT_EQ(CEvaluator::Precedence("-"), 1);
    EXPECT_EQ(CEvaluator::Precedence("*"), 2);
    EXPECT_EQ(CEvaluator::Precedence("/"), 2);
    EXPECT_EQ(CEvaluator::Precedence("(-)"), 3);
    EXPECT_EQ(CEvaluator::Precedence("^"), 4);
    EXPECT_EQ(CEvaluator::Precedence("ACTANH"), 5);
    EXPECT_EQ(CEvaluator::Precedence("("), 0);
    EXPECT_EQ(CEvaluator::Precedence("sin"), 0); // names are folded before they reach the stack
    EXPECT_TRUE(CEvaluator::IsSymbolStart("a"));
    EXPECT_TRUE(CEvaluator::IsSymbolStart("Z"));
    EXPECT_TRUE(CEvaluator::IsSymbolStart("_"));
    EXPECT_FALSE(CEvaluator::IsSymbolStart("1"));
    EXPECT_FALSE(CEvaluator::IsSymbolStart("["));
    EXPECT_FALSE(CEvaluator::IsSymbolStart(""));
}

} // namespace
} // namespace tervane
