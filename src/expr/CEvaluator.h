#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tervane {

/// A syntax error found by the translator, with the position to show.
struct SyntaxError {
    /// Last accepted position (1-based; 0 when the fault is at the very start).
    std::int32_t position = 0;
    /// The message words, for example "Operand expected".
    std::string message;

    /// The line the user sees: "Character N:  message".
    std::string Text() const;
};

/// Translates function texts into postfix texts and evaluates them at a point.
class CEvaluator {
public:
    /// Called with every syntax error; the window shows it as a "Syntax Error" box.
    using ErrorHandler = std::function<void(const SyntaxError&)>;

    /// Sets the handler that reports syntax errors (none by default).
    void SetErrorHandler(ErrorHandler handler) { onError_ = std::move(handler); }

    /// Appends the postfix form of sExpression to sBuffer. Returns 0 on success,
    /// else the error position (never 0); sBuffer then holds the tokens emitted
    /// before the error.
    std::int32_t InfixToPostfix(std::string_view sExpression, std::string& sBuffer);

    /// Evaluates a postfix text at z = sngX + sngY·i (sngT is the animation
    /// parameter t). Returns false, leaving the outputs alone, when the text
    /// leaves no value. Raises ExprError on an arithmetic fault, a missing
    /// operand or a literal that does not convert. bolDegree is ignored:
    /// angles are always radians.
    bool DoEvaluate(std::string_view sExpression, bool bolDegree, float& sngResult,
                    float& sngResult2, float sngX, float sngY, float sngT = 0.0f) const;

    /// Text of the last syntax error message (empty until one occurs).
    const std::string& ErrorText() const noexcept { return errorText_; }

    /// The last syntax error, if the last translation failed.
    const std::optional<SyntaxError>& LastError() const noexcept { return lastError_; }

    /// Precedence rank of a token: 1 "+ -", 2 "* /", 3 "(-)", 4 "^", 5 functions, else 0.
    static std::int32_t Precedence(std::string_view token);

    /// True when the first character, folded to upper case, is a letter or "_".
    static bool IsSymbolStart(std::string_view ch);

private:
    std::int32_t Fail(std::int32_t position, std::string message);

    std::string errorText_;
    std::optional<SyntaxError> lastError_;
    ErrorHandler onError_;
};

} // namespace tervane
