#include "cli/CliZeros.h"

#include "cli/CliOptions.h"

#include "graph/GraphPresets.h"
#include "graph/ZeroFinder.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <ostream>

namespace tervane::cli {

namespace {

// Seven significant digits (what a single holds); a zero is printed "0", never "-0".
std::string Number(double value) {
    if (value == 0.0) return "0";
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.7g", value);
    return buffer;
}

std::string Point(double x, double y) {
    return "(" + Number(x) + ", " + Number(y) + ")";
}

// Warnings beyond these (a function of noise has a find in every other cell) are counted.
constexpr std::size_t kMaxWarnings = 20;

const char* KindName(RootKind kind) {
    return kind == RootKind::Zero ? "zero" : "pole";
}

bool HasAnyValue(const Grid2D& u) {
    for (float value : u.Values())
        if (!std::isnan(value)) return true;
    return false;
}

} // namespace

int CmdZeros(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
             UsageFunction usage) {
    std::optional<std::string> text;
    GraphRecipe recipe; // plot's defaults: -2..2 both ways in 40 steps
    recipe.Name = "zeros";
    float t = 0.0f;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (!IsOptionName(a)) {
            if (text) return usage(err, "zeros takes one function text");
            text = a;
            continue;
        }
        if (i + 1 >= args.size()) return usage(err, a + " needs a value");
        const std::string& value = args[++i];
        if (a == "--range") {
            if (!ParseRange(value, recipe)) return usage(err, RangeProblem(value));
        } else if (a == "--steps") {
            if (!ParseSteps(value, recipe)) return usage(err, StepsProblem(value));
        } else if (a == "--t") {
            // One number: a comma is a decimal mark here, as in eval.
            std::string number = value;
            for (char& c : number)
                if (c == ',') c = '.';
            const auto parsed = ParseFinite(number);
            if (!parsed) return usage(err, "--t takes a number: '" + value + "'");
            t = *parsed;
        } else {
            return usage(err, "unknown option '" + a + "'");
        }
    }
    if (!text) return usage(err, "zeros needs a function text");

    recipe.Function = *text;
    const auto graph = MakeSurfaceGraph(recipe);
    if (!graph->GetPoints(t)) {
        err << graph->LastError() << '\n';
        return 1;
    }
    if (!HasAnyValue(graph->RealPart())) {
        err << "The function has no value anywhere in the range.\n";
        return 1;
    }
    const auto program = CompileGraphFunction(*graph);
    const ZeroFinderResult result =
        FindZerosAndPoles(ZeroFinderInput::FromGraph(*graph, t), program ? &*program : nullptr);

    std::size_t warnings = 0;
    for (const InvalidRegion& r : result.Invalid)
        if (++warnings <= kMaxWarnings)
            err << "tervane-cli: warning: the function has no value in " << r.Cells
                << (r.Cells == 1 ? " grid cell" : " grid cells") << " around "
                << Point(r.CentreX, r.CentreY) << " (x " << Number(r.MinX) << ".." << Number(r.MaxX)
                << ", y " << Number(r.MinY) << ".." << Number(r.MaxY)
                << "); zeros and poles there are not counted\n";
    for (const InvalidRegion& r : result.Singular)
        if (++warnings <= kMaxWarnings)
            err << "tervane-cli: warning: branch cut or essential singularity near "
                << Point(r.CentreX, r.CentreY) << " (x " << Number(r.MinX) << ".." << Number(r.MaxX)
                << ", y " << Number(r.MinY) << ".." << Number(r.MaxY)
                << "): w winds there without a zero or pole; none is counted\n";
    if (result.Incomplete && ++warnings <= kMaxWarnings)
        err << "tervane-cli: warning: w turns too fast for this grid in places; the count there "
               "rests on the grid's points alone (more --steps give a sure count)\n";
    for (const FoundRoot& root : result.Roots)
        if (!root.Refined && ++warnings <= kMaxWarnings)
            err << "tervane-cli: warning: the " << KindName(root.Kind) << " near "
                << Point(root.X, root.Y)
                << " did not refine; the centre of its grid cell is printed\n";

    if (warnings > kMaxWarnings)
        err << "tervane-cli: warning: " << warnings - kMaxWarnings << " more warnings like these\n";

    // Sorted by the printed numbers: two roots whose x agree to the digits shown (-0.5 ± 0.866i)
    // come in the order of y even when their refined x differ in the last bits.
    struct Row {
        const FoundRoot* root;
        std::string x, y;
    };
    std::vector<Row> rows;
    rows.reserve(result.Roots.size());
    for (const FoundRoot& root : result.Roots)
        rows.push_back({&root, Number(root.X), Number(root.Y)});
    std::stable_sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) {
        const double ax = std::strtod(a.x.c_str(), nullptr), bx = std::strtod(b.x.c_str(), nullptr);
        if (ax != bx) return ax < bx;
        return std::strtod(a.y.c_str(), nullptr) < std::strtod(b.y.c_str(), nullptr);
    });
    out << "kind,x,y,order\n";
    for (const Row& row : rows)
        out << KindName(row.root->Kind) << ',' << row.x << ',' << row.y << ',' << row.root->Order
            << '\n';
    return 0;
}

} // namespace tervane::cli
