#pragma once

#include "graph/CGraph.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tervane {

/// The document's animation values an animated graph's record carries.
struct ClipboardAnimation {
    std::int32_t Frames = 10;
    std::int32_t Speed = 10;
};

/// The clipboard text of one graph: the scene kind as a decimal token, then the graph's
/// document record (or nothing for kinds that have none), an animated record with the
/// document's frames and speed. Returns nothing, with the reason in error, when the graph's
/// name or function text would not read back.
std::optional<std::string> WriteClipboardText(std::int32_t sceneKind, const CGraph& graph,
                                              std::string& error,
                                              const ClipboardAnimation& animation = {});

/// What reading a clipboard text came to.
struct ClipboardRead {
    enum class Outcome {
        Graphs,    ///< records were read into Graphs
        WrongKind, ///< the text belongs to another kind of document: nothing to paste
        Invalid,   ///< the text is not a graph text; Message says why
    };
    Outcome Result = Outcome::Invalid;
    /// The scene kind token of the text.
    std::int32_t TextKind = 0;
    /// The graphs read, with fresh IDs.
    std::vector<std::shared_ptr<CGraph>> Graphs;
    /// The highest ID issued after renumbering.
    std::int32_t LastGraphID = 0;
    /// Why nothing can be pasted.
    std::string Message;
    /// What the reader repaired in graphs it read, one sentence each (a step count held to
    /// 1..kMaxSteps).
    std::vector<std::string> Warnings;
};

/// True when a text copied in a document of kind textKind may be pasted into one of kind
/// sceneKind. Documents of no kind yet (0) and of the kinds 4 to 6 accept every text.
bool ClipboardKindAccepted(std::int32_t sceneKind, std::int32_t textKind);

/// Reads `records` graph records from a clipboard text for a document of the given kind. Each
/// graph gets the ID lastGraphID + 1, + 2, ...; animation frames and speed are not read. Step
/// counts of graphs that are sampled are held to 1..kMaxSteps, with a warning for each.
ClipboardRead ReadClipboardText(std::string_view text, std::int32_t sceneKind, std::int32_t records,
                                std::int32_t lastGraphID);

/// The graph list label of a graph in a document of the given kind, or nothing when the
/// label table has no entry for it.
std::optional<std::string> GraphLabel(std::int32_t sceneKind, const CGraph& graph);

/// The label the graph list shows: GraphLabel, or for graphs the table does not cover the
/// name (or "Graph  w=" and the function text), so that every graph has an entry.
std::string GraphListLabel(std::int32_t sceneKind, const CGraph& graph);

} // namespace tervane
