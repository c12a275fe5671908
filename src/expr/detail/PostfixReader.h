#pragma once

#include "expr/Complex.h"
#include "expr/EvalStatus.h"
#include "expr/Tokens.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tervane::detail {

/// What a token of a postfix text stands for.
enum class PostfixKind : std::uint8_t {
    Literal,  ///< a number literal (PostfixToken::value, ::status)
    Variable, ///< a variable token such as "ZZ" (PostfixToken::variable)
    Binary,   ///< one of + - * / ^ (PostfixToken::op)
    Negate,   ///< unary minus, "(-)"
    Function, ///< a function name (PostfixToken::func)
    Unknown,  ///< anything else: the evaluators skip it
};

/// The binary operators, in the order of "+-*/^".
enum class BinaryOp : std::uint8_t { Add, Sub, Mul, Div, Pow };

/// One token of a postfix text, classified. Only the fields of its kind are set.
struct PostfixToken {
    PostfixKind kind = PostfixKind::Unknown;
    std::string_view text;
    Func func = Func::Sin;
    Variable variable = Variable::Z;
    BinaryOp op = BinaryOp::Add;
    Complex value;                         ///< a literal's value, when status is Value
    EvalStatus status = EvalStatus::Value; ///< outcome of reading a literal
};

/// Reads a postfix text (as CEvaluator::InfixToPostfix writes it) token by
/// token: each token ends at a blank, and text after the last blank is
/// ignored. The text evaluator and the compiled program both walk postfix
/// texts with it, so they read every text alike.
class PostfixReader {
public:
    explicit PostfixReader(std::string_view text) noexcept : text_(text) {}

    /// Reads and classifies the next token; false at the end of the text.
    bool Next(PostfixToken& token);

private:
    std::string_view text_;
    std::size_t start_ = 0;
};

} // namespace tervane::detail
