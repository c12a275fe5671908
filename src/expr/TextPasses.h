#pragma once

#include <string>
#include <string_view>

namespace tervane {

/// Writes out the multiplications a user may leave implicit («2x» -> «2*x»).
std::string InsertImplicitMultiply(std::string_view text);

/// Cleans a field that must hold a number: drops blanks, turns "," into ".".
/// Returns false (cleaned holds the text read so far) on any other character.
bool CleanNumberText(std::string_view text, std::string& cleaned);

/// Cleans a field that may hold an expression (function text, range fields).
bool CleanExpressionText(std::string_view text, std::string& cleaned);

/// Text of a number for documents: always "." as decimal mark; empty if the text is not a number.
std::string FormatNumberText(std::string_view text);

} // namespace tervane
