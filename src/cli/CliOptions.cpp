#include "cli/CliOptions.h"

#include "core/Limits.h"

#include <cctype>
#include <charconv>
#include <cmath>

namespace tervane::cli {

bool IsOptionName(std::string_view a) {
    return a.size() > 1 && a[0] == '-' &&
           !(std::isdigit(static_cast<unsigned char>(a[1])) || a[1] == '.');
}

std::vector<std::string> SplitCommas(std::string_view text) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = text.find(',', start);
        parts.emplace_back(
            text.substr(start, comma == std::string_view::npos ? comma : comma - start));
        if (comma == std::string_view::npos) return parts;
        start = comma + 1;
    }
}

std::optional<float> ParseFinite(std::string_view text) {
    std::size_t offset = !text.empty() && text[0] == '+' ? 1 : 0;
    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(text.data() + offset, text.data() + text.size(), value);
    if (ec != std::errc() || ptr != text.data() + text.size() || text.size() == offset)
        return std::nullopt;
    const float f = static_cast<float>(value);
    if (!std::isfinite(f)) return std::nullopt;
    return f;
}

bool ParseRange(std::string_view text, GraphRecipe& recipe) {
    const std::vector<std::string> parts = SplitCommas(text);
    if (parts.size() != 4) return false;
    float v[4];
    for (std::size_t k = 0; k < 4; ++k) {
        const auto number = ParseFinite(parts[k]);
        if (!number) return false;
        v[k] = *number;
    }
    if (!(v[0] < v[1]) || !(v[2] < v[3])) return false;
    recipe.MinU = v[0];
    recipe.MaxU = v[1];
    recipe.MinV = v[2];
    recipe.MaxV = v[3];
    return true;
}

bool ParseSteps(std::string_view text, GraphRecipe& recipe) {
    const std::vector<std::string> parts = SplitCommas(text);
    if (parts.size() > 2) return false;
    std::int32_t steps[2] = {0, 0};
    for (std::size_t k = 0; k < parts.size(); ++k) {
        const std::string& p = parts[k];
        const auto [ptr, ec] = std::from_chars(p.data(), p.data() + p.size(), steps[k]);
        if (ec != std::errc() || ptr != p.data() + p.size() || p.empty() || steps[k] < 1 ||
            steps[k] > kMaxSteps)
            return false;
    }
    recipe.StepU = steps[0];
    recipe.StepV = parts.size() == 2 ? steps[1] : steps[0];
    return true;
}

std::string RangeProblem(std::string_view value) {
    return "--range takes XMIN,XMAX,YMIN,YMAX with each minimum below its maximum: '" +
           std::string(value) + "'";
}

std::string StepsProblem(std::string_view value) {
    return "--steps takes N or N,M, each 1.." + std::to_string(kMaxSteps) + ": '" +
           std::string(value) + "'";
}

} // namespace tervane::cli
