#include "expr/TextPasses.h"

namespace tervane {

namespace {

constexpr std::string_view kDigitsClose = "1234567890)";
constexpr std::string_view kLettersOpen = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ(";
constexpr std::string_view kVariableLetters = "abnrtxyziABNRTXYZI";
constexpr std::string_view kNumberStartOpen = "1234567890.,(";
constexpr std::string_view kNumberStart = "1234567890.,";
constexpr std::string_view kBeforeVariable = "1234567890+-*/^()pP";

constexpr std::string_view kNumberChars = "-1234567890Ee.";
constexpr std::string_view kExpressionChars =
    "-1234567890.+*/^()abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";

// A character of the text, or the empty text outside it. The empty text
// counts as a member of every set, so that an empty function text becomes "*"
// and is then rejected by the translator instead of silently yielding nothing.
struct Ch {
    bool empty;
    char c;
};

bool In(std::string_view set, Ch ch) {
    return ch.empty || set.find(ch.c) != std::string_view::npos;
}

bool Is(char wanted, Ch ch) {
    return ch.empty || ch.c == wanted;
}

// Shared scan of the cleaning passes: accepted characters stay, blanks go,
// commas become points. Returns false at the first other character.
bool CleanScan(std::string_view text, std::string_view accepted, std::string& cleaned) {
    cleaned.clear();
    for (char c : text) {
        if (accepted.find(c) != std::string_view::npos) {
            cleaned += c;
        } else if (c == ' ') {
            continue;
        } else if (c == ',') {
            cleaned += '.';
        } else {
            return false;
        }
    }
    return true;
}

bool CleanField(std::string_view text, std::string_view accepted, std::string& cleaned) {
    if (!CleanScan(text, accepted, cleaned)) return false;
    if (text.empty() || text == " ") cleaned.assign(1, '0');
    return true;
}

} // namespace

std::string InsertImplicitMultiply(std::string_view text) {
    const std::size_t n = text.size();
    if (n == 1) return std::string(text);

    auto at = [&](std::size_t k) -> Ch { // 1-based; empty outside the text
        if (k < 1 || k > n) return {true, '\0'};
        return {false, text[k - 1]};
    };

    std::string out;
    out.reserve(n + n / 2 + 1);
    const std::size_t last = n > 1 ? n - 1 : 1;
    for (std::size_t k = 1; k <= last; ++k) {
        const Ch cur = at(k);
        const Ch next = at(k + 1);
        if (!cur.empty) out += cur.c;

        bool star = In(kDigitsClose, cur) && In(kLettersOpen, next);
        if (!star && k == 1) star = In(kVariableLetters, cur) && In(kNumberStartOpen, next);
        if (!star && k > 1) {
            const Ch prev = at(k - 1);
            if (In(kBeforeVariable, prev) && In(kVariableLetters, cur))
                star = Is('(', next) || In(kNumberStartOpen, next);
        }
        if (!star) star = Is(')', cur) && In(kNumberStart, next);
        if (star) out += '*';
    }
    if (n >= 1) out += text[n - 1];
    return out;
}

bool CleanNumberText(std::string_view text, std::string& cleaned) {
    return CleanField(text, kNumberChars, cleaned);
}

bool CleanExpressionText(std::string_view text, std::string& cleaned) {
    return CleanField(text, kExpressionChars, cleaned);
}

std::string FormatNumberText(std::string_view text) {
    std::string cleaned;
    if (!CleanScan(text, kExpressionChars, cleaned)) return {};
    return cleaned;
}

} // namespace tervane
