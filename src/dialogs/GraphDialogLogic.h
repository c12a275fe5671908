#pragma once

#include "document/Document.h"
#include "graph/CGraph.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tervane {

/// The items of every quantity drop-down list, in list order; item i is quantity code i + 1.
inline constexpr std::array<std::string_view, 7> kQuantityItems{
    "x", "y", "u(Real)", "v(Imaginary)", "Magnitude", "Argument", "log(Magnitude)"};

/// The material list of the 3D graph dialog; item i is material preset i + 1.
inline constexpr std::array<std::string_view, 13> kMaterialItems{
    "Artdeco", "Autumn", "Glass",  "Metal",  "Neon",     "Recoco", "Santefe",
    "Sheen",   "Silky",  "Spring", "Summer", "Tropical", "Winter"};

/// The value of a typed number: its leading decimal number ("." as the decimal mark, an
/// optional exponent), 0 when it does not start with one. «40,7» is 40.
double LeadingNumber(std::string_view text);

/// A text box of a dialog, so that a message can put the cursor into it.
enum class DialogField {
    None,
    Name,
    Function,
    MinX,
    MaxX,
    StepsX,
    MinY,
    MaxY,
    StepsY,
    MinT,
    MaxT,
    MinZ,
    MaxZ
};

/// A message the dialog shows before it stays open.
struct DialogMessage {
    enum class Icon { Warning, Stop };
    std::string Text;
    std::string Caption;
    Icon Kind = Icon::Warning;
    /// The box at fault and the cursor position in it (-1: leave the cursor).
    DialogField Field = DialogField::None;
    int Cursor = -1;
};

/// The sentence telling that a typed count was held to the nearest allowed one: "<what> was held
/// to <held>: it must lie between 1 and <most>."
std::string HeldCountText(std::string_view what, std::int64_t held, std::int64_t most);

/// A "Note" of such sentences, one to a line; nothing when there are none.
std::optional<DialogMessage> HeldNote(const std::vector<std::string>& sentences);

/// What the 3D function graph dialog holds: the texts as typed and the chosen items (quantity
/// codes, 0 for no selection; the colour channels hold the phase scheme's code when the
/// dialog's colour scheme is the phase).
struct SurfaceDialogInput {
    std::string Name = "Untitled";
    std::string Function;
    std::string MinX = "-2", MaxX = "2", StepsX = "40";
    std::string MinY = "-2", MaxY = "2", StepsY = "40";
    std::string MinT = "-2", MaxT = "2";
    std::int32_t VarY = kQuantityReal;
    std::int32_t VarX = kQuantityImaginary;
    std::int32_t VarZ = kQuantityX;
    std::int32_t ColorR = kQuantityReal;
    std::int32_t ColorG = kQuantityImaginary;
    std::int32_t ColorB = kQuantityMagnitude;
    std::int32_t Show = kShowSurface;
    std::int32_t Smoothness = kSmoothSmoothest;
    std::int32_t Material = 4;
};

/// What the colour map dialog holds.
struct ColorMapDialogInput {
    std::string Name;
    std::string Function;
    std::string MinX = "-4", MaxX = "4", StepsX = "40";
    std::string MinY = "-4", MaxY = "4", StepsY = "40";
    std::int32_t VarZ = kQuantityY;
    std::int32_t VarX = kQuantityX;
    std::int32_t ColorR = kQuantityReal;
    std::int32_t ColorG = kQuantityImaginary;
    std::int32_t ColorB = kQuantityMagnitude;
};

/// The outcome of the checks of a dialog's OK: a graph ready to be added or to replace the
/// selected one, or the message to show (the dialog then stays open).
struct PreparedGraph {
    std::shared_ptr<CGraph> Graph;
    /// The list text an edited graph gets: the label an added graph of its kind gets, so that an
    /// edit without changes keeps its entry as it was.
    std::string EditLabel;
    std::optional<DialogMessage> Message;
    /// The values the graph holds in place of typed ones beyond their range (step counts above
    /// kMaxSteps), to be shown when the graph goes in.
    std::optional<DialogMessage> Held;
};

/// The checks and graph making of the 3D graph dialog's OK, up to (not including) adding the
/// graph. Cleaned texts are written back into input. Sets the document's scene kind to 3 and
/// its axis titles from the chosen quantities.
PreparedGraph PrepareSurfaceGraph(SurfaceDialogInput& input, Document& document);

/// The same for the colour map dialog (scene kind 7).
PreparedGraph PrepareColorMapGraph(ColorMapDialogInput& input, Document& document);

/// Where a prepared graph goes: appended, or over list entry Selected when the main window set
/// EditRequest.
struct GraphTarget {
    bool EditRequest = false;
    std::optional<std::size_t> Selected;
    /// True when the target is an existing entry (an edit of a valid selection).
    [[nodiscard]] bool Replaces(const Document& document) const {
        return EditRequest && Selected && *Selected < document.Count();
    }
};

/// Adds the graph (sampled now) or copies it over the selected graph (sampled now when that
/// one is shown). Returns the message to show when sampling fails: a syntax error as
/// "Syntax Error" with the cursor position in the function box, other failures as "Error".
std::optional<DialogMessage> CommitGraph(Document& document, const PreparedGraph& prepared,
                                         const GraphTarget& target);

/// The graph a worker thread should sample for a commit: a copy of the new graph for an add,
/// for an edit of a shown graph the edited graph's copy with the new settings. Null when the
/// commit needs no sampling (an edit of a hidden graph).
std::shared_ptr<CGraph> GraphToSample(const Document& document, const PreparedGraph& prepared,
                                      const GraphTarget& target);

/// Puts a graph sampled by a worker (from GraphToSample) into the document: added, or copied
/// with its grids over the selected graph. Fails when the document is full.
DocumentResult CommitSampledGraph(Document& document, const PreparedGraph& prepared,
                                  const GraphTarget& target,
                                  const std::shared_ptr<CGraph>& sampled);

/// The syntax error of the graph's function text as a message, checked without sampling (a
/// worker samples large grids; their syntax errors are shown while the dialog is still open).
std::optional<DialogMessage> CheckFunctionSyntax(const CGraph& graph);

/// The message for a graph whose sampling failed.
DialogMessage SamplingFailureMessage(const CGraph& graph);

/// Number of grid points the graph samples.
std::uint64_t GridPoints(const CGraph& graph);

} // namespace tervane
