#pragma once

#include "expr/Complex.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace tervane {

/// The functions of one complex operand, in the order the translator matches them.
enum class Func : std::uint8_t {
    Sin,
    Cos,
    Log,
    Exp,
    Abs,
    Atan,
    Int,
    Rnd,
    Sqr,
    Tan,
    Sec,
    Csec,
    Ctan,
    Asin,
    Acos,
    Asec,
    Acsec,
    Actan,
    Sinh,
    Cosh,
    Tanh,
    Ctanh,
    Sech,
    Csech,
    Asinh,
    Acosh,
    Atanh,
    Asech,
    Acsech,
    Actanh,
};

inline constexpr std::size_t kFunctionCount = 30;

/// Upper-case names of the functions, indexed by Func.
inline constexpr std::array<std::string_view, kFunctionCount> kFunctionNames = {
    "SIN",  "COS",   "LOG",  "EXP",   "ABS",   "ATAN",  "INT",   "RND",   "SQR",    "TAN",
    "SEC",  "CSEC",  "CTAN", "ASIN",  "ACOS",  "ASEC",  "ACSEC", "ACTAN", "SINH",   "COSH",
    "TANH", "CTANH", "SECH", "CSECH", "ASINH", "ACOSH", "ATANH", "ASECH", "ACSECH", "ACTANH",
};

/// The function whose upper-case name is `name`, if any.
std::optional<Func> FindFunction(std::string_view name);

/// Variables of a function text and the tokens the translator emits for them.
enum class Variable : std::uint8_t { Z, V, X, Y, A, R, B, T, N };

struct VariableToken {
    std::string_view name;  ///< upper-case name in the text
    std::string_view token; ///< token in the postfix text
    Variable variable;
};

/// Variables in the order the translator matches them (after "PI").
extern const std::array<VariableToken, 9> kVariables;

/// The variable of an upper-case name, or of a postfix token.
std::optional<Variable> FindVariableByName(std::string_view name);
std::optional<Variable> FindVariableByToken(std::string_view token);

/// The postfix token of unary minus.
inline constexpr std::string_view kNegateToken = "(-)";

/// The postfix token that stands for pi.
inline constexpr std::string_view kPiToken = "3.1415926";

/// Characters that make up a number literal.
inline constexpr std::string_view kLiteralChars = "0123456789.,iI";

/// True when a postfix token is a number literal (by its first character).
inline bool IsLiteralToken(std::string_view token) {
    return !token.empty() && kLiteralChars.find(token.front()) != std::string_view::npos;
}

/// Reads a postfix number literal: "i" is the imaginary unit, a trailing "i"
/// makes the number imaginary, "," reads like ".". Digits with at most one
/// decimal mark are accepted; anything else is a type mismatch. Returns Value,
/// TypeMismatch, or Overflow for a number too large for single precision.
EvalStatus ParseLiteral(std::string_view token, Complex& value);

} // namespace tervane
