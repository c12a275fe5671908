#include "document/detail/TokenText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace tervane::detail {
namespace {

TEST(SplitTokens, BlanksSeparateAndDoubleBlanksGiveEmptyTokens) {
    const struct {
        std::string text;
        std::vector<std::string> tokens;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a ", {"a"}},
        {"a b", {"a", "b"}},
        {"a  b", {"a", "", "b"}},
        {" ", {""}},
        {"  a", {"", "", "a"}},
        {"@3D Surface  w=z^2@ 3", {"@3D", "Surface", "", "w=z^2@", "3"}},
        {"a\tb", {"a\tb"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SplitTokens(c.text), c.tokens) << "'" << c.text << "'";
}

TEST(ReadForms, NumericPrefixRoundingAndFlags) {
    const struct {
        std::string token;
        std::int32_t integer;
        float number;
    } cases[] = {
        {"", 0, 0.0f},
        {"abc", 0, 0.0f},
        {"-", 0, 0.0f},
        {".", 0, 0.0f},
        {"42", 42, 42.0f},
        {"+7", 7, 7.0f},
        {"-3", -3, -3.0f},
        {"2.5", 2, 2.5f}, // halves go to the even neighbour
        {"3.5", 4, 3.5f},
        {"-2.5", -2, -2.5f},
        {"2.51", 3, 2.51f},
        {"1E+03", 1000, 1000.0f},
        {"1.5e-1", 0, 0.15f},
        {"12abc", 12, 12.0f},
        {"1E", 1, 1.0f}, // an exponent without digits is not part of the number
        {".5", 0, 0.5f},
        {"3,5", 3, 3.0f}, // documents always use "."
        {"1E+300", std::numeric_limits<std::int32_t>::max(), std::numeric_limits<float>::max()},
        {"-1E+300", std::numeric_limits<std::int32_t>::min(), -std::numeric_limits<float>::max()},
        {"1E+39", std::numeric_limits<std::int32_t>::max(), std::numeric_limits<float>::max()},
        {"1E-400", 0, 0.0f},
        {"99999999999", std::numeric_limits<std::int32_t>::max(), 1e11f},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReadInteger(c.token), c.integer) << c.token;
        EXPECT_EQ(ReadFloat(c.token), c.number) << c.token;
    }
    const struct {
        std::string token;
        bool flag;
    } flags[] = {{"1", true},  {"True", true}, {"true", false}, {"-1", false},
                 {"0", false}, {"", false},    {"1.0", false}};
    for (const auto& c : flags)
        EXPECT_EQ(ReadFlag(c.token), c.flag) << c.token;
}

TEST(WriteForms, FloatsHaveSevenDigitsAndAPoint) {
    const struct {
        float value;
        std::string text;
    } cases[] = {
        {2.5f, "2.5"},
        {-2.0f, "-2"},
        {0.1f, "0.1"},
        {3.14159265f, "3.141593"},
        {1e10f, "1E+10"},
        {1.5e-5f, "1.5E-05"},
        {0.0f, "0"},
        {-0.0f, "-0"},
        {123456.7f, "123456.7"},
        {NAN, "0"},
        {INFINITY, "3.402823E+38"},
        {-INFINITY, "-3.402823E+38"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatFloat(c.value), c.text) << c.value;
        EXPECT_EQ(FormatFloat(ReadFloat(FormatFloat(c.value))), c.text) << "stable after a read";
    }
}

// Seven digits are fewer than a float may need, but a text the writer made reads back to a value
// that writes the same text again, so our own documents convert byte for byte.
TEST(WriteForms, WrittenTextIsStableUnderReadAndWrite) {
    std::uint32_t state = 12345;
    for (int k = 0; k < 200000; ++k) {
        state = state * 1664525u + 1013904223u;
        float value;
        std::memcpy(&value, &state, sizeof value);
        if (!std::isfinite(value)) continue;
        const std::string once = FormatFloat(value);
        ASSERT_EQ(FormatFloat(ReadFloat(once)), once) << value;
    }
}

} // namespace
} // namespace tervane::detail
