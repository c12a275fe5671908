#include "document/detail/TokenText.h"

#include "expr/TextPasses.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace tervane::detail {

std::vector<std::string> SplitTokens(std::string_view text) {
    std::vector<std::string> tokens;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t blank = text.find(' ', start);
        if (blank == std::string_view::npos) {
            tokens.emplace_back(text.substr(start));
            break;
        }
        tokens.emplace_back(text.substr(start, blank - start));
        start = blank + 1;
    }
    return tokens;
}

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

std::optional<double> NumericPrefix(std::string_view token) {
    std::size_t i = 0;
    bool negative = false;
    if (i < token.size() && (token[i] == '+' || token[i] == '-')) {
        negative = token[i] == '-';
        ++i;
    }
    const std::size_t mantissaStart = i;
    std::size_t digits = 0;
    while (i < token.size() && IsDigit(token[i])) {
        ++i;
        ++digits;
    }
    if (i < token.size() && token[i] == '.') {
        ++i;
        while (i < token.size() && IsDigit(token[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0) return std::nullopt;
    std::size_t end = i;
    // The exponent belongs to the number only when at least one digit follows it.
    if (i < token.size() && (token[i] == 'E' || token[i] == 'e')) {
        std::size_t j = i + 1;
        if (j < token.size() && (token[j] == '+' || token[j] == '-')) ++j;
        if (j < token.size() && IsDigit(token[j])) {
            while (j < token.size() && IsDigit(token[j]))
                ++j;
            end = j;
        }
    }
    // from_chars takes no leading "+" and is independent of the C locale.
    const std::string_view number = token.substr(mantissaStart, end - mantissaStart);
    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (ec == std::errc::result_out_of_range) {
        // Too large or too small for a double: decide by the sign of the exponent.
        const std::size_t e = number.find_first_of("Ee");
        const bool tiny =
            e != std::string_view::npos && e + 1 < number.size() && number[e + 1] == '-';
        value = tiny ? 0.0 : std::numeric_limits<double>::infinity();
    } else if (ec != std::errc() || ptr != number.data() + number.size()) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

std::int32_t ReadInteger(std::string_view token) {
    const std::optional<double> prefix = NumericPrefix(token);
    if (!prefix || std::isnan(*prefix)) return 0;
    double value = *prefix;
    const double whole = std::floor(value);
    const double fraction = value - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0))
        value = whole + 1.0;
    else
        value = whole;
    constexpr double kMin = std::numeric_limits<std::int32_t>::min();
    constexpr double kMax = std::numeric_limits<std::int32_t>::max();
    if (value <= kMin) return std::numeric_limits<std::int32_t>::min();
    if (value >= kMax) return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(value);
}

float ReadFloat(std::string_view token) {
    const std::optional<double> prefix = NumericPrefix(token);
    if (!prefix) return 0.0f;
    // A value beyond the single range is kept as the largest single, not as an infinity that
    // no later step can use or write back.
    constexpr double kMax = std::numeric_limits<float>::max();
    return static_cast<float>(std::clamp(*prefix, -kMax, kMax));
}

bool ReadFlag(std::string_view token) {
    return token == "True" || token == "1";
}

std::string FormatInteger(std::int32_t value) {
    return std::to_string(value);
}

std::string FormatFloat(float value) {
    // The text must read back to a value that writes the same text: NaN has no such text and
    // is stored as 0, an infinity as the largest single of its sign.
    if (std::isnan(value)) return "0";
    if (std::isinf(value)) value = std::copysign(std::numeric_limits<float>::max(), value);
    // printf follows the C locale's decimal mark (a comma in many locales) and never groups
    // digits; FormatNumberText turns a comma back into ".".
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%.7G", static_cast<double>(value));
    return FormatNumberText(buffer);
}

} // namespace tervane::detail
