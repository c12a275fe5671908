#pragma once

#include "graph/CGraph.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tervane::detail {

/// Walks a token table. Reading past the end yields empty tokens and marks the cursor as
/// overrun, so that a record cut short is noticed once, after the record.
class TokenCursor {
public:
    explicit TokenCursor(const std::vector<std::string>& tokens, std::size_t position = 0)
        : tokens_(tokens), position_(position) {}

    /// The next token, consumed.
    std::string_view Next();
    /// Index of the next token.
    std::size_t Position() const noexcept { return position_; }
    /// Moves to a token index (used when a field turns out to be absent).
    void Seek(std::size_t position) noexcept { position_ = position; }
    /// True once a read went past the last token.
    bool Overrun() const noexcept { return overrun_; }
    /// Number of tokens in the table.
    std::size_t Size() const noexcept { return tokens_.size(); }

private:
    const std::vector<std::string>& tokens_;
    std::size_t position_;
    bool overrun_ = false;
};

/// Documents and clipboard texts read a name token without "@" differently.
enum class RecordDialect {
    Document,  ///< the record has no name: the token is the next field
    Clipboard, ///< the whole token is the name
};

/// Reads a quoted text ("@" + text + "@", spread over tokens at its blanks). Returns nothing
/// when the record has no such field; the property then keeps its value.
std::optional<std::string> ReadQuoted(TokenCursor& cursor, RecordDialect dialect);

/// Why a text would not read back as written in quoted form, or nothing when it would.
std::optional<std::string> QuotedTextProblem(std::string_view text);

/// Appends the quoted form of a text, every token followed by a blank.
void AppendQuoted(std::string& out, std::string_view text);

/// True for the graph kinds that have a record in documents and clipboard texts.
bool HasRecord(std::int32_t graphType);

/// True for the kinds that are kept without sampling (GetPoints is not called for them).
bool IsUnsampledKind(std::int32_t graphType);

/// The program-wide animation values a record of an animated graph carries.
struct RecordAnimation {
    std::int32_t Frames = 10;
    std::int32_t Speed = 10;
};

/// Appends the record of a graph, every token followed by a blank. Returns why the graph cannot
/// be stored (a name that would not read back, a blank in a function text), writing nothing.
std::optional<std::string> AppendGraphRecord(const CGraph& graph, const RecordAnimation& animation,
                                             std::string& out);

/// One record as read.
struct GraphRecordRead {
    std::shared_ptr<CGraph> Graph;
    /// Frames and speed of an animated record (documents only; the clipboard skips them).
    std::optional<RecordAnimation> Animation;
};

/// Reads one record at the cursor. The caller checks cursor.Overrun() afterwards: a record that
/// ran past the end is incomplete.
GraphRecordRead ReadGraphRecord(TokenCursor& cursor, RecordDialect dialect);

} // namespace tervane::detail
