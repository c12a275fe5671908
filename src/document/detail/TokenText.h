#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tervane::detail {

/// Splits a document or clipboard text at single blanks. Two blanks in a row give an empty
/// token; a trailing blank adds none, and an empty text has no token.
std::vector<std::string> SplitTokens(std::string_view text);

/// The numeric prefix of a token (sign, digits, point, digits, exponent "E"/"e" with its sign),
/// or nothing when the token does not start with a number.
std::optional<double> NumericPrefix(std::string_view token);

/// Integer form: the numeric prefix rounded to the nearest integer, halves to even; 0 without a
/// prefix. Values beyond the 32-bit range saturate instead of wrapping.
std::int32_t ReadInteger(std::string_view token);

/// Float form: the numeric prefix as a double, stored as single (beyond the single range: the
/// largest single of that sign); 0 without a prefix.
float ReadFloat(std::string_view token);

/// Flag form: true exactly for "True" and "1".
bool ReadFlag(std::string_view token);

/// Decimal text of an integer.
std::string FormatInteger(std::int32_t value);

/// Text of a single-precision value with at most 7 significant digits, an exponent part "E"
/// where the C library chooses that form, and "." as decimal mark whatever the locale. NaN is
/// written "0" and an infinity as the largest single, so that every text reads back.
std::string FormatFloat(float value);

/// Flag text: "1" or "0".
inline std::string FormatFlag(bool value) {
    return value ? "1" : "0";
}

} // namespace tervane::detail
