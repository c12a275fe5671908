#include "document/DocumentSamples.h"

#include "graph/GraphPresets.h"

#include <array>
#include <stdexcept>
#include <string>

namespace tervane {

namespace {

constexpr std::array<DemoEntry, 16> kDemo = {{
    {"exp(Z)  X-V-U", "mnuDemo3DExp1", "expz.kpl"},
    {"exp(Z)  U-V-M", "mnuDemo3DExp2", "expz_2.kpl"},
    {"exp(Z)  X-Y-M", "mnuDemo3DExp3", "expz_3.kpl"},
    {"exp(Z)  U-V-X", "mnuDemo3DExp4", "expz_4.kpl"},
    {"exp(Z)  U-V-Y", "mnuDemo3DExp5", "expz_5.kpl"},
    {"sin(Z)  X-V-U", "mnuDemo3DSin1", "sinz.kpl"},
    {"sin(Z)  U-V-M", "mnuDemo3DSin2", "sinz_2.kpl"},
    {"sin(Z)  X-Y-M", "mnuDemo3DSin3", "sinz_3.kpl"},
    {"sin(Z)  U-V-X", "mnuDemo3DSin4", "sinz_4.kpl"},
    {"sin(Z)  U-V-Y", "mnuDemo3DSin5", "sinz_5.kpl"},
    {"Z^2  X-V-U", "mnuDemo3DPow1", "pow2.kpl"},
    {"Z^2  U-V-M", "mnuDemo3DPow2", "pow2_2.kpl"},
    {"Z^2  X-Y-M", "mnuDemo3DPow3", "pow2_3.kpl"},
    {"exp(Z)  X-Y", "mnuDemoCMExp", "expz2d.kpl"},
    {"cos(Z)  X-Y", "mnuDemoCMCos", "cosz2d.kpl"},
    {"Z^2  X-Y", "mnuDemoCMPow", "pow22d.kpl"},
}};

std::int32_t QuantityOfLetter(char letter) {
    switch (letter) {
    case 'X':
        return kQuantityX;
    case 'Y':
        return kQuantityY;
    case 'U':
        return kQuantityReal;
    case 'V':
        return kQuantityImaginary;
    case 'M':
        return kQuantityMagnitude;
    default:
        throw std::invalid_argument(std::string("no quantity has the letter ") + letter);
    }
}

// Domains that show each function's character: exp over a little more than one period in y,
// sin over about one period in x, the square over the usual square.
struct Domain {
    float minU, maxU, minV, maxV;
};

Domain DomainOf(std::string_view function, bool colorMap) {
    if (function == "exp(z)") return colorMap ? Domain{-2, 2, -4, 4} : Domain{-2, 2, -3.2f, 3.2f};
    if (function == "sin(z)") return {-3.2f, 3.2f, -1.5f, 1.5f};
    if (function == "cos(z)") return {-3.2f, 3.2f, -2, 2};
    return {-2, 2, -2, 2};
}

} // namespace

std::span<const DemoEntry> DemoEntries() {
    return kDemo;
}

Document MakeDemoDocument(const DemoEntry& entry) {
    // The caption is "<f(Z)>  <letters>", the letters naming the quantities on X, Y (and Z).
    const std::string_view caption = entry.Caption;
    const std::size_t gap = caption.find("  ");
    std::string function(caption.substr(0, gap));
    for (char& c : function)
        if (c == 'Z') c = 'z';
    const std::string_view letters = caption.substr(gap + 2);
    const bool colorMap = letters.size() == 3; // "X-Y": a plane
    const Domain d = DomainOf(function, colorMap);

    Document doc;
    GraphRecipe recipe;
    recipe.Function = function;
    recipe.Name = std::string(caption);
    recipe.MinU = d.minU;
    recipe.MaxU = d.maxU;
    recipe.MinV = d.minV;
    recipe.MaxV = d.maxV;
    std::shared_ptr<CGraph> g;
    if (!colorMap) {
        doc.SetSceneKind(kScene3D);
        const std::int32_t x = QuantityOfLetter(letters[0]);
        const std::int32_t y = QuantityOfLetter(letters[2]);
        const std::int32_t z = QuantityOfLetter(letters[4]);
        recipe.Axes = {x, y, z};
        // Red, green and blue follow the three plotted quantities.
        recipe.Colours = {x, y, z};
        g = MakeSurfaceGraph(recipe);
        // The axis named X runs along the plot's Z direction, Y along X and Z along Y.
        doc.SetAxisTitles(std::string(1, letters[4]), std::string(1, letters[0]),
                          std::string(1, letters[2]));
        CAxes& axes = doc.Axes();
        axes.SetDefault();
        axes.ShowXYPanel = axes.ShowXZPanel = axes.ShowYZPanel = true;
    } else {
        doc.SetSceneKind(kSceneColorMap);
        recipe.StepU = recipe.StepV = 60;
        recipe.Axes = {QuantityOfLetter(letters[0]), kQuantityMagnitude,
                       QuantityOfLetter(letters[2])};
        recipe.Colours = {kQuantityReal, kQuantityImaginary, kQuantityMagnitude};
        g = MakeColorMapGraph(recipe);
        doc.SetAxisTitles(std::string(1, letters[0]), std::string(1, letters[2]), "");
        doc.Axes().SetDefault();
    }
    CAxes& axes = doc.Axes();
    axes.TitleX = doc.AxisTitleX();
    axes.TitleY = doc.AxisTitleY();
    axes.TitleZ = doc.AxisTitleZ();
    const DocumentResult added = doc.AddGraph(g);
    if (!added.Ok())
        throw std::runtime_error("demo graph " + std::string(caption) + ": " + added.Message);
    doc.ShownGraphs().SetRotPitch(colorMap ? 0.0f : -15.0f);
    doc.ShownGraphs().SetRotYaw(colorMap ? 0.0f : 45.0f);
    return doc;
}

} // namespace tervane
