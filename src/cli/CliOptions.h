#pragma once

#include "graph/GraphPresets.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tervane::cli {

/// True for an argument that names an option: a dash followed by something other than a digit
/// or a decimal point, so that negative numbers and function texts such as "-2" stay values.
bool IsOptionName(std::string_view argument);

/// The parts of text between commas (one part when there is no comma).
std::vector<std::string> SplitCommas(std::string_view text);

/// A number that a single holds, written with a decimal point (the comma separates numbers).
std::optional<float> ParseFinite(std::string_view text);

/// XMIN,XMAX,YMIN,YMAX with each minimum below its maximum into the recipe's domain; false
/// (and no change) otherwise.
bool ParseRange(std::string_view text, GraphRecipe& recipe);

/// N or N,M steps, each 1..kMaxSteps, into the recipe (N both ways when M is left out); false
/// (and no change) otherwise.
bool ParseSteps(std::string_view text, GraphRecipe& recipe);

/// The usage messages of a --range and a --steps value that did not parse.
std::string RangeProblem(std::string_view value);
std::string StepsProblem(std::string_view value);

} // namespace tervane::cli
