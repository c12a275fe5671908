#include "dialogs/GraphDialogLogic.h"

#include "core/Limits.h"
#include "document/ClipboardText.h"
#include "expr/CEvaluator.h"
#include "expr/ExprError.h"
#include "expr/TextPasses.h"
#include "graph/GraphPresets.h"

#include <cctype>
#include <charconv>
#include <cmath>

namespace tervane {

namespace {

DialogMessage Note(std::string text, DialogField field = DialogField::None) {
    return {std::move(text), "Note", DialogMessage::Icon::Warning, field, -1};
}

PreparedGraph Refuse(DialogMessage message) {
    PreparedGraph p;
    p.Message = std::move(message);
    return p;
}

// An empty or blank function box would clean to "0" and add the graph w=0 nobody asked for.
std::optional<DialogMessage> RefuseEmptyFunction(const std::string& function) {
    if (function.find_first_not_of(' ') != std::string::npos) return std::nullopt;
    return Note("Enter a function of z.", DialogField::Function);
}

// Cleans the expression boxes in order; the first that holds an illegal character stops it.
struct CleanedBox {
    std::string* Text;
    DialogField Field;
};

std::optional<DialogMessage> CleanBoxes(std::initializer_list<CleanedBox> boxes) {
    for (const CleanedBox& box : boxes) {
        std::string cleaned;
        if (!CleanExpressionText(*box.Text, cleaned))
            return DialogMessage{"Illegal data exist.", "Error", DialogMessage::Icon::Warning,
                                 box.Field, -1};
        *box.Text = std::move(cleaned);
    }
    return std::nullopt;
}

// Step counts round to the nearest integer, halves to even, within the range of the record.
std::int32_t StepCount(const std::string& text) {
    const double v = std::nearbyint(LeadingNumber(text));
    if (!(v < 2147483647.0)) return 2147483647;
    return static_cast<std::int32_t>(v);
}

float SingleValue(const std::string& text) {
    return static_cast<float>(LeadingNumber(text));
}

// Translates a range text such as "-2" or "pi/2" onto the end of buffer; the message of a
// syntax error, with its position, when it does not translate.
std::optional<DialogMessage> TranslateRange(CEvaluator& evaluator, const std::string& text,
                                            DialogField field, std::string& buffer) {
    if (evaluator.InfixToPostfix(InsertImplicitMultiply(text), buffer) == 0) return std::nullopt;
    const std::optional<SyntaxError>& error = evaluator.LastError();
    DialogMessage m{error ? error->Text() : evaluator.ErrorText(), "Syntax Error",
                    DialogMessage::Icon::Stop, field, error ? error->position : -1};
    return m;
}

// Real part of the value the postfix text leaves, or fallback when it leaves none.
std::optional<float> EvaluateRange(const CEvaluator& evaluator, const std::string& postfix,
                                   float fallback, std::string& error) {
    float re = fallback;
    float im = 0.0f;
    try {
        if (!evaluator.DoEvaluate(postfix, false, re, im, 0.0f, 0.0f)) return fallback;
    } catch (const ExprError& e) {
        error = e.what();
        return std::nullopt;
    }
    return re;
}

// Step counts above kMaxSteps are held there, as sampling would hold them; the note says so
// instead of leaving the user with fewer steps than typed and no word why.
std::optional<DialogMessage> HoldSteps(GraphRecipe& recipe) {
    std::vector<std::string> held;
    for (auto [steps, what] : {std::pair{&recipe.StepU, "Steps x"}, {&recipe.StepV, "Steps y"}}) {
        if (*steps <= kMaxSteps) continue;
        *steps = kMaxSteps;
        held.push_back(HeldCountText(what, kMaxSteps, kMaxSteps));
    }
    return HeldNote(held);
}

// What both dialogs take from their boxes: the function, the name, the next ID, the domain and
// its steps, and the colour codes.
template <typename Input> GraphRecipe RecipeOf(const Input& in, const Document& document) {
    GraphRecipe recipe;
    recipe.Function = in.Function;
    recipe.Name = in.Name;
    recipe.ID = document.LastGraphID();
    recipe.MinU = SingleValue(in.MinX);
    recipe.MaxU = SingleValue(in.MaxX);
    recipe.MinV = SingleValue(in.MinY);
    recipe.MaxV = SingleValue(in.MaxY);
    recipe.StepU = StepCount(in.StepsX);
    recipe.StepV = StepCount(in.StepsY);
    recipe.Colours = {in.ColorR, in.ColorG, in.ColorB};
    return recipe;
}

} // namespace

double LeadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    const std::size_t start = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    const std::size_t digitsStart = i;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])))
        ++i;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])))
            ++i;
    }
    if (i == digitsStart || (i == digitsStart + 1 && text[digitsStart] == '.')) return 0.0;
    // An exponent counts only when digits follow it.
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        if (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j]))) {
            while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j])))
                ++j;
            i = j;
        }
    }
    std::string number(text.substr(start, i - start));
    if (!number.empty() && number[0] == '+') number.erase(0, 1);
    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (ec == std::errc::result_out_of_range) return number[0] == '-' ? -HUGE_VAL : HUGE_VAL;
    if (ec != std::errc()) return 0.0;
    (void)ptr;
    return value;
}

std::string HeldCountText(std::string_view what, std::int64_t held, std::int64_t most) {
    return std::string(what) + " was held to " + std::to_string(held) +
           ": it must lie between 1 and " + std::to_string(most) + ".";
}

std::optional<DialogMessage> HeldNote(const std::vector<std::string>& sentences) {
    if (sentences.empty()) return std::nullopt;
    std::string text;
    for (const std::string& s : sentences)
        text += (text.empty() ? "" : "\n") + s;
    return Note(std::move(text));
}

PreparedGraph PrepareSurfaceGraph(SurfaceDialogInput& in, Document& document) {
    if (auto m = RefuseEmptyFunction(in.Function)) return Refuse(*m);
    if (auto m = CleanBoxes({{&in.Function, DialogField::Function},
                             {&in.MinX, DialogField::MinX},
                             {&in.MaxX, DialogField::MaxX},
                             {&in.MinY, DialogField::MinY},
                             {&in.MaxY, DialogField::MaxY},
                             {&in.MinT, DialogField::MinT},
                             {&in.MaxT, DialogField::MaxT}}))
        return Refuse(*m);
    document.SetSceneKind(kScene3D);
    if (!IsQuantityCode(in.VarZ)) in.VarZ = kQuantityX;

    if (LeadingNumber(in.StepsX) < 1.0)
        return Refuse(Note("Steps x,y ,a,r or b must be larger than 1.", DialogField::StepsX));
    if (in.StepsY.empty() || LeadingNumber(in.StepsY) < 1.0)
        return Refuse(Note("Steps y(or r,b) must be larger than 1.", DialogField::StepsY));

    GraphRecipe recipe = RecipeOf(in, document);
    std::optional<DialogMessage> held = HoldSteps(recipe);
    CEvaluator evaluator;
    if (recipe.MinU > recipe.MaxU)
        return Refuse(Note("Minimum value must be less than maximum value.", DialogField::MinX));
    recipe.Axes = {in.VarX, in.VarY, in.VarZ};
    recipe.Material = in.Material;
    recipe.Show = in.Show;
    recipe.Smoothness = in.Smoothness;
    std::shared_ptr<CGraph> g = MakeSurfaceGraph(recipe);
    // The coordinate system names its X axis after the quantity on GL z (VarZ), Y after VarX
    // and Z after VarY.
    document.SetAxisTitles(std::string(QuantityLetter(in.VarZ)),
                           std::string(QuantityLetter(in.VarX)),
                           std::string(QuantityLetter(in.VarY)));

    // The t range: both texts go into one postfix buffer; the value on top after evaluating it
    // belongs to the last text, so an empty Max t takes the value of Min t.
    std::string buffer;
    if (auto m = TranslateRange(evaluator, in.MinT, DialogField::MinT, buffer)) return Refuse(*m);
    std::string error;
    const std::optional<float> minT = EvaluateRange(evaluator, buffer, 0.0f, error);
    if (!minT) return Refuse({error, "Error", DialogMessage::Icon::Warning, DialogField::MinT, -1});
    if (!buffer.empty() && buffer.back() != ' ') buffer += ' ';
    if (auto m = TranslateRange(evaluator, in.MaxT, DialogField::MaxT, buffer)) return Refuse(*m);
    const std::optional<float> maxT = EvaluateRange(evaluator, buffer, 0.0f, error);
    if (!maxT) return Refuse({error, "Error", DialogMessage::Icon::Warning, DialogField::MaxT, -1});
    if (*minT > *maxT) return Refuse(Note("Min t must be less than Max t.", DialogField::MinT));
    g->SetAnimation(true);
    g->SetMinT(*minT);
    g->SetMaxT(*maxT);
    g->InitData();

    PreparedGraph p;
    p.EditLabel = GraphListLabel(document.SceneKind(), *g);
    p.Graph = std::move(g);
    p.Held = std::move(held);
    return p;
}

PreparedGraph PrepareColorMapGraph(ColorMapDialogInput& in, Document& document) {
    if (auto m = RefuseEmptyFunction(in.Function)) return Refuse(*m);
    if (auto m = CleanBoxes({{&in.Function, DialogField::Function},
                             {&in.MinX, DialogField::MinX},
                             {&in.MaxX, DialogField::MaxX},
                             {&in.MinY, DialogField::MinY},
                             {&in.MaxY, DialogField::MaxY}}))
        return Refuse(*m);
    // The messages name the boxes as the dialog labels them, x and y.
    if (LeadingNumber(in.StepsX) < 1.0)
        return Refuse(Note("Steps x must be larger than 1.", DialogField::StepsX));
    if (LeadingNumber(in.StepsY) < 1.0)
        return Refuse(Note("Steps y must be larger than 1.", DialogField::StepsY));
    document.SetSceneKind(kSceneColorMap);

    GraphRecipe recipe = RecipeOf(in, document);
    std::optional<DialogMessage> held = HoldSteps(recipe);
    if (recipe.MinU > recipe.MaxU)
        return Refuse(Note("Min x must be less than Max x.", DialogField::MinX));
    if (recipe.MinV > recipe.MaxV)
        return Refuse(Note("Min y must be less than Max y.", DialogField::MinY));
    recipe.Axes = {in.VarX, kQuantityMagnitude, in.VarZ};
    std::shared_ptr<CGraph> g = MakeColorMapGraph(recipe);
    // A colour map titles only the two axes of its plane; the third title stays.
    document.SetAxisTitles(std::string(QuantityLetter(in.VarX)),
                           std::string(QuantityLetter(in.VarZ)), document.AxisTitleZ());

    PreparedGraph p;
    p.EditLabel = GraphListLabel(document.SceneKind(), *g);
    p.Graph = std::move(g);
    p.Held = std::move(held);
    return p;
}

std::optional<DialogMessage> CheckFunctionSyntax(const CGraph& graph) {
    CEvaluator evaluator;
    std::string buffer;
    if (evaluator.InfixToPostfix(InsertImplicitMultiply(graph.ExpressZ()), buffer) == 0)
        return std::nullopt;
    const std::optional<SyntaxError>& s = evaluator.LastError();
    return DialogMessage{s ? s->Text() : evaluator.ErrorText(), "Syntax Error",
                         DialogMessage::Icon::Stop, DialogField::Function, s ? s->position : -1};
}

DialogMessage SamplingFailureMessage(const CGraph& graph) {
    if (const std::optional<SyntaxError>& s = graph.LastSyntaxError())
        return {s->Text(), "Syntax Error", DialogMessage::Icon::Stop, DialogField::Function,
                s->position};
    return {graph.LastError(), "Error", DialogMessage::Icon::Warning, DialogField::Function, -1};
}

std::optional<DialogMessage> CommitGraph(Document& document, const PreparedGraph& prepared,
                                         const GraphTarget& target) {
    if (!target.Replaces(document)) {
        const DocumentResult r = document.AddGraph(prepared.Graph);
        if (r.Ok()) return std::nullopt;
        // Refused before sampling (memory): the steps are what to change.
        if (prepared.Graph->LastError().empty())
            return DialogMessage{r.Message, "Error", DialogMessage::Icon::Warning,
                                 DialogField::StepsX, -1};
        return SamplingFailureMessage(*prepared.Graph);
    }
    const std::size_t k = *target.Selected;
    const std::shared_ptr<CGraph> g = document.Graph(k);
    // The edited graph's grids and pictures must fit, less what the old ones take.
    if (const std::optional<std::string> refusal = document.GraphRefusal(*prepared.Graph, g.get()))
        return DialogMessage{*refusal, "Error", DialogMessage::Icon::Warning, DialogField::StepsX,
                             -1};
    g->EqualTo(*prepared.Graph);
    // The entry names the function it now draws, also when drawing it fails below.
    document.SetLabel(k, prepared.EditLabel);
    if (document.IsShown(k) && !g->GetPoints(document.Sampling()))
        return SamplingFailureMessage(*g);
    return std::nullopt;
}

std::shared_ptr<CGraph> GraphToSample(const Document& document, const PreparedGraph& prepared,
                                      const GraphTarget& target) {
    if (!target.Replaces(document)) return std::make_shared<CGraph>(*prepared.Graph);
    const std::size_t k = *target.Selected;
    if (!document.IsShown(k)) return nullptr;
    auto copy = std::make_shared<CGraph>(*document.Graph(k));
    copy->EqualTo(*prepared.Graph);
    return copy;
}

DocumentResult CommitSampledGraph(Document& document, const PreparedGraph& prepared,
                                  const GraphTarget& target,
                                  const std::shared_ptr<CGraph>& sampled) {
    if (!target.Replaces(document)) return document.AddSampledGraph(sampled);
    const std::size_t k = *target.Selected;
    // The copy was made from this graph and sampled after, so its revisions are newer: the
    // view's list cache sees the change.
    *document.Graph(k) = *sampled;
    document.SetLabel(k, prepared.EditLabel);
    return {};
}

std::uint64_t GridPoints(const CGraph& graph) {
    const auto nu = static_cast<std::uint64_t>(std::max(graph.StepU(), 1)) + 1;
    const auto nv = static_cast<std::uint64_t>(std::max(graph.StepV(), 1)) + 1;
    return nu * nv;
}

} // namespace tervane
