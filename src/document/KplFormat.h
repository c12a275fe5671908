#pragma once

#include "graph/CGraph.h"
#include "scene/CAxes.h"
#include "scene/CScene.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tervane {

/// The document file: a 2-byte type tag (8, text), a 2-byte length L and L bytes of text, all
/// little-endian. Bytes after the text are ignored on reading.
namespace kpl {

/// Type tag of the container's text.
inline constexpr std::uint16_t kTextTag = 8;
/// Longest text the 16-bit length can describe.
inline constexpr std::size_t kMaxTextLength = 65535;
/// Largest token count a reader of the format has room for.
inline constexpr std::size_t kMaxDocumentTokens = 5000;
/// Largest token count of a clipboard text.
inline constexpr std::size_t kMaxClipboardTokens = 4000;
/// Bytes before the text.
inline constexpr std::size_t kContainerHeaderBytes = 4;

/// The container bytes of a text, or nothing (with the reason in error) when the text is too
/// long for the 16-bit length.
std::optional<std::string> EncodeContainer(std::string_view text, std::string& error);

/// The text of a container, or nothing (with the reason in error) when the bytes are not a
/// text container or end before the text does.
std::optional<std::string> DecodeContainer(std::string_view bytes, std::string& error);

/// The header token written for a scene kind 1..7 ("S11".."S17", with kinds 2 and 3 crossed:
/// 2 writes "S13", 3 writes "S12"); empty for any other kind.
std::string_view HeaderToken(std::int32_t sceneKind);

/// What a header token sets when read.
struct HeaderMeaning {
    std::int32_t SceneKind = 0;
    float RotRoll = 0, RotPitch = 0, RotYaw = 0;
};

/// The meaning of a header token, or nothing when the token is not a header.
std::optional<HeaderMeaning> ReadHeader(std::string_view token);

/// The scene kind whose header suits a set of graphs: 7 when every graph is a colour map,
/// contour or vector plot, otherwise 3. Used to save graphs pasted into a document of no kind.
std::int32_t SceneKindForGraphs(const CScene& graphs);

/// Program-wide values that a document text carries besides its graphs.
struct DocumentValues {
    std::int32_t SceneKind = 0;
    std::int32_t LastGraphID = 0;
    std::int32_t AnimationFrames = 10;
    std::int32_t AnimationSpeed = 10;
    std::string AxisTitleX, AxisTitleY, AxisTitleZ;
    CAxes Axes;
};

/// Builds the document text of the shown graphs and the axes. Returns nothing, with the reason
/// in error, when the document cannot be stored: a graph whose name or function text would not
/// read back, more tokens than a reader has room for. Graphs of kinds without a record are
/// left out; when warnings is given, a sentence for each tells so.
std::optional<std::string> WriteDocumentText(const CScene& shownGraphs,
                                             const DocumentValues& values, std::string& error,
                                             std::vector<std::string>* warnings = nullptr);

/// A document text read but not yet applied: the graphs are not sampled.
struct DocumentRead {
    /// Program-wide values after reading (scene kind, titles, animation values, axes, the
    /// highest ID issued).
    DocumentValues Values;
    /// Orientation of the shown graphs set by the header.
    HeaderMeaning Header;
    /// The graphs in file order, IDs unique.
    std::vector<std::shared_ptr<CGraph>> Graphs;
    /// Things the reader repaired, one sentence each (for example a renumbered ID).
    std::vector<std::string> Warnings;
};

/// Reads a document text against the current values (a reader leaves values alone that the text
/// does not set). Returns nothing, with the reason in error, for a text that is not a complete
/// document: no header token, a record or the axes running past the end, too many tokens.
std::optional<DocumentRead> ReadDocumentText(std::string_view text, const DocumentValues& current,
                                             std::string& error);

} // namespace kpl
} // namespace tervane
