#include "expr/CEvaluator.h"

#include "expr/CStack.h"
#include "expr/Complex.h"
#include "expr/ElementaryFunctions.h"
#include "expr/ExprError.h"
#include "expr/Tokens.h"
#include "expr/detail/PostfixReader.h"

#include <algorithm>

namespace tervane {

std::string SyntaxError::Text() const {
    return "Character " + std::to_string(position) + ":  " + message;
}

namespace {

enum class State { Start, Operand, Open, Sign, Function };

char Upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool IsNameChar(char c) {
    const char u = Upper(c);
    return (u >= 'A' && u <= 'Z') || u == '_';
}

void Emit(std::string& buffer, std::string_view token) {
    buffer += token;
    buffer += ' ';
}

// Moves operators of at least the given rank from the stack to the output.
void PopWhileRankAtLeast(CStack<std::string>& stack, std::int32_t rank, std::string& buffer) {
    while (stack.StackSize() > 0 && CEvaluator::Precedence(stack.GetPopValue()) >= rank)
        Emit(buffer, stack.Pop());
}

} // namespace

std::int32_t CEvaluator::Precedence(std::string_view token) {
    if (token == "+" || token == "-") return 1;
    if (token == "*" || token == "/") return 2;
    if (token == kNegateToken) return 3;
    if (token == "^") return 4;
    if (FindFunction(token)) return 5;
    return 0;
}

bool CEvaluator::IsSymbolStart(std::string_view ch) {
    return !ch.empty() && IsNameChar(ch.front());
}

std::int32_t CEvaluator::Fail(std::int32_t position, std::string message) {
    errorText_ = message;
    lastError_ = SyntaxError{position, std::move(message)};
    if (onError_) onError_(*lastError_);
    return std::max<std::int32_t>(position, 1);
}

std::int32_t CEvaluator::InfixToPostfix(std::string_view sExpression, std::string& sBuffer) {
    lastError_.reset();
    const auto length = static_cast<std::int32_t>(sExpression.size());
    CStack<std::string> stack;
    State state = State::Start;
    std::int32_t depth = 0;
    std::int32_t accepted = 1; // last accepted position, shown in messages
    std::int32_t n = 1;

    auto at = [&](std::int32_t pos) { return sExpression[static_cast<std::size_t>(pos - 1)]; };
    auto impliedMultiply = [&] {
        PopWhileRankAtLeast(stack, Precedence("*"), sBuffer);
        stack.Push("*");
    };

    for (;;) {
        if (n > length) {
            accepted = length;
            if (state == State::Open || state == State::Sign || state == State::Function)
                return Fail(accepted, "Operand expected");
            if (depth >= 1) return Fail(accepted, "Closing parenthesis expected");
            while (stack.StackSize() > 0)
                Emit(sBuffer, stack.Pop());
            return 0;
        }

        const char ch = at(n);
        if (ch == '(') {
            if (state == State::Operand) {
                impliedMultiply();
                state = State::Open;
            } else if (state == State::Sign || state == State::Function) {
                state = State::Open;
            }
            stack.Push("(");
            ++depth;
            accepted = n;
            ++n;
        } else if (ch == ')') {
            if (state != State::Operand) return Fail(accepted, "Operand expected");
            if (depth == 0)
                return Fail(accepted, "Closing parenthesis without matching open parenthesis");
            for (;;) {
                std::string top = stack.Pop();
                if (top == "(") break;
                Emit(sBuffer, top);
            }
            --depth;
            accepted = n;
            ++n;
        } else if (ch == '+' || ch == '-' || ch == '*' || ch == '/' || ch == '^') {
            const std::string op(1, ch);
            if (state != State::Operand) {
                if (state == State::Sign) return Fail(accepted, "Operand expected");
                if (ch == '-') {
                    stack.Push(std::string(kNegateToken));
                } else if (ch != '+') {
                    return Fail(accepted, "Operand expected");
                }
                state = State::Sign;
            } else {
                PopWhileRankAtLeast(stack, Precedence(op), sBuffer);
                stack.Push(op);
                state = (ch == '+' || ch == '-') ? State::Sign : State::Open;
            }
            accepted = n;
            ++n;
        } else if (kLiteralChars.find(ch) != std::string_view::npos) {
            if (state == State::Operand) return Fail(accepted, "Operator expected");
            std::int32_t end = n;
            int marks = 0;
            while (end <= length && kLiteralChars.find(at(end)) != std::string_view::npos) {
                if (at(end) == '.' || at(end) == ',') {
                    if (++marks > 1)
                        return Fail(accepted, "Operand contains multiple decimal points");
                }
                ++end;
            }
            const std::string_view literal = sExpression.substr(n - 1, end - n);
            accepted = end - 2;
            if (literal == "." || literal == ",") return Fail(accepted, "Invalid operand");
            if (state == State::Function) return Fail(accepted, "Open parenthesis expected");
            Emit(sBuffer, literal);
            state = State::Operand;
            n = end;
        } else if (static_cast<unsigned char>(ch) <= static_cast<unsigned char>(' ')) {
            ++n; // blanks and control characters separate tokens only
        } else {
            if (!IsNameChar(ch)) return Fail(accepted, "Unexpected character encountered");
            std::int32_t end = n;
            while (end <= length && IsNameChar(at(end)))
                ++end;
            const std::string_view name = sExpression.substr(n - 1, end - n);
            accepted = n - 1;
            if (state == State::Operand) impliedMultiply();
            std::string upper(name);
            std::transform(upper.begin(), upper.end(), upper.begin(), Upper);
            if (FindFunction(upper)) {
                stack.Push(upper);
                state = State::Function;
            } else if (upper == "PI") {
                Emit(sBuffer, kPiToken);
                state = State::Operand;
            } else if (auto variable = FindVariableByName(upper)) {
                Emit(sBuffer, kVariables[static_cast<std::size_t>(*variable)].token);
                state = State::Operand;
            } else {
                return Fail(accepted, "Undefined symbol : '" + std::string(name) + "'");
            }
            n = end;
        }
    }
}

namespace {

// Value of a variable token at the point; t is the animation parameter.
EvalStatus VariableValue(Variable v, float x, float y, float t, Complex& out) {
    switch (v) {
    case Variable::Z:
        out = Complex{x, y};
        return EvalStatus::Value;
    case Variable::X:
        out = Complex{x, 0.0f};
        return EvalStatus::Value;
    case Variable::Y:
        out = Complex{0.0f, y};
        return EvalStatus::Value;
    case Variable::T:
        out = Complex{t, 0.0f};
        return EvalStatus::Value;
    case Variable::A:
        out = Complex{static_cast<float>(cx::LogArgument(x, y)), 0.0f};
        return EvalStatus::Value;
    case Variable::R:
        return cx::Narrow(cx::Modulus(Complex{x, y}), 0.0, out);
    case Variable::V:
    case Variable::B:
    case Variable::N:
        out = Complex{0.0f, 0.0f};
        return EvalStatus::Value;
    }
    return EvalStatus::Value;
}

// Operand values live on the stack as two entries: imaginary part below, real part on top.
Complex PopComplex(CStack<float>& stack) {
    Complex c;
    c.re = stack.Pop();
    c.im = stack.Pop();
    return c;
}

void PushComplex(CStack<float>& stack, Complex c) {
    stack.Push(c.im);
    stack.Push(c.re);
}

using BinaryFn = EvalStatus (*)(Complex, Complex, Complex&);

// Indexed by detail::BinaryOp.
constexpr BinaryFn kBinaryFunctions[] = {cx::Add, cx::Sub, cx::Mul, cx::Div, cx::Pow};

} // namespace

bool CEvaluator::DoEvaluate(std::string_view sExpression, bool /*bolDegree*/, float& sngResult,
                            float& sngResult2, float sngX, float sngY, float sngT) const {
    using detail::PostfixKind;
    CStack<float> stack;
    detail::PostfixReader reader(sExpression);
    detail::PostfixToken token;
    while (reader.Next(token)) {
        Complex result;
        switch (token.kind) {
        case PostfixKind::Function: {
            const Complex a = PopComplex(stack);
            RaiseOnError(ApplyFunction(token.func, a, result));
            break;
        }
        case PostfixKind::Literal:
            RaiseOnError(token.status);
            result = token.value;
            break;
        case PostfixKind::Binary: {
            const Complex b = PopComplex(stack);
            const Complex a = PopComplex(stack);
            RaiseOnError(kBinaryFunctions[static_cast<std::size_t>(token.op)](a, b, result));
            break;
        }
        case PostfixKind::Negate: {
            const Complex a = PopComplex(stack);
            result = Complex{-a.re, -a.im};
            break;
        }
        case PostfixKind::Variable:
            RaiseOnError(VariableValue(token.variable, sngX, sngY, sngT, result));
            break;
        case PostfixKind::Unknown:
            continue; // unknown tokens push nothing
        }
        PushComplex(stack, result);
    }
    if (stack.StackSize() == 0) return false;
    sngResult = stack.Pop();
    sngResult2 = stack.Pop();
    return true;
}

} // namespace tervane
