#include "document/detail/GraphRecord.h"

#include "document/detail/TokenText.h"

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
    AppendToken(r, FormatInteger(g.GraphType()));
    AppendToken(r, FormatInteger(g.ID()));
    AppendQuoted(r, g.NameS());
    AppendToken(r, FormatInteger(g.CoordType()));
    AppendToken(r, g.ExpressX());
    AppendToken(r, g.ExpressY());
    AppendToken(r, g.ExpressZ());
    AppendToken(r, FormatInteger(g.StepU()));
    AppendToken(r, FormatInteger(g.StepV()));
    AppendToken(r, FormatFloat(g.MinU()));
    AppendToken(r, FormatFloat(g.MaxU()));
    AppendToken(r, FormatFloat(g.MinV()));
    AppendToken(r, FormatFloat(g.MaxV()));
    AppendToken(r, FormatInteger(g.FillStyle()));
    AppendToken(r, FormatInteger(g.FirstColor()));
    AppendToken(r, FormatInteger(g.SecondColor()));
    AppendToken(r, FormatInteger(g.LineColor()));
    AppendToken(r, FormatInteger(g.LineWidth()));
    AppendToken(r, FormatInteger(g.Material()));
    AppendToken(r, FormatInteger(g.Show()));
    AppendToken(r, FormatInteger(g.Smoothness()));
    AppendToken(r, FormatInteger(g.PointColor()));
    AppendToken(r, FormatFloat(g.PointSize()));
    AppendToken(r, FormatFlag(g.PointHollow()));
    AppendToken(r, FormatFlag(g.Animation()));
    if (g.Animation()) {
        AppendToken(r, FormatFloat(g.MinT()));
        AppendToken(r, FormatFloat(g.MaxT()));
        AppendToken(r, FormatInteger(animation.Frames));
        AppendToken(r, FormatInteger(animation.Speed));
    }
    AppendToken(r, FormatInteger(g.FunForm()));
    for (std::int32_t code : {g.VarX(), g.VarY(), g.VarZ(), g.ColorR(), g.ColorG(), g.ColorB()})
        AppendToken(r, FormatInteger(code));
    out += r;
    return std::nullopt;
}

GraphRecordRead ReadGraphRecord(TokenCursor& c, RecordDialect dialect) {
    GraphRecordRead read;
    auto g = std::make_shared<CGraph>();
    g->SetGraphType(ReadInteger(c.Next()));
    g->SetID(ReadInteger(c.Next()));
    if (auto name = ReadQuoted(c, dialect)) g->SetNameS(*name);
    g->SetCoordType(ReadInteger(c.Next()));
    g->SetExpressX(std::string(c.Next()));
    g->SetExpressY(std::string(c.Next()));
    g->SetExpressZ(std::string(c.Next()));
    g->SetStepU(ReadInteger(c.Next()));
    g->SetStepV(ReadInteger(c.Next()));
    g->SetMinU(ReadFloat(c.Next()));
    g->SetMaxU(ReadFloat(c.Next()));
    g->SetMinV(ReadFloat(c.Next()));
    g->SetMaxV(ReadFloat(c.Next()));
    g->SetFillStyle(ReadInteger(c.Next()));
    g->SetFirstColor(ReadInteger(c.Next()));
    g->SetSecondColor(ReadInteger(c.Next()));
    g->SetLineColor(ReadInteger(c.Next()));
    g->SetLineWidth(ReadInteger(c.Next()));
    g->SetMaterial(ReadInteger(c.Next()));
    g->SetShow(ReadInteger(c.Next()));
    g->SetSmoothness(ReadInteger(c.Next()));
    g->SetPointColor(ReadInteger(c.Next()));
    if (auto size = ExactDigit(c.Next(), '1', '9')) g->SetPointSize(static_cast<float>(*size));
    g->SetPointHollow(ReadFlag(c.Next()));
    g->SetAnimation(ReadFlag(c.Next()));
    if (g->Animation()) {
        g->SetMinT(ReadFloat(c.Next()));
        g->SetMaxT(ReadFloat(c.Next()));
        const std::int32_t frames = ReadInteger(c.Next());
        const std::int32_t speed = ReadInteger(c.Next());
        if (dialect == RecordDialect::Document) read.Animation = RecordAnimation{frames, speed};
    }
    g->SetFunForm(ReadInteger(c.Next()));
    using Setter = void (CGraph::*)(const std::int32_t&);
    for (Setter set : {&CGraph::SetVarX, &CGraph::SetVarY, &CGraph::SetVarZ, &CGraph::SetColorR,
                       &CGraph::SetColorG, &CGraph::SetColorB}) {
        if (auto code = ExactDigit(c.Next(), '1', '5')) (g.get()->*set)(*code);
    }
    read.Graph = std::move(g);
    return read;
}

} // namespace tervane::detail
