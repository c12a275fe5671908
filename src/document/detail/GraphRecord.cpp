#include "document/detail/GraphRecord.h"

#include "document/detail/TokenText.h"

#include <type_traits>

namespace tervane::detail {

namespace {

// The name rule gives up after this many tokens behind the first one.
constexpr int kMaxQuotedContinuation = 100;

bool BeginsWithAt(std::string_view t) {
    return !t.empty() && t.front() == '@';
}

bool EndsWithAt(std::string_view t) {
    return !t.empty() && t.back() == '@';
}

void AppendToken(std::string& out, std::string_view token) {
    out += token;
    out += ' ';
}

// Quantity codes and point sizes accept only their exact digit tokens; anything else keeps the
// property's value.
std::optional<std::int32_t> ExactDigit(std::string_view token, char first, char last) {
    if (token.size() == 1 && token[0] >= first && token[0] <= last) return token[0] - '0';
    return std::nullopt;
}

// A code token in its exact form: one or two digits without a leading zero ("07" and "+7" are
// not codes).
std::optional<std::int32_t> ExactCode(std::string_view token) {
    if (token.empty() || token.size() > 2 || token[0] < '1' || token[0] > '9') return std::nullopt;
    if (token.size() == 1) return token[0] - '0';
    if (token[1] < '0' || token[1] > '9') return std::nullopt;
    return (token[0] - '0') * 10 + (token[1] - '0');
}

} // namespace

std::string_view TokenCursor::Next() {
    if (position_ >= tokens_.size()) {
        overrun_ = true;
        ++position_;
        return {};
    }
    return tokens_[position_++];
}

std::optional<std::string> ReadQuoted(TokenCursor& cursor, RecordDialect dialect) {
    const std::size_t start = cursor.Position();
    const std::string_view first = cursor.Next();
    if (!BeginsWithAt(first)) {
        if (dialect == RecordDialect::Clipboard) return std::string(first);
        cursor.Seek(start); // no name field: this token is the next field
        return std::nullopt;
    }
    if (first.size() >= 2 && EndsWithAt(first))
        return std::string(first.substr(1, first.size() - 2));

    std::string text(first.substr(1));
    for (int k = 0; k < kMaxQuotedContinuation && cursor.Position() < cursor.Size(); ++k) {
        const std::string_view t = cursor.Next();
        text += ' ';
        if (EndsWithAt(t)) {
            text += t.substr(0, t.size() - 1);
            return text;
        }
        text += t;
    }
    cursor.Seek(start + 1); // no closing "@": the property keeps its value
    return std::nullopt;
}

std::optional<std::string> QuotedTextProblem(std::string_view text) {
    std::vector<std::string> words = SplitTokens(text);
    // SplitTokens drops the empty word behind a trailing blank; the quoted form keeps it.
    if (!text.empty() && text.back() == ' ') words.emplace_back();
    if (text.empty()) return std::nullopt;
    const std::size_t blanks = words.size() - 1;
    if (blanks == 0) return std::nullopt;
    if (blanks > static_cast<std::size_t>(kMaxQuotedContinuation))
        return "it has more than " + std::to_string(kMaxQuotedContinuation) + " blanks";
    // A word ending in "@" before the last one would end the text early on reading.
    for (std::size_t k = 0; k + 1 < words.size(); ++k) {
        if (EndsWithAt(words[k])) return "a word in it ends with \"@\"";
    }
    return std::nullopt;
}

void AppendQuoted(std::string& out, std::string_view text) {
    out += '@';
    out += text;
    out += "@ ";
}

bool HasRecord(std::int32_t t) {
    return (t >= 0 && t <= 3) || (t >= 7 && t <= 15) || (t >= 20 && t <= 23) || t == 31 ||
           t == 32 || (t >= 36 && t <= 38);
}

bool IsUnsampledKind(std::int32_t t) {
    return t == 4 || t == 5 || t == 6 || t == 31 || t == 32;
}

std::optional<std::string> AppendGraphRecord(const CGraph& g, const RecordAnimation& animation,
                                             std::string& out) {
    if (auto problem = QuotedTextProblem(g.NameS()))
        return "its name cannot be stored: " + *problem;
    for (const std::string* text : {&g.ExpressX(), &g.ExpressY(), &g.ExpressZ()}) {
        if (text->find(' ') != std::string::npos)
            return "its function text \"" + *text + "\" holds a blank";
    }

    std::string r;
    g.VisitStoredFields([&](std::string_view, StoredField kind, const auto& value) {
        using T = std::decay_t<decltype(value)>;
        if ((kind == StoredField::Animated || kind == StoredField::AnimationEnd) && !g.Animation())
            return;
        if constexpr (std::is_same_v<T, std::string>) {
            if (kind == StoredField::Name)
                AppendQuoted(r, value);
            else
                AppendToken(r, value);
        } else if constexpr (std::is_same_v<T, bool>) {
            AppendToken(r, FormatFlag(value));
        } else if constexpr (std::is_same_v<T, float>) {
            AppendToken(r, FormatFloat(value));
        } else {
            AppendToken(r, FormatInteger(value));
        }
        if (kind == StoredField::AnimationEnd) {
            AppendToken(r, FormatInteger(animation.Frames));
            AppendToken(r, FormatInteger(animation.Speed));
        }
    });
    out += r;
    return std::nullopt;
}

GraphRecordRead ReadGraphRecord(TokenCursor& c, RecordDialect dialect) {
    GraphRecordRead read;
    auto g = std::make_shared<CGraph>();
    const CGraph& graph = *g;
    g->VisitStoredFields([&](std::string_view, StoredField kind, const auto& value, auto set) {
        using T = std::decay_t<decltype(value)>;
        if ((kind == StoredField::Animated || kind == StoredField::AnimationEnd) &&
            !graph.Animation())
            return;
        if constexpr (std::is_same_v<T, std::string>) {
            if (kind == StoredField::Name) {
                if (auto name = ReadQuoted(c, dialect)) set(*name);
            } else {
                set(std::string(c.Next()));
            }
        } else if constexpr (std::is_same_v<T, bool>) {
            set(ReadFlag(c.Next()));
        } else if constexpr (std::is_same_v<T, float>) {
            if (kind == StoredField::PointSize) {
                if (auto size = ExactDigit(c.Next(), '1', '9')) set(static_cast<float>(*size));
            } else {
                set(ReadFloat(c.Next()));
            }
        } else if (kind == StoredField::Quantity) {
            if (auto code = ExactCode(c.Next()); code && IsQuantityCode(*code)) set(*code);
        } else if (kind == StoredField::Colour) {
            if (auto code = ExactCode(c.Next()); code && IsColourCode(*code)) set(*code);
        } else {
            set(ReadInteger(c.Next()));
        }
        if (kind == StoredField::AnimationEnd) {
            const std::int32_t frames = ReadInteger(c.Next());
            const std::int32_t speed = ReadInteger(c.Next());
            if (dialect == RecordDialect::Document) read.Animation = RecordAnimation{frames, speed};
        }
    });
    read.Graph = std::move(g);
    return read;
}

} // namespace tervane::detail
