#include "document/ClipboardText.h"

#include "core/Limits.h"
#include "document/KplFormat.h"
#include "document/detail/GraphRecord.h"
#include "document/detail/TokenText.h"
#include "graph/DocumentKinds.h"

#include <limits>

namespace tervane {

std::optional<std::string> WriteClipboardText(std::int32_t sceneKind, const CGraph& graph,
                                              std::string& error,
                                              const ClipboardAnimation& animation) {
    std::string text = detail::FormatInteger(sceneKind) + " ";
    if (!detail::HasRecord(graph.GraphType())) return text;
    // Pasting skips the frames and speed, but the text is the document's record: it carries
    // the document's values, as a file of the same graph would.
    if (auto problem = detail::AppendGraphRecord(
            graph, detail::RecordAnimation{animation.Frames, animation.Speed}, text)) {
        error = "The graph cannot be copied: " + *problem + ".";
        return std::nullopt;
    }
    return text;
}

namespace {

// Sampling holds step counts to 1..kMaxSteps anyway; held here, the paste can say so.
void HoldSteps(CGraph& g, std::vector<std::string>& warnings) {
    if (detail::IsUnsampledKind(g.GraphType())) return;
    const auto hold = [&warnings](std::int32_t steps, const char* what) {
        const std::int32_t held = ClampCount(steps, kMaxSteps);
        if (held != steps)
            warnings.push_back("The pasted graph's " + std::string(what) + " of " +
                               std::to_string(steps) + " was held to " + std::to_string(held) +
                               ": it must lie between 1 and " + std::to_string(kMaxSteps) + ".");
        return held;
    };
    g.SetStepU(hold(g.StepU(), "Steps x"));
    g.SetStepV(hold(g.StepV(), "Steps y"));
}

} // namespace

bool ClipboardKindAccepted(std::int32_t sceneKind, std::int32_t k) {
    switch (sceneKind) {
    case kScenePlane:
        return k == kScenePlane || k == kScenePlaneAlt;
    case kSceneBox:
        return k == kSceneBox || k == kSceneBoxAlt;
    case kScene3D:
        return k == kScene3D || k == kScene3DAlt;
    case kSceneColorMap:
        return k == kSceneColorMap;
    default:
        return true;
    }
}

ClipboardRead ReadClipboardText(std::string_view text, std::int32_t sceneKind, std::int32_t records,
                                std::int32_t lastGraphID) {
    ClipboardRead read;
    read.LastGraphID = lastGraphID;
    const std::vector<std::string> tokens = detail::SplitTokens(text);
    if (tokens.empty()) {
        read.Message = "The clipboard holds no text.";
        return read;
    }
    if (tokens.size() > kpl::kMaxClipboardTokens || !detail::NumericPrefix(tokens[0])) {
        read.Message = "The clipboard does not hold a graph.";
        return read;
    }
    read.TextKind = detail::ReadInteger(tokens[0]);
    if (!ClipboardKindAccepted(sceneKind, read.TextKind)) {
        read.Result = ClipboardRead::Outcome::WrongKind;
        read.Message = "The graph on the clipboard belongs to another kind of document.";
        return read;
    }

    detail::TokenCursor cursor(tokens, 1);
    std::int32_t last = lastGraphID;
    for (std::int32_t k = 0; k < records; ++k) {
        detail::GraphRecordRead record =
            detail::ReadGraphRecord(cursor, detail::RecordDialect::Clipboard);
        if (cursor.Overrun()) {
            read.Graphs.clear();
            read.Warnings.clear();
            read.Message = "The clipboard does not hold a complete graph.";
            return read;
        }
        last = last < std::numeric_limits<std::int32_t>::max() ? last + 1 : last;
        record.Graph->SetID(last);
        HoldSteps(*record.Graph, read.Warnings);
        read.Graphs.push_back(std::move(record.Graph));
    }
    read.LastGraphID = last;
    read.Result = ClipboardRead::Outcome::Graphs;
    return read;
}

namespace {

std::optional<std::string> Label3D(const CGraph& g) {
    const std::int32_t type = g.GraphType();
    if (type == kGraphVectorField) return "Vector ";
    if (type == kGraphVectorOperation) return "Vector Operation ";
    const std::string& x = g.ExpressX();
    const std::string& y = g.ExpressY();
    const std::string& z = g.ExpressZ();
    if (type == kGraphPointSet || type == kGraphPointObject) {
        const std::string head = g.Animation() ? "Point Animation  " : "Point  ";
        switch (g.CoordType()) {
        case kCoordCartesian:
            return head + "x=" + x + ", y=" + y + ", z=" + z;
        case kCoordPolar:
            return head + "a=" + x + ", r=" + y + ", z=" + z;
        case kCoordAnglePair:
            return head + "a=" + x + ", b=" + y + ", r=" + z;
        default:
            return std::nullopt;
        }
    }
    std::string prefix;
    switch (type) {
    case kGraph3DCurve:
        prefix = "3D Curve  ";
        break;
    case kGraphSurface:
        prefix = "3D Surface  ";
        break;
    case kGraph3DCurveAnimation:
        prefix = "3D Curve Animation  ";
        break;
    case kGraphSurfaceAnimation:
        prefix = "3D Surface Animation  ";
        break;
    default:
        break;
    }
    const std::int32_t form = g.FunForm();
    const std::int32_t coord = g.CoordType();
    if (form == kFormComplex) {
        switch (coord) {
        case kCoordRotation:
            return "Surface by rotation  y=" + z;
        case kCoordCartesian:
            return prefix + "w=" + z;
        case kCoordPolar:
            return prefix + "z=" + z;
        case kCoordAnglePair:
            return prefix + "r=" + z;
        default:
            return std::nullopt;
        }
    }
    if (form == kFormComplexAlt) {
        switch (coord) {
        case kCoordCartesian:
            return prefix + "x=" + x + ",y=" + y + ",z=" + z;
        case kCoordPolar:
            return prefix + "a=" + x + ",r=" + y + ",z=" + z;
        case kCoordAnglePair:
            return prefix + "a=" + x + ",b=" + y + ",r=" + z;
        default:
            return std::nullopt;
        }
    }
    return std::nullopt;
}

std::optional<std::string> LabelMap(const CGraph& g) {
    const std::string tail = "x=" + g.ExpressX() + ", y=" + g.ExpressY() + ", z=" + g.ExpressZ();
    switch (g.GraphType()) {
    case kGraphColorMap:
        return "Color Map  w=" + g.ExpressZ();
    case kGraphContour:
        return "Contour Plot  " + tail;
    case kGraphVector:
        return "Vector Plot  " + tail;
    default:
        return std::nullopt;
    }
}

// Curves (kind 1) and ribbons (kind 2): no dialog of this program makes them, so the label is
// chosen from the function form and coordinates the record carries.
std::optional<std::string> LabelCurve(const CGraph& g, bool ribbon) {
    const std::string head =
        std::string(ribbon ? "2.5D Ribbon" : "2D Curve") + (g.Animation() ? " Animation  " : "  ");
    const std::int32_t coord = g.CoordType();
    const std::int32_t kind = g.GraphType();
    if (kind == kGraphPointSet || kind == kGraphPointObject) {
        const std::string point = g.Animation() ? "Point Animation  " : "Point  ";
        if (coord == kCoordPlanePolar || coord == kCoordPolar)
            return point + "a=" + g.ExpressX() + ", r=" + g.ExpressY();
        return point + "x=" + g.ExpressX() + ", y=" + g.ExpressY();
    }
    if (kind == kGraphPlanePoints || kind == kGraphPlanePairs)
        return "Point Animation  x=x, y=" + g.ExpressZ();
    if (IsPlaneForm(g.FunForm())) {
        // Functions of one variable: y = f(x) and x = f(y), or r = f(a) and a = f(r) in the
        // polar form.
        const bool inverse = g.FunForm() == kFormPlaneInverse;
        if (coord == kCoordPlanePolar) return head + (inverse ? "a=" : "r=") + g.ExpressZ();
        return head + (inverse ? "x=" : "y=") + g.ExpressZ();
    }
    if (g.FunForm() == kFormComplex) {
        if (coord == kCoordCartesian) return head + "y=" + g.ExpressZ();
        if (coord == kCoordPolar) return head + "r=" + g.ExpressZ();
    }
    if (g.FunForm() == kFormComplexAlt) {
        if (coord == kCoordCartesian) return head + "x=" + g.ExpressX() + ",y=" + g.ExpressY();
        if (coord == kCoordPolar) return head + "a=" + g.ExpressX() + ",r=" + g.ExpressY();
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string> GraphLabel(std::int32_t sceneKind, const CGraph& graph) {
    switch (sceneKind) {
    case kScene3D:
    case kScene3DAlt:
        return Label3D(graph);
    case kSceneColorMap:
        return LabelMap(graph);
    case kScenePlane:
    case kScenePlaneAlt:
        return LabelCurve(graph, false);
    case kSceneBox:
    case kSceneBoxAlt:
        return LabelCurve(graph, true);
    default:
        return std::nullopt;
    }
}

std::string GraphListLabel(std::int32_t sceneKind, const CGraph& graph) {
    if (auto label = GraphLabel(sceneKind, graph)) return *label;
    // A graph pasted into a document of no kind yet is labelled as its own kind would be.
    if (sceneKind == kSceneNone) {
        const std::int32_t own =
            graph.GraphType() == kGraphColorMap || graph.GraphType() == kGraphContour ||
                    graph.GraphType() == kGraphVector
                ? kSceneColorMap
            : IsPlaneCurveKind(graph.GraphType()) || graph.GraphType() == kGraphPlanePoints ||
                    graph.GraphType() == kGraphPlanePairs
                ? kScenePlane
                : kScene3D;
        if (auto label = GraphLabel(own, graph)) return *label;
    }
    if (!graph.NameS().empty()) return graph.NameS();
    return "Graph  w=" + graph.ExpressZ();
}

} // namespace tervane
