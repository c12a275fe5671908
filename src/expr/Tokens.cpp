#include "expr/Tokens.h"

#include <charconv>
#include <string>

namespace tervane {

const std::array<VariableToken, 9> kVariables = {{
    {"Z", "ZZ", Variable::Z},
    {"V", "VV", Variable::V},
    {"X", "XX", Variable::X},
    {"Y", "YY", Variable::Y},
    {"A", "AA", Variable::A},
    {"R", "RR", Variable::R},
    {"B", "BB", Variable::B},
    {"T", "TT", Variable::T},
    {"N", "NN", Variable::N},
}};

std::optional<Func> FindFunction(std::string_view name) {
    for (std::size_t i = 0; i < kFunctionNames.size(); ++i)
        if (kFunctionNames[i] == name) return static_cast<Func>(i);
    return std::nullopt;
}

std::optional<Variable> FindVariableByName(std::string_view name) {
    for (const auto& v : kVariables)
        if (v.name == name) return v.variable;
    return std::nullopt;
}

std::optional<Variable> FindVariableByToken(std::string_view token) {
    for (const auto& v : kVariables)
        if (v.token == token) return v.variable;
    return std::nullopt;
}

namespace {

// Reads digits with at most one decimal mark ("," counts as ".") as a
// correctly rounded single, independent of the process locale.
EvalStatus ParseReal(std::string_view text, float& value) {
    if (text.empty()) return EvalStatus::TypeMismatch;
    std::string buffer;
    buffer.reserve(text.size());
    bool mark = false;
    bool digit = false;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            digit = true;
            buffer += c;
        } else if ((c == '.' || c == ',') && !mark) {
            mark = true;
            buffer += '.';
        } else {
            return EvalStatus::TypeMismatch;
        }
    }
    if (!digit) return EvalStatus::TypeMismatch;
    const char* first = buffer.data();
    const char* last = first + buffer.size();
    auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::fixed);
    if (ec == std::errc::result_out_of_range) {
        // Too small rounds to zero like any tiny literal; too large cannot be held.
        bool nonzero = buffer.find_first_of("123456789") != std::string::npos;
        std::size_t point = buffer.find('.');
        std::size_t firstNonZero = buffer.find_first_of("123456789");
        bool large = nonzero && (point == std::string::npos || firstNonZero < point);
        if (large) return EvalStatus::Overflow;
        value = 0.0f;
        return EvalStatus::Value;
    }
    if (ec != std::errc() || ptr != last) return EvalStatus::TypeMismatch;
    return EvalStatus::Value;
}

} // namespace

EvalStatus ParseLiteral(std::string_view token, Complex& value) {
    if (token == "i" || token == "I") {
        value = Complex{0.0f, 1.0f};
        return EvalStatus::Value;
    }
    float c = 0.0f;
    if (!token.empty() && (token.back() == 'i' || token.back() == 'I')) {
        EvalStatus status = ParseReal(token.substr(0, token.size() - 1), c);
        value = Complex{0.0f, c};
        return status;
    }
    EvalStatus status = ParseReal(token, c);
    value = Complex{c, 0.0f};
    return status;
}

} // namespace tervane
