#include "cli/CliZeros.h"

#include "cli/CliOptions.h"

#include "graph/GraphPresets.h"
#include "graph/ZeroFinder.h"

#include <cmath>
#include <cstdio>
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

    for (const InvalidRegion& r : result.Invalid)
        err << "tervane-cli: warning: the function has no value in " << r.Cells
            << (r.Cells == 1 ? " grid cell" : " grid cells") << " around "
            << Point(r.CentreX, r.CentreY) << " (x " << Number(r.MinX) << ".." << Number(r.MaxX)
            << ", y " << Number(r.MinY) << ".." << Number(r.MaxY)
            << "); zeros and poles there are not counted\n";
    for (const FoundRoot& root : result.Roots)
        if (!root.Refined)
            err << "tervane-cli: warning: the " << KindName(root.Kind) << " near "
                << Point(root.X, root.Y)
                << " did not refine; the centre of its grid cell is printed\n";

    out << "kind,x,y,order\n";
    for (const FoundRoot& root : result.Roots)
        out << KindName(root.Kind) << ',' << Number(root.X) << ',' << Number(root.Y) << ','
            << root.Order << '\n';
    return 0;
}

} // namespace tervane::cli
