#include "document/KplFormat.h"

#include "core/Limits.h"

#include "document/detail/GraphRecord.h"
#include "document/detail/TokenText.h"

#include <algorithm>
#include <limits>
#include <set>

namespace tervane::kpl {

using detail::FormatFlag;
using detail::FormatInteger;
using detail::ReadFlag;
using detail::ReadInteger;
using detail::RecordDialect;
using detail::TokenCursor;

namespace {

struct HeaderRow {
    std::string_view token;
    std::int32_t writtenFor;
    HeaderMeaning meaning;
};

// Kind 2 writes "S13" and kind 3 writes "S12"; kinds 4 to 6 read back as 1 to 3.
constexpr HeaderRow kHeaders[] = {
    {"S11", 1, {1, 0, 0, 0}}, {"S13", 2, {2, 0, -15, 45}}, {"S12", 3, {3, 0, -15, 45}},
    {"S14", 4, {1, 0, 0, 0}}, {"S15", 5, {2, 0, -15, 45}}, {"S16", 6, {3, 0, -15, 45}},
    {"S17", 7, {7, 0, 0, 0}},
};

bool IsMapKind(std::int32_t graphType) {
    return graphType == kGraphColorMap || graphType == kGraphContour || graphType == kGraphVector;
}

std::string GraphName(const CGraph& g) {
    if (!g.NameS().empty()) return "\"" + g.NameS() + "\"";
    return "with ID " + std::to_string(g.ID());
}

void Append(std::string& out, std::string_view token) {
    out += token;
    out += ' ';
}

std::optional<std::string> AppendAxes(const CAxes& a, std::string& out) {
    if (!a.Show) {
        out += "0"; // the only token without a blank behind it
        return std::nullopt;
    }
    for (const std::string* title : {&a.TitleX, &a.TitleY, &a.TitleZ}) {
        if (auto problem = detail::QuotedTextProblem(*title))
            return "the axis title \"" + *title + "\" cannot be stored: " + *problem;
    }
    Append(out, "1");
    for (bool flag : {a.ShowXYPanel, a.ShowXZPanel, a.ShowYZPanel, a.ShowXYXGrid, a.ShowXYYGrid,
                      a.ShowXZXGrid, a.ShowXZZGrid, a.ShowYZYGrid, a.ShowYZZGrid, a.BetterFonts})
        Append(out, FormatFlag(flag));
    for (std::int32_t value :
         {a.LabelNumX, a.LabelNumY, a.LabelNumZ, a.XYPanelColor, a.XZPanelColor, a.YZPanelColor,
          a.XYGridColor, a.XZGridColor, a.YZGridColor, a.XYPanelMaterial, a.XZPanelMaterial,
          a.YZPanelMaterial, a.AxisColor, a.AxisWidth})
        Append(out, FormatInteger(value));
    detail::AppendQuoted(out, a.TitleX);
    detail::AppendQuoted(out, a.TitleY);
    detail::AppendQuoted(out, a.TitleZ);
    for (bool flag : {a.ShowprimaryGrid, a.ShowSecondaryGrid, a.ShowBackground})
        Append(out, FormatFlag(flag));
    for (std::int32_t value :
         {a.BackStyle, a.BackColor, a.BackColor2, a.PriGridColor, a.SecGridColor})
        Append(out, FormatInteger(value));
    for (bool flag : {a.ShowSecondaryLabel, a.ShowPI, a.ShowShadow})
        Append(out, FormatFlag(flag));
    return std::nullopt;
}

void ReadAxes(TokenCursor& c, CAxes& a) {
    for (bool* flag :
         {&a.ShowXYPanel, &a.ShowXZPanel, &a.ShowYZPanel, &a.ShowXYXGrid, &a.ShowXYYGrid,
          &a.ShowXZXGrid, &a.ShowXZZGrid, &a.ShowYZYGrid, &a.ShowYZZGrid, &a.BetterFonts})
        *flag = ReadFlag(c.Next());
    for (std::int32_t* value :
         {&a.LabelNumX, &a.LabelNumY, &a.LabelNumZ, &a.XYPanelColor, &a.XZPanelColor,
          &a.YZPanelColor, &a.XYGridColor, &a.XZGridColor, &a.YZGridColor, &a.XYPanelMaterial,
          &a.XZPanelMaterial, &a.YZPanelMaterial, &a.AxisColor, &a.AxisWidth})
        *value = ReadInteger(c.Next());
    for (std::string* title : {&a.TitleX, &a.TitleY, &a.TitleZ}) {
        if (auto text = detail::ReadQuoted(c, RecordDialect::Document)) *title = std::move(*text);
    }
    for (bool* flag : {&a.ShowprimaryGrid, &a.ShowSecondaryGrid, &a.ShowBackground})
        *flag = ReadFlag(c.Next());
    for (std::int32_t* value :
         {&a.BackStyle, &a.BackColor, &a.BackColor2, &a.PriGridColor, &a.SecGridColor})
        *value = ReadInteger(c.Next());
    for (bool* flag : {&a.ShowSecondaryLabel, &a.ShowPI, &a.ShowShadow})
        *flag = ReadFlag(c.Next());
}

std::size_t CountTokens(std::string_view text) {
    if (text.empty()) return 0;
    std::size_t blanks = static_cast<std::size_t>(std::count(text.begin(), text.end(), ' '));
    return text.back() == ' ' ? blanks : blanks + 1;
}

} // namespace

std::optional<std::string> EncodeContainer(std::string_view text, std::string& error) {
    if (text.size() > kMaxTextLength) {
        error = "The document text has " + std::to_string(text.size()) +
                " characters; a document file holds at most " + std::to_string(kMaxTextLength) +
                ". Save fewer graphs or shorter names.";
        return std::nullopt;
    }
    std::string bytes;
    bytes.reserve(kContainerHeaderBytes + text.size());
    const auto length = static_cast<std::uint16_t>(text.size());
    bytes += static_cast<char>(kTextTag & 0xFF);
    bytes += static_cast<char>(kTextTag >> 8);
    bytes += static_cast<char>(length & 0xFF);
    bytes += static_cast<char>(length >> 8);
    bytes += text;
    return bytes;
}

std::optional<std::string> DecodeContainer(std::string_view bytes, std::string& error) {
    auto byte = [&](std::size_t k) {
        return static_cast<unsigned>(static_cast<unsigned char>(bytes[k]));
    };
    if (bytes.size() < kContainerHeaderBytes) {
        error = "The file is not a Tervane document: it is only " + std::to_string(bytes.size()) +
                " bytes long.";
        return std::nullopt;
    }
    const unsigned tag = byte(0) | (byte(1) << 8);
    if (tag != kTextTag) {
        error = "The file is not a Tervane document: it does not start with a text.";
        return std::nullopt;
    }
    const std::size_t length = byte(2) | (byte(3) << 8);
    const std::size_t available = bytes.size() - kContainerHeaderBytes;
    if (length > available) {
        error = "The file is incomplete: its text should be " + std::to_string(length) +
                " characters long, but only " + std::to_string(available) + " follow.";
        return std::nullopt;
    }
    return std::string(bytes.substr(kContainerHeaderBytes, length));
}

std::string_view HeaderToken(std::int32_t sceneKind) {
    for (const HeaderRow& row : kHeaders) {
        if (row.writtenFor == sceneKind) return row.token;
    }
    return {};
}

std::optional<HeaderMeaning> ReadHeader(std::string_view token) {
    for (const HeaderRow& row : kHeaders) {
        if (row.token == token) return row.meaning;
    }
    return std::nullopt;
}

std::int32_t SceneKindForGraphs(const CScene& graphs) {
    if (graphs.Count() == 0) return 3;
    for (const auto& g : graphs.FunSurfs()) {
        if (!IsMapKind(g->GraphType())) return 3;
    }
    return 7;
}

std::optional<std::string> WriteDocumentText(const CScene& shownGraphs,
                                             const DocumentValues& values, std::string& error,
                                             std::vector<std::string>* warnings) {
    std::string_view header = HeaderToken(values.SceneKind);
    // Graphs pasted into a new document leave it without a kind; their own kind decides.
    if (header.empty()) header = HeaderToken(SceneKindForGraphs(shownGraphs));

    const detail::RecordAnimation animation{values.AnimationFrames, values.AnimationSpeed};
    std::string records;
    std::int32_t written = 0;
    for (const auto& g : shownGraphs.FunSurfs()) {
        if (!detail::HasRecord(g->GraphType())) {
            if (warnings) {
                warnings->push_back("The graph " + GraphName(*g) +
                                    " is not saved: documents have no record for graphs of kind " +
                                    std::to_string(g->GraphType()) + ".");
            }
            continue;
        }
        if (auto problem = detail::AppendGraphRecord(*g, animation, records)) {
            error = "The graph " + GraphName(*g) + " cannot be saved: " + *problem + ".";
            return std::nullopt;
        }
        ++written;
    }

    std::string text;
    Append(text, header);
    Append(text, FormatInteger(written));
    text += records;
    if (auto problem = AppendAxes(values.Axes, text)) {
        error = "The axes cannot be saved: " + *problem + ".";
        return std::nullopt;
    }
    const std::size_t tokens = CountTokens(text);
    if (tokens > kMaxDocumentTokens) {
        error = "The document has " + std::to_string(tokens) +
                " tokens; a document file holds at most " + std::to_string(kMaxDocumentTokens) +
                ". Save fewer graphs or shorter names.";
        return std::nullopt;
    }
    return text;
}

std::optional<DocumentRead> ReadDocumentText(std::string_view text, const DocumentValues& current,
                                             std::string& error) {
    const std::vector<std::string> tokens = detail::SplitTokens(text);
    if (tokens.empty()) {
        error = "The file holds no document: its text is empty.";
        return std::nullopt;
    }
    if (tokens.size() > kMaxDocumentTokens) {
        error = "The document has " + std::to_string(tokens.size()) +
                " tokens; a document file holds at most " + std::to_string(kMaxDocumentTokens) +
                ".";
        return std::nullopt;
    }
    const std::optional<HeaderMeaning> header = ReadHeader(tokens[0]);
    if (!header) {
        error = "The file is not a Tervane document: it does not begin with a header (S11 to S17).";
        return std::nullopt;
    }

    DocumentRead read;
    read.Header = *header;
    read.Values = current;
    DocumentValues& v = read.Values;
    v.SceneKind = header->SceneKind;
    v.LastGraphID = 0; // reading starts a new document

    TokenCursor cursor(tokens, 1);
    const std::int32_t count = ReadInteger(cursor.Next());
    std::set<std::int32_t> ids;
    for (std::int32_t k = 0; k < count && !cursor.Overrun(); ++k) {
        detail::GraphRecordRead record = detail::ReadGraphRecord(cursor, RecordDialect::Document);
        if (cursor.Overrun()) {
            error = "The file is incomplete: graph record " + std::to_string(k + 1) + " of " +
                    std::to_string(count) + " runs past the end of the text.";
            return std::nullopt;
        }
        CGraph& g = *record.Graph;
        if (record.Animation) {
            // Zero frames or a speed of zero would divide by zero during playback; a huge count
            // would compile pictures without end.
            v.AnimationFrames = ClampCount(record.Animation->Frames, kMaxAnimationFrames);
            v.AnimationSpeed = ClampCount(record.Animation->Speed, kMaxAnimationSpeed);
        }
        if (g.GraphType() == kGraphColorMap) {
            // A colour map is framed with plot X across and plot Z up, titled as the
            // colour-map dialog titles it; the crossed 3D rule below would swap the
            // titles of its two axes.
            if (auto letter = QuantityLetter(g.VarX()); !letter.empty()) v.AxisTitleX = letter;
            if (auto letter = QuantityLetter(g.VarZ()); !letter.empty()) v.AxisTitleY = letter;
        } else {
            // The axis named X runs along the plot's Z direction, Y along X and Z along Y.
            if (auto letter = QuantityLetter(g.VarX()); !letter.empty()) v.AxisTitleY = letter;
            if (auto letter = QuantityLetter(g.VarY()); !letter.empty()) v.AxisTitleZ = letter;
            if (auto letter = QuantityLetter(g.VarZ()); !letter.empty()) v.AxisTitleX = letter;
        }

        if (ids.contains(g.ID())) {
            const std::int32_t old = g.ID();
            std::int32_t fresh = v.LastGraphID;
            do {
                fresh = fresh < std::numeric_limits<std::int32_t>::max() ? fresh + 1 : 1;
            } while (ids.contains(fresh));
            g.SetID(fresh);
            read.Warnings.push_back("Graph record " + std::to_string(k + 1) + " repeats the ID " +
                                    std::to_string(old) + "; it was given the ID " +
                                    std::to_string(fresh) + ".");
        }
        ids.insert(g.ID());
        if (v.LastGraphID < g.ID()) {
            v.LastGraphID = g.ID() < std::numeric_limits<std::int32_t>::max() ? g.ID() + 1 : g.ID();
        }
        read.Graphs.push_back(std::move(record.Graph));
    }

    const bool showAxes = ReadFlag(cursor.Next());
    if (cursor.Overrun()) {
        error = "The file is incomplete: the axes settings are missing at the end of the text.";
        return std::nullopt;
    }
    v.Axes.Show = showAxes;
    if (showAxes) {
        ReadAxes(cursor, v.Axes);
        if (cursor.Overrun()) {
            error = "The file is incomplete: the axes settings run past the end of the text.";
            return std::nullopt;
        }
    }
    return read;
}

} // namespace tervane::kpl
