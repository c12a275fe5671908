#include "expr/detail/PostfixReader.h"

#include <algorithm>
#include <optional>

namespace tervane::detail {

namespace {

constexpr bool IsUpper(char c) {
    return c >= 'A' && c <= 'Z';
}

// Function names are upper-case words of at least this length; other tokens, the most
// frequent ones among them, skip the search through the names.
constexpr std::size_t kShortestFunctionName =
    std::ranges::min_element(kFunctionNames, {}, &std::string_view::size)->size();
static_assert(std::ranges::all_of(kFunctionNames,
                                  [](std::string_view name) { return IsUpper(name.front()); }));

bool MayBeFunction(std::string_view text) {
    return text.size() >= kShortestFunctionName && IsUpper(text.front());
}

// The binary operator of a one-character token, or nothing.
std::optional<BinaryOp> FindBinaryOperator(std::string_view text) {
    if (text.size() != 1) return std::nullopt;
    switch (text.front()) {
    case '+':
        return BinaryOp::Add;
    case '-':
        return BinaryOp::Sub;
    case '*':
        return BinaryOp::Mul;
    case '/':
        return BinaryOp::Div;
    case '^':
        return BinaryOp::Pow;
    default:
        return std::nullopt;
    }
}

// Sets the kind and its fields. Function names are tried first: "INT" starts like a literal.
void Classify(PostfixToken& token) {
    const std::string_view text = token.text;
    if (MayBeFunction(text)) {
        if (auto func = FindFunction(text)) {
            token.kind = PostfixKind::Function;
            token.func = *func;
            return;
        }
    }
    if (IsLiteralToken(text)) {
        token.kind = PostfixKind::Literal;
        token.status = ParseLiteral(text, token.value);
    } else if (auto op = FindBinaryOperator(text)) {
        token.kind = PostfixKind::Binary;
        token.op = *op;
    } else if (text == kNegateToken) {
        token.kind = PostfixKind::Negate;
    } else if (auto variable = FindVariableByToken(text)) {
        token.kind = PostfixKind::Variable;
        token.variable = *variable;
    } else {
        token.kind = PostfixKind::Unknown;
    }
}

} // namespace

bool PostfixReader::Next(PostfixToken& token) {
    const std::size_t blank = text_.find(' ', start_);
    if (blank == std::string_view::npos) return false;
    token.text = text_.substr(start_, blank - start_);
    start_ = blank + 1;
    Classify(token);
    return true;
}

} // namespace tervane::detail
