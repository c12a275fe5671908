#pragma once

#include "document/KplFormat.h"
#include "document/RootMarks.h"
#include "graph/CGraph.h"
#include "scene/CAxes.h"
#include "scene/CScene.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tervane {

class FileSystem;

/// Outcome of a document operation, ready for the window to show.
struct DocumentResult {
    enum class Status {
        Done,    ///< the operation took place (Warnings may tell what was repaired)
        Ignored, ///< nothing to do by the rules of the command; Message says why
        Failed,  ///< nothing changed; Message is the error to show
    };
    Status State = Status::Done;
    /// The error or the reason nothing happened; empty when done.
    std::string Message;
    /// Sentences about what went partly wrong in an operation that took place.
    std::vector<std::string> Warnings;
    /// Payload: the file bytes of Save, the clipboard text of CopyGraph.
    std::string Data;

    bool Ok() const noexcept { return State == Status::Done; }
    static DocumentResult Fail(std::string message) {
        return {Status::Failed, std::move(message), {}, {}};
    }
    static DocumentResult Ignore(std::string message) {
        return {Status::Ignored, std::move(message), {}, {}};
    }
};

/// Memory a graph takes once sampled and drawn, from its settings alone (before sampling): the
/// value grids once, and the surface mesh with its display list once per picture the view
/// compiles (every animation step of an animated graph whose function reads t).
[[nodiscard]] std::uint64_t GraphMemoryNeed(const CGraph& graph, std::int32_t frames);

/// The graph list as undo brings it back: the graph objects in list order with their labels,
/// the shown ones in their order, the ID counter and the scene kind. A graph edited in place is
/// brought back by the caller from a copy of it.
struct DocumentListState {
    std::vector<std::shared_ptr<CGraph>> Graphs;
    std::vector<std::string> Labels;
    std::vector<std::shared_ptr<CGraph>> Shown;
    std::int32_t LastGraphID = 0;
    std::int32_t SceneKind = 0;

    friend bool operator==(const DocumentListState&, const DocumentListState&) = default;
};

/// The view intervals that limit sampled values of the kinds that check them.
struct ViewIntervals {
    float MinX = -20, MaxX = 20, MinY = -20, MaxY = 20, MinZ = -50, MaxZ = 50;
};

/// The state of the open document and the program-wide values that go with it: every graph in
/// list order (AllGraphs), the checked ones (ShownGraphs, which are drawn, saved and copied),
/// the list labels, the coordinate system, the scene kind, the ID counter, the animation values
/// and the axis titles. The window owns one and calls its operations; none needs a window.
///
/// Entry i of the graph list is AllGraphs().FunSurfs()[i]; it is checked when ShownGraphs holds
/// the same graph.
class Document {
public:
    /// A new document with the start-up values (coordinate system shown).
    Document();

    /// Back to the start-up values: no graphs, scene kind 0, default axes and titles. The
    /// clipboard counter survives: it belongs to the program run.
    void Reset();

    // --- graphs and the graph list ---
    const CScene& AllGraphs() const noexcept { return allGraphs_; }
    const CScene& ShownGraphs() const noexcept { return shownGraphs_; }
    /// The shown scene, for the view to set its orientation angles.
    CScene& ShownGraphs() noexcept { return shownGraphs_; }
    /// Number of graphs (entries of the list).
    std::size_t Count() const noexcept { return allGraphs_.Count(); }
    /// Graph of list entry i (from 0), or null.
    std::shared_ptr<CGraph> Graph(std::size_t index) const;
    /// Label of list entry i.
    const std::string& Label(std::size_t index) const { return labels_.at(index); }
    /// Sets the label of list entry i (an edit dialog names the replaced graph itself).
    void SetLabel(std::size_t index, std::string label) { labels_.at(index) = std::move(label); }
    /// True when list entry i is checked.
    bool IsShown(std::size_t index) const;
    /// True when a shown graph has this ID.
    bool HasShownGraph(std::int32_t id) const;

    /// Adds a graph made by a graph dialog: it gets the ID LastGraphID + 1, joins both scenes
    /// and is sampled. When sampling fails the graph is taken out again and the result carries
    /// the error (LastGraphID keeps its new value, as the dialogs expect). Refused first when
    /// sampling and drawing it would not fit in memory.
    DocumentResult AddGraph(std::shared_ptr<CGraph> graph);
    /// Adds a graph already sampled (a window samples large grids in a worker thread): as
    /// AddGraph, without sampling it again. Refused, like AddGraph, when the document holds
    /// kMaxGraphs graphs already.
    DocumentResult AddSampledGraph(std::shared_ptr<CGraph> graph);
    /// Removes list entry i and its graph; false when there is no such entry.
    bool DeleteGraph(std::size_t index);
    /// Removes every graph and resets LastGraphID.
    void DeleteAllGraphs();
    /// Checks or unchecks list entry i. A checked graph joins the end of ShownGraphs and is
    /// sampled again; a failure to sample is a warning (the graph stays shown, unsampled).
    DocumentResult SetShown(std::size_t index, bool shown);

    /// The graph list now, for undo.
    [[nodiscard]] DocumentListState ListState() const;
    /// Puts the graph list back as it was (the graphs keep their grids: nothing is sampled).
    void RestoreListState(const DocumentListState& state);

    // --- files ---
    /// Replaces the document with the one in the file bytes and samples every graph. On failure
    /// the document stays exactly as it was. A graph whose function cannot be sampled is kept
    /// (unsampled) and named in a warning, and so is a graph whose grids and pictures would not
    /// fit in what the graphs before it left of the memory.
    DocumentResult Load(std::string_view bytes);
    /// Load from a file; an empty path does nothing.
    DocumentResult LoadFile(const std::filesystem::path& path);

    /// A document read and checked but not yet sampled (a window samples large grids in a
    /// worker thread): LoadFile is ReadFile, SampleLoad, then CommitLoad.
    struct PendingLoad {
        kpl::DocumentRead Read;
        SamplingOptions Sampling;
        std::vector<std::string> Warnings;
        /// Value grid points of the graphs to sample, to decide where to sample them.
        std::uint64_t Points = 0;
    };
    /// Reads and checks a file as LoadFile does, without sampling or changing anything.
    DocumentResult ReadFile(const std::filesystem::path& path, PendingLoad& load) const;
    /// Reads and checks file bytes as Load does, without sampling or changing anything.
    DocumentResult ReadBytes(std::string_view bytes, PendingLoad& load) const;
    /// Samples the graphs of a read document. It touches nothing but load, so it may run in
    /// a worker thread while the document is used.
    static void SampleLoad(PendingLoad& load);
    /// Replaces the document with a read and sampled one; it cannot fail.
    DocumentResult CommitLoad(PendingLoad load);
    /// The file bytes of the document (Data), or the reason it cannot be stored. Warnings name
    /// shown graphs of kinds that documents have no record for (they are left out).
    DocumentResult Save() const;
    /// What saving leaves out, to say before writing: the list's unchecked graphs, which a
    /// document does not keep. Nothing when every graph is shown (or there is none).
    std::optional<std::string> HiddenGraphsNote() const;
    /// Writes the document to a file, replacing its whole content through AtomicFile: on any
    /// failure the old file keeps its old bytes and the result carries the reason; nothing is
    /// written when the document cannot be stored.
    DocumentResult SaveFile(const std::filesystem::path& path) const;
    /// The same through the given file system (tests inject faults with it).
    DocumentResult SaveFile(const std::filesystem::path& path, FileSystem& files) const;

    // --- clipboard ---
    /// The clipboard text of list entry i (Data) and CopyCount = 1. Ignored when no graph is
    /// shown or there is no such entry.
    DocumentResult CopyGraph(std::size_t index);
    /// Pastes CopyCount graphs from a clipboard text with new IDs at the end of the list. The
    /// new entry is checked like the selected entry, or checked when none is selected. Ignored
    /// before any copy and for a text of another kind of document; on failure nothing changes.
    /// Refused, before anything is sampled, when the pasted graphs would not fit in memory.
    DocumentResult Paste(std::string_view text, std::optional<std::size_t> selected = std::nullopt);

    /// A paste read and checked but not yet sampled (a window samples large grids in a worker
    /// thread): Paste is ReadPaste, then CommitPaste.
    struct PendingPaste {
        std::vector<std::shared_ptr<CGraph>> Graphs;
        bool Checked = true;
        std::int32_t LabelKind = 0;
        std::int32_t LastGraphID = 0;
        std::vector<std::string> Warnings;
    };
    /// Reads and checks a clipboard text as Paste does, without sampling or changing anything;
    /// Done with paste filled, or the reason nothing can be pasted.
    DocumentResult ReadPaste(std::string_view text, std::optional<std::size_t> selected,
                             PendingPaste& paste) const;
    /// Adds the graphs of a read paste at the end of the list, sampling them first unless
    /// `sampled` (a graph that could not be sampled is kept and named in a warning).
    DocumentResult CommitPaste(PendingPaste paste, bool sampled);

    // --- program-wide values ---
    std::int32_t SceneKind() const noexcept { return values_.SceneKind; }
    void SetSceneKind(std::int32_t kind) noexcept { values_.SceneKind = kind; }
    std::int32_t LastGraphID() const noexcept { return values_.LastGraphID; }
    std::int32_t AnimationFrames() const noexcept { return values_.AnimationFrames; }
    /// Steps after the first of an animation; the view compiles AnimationFrames + 1 pictures.
    /// Clamped to 1..kMaxAnimationFrames.
    void SetAnimationFrames(std::int32_t frames);
    std::int32_t AnimationSpeed() const noexcept { return values_.AnimationSpeed; }
    /// Frames per second of playback, clamped to 1..kMaxAnimationSpeed.
    void SetAnimationSpeed(std::int32_t speed);
    std::int32_t AnimationStep() const noexcept { return animationStep_; }
    void SetAnimationStep(std::int32_t step) noexcept { animationStep_ = step; }
    std::int32_t CopyCount() const noexcept { return copyCount_; }
    const ViewIntervals& View() const noexcept { return view_; }
    void SetView(const ViewIntervals& view) noexcept { view_ = view; }
    const std::string& AxisTitleX() const noexcept { return values_.AxisTitleX; }
    const std::string& AxisTitleY() const noexcept { return values_.AxisTitleY; }
    const std::string& AxisTitleZ() const noexcept { return values_.AxisTitleZ; }
    void SetAxisTitles(std::string x, std::string y, std::string z);
    const CAxes& Axes() const noexcept { return values_.Axes; }
    CAxes& Axes() noexcept { return values_.Axes; }
    /// How this document's graphs are sampled (threads, memory budget); every sampling the
    /// document starts uses it, and the view is handed it for the animation steps.
    /// The sampling options with the document's view intervals and animation frames.
    SamplingOptions Sampling() const {
        SamplingOptions options = sampling_;
        options.View = {view_.MinX, view_.MaxX, view_.MinY, view_.MaxY, view_.MinZ, view_.MaxZ};
        options.AnimationFrames = AnimationFrames();
        return options;
    }
    /// An estimate of the memory that drawing or exporting the shown graphs takes on top of
    /// their grids: the surface mesh and the display lists of every graph, once per animation
    /// step for graphs that change with t.
    std::uint64_t DrawingBytes() const;
    void SetSampling(const SamplingOptions& sampling) { sampling_ = sampling; }
    /// The refusal to show when `needed` more bytes do not fit in the memory this document may
    /// still take (the sampling budget, or what the system leaves the process): it names the
    /// need and what is free. Nothing when it fits or nothing is known.
    [[nodiscard]] std::optional<std::string> MemoryRefusal(std::uint64_t needed) const;
    /// MemoryRefusal for sampling and drawing graph, less what `replaced` (the graph it takes
    /// the place of, if any) takes now.
    [[nodiscard]] std::optional<std::string> GraphRefusal(const CGraph& graph,
                                                          const CGraph* replaced = nullptr) const;
    /// The need of the shown animated graphs for `frames` animation frames less their need now.
    [[nodiscard]] std::int64_t AnimationMemoryChange(std::int32_t frames) const;

    /// Whether the view marks the zeros and poles of the shown graphs (a setting of the window,
    /// not stored in the file).
    bool ShowRoots() const noexcept { return showRoots_; }
    void SetShowRoots(bool on) noexcept { showRoots_ = on; }
    /// The zeros and poles of the shown surfaces and colour maps, searched again only for graphs
    /// whose grids or settings changed since the last call.
    const std::vector<GraphRoots>& ShownRoots() const;

private:
    void AppendGraph(std::shared_ptr<CGraph> graph, std::string label);
    std::int32_t NextGraphID();

    CScene allGraphs_;
    CScene shownGraphs_;
    std::vector<std::string> labels_;
    kpl::DocumentValues values_;
    std::int32_t animationStep_ = 1;
    std::int32_t copyCount_ = 0;
    ViewIntervals view_;
    SamplingOptions sampling_;
    bool showRoots_ = false;
    mutable RootSearch roots_;
};

} // namespace tervane
