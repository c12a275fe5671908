#include "document/Document.h"

#include "core/AtomicFile.h"
#include "core/Limits.h"
#include "core/MemoryBudget.h"
#include "document/ClipboardText.h"
#include "document/detail/GraphRecord.h"
#include "graph/ZeroFinder.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <limits>
#include <system_error>

namespace tervane {

namespace {

std::string Quote(const std::filesystem::path& path) {
    return "\"" + path.string() + "\"";
}

DocumentResult TooManyGraphs() {
    return DocumentResult::Fail("A document holds at most " + std::to_string(kMaxGraphs) +
                                " graphs.");
}

std::string GraphTitle(const CGraph& g) {
    if (!g.NameS().empty()) return "\"" + g.NameS() + "\"";
    return "w=" + g.ExpressZ();
}

// Samples a graph read from a file or the clipboard. A graph that cannot be sampled is kept, so
// that the user can see and edit it; the warning says why it shows nothing.
void SampleKept(CGraph& g, const SamplingOptions& sampling, std::vector<std::string>& warnings) {
    if (detail::IsUnsampledKind(g.GraphType())) return;
    if (!g.GetPoints(sampling))
        warnings.push_back("The graph " + GraphTitle(g) + " cannot be drawn: " + g.LastError());
}

// Measured on Mesa: the mesh of normals and colours plus a display list that copies the vertex
// arrays hold about ten times the five value grids, 200 bytes per grid point.
constexpr std::uint64_t kPictureBytes = 200;

std::uint64_t Available(const SamplingOptions& sampling) {
    return sampling.AvailableBytes ? *sampling.AvailableBytes : AvailableMemory();
}

std::string Megabytes(std::uint64_t bytes) {
    char text[32];
    std::snprintf(text, sizeof text, "%.0f MB",
                  std::ceil(static_cast<double>(bytes) / (1024.0 * 1024.0)));
    return text;
}

std::string MemoryMessage(std::uint64_t needed, std::uint64_t available) {
    return "This needs about " + Megabytes(needed) +
           " of memory for its grids and pictures, but only " + Megabytes(available) +
           " is free. Choose fewer steps or fewer animation frames.";
}

// The value grid points sampling the graph gives (its step counts held to the limit).
std::uint64_t GridPointsOf(const CGraph& graph) {
    return (static_cast<std::uint64_t>(ClampCount(graph.StepU(), kMaxSteps)) + 1) *
           (static_cast<std::uint64_t>(ClampCount(graph.StepV(), kMaxSteps)) + 1);
}

// Samples the graphs of one file from one memory budget: each graph may take only what the
// graphs before it left, its grids and the pictures the view compiles of it alike, so that
// many modest grids cannot add up past the machine. A graph that does not fit is kept unsampled
// and named in a warning.
void SampleAllKept(const std::vector<std::shared_ptr<CGraph>>& graphs, SamplingOptions sampling,
                   std::vector<std::string>& warnings) {
    std::uint64_t left = Available(sampling);
    for (const auto& g : graphs) {
        if (detail::IsUnsampledKind(g->GraphType())) continue;
        const std::uint64_t need = GraphMemoryNeed(*g, sampling.AnimationFrames);
        if (left != 0 && need > left) {
            warnings.push_back("The graph " + GraphTitle(*g) +
                               " cannot be drawn: " + MemoryMessage(need, left));
            continue;
        }
        // 0 would mean "unknown"; an exhausted budget is one byte, which refuses any grid.
        sampling.AvailableBytes = left == 0 ? 0 : std::max<std::uint64_t>(left, 1);
        SampleKept(*g, sampling, warnings);
        left -= std::min(left, need);
    }
}

} // namespace

std::uint64_t GraphMemoryNeed(const CGraph& graph, std::int32_t frames) {
    // The value grids (u, v, |w| and the quantities drawn) take about 20 bytes a point, the
    // picture of each step kPictureBytes.
    constexpr std::uint64_t kGridBytes = 20;
    const std::uint64_t points = GridPointsOf(graph);
    // The view compiles a picture per step only of an animated graph whose function reads t.
    const auto program = graph.Animation() ? CompileGraphFunction(graph) : std::nullopt;
    const bool perStep = graph.Animation() && (!program || program->UsesT());
    const std::uint64_t pictures =
        perStep ? static_cast<std::uint64_t>(ClampCount(frames, kMaxAnimationFrames)) + 1 : 1;
    return points * (kGridBytes + kPictureBytes * pictures); // at most 1e8 x 2e5: no overflow
}

Document::Document() {
    Reset();
}

void Document::Reset() {
    allGraphs_ = CScene();
    shownGraphs_ = CScene();
    labels_.clear();
    values_ = kpl::DocumentValues();
    values_.Axes.Show = true;
    animationStep_ = 1;
    view_ = ViewIntervals();
}

std::shared_ptr<CGraph> Document::Graph(std::size_t index) const {
    if (index >= allGraphs_.Count()) return nullptr;
    return allGraphs_.FunSurfs()[index];
}

bool Document::IsShown(std::size_t index) const {
    const auto g = Graph(index);
    return g && shownGraphs_.Item(CScene::KeyOf(*g)) == g;
}

bool Document::HasShownGraph(std::int32_t id) const {
    return shownGraphs_.Item(std::to_string(id)) != nullptr;
}

std::int32_t Document::NextGraphID() {
    if (values_.LastGraphID < std::numeric_limits<std::int32_t>::max())
        return ++values_.LastGraphID;
    // The counter is exhausted (a file carried the largest ID): take the smallest free one.
    std::int32_t id = 1;
    while (allGraphs_.Item(std::to_string(id)))
        ++id;
    return id;
}

void Document::AppendGraph(std::shared_ptr<CGraph> graph, std::string label) {
    while (allGraphs_.Item(CScene::KeyOf(*graph)) || shownGraphs_.Item(CScene::KeyOf(*graph)))
        graph->SetID(NextGraphID());
    allGraphs_.Add(graph);
    shownGraphs_.Add(graph);
    labels_.push_back(std::move(label));
}

DocumentResult Document::AddGraph(std::shared_ptr<CGraph> graph) {
    if (!graph) return DocumentResult::Fail("There is no graph to add.");
    if (Count() >= kMaxGraphs) return TooManyGraphs();
    if (auto refusal = GraphRefusal(*graph)) return DocumentResult::Fail(std::move(*refusal));
    graph->SetID(NextGraphID());
    if (!detail::IsUnsampledKind(graph->GraphType()) && !graph->GetPoints(Sampling()))
        return DocumentResult::Fail(graph->LastError());
    AppendGraph(graph, GraphListLabel(values_.SceneKind, *graph));
    return {};
}

DocumentResult Document::AddSampledGraph(std::shared_ptr<CGraph> graph) {
    if (!graph) return DocumentResult::Fail("There is no graph to add.");
    if (Count() >= kMaxGraphs) return TooManyGraphs();
    graph->SetID(NextGraphID());
    AppendGraph(graph, GraphListLabel(values_.SceneKind, *graph));
    return {};
}

bool Document::DeleteGraph(std::size_t index) {
    const auto g = Graph(index);
    if (!g) return false;
    const std::string key = CScene::KeyOf(*g);
    if (shownGraphs_.Item(key) == g) shownGraphs_.Remove(key);
    allGraphs_.Remove(key);
    labels_.erase(labels_.begin() + static_cast<std::ptrdiff_t>(index));
    return true;
}

void Document::DeleteAllGraphs() {
    shownGraphs_.Clear();
    allGraphs_.Clear();
    labels_.clear();
    values_.LastGraphID = 0;
}

DocumentListState Document::ListState() const {
    return {allGraphs_.FunSurfs(), labels_, shownGraphs_.FunSurfs(), values_.LastGraphID,
            values_.SceneKind};
}

void Document::RestoreListState(const DocumentListState& state) {
    allGraphs_.Clear();
    shownGraphs_.Clear();
    for (const auto& g : state.Graphs)
        allGraphs_.Add(g);
    for (const auto& g : state.Shown)
        shownGraphs_.Add(g);
    labels_ = state.Labels;
    values_.LastGraphID = state.LastGraphID;
    values_.SceneKind = state.SceneKind;
}

DocumentResult Document::SetShown(std::size_t index, bool shown) {
    const auto g = Graph(index);
    if (!g) return DocumentResult::Ignore("There is no graph at this place of the list.");
    const std::string key = CScene::KeyOf(*g);
    DocumentResult result;
    if (!shown && HasShownGraph(g->ID())) {
        shownGraphs_.Remove(key);
    } else if (shown && !HasShownGraph(g->ID())) {
        shownGraphs_.Add(g);
        SampleKept(*g, Sampling(), result.Warnings);
    }
    return result;
}

DocumentResult Document::ReadBytes(std::string_view bytes, PendingLoad& load) const {
    std::string error;
    const std::optional<std::string> text = kpl::DecodeContainer(bytes, error);
    if (!text) return DocumentResult::Fail(error);
    std::optional<kpl::DocumentRead> read = kpl::ReadDocumentText(*text, values_, error);
    if (!read) return DocumentResult::Fail(error);
    if (read->Graphs.size() > kMaxGraphs) return TooManyGraphs();
    load.Warnings = std::move(read->Warnings);
    load.Sampling = Sampling();
    load.Sampling.AnimationFrames = read->Values.AnimationFrames; // the pictures the file asks for
    load.Points = 0;
    for (const auto& g : read->Graphs)
        if (!detail::IsUnsampledKind(g->GraphType())) load.Points += GridPointsOf(*g);
    load.Read = std::move(*read);
    return {};
}

void Document::SampleLoad(PendingLoad& load) {
    SampleAllKept(load.Read.Graphs, load.Sampling, load.Warnings);
}

DocumentResult Document::CommitLoad(PendingLoad load) {
    DocumentResult result;
    result.Warnings = std::move(load.Warnings);
    kpl::DocumentRead& read = load.Read;
    allGraphs_ = CScene();
    shownGraphs_ = CScene();
    labels_.clear();
    values_ = std::move(read.Values);
    shownGraphs_.SetRotRoll(read.Header.RotRoll);
    shownGraphs_.SetRotPitch(read.Header.RotPitch);
    shownGraphs_.SetRotYaw(read.Header.RotYaw);
    for (auto& g : read.Graphs) {
        std::string label = GraphListLabel(values_.SceneKind, *g);
        AppendGraph(std::move(g), std::move(label));
    }
    animationStep_ = 1;
    return result;
}

DocumentResult Document::Load(std::string_view bytes) {
    PendingLoad load;
    DocumentResult read = ReadBytes(bytes, load);
    if (!read.Ok()) return read;
    SampleLoad(load);
    return CommitLoad(std::move(load));
}

std::optional<std::string> Document::HiddenGraphsNote() const {
    const std::size_t all = Count(), shown = shownGraphs_.Count();
    if (all == shown) return std::nullopt;
    const std::size_t hidden = all - shown;
    const auto graphs = [](std::size_t n) {
        return std::to_string(n) + (n == 1 ? " graph" : " graphs");
    };
    if (shown == 0)
        return "No graph is checked in the list, and a document keeps only the checked graphs: "
               "the file will hold no graph. Save it all the same?";
    return graphs(hidden) + (hidden == 1 ? " is" : " are") +
           " not checked in the list and will not be saved: a document keeps only the checked "
           "graphs. Save the " +
           graphs(shown) + " shown?";
}

DocumentResult Document::ReadFile(const std::filesystem::path& path, PendingLoad& load) const {
    if (path.empty()) return DocumentResult::Ignore("No file was named.");
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        return DocumentResult::Fail("Cannot open " + Quote(path) + ": it is a folder.");
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return DocumentResult::Fail("Cannot open " + Quote(path) + ": " + std::strerror(errno) +
                                    ".");
    // Only the container's header and its longest text matter; bytes after it are ignored.
    std::string bytes(kpl::kContainerHeaderBytes + kpl::kMaxTextLength, '\0');
    file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (file.bad())
        return DocumentResult::Fail("Cannot read " + Quote(path) + ": " + std::strerror(errno) +
                                    ".");
    bytes.resize(static_cast<std::size_t>(file.gcount()));
    DocumentResult result = ReadBytes(bytes, load);
    if (result.State == DocumentResult::Status::Failed)
        result.Message = "Cannot open " + Quote(path) + ". " + result.Message;
    return result;
}

DocumentResult Document::LoadFile(const std::filesystem::path& path) {
    PendingLoad load;
    DocumentResult read = ReadFile(path, load);
    if (!read.Ok()) return read;
    SampleLoad(load);
    return CommitLoad(std::move(load));
}

DocumentResult Document::Save() const {
    std::string error;
    DocumentResult result;
    const std::optional<std::string> text =
        kpl::WriteDocumentText(shownGraphs_, values_, error, &result.Warnings);
    if (!text) return DocumentResult::Fail(error);
    std::optional<std::string> bytes = kpl::EncodeContainer(*text, error);
    if (!bytes) return DocumentResult::Fail(error);
    result.Data = std::move(*bytes);
    return result;
}

DocumentResult Document::SaveFile(const std::filesystem::path& path) const {
    return SaveFile(path, SystemFiles());
}

DocumentResult Document::SaveFile(const std::filesystem::path& path, FileSystem& files) const {
    DocumentResult result = Save();
    if (!result.Ok()) {
        result.Message = "Cannot save " + Quote(path) + ". " + result.Message;
        return result;
    }
    const WriteResult written = WriteFileAtomically(path, result.Data, files);
    if (!written.Ok())
        return DocumentResult::Fail("Cannot save " + Quote(written.Path) + ": " + written.Reason +
                                    ".");
    result.Data.clear();
    return result;
}

DocumentResult Document::CopyGraph(std::size_t index) {
    const auto g = Graph(index);
    if (shownGraphs_.Count() == 0 || !g)
        return DocumentResult::Ignore("Select a shown graph to copy.");
    std::string error;
    std::optional<std::string> text =
        WriteClipboardText(values_.SceneKind, *g, error,
                           ClipboardAnimation{values_.AnimationFrames, values_.AnimationSpeed});
    if (!text) return DocumentResult::Fail(error);
    copyCount_ = 1;
    DocumentResult result;
    result.Data = std::move(*text);
    return result;
}

DocumentResult Document::ReadPaste(std::string_view text, std::optional<std::size_t> selected,
                                   PendingPaste& paste) const {
    if (copyCount_ < 1) return DocumentResult::Ignore("No graph has been copied yet.");
    ClipboardRead read =
        ReadClipboardText(text, values_.SceneKind, copyCount_, values_.LastGraphID);
    if (read.Result == ClipboardRead::Outcome::WrongKind)
        return DocumentResult::Ignore(read.Message);
    if (read.Result != ClipboardRead::Outcome::Graphs) return DocumentResult::Fail(read.Message);
    if (Count() + read.Graphs.size() > kMaxGraphs) return TooManyGraphs();
    std::uint64_t need = 0;
    for (const auto& g : read.Graphs)
        need += GraphMemoryNeed(*g, AnimationFrames());
    if (auto refusal = MemoryRefusal(need)) return DocumentResult::Fail(std::move(*refusal));

    paste.Graphs = std::move(read.Graphs);
    paste.Checked = selected && *selected < Count() ? IsShown(*selected) : true;
    paste.LabelKind = values_.SceneKind != 0 ? values_.SceneKind : read.TextKind;
    paste.LastGraphID = read.LastGraphID;
    paste.Warnings = std::move(read.Warnings);
    return {};
}

DocumentResult Document::CommitPaste(PendingPaste paste, bool sampled) {
    if (Count() + paste.Graphs.size() > kMaxGraphs) return TooManyGraphs();
    DocumentResult result;
    result.Warnings = std::move(paste.Warnings);
    // Other graphs may have come in while these were sampled: the counter never goes back, and
    // AppendGraph renumbers an ID that is taken.
    values_.LastGraphID = std::max(values_.LastGraphID, paste.LastGraphID);
    for (auto& g : paste.Graphs) {
        if (!sampled)
            SampleKept(*g, Sampling(), result.Warnings);
        else if (!g->LastError().empty())
            result.Warnings.push_back("The graph " + GraphTitle(*g) +
                                      " cannot be drawn: " + g->LastError());
        std::string label = GraphListLabel(paste.LabelKind, *g);
        AppendGraph(g, std::move(label));
        if (!paste.Checked) shownGraphs_.Remove(CScene::KeyOf(*g));
    }
    return result;
}

DocumentResult Document::Paste(std::string_view text, std::optional<std::size_t> selected) {
    PendingPaste paste;
    DocumentResult read = ReadPaste(text, selected, paste);
    if (!read.Ok()) return read;
    return CommitPaste(std::move(paste), false);
}

std::uint64_t Document::DrawingBytes() const {
    std::uint64_t total = 0;
    for (const auto& g : shownGraphs_.FunSurfs()) {
        const std::uint64_t points = static_cast<std::uint64_t>(g->RealPart().SizeU()) *
                                     static_cast<std::uint64_t>(g->RealPart().SizeV());
        const std::uint64_t lists = g->Animation() && g->UsesT()
                                        ? static_cast<std::uint64_t>(values_.AnimationFrames) + 1
                                        : 1;
        total += points * kPictureBytes * lists; // at most 1e8 points x 200 x 1001: no overflow
    }
    return total;
}

std::optional<std::string> Document::MemoryRefusal(std::uint64_t needed) const {
    const std::uint64_t available = Available(sampling_);
    if (available == 0 || needed <= available) return std::nullopt;
    return MemoryMessage(needed, available);
}

std::optional<std::string> Document::GraphRefusal(const CGraph& graph,
                                                  const CGraph* replaced) const {
    const std::uint64_t need = GraphMemoryNeed(graph, AnimationFrames());
    const std::uint64_t had = replaced ? GraphMemoryNeed(*replaced, AnimationFrames()) : 0;
    if (need <= had) return std::nullopt;
    return MemoryRefusal(need - had);
}

std::int64_t Document::AnimationMemoryChange(std::int32_t frames) const {
    std::int64_t change = 0;
    for (const auto& g : shownGraphs_.FunSurfs())
        if (g->Animation())
            change += static_cast<std::int64_t>(GraphMemoryNeed(*g, frames)) -
                      static_cast<std::int64_t>(GraphMemoryNeed(*g, AnimationFrames()));
    return change;
}

void Document::SetAnimationFrames(std::int32_t frames) {
    values_.AnimationFrames = ClampCount(frames, kMaxAnimationFrames);
}

void Document::SetAnimationSpeed(std::int32_t speed) {
    values_.AnimationSpeed = ClampCount(speed, kMaxAnimationSpeed);
}

void Document::SetAxisTitles(std::string x, std::string y, std::string z) {
    values_.AxisTitleX = std::move(x);
    values_.AxisTitleY = std::move(y);
    values_.AxisTitleZ = std::move(z);
}

const std::vector<GraphRoots>& Document::ShownRoots() const {
    const std::vector<CScene::GraphPtr>& shown = shownGraphs_.FunSurfs();
    const std::vector<CScene::GraphPtr>& all = allGraphs_.FunSurfs();
    std::vector<std::string> labels;
    for (const CScene::GraphPtr& g : shown) {
        const auto at = std::find(all.begin(), all.end(), g);
        const auto index = static_cast<std::size_t>(at - all.begin());
        labels.push_back(at != all.end() && index < labels_.size() ? labels_[index] : g->NameS());
    }
    return roots_.For(shown, labels, sampling_.Threads);
}

} // namespace tervane
