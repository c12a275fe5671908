#include "expr/TextPasses.h"

#include <gtest/gtest.h>

namespace tervane {
namespace {

struct Rewrite {
    const char* input;
    const char* expected;
};

TEST(InsertImplicitMultiply, WritesOutImplicitProducts) {
    const Rewrite cases[] = {
        {"2x", "2*x"},
        {"2sin(z)", "2*sin(z)"},
        {"(z+1)(z-1)", "(z+1)*(z-1)"},
        {"(z+1)2", "(z+1)*2"},
        {"x(x+1)", "x*(x+1)"},
        {"2x3", "2*x*3"},
        {"pi(z)", "pi*(z)"},
        {"pi2", "pi*2"},
        {"2i", "2*i"},
        {"2e5", "2*e5"},
        {"z(z)", "z*(z)"},
        {"3(z+1)", "3*(z+1)"},
        {"z^2x", "z^2*x"},
        {"(z)z", "(z)*z"},
        {"1+z2", "1+z*2"},
        // One character and names of functions stay as they are.
        {"z", "z"},
        {"7", "7"},
        {"sqr(z)", "sqr(z)"},
        {"exp(z)", "exp(z)"},
        {"xy", "xy"},
        {"x y", "x y"},
        {"2 x", "2 x"},
        // An empty text becomes "*", which the translator rejects.
        {"", "*"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(InsertImplicitMultiply(c.input), c.expected) << c.input;
}

struct Clean {
    const char* input;
    bool ok;
    const char* cleaned; // checked only when ok
};

TEST(CleanNumberText, AcceptsNumbersAndCleansThem) {
    const Clean cases[] = {
        {"1 000,5", true, "1000.5"},
        {"-2.5E-3", true, "-2.5E-3"},
        {"", true, "0"},
        {" ", true, "0"},
        {"  ", true, ""},
        {"1x", false, ""},
        {"+1", false, ""},
        {"1;2", false, ""},
        {"12", true, "12"},
    };
    for (const auto& c : cases) {
        std::string cleaned = "stale";
        EXPECT_EQ(CleanNumberText(c.input, cleaned), c.ok) << c.input;
        if (c.ok) {
            EXPECT_EQ(cleaned, c.cleaned) << c.input;
        }
    }
}

TEST(CleanExpressionText, AcceptsExpressionsAndCleansThem) {
    const Clean cases[] = {
        {"z^2 + 1", true, "z^2+1"},
        {"sin(z) * 1,5", true, "sin(z)*1.5"},
        {"", true, "0"},
        {" ", true, "0"},
        {"  ", true, ""},
        {"z_1", false, ""},
        {"z#2", false, ""},
        {"exp(z)/(z-2)", true, "exp(z)/(z-2)"},
    };
    for (const auto& c : cases) {
        std::string cleaned;
        EXPECT_EQ(CleanExpressionText(c.input, cleaned), c.ok) << c.input;
        if (c.ok) {
            EXPECT_EQ(cleaned, c.cleaned) << c.input;
        }
    }
}

TEST(CleanExpressionText, StopsAtTheFirstBadCharacter) {
    std::string cleaned;
    EXPECT_FALSE(CleanExpressionText("z , 1#2", cleaned));
    EXPECT_EQ(cleaned, "z.1");
}

TEST(FormatNumberText, AlwaysUsesADecimalPoint) {
    const Rewrite cases[] = {
        {"-1,5", "-1.5"},
        {"2,5E-03", "2.5E-03"},
        {"2.5E+03", "2.5E+03"},
        {"1 234", "1234"},
        {"0", "0"},
        {"1;5", ""},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatNumberText(c.input), c.expected) << c.input;
}

} // namespace
} // namespace tervane
