#include "cli/CliPlot.h"

#include "cli/CliExport.h"
#include "cli/CliOptions.h"
#ifdef TERVANE_CLI_RENDER
#include "cli/CliRender.h"
#endif

#include "core/Limits.h"
#include "document/Document.h"
#include "graph/GraphPresets.h"
#include "scene/SceneOrientation.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string_view>

namespace tervane::cli {

namespace {

std::optional<std::int32_t> QuantityCode(std::string_view name) {
    constexpr std::pair<std::string_view, std::int32_t> kNames[] = {
        {"x", kQuantityX},
        {"y", kQuantityY},
        {"re", kQuantityReal},
        {"im", kQuantityImaginary},
        {"abs", kQuantityMagnitude},
        {"arg", kQuantityArgument},
        {"logabs", kQuantityLogMagnitude}};
    for (const auto& [text, code] : kNames)
        if (name == text) return code;
    return std::nullopt;
}

std::string_view QuantityTitle(std::int32_t code) {
    switch (code) {
    case kQuantityX:
        return "x";
    case kQuantityY:
        return "y";
    case kQuantityReal:
        return "Re w";
    case kQuantityImaginary:
        return "Im w";
    case kQuantityArgument:
        return "arg w";
    case kQuantityLogMagnitude:
        return "log |w|";
    default:
        return "|w|";
    }
}

// The phase scheme ("phase", optionally followed by rings and rays) as the three colour codes.
bool ParsePhaseColours(std::string_view text, std::array<std::int32_t, 3>& codes) {
    const std::vector<std::string> parts = SplitCommas(text);
    if (parts.empty() || parts.size() > 3 || parts[0] != "phase") return false;
    bool rings = false, rays = false;
    for (std::size_t k = 1; k < parts.size(); ++k) {
        if (parts[k] == "rings" && !rings) {
            rings = true;
        } else if (parts[k] == "rays" && !rays) {
            rays = true;
        } else {
            return false;
        }
    }
    const std::int32_t code = PhaseColourCode(rings, rays);
    codes = {code, code, code};
    return true;
}

// Three quantity names separated by commas.
bool ParseQuantities(std::string_view text, std::array<std::int32_t, 3>& codes) {
    const std::vector<std::string> parts = SplitCommas(text);
    if (parts.size() != 3) return false;
    std::array<std::int32_t, 3> parsed{};
    for (std::size_t k = 0; k < 3; ++k) {
        const auto code = QuantityCode(parts[k]);
        if (!code) return false;
        parsed[k] = *code;
    }
    codes = parsed;
    return true;
}

std::string LowerExtension(const std::string& path) {
    std::string ext = std::filesystem::path(path).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext;
}

} // namespace

int CmdPlot(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
            UsageFunction usage, FileSystem& files) {
    std::optional<std::string> text, output;
    bool colourMap = false, clip = true;
    GraphRecipe recipe;
    recipe.Name = "plot";
    // |w| as the height (the Y axis, up in the standard views) over the domain, coloured by the
    // value itself: a first picture of any function.
    recipe.Axes = {kQuantityX, kQuantityMagnitude, kQuantityY};
    recipe.Colours = {kQuantityReal, kQuantityImaginary, kQuantityMagnitude};
#ifdef TERVANE_CLI_RENDER
    RenderRequest request;
    bool viewGiven = false;
#endif
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (!IsOptionName(a)) {
            if (text) return usage(err, "plot takes one function text");
            text = a;
            continue;
        }
        if (a == "--clip" || a == "--no-clip") {
            clip = a == "--clip";
            continue;
        }
        if (i + 1 >= args.size()) return usage(err, a + " needs a value");
        const std::string& value = args[++i];
        if (a == "-o") {
            output = value;
        } else if (a == "--kind") {
            if (value != "surface" && value != "colormap")
                return usage(err, "--kind takes surface or colormap: '" + value + "'");
            colourMap = value == "colormap";
        } else if (a == "--axes") {
            if (!ParseQuantities(value, recipe.Axes))
                return usage(err, "--axes takes three of x, y, re, im, abs, arg, logabs: '" +
                                      value + "'");
        } else if (a == "--colour" || a == "--color") {
            if (!ParseQuantities(value, recipe.Colours) &&
                !ParsePhaseColours(value, recipe.Colours))
                return usage(err, "--colour takes three of x, y, re, im, abs, arg, logabs, or "
                                  "phase with ,rings and ,rays: '" +
                                      value + "'");
        } else if (a == "--range") {
            if (!ParseRange(value, recipe)) return usage(err, RangeProblem(value));
        } else if (a == "--steps") {
            if (!ParseSteps(value, recipe)) return usage(err, StepsProblem(value));
#ifdef TERVANE_CLI_RENDER
        } else if (const auto read = ReadPictureOption(a, value, request, usage, err)) {
            if (*read != 0) return *read;
            viewGiven = viewGiven || a == "--view";
#endif
        } else {
            return usage(err, "unknown option '" + a + "'");
        }
    }
    if (!text) return usage(err, "plot needs a function text");
    if (!output) return usage(err, "plot needs -o OUT.png, .bmp, .kpl, .ply or .obj");
    const std::string ext = LowerExtension(*output);
    const bool picture = ext == ".png" || ext == ".bmp";
    if (!picture && ext != ".kpl" && ext != ".ply" && ext != ".obj")
        return usage(err,
                     "the output must end in .png, .bmp, .kpl, .ply or .obj: '" + *output + "'");
#ifndef TERVANE_CLI_RENDER
    if (picture) return usage(err, "this build cannot draw pictures");
#endif

    recipe.Function = *text;
    Document document;
    document.SetSceneKind(colourMap ? kSceneColorMap : kScene3D);
    // A 3D coordinate system shows the first title along Z, the second along X and the third
    // along Y (the height); a colour map the first across and the second up.
    const auto title = [&](int axis) { return std::string(QuantityTitle(recipe.Axes[axis])); };
    if (colourMap)
        document.SetAxisTitles(title(0), title(2), title(1));
    else
        document.SetAxisTitles(title(2), title(0), title(1));
    // A surface is seen from the side and above, a colour map (flat in X and Z) from the front.
    StandardView view = colourMap ? StandardView::Front : StandardView::ISO;
#ifdef TERVANE_CLI_RENDER
    if (viewGiven) view = *request.View;
    request.View = view;
#endif
    const SceneAngles angles = StandardViewAngles(view);
    document.ShownGraphs().SetRotRoll(angles.RotRoll);
    document.ShownGraphs().SetRotPitch(angles.RotPitch);
    document.ShownGraphs().SetRotYaw(angles.RotYaw);
    const DocumentResult added =
        document.AddGraph(colourMap ? MakeColorMapGraph(recipe) : MakeSurfaceGraph(recipe));
    if (!added.Ok()) {
        err << added.Message << '\n';
        return 1;
    }
    if (!FitsInMemory(document, err)) return 1;
    const CBox box = document.ShownGraphs().FunSurfs().front()->GetBox();
    if (!(box.MinX <= box.MaxX && box.MinY <= box.MaxY && box.MinZ <= box.MaxZ)) {
        err << "The function has no value anywhere in the range.\n";
        return 1;
    }

    if (ext == ".kpl") {
        const DocumentResult saved = document.SaveFile(*output, files);
        if (!saved.Ok()) {
            err << saved.Message << '\n';
            return 1;
        }
        return 0;
    }
    if (ext == ".ply" || ext == ".obj") return ExportDocument(document, *output, out, err, files);
#ifdef TERVANE_CLI_RENDER
    request.Step = document.AnimationStep();
    return RenderDocument(document, request, *output, clip, err, files);
#else
    (void)clip;
    return 1;
#endif
}

} // namespace tervane::cli
