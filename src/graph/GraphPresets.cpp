#include "graph/GraphPresets.h"

namespace tervane {

namespace {

void SetQuantities(CGraph& g, const GraphRecipe& recipe) {
    g.SetFunForm(kFormComplex);
    g.SetVarX(recipe.Axes[0]);
    g.SetVarY(recipe.Axes[1]);
    g.SetVarZ(recipe.Axes[2]);
    g.SetColorR(recipe.Colours[0]);
    g.SetColorG(recipe.Colours[1]);
    g.SetColorB(recipe.Colours[2]);
}

} // namespace

std::shared_ptr<CGraph> MakeSurfaceGraph(const GraphRecipe& r) {
    auto g = CGraph().Init(r.ID, r.Name, kGraphSurface, kCoordCartesian, "", "", r.Function,
                           r.StepU, r.StepV, r.MinU, r.MaxU, r.MinV, r.MaxV, 0, 0, 0, 0,
                           r.LineWidth, r.Material, r.Show, r.Smoothness, false, false, false, 0);
    SetQuantities(*g, r);
    return g;
}

std::shared_ptr<CGraph> MakeColorMapGraph(const GraphRecipe& r) {
    constexpr std::int32_t kMapFillStyle = 3;
    constexpr std::int32_t kRed = 255;
    auto g = CGraph().Init(r.ID, r.Name, kGraphColorMap, kCoordCartesian, "", "", r.Function,
                           r.StepU, r.StepV, r.MinU, r.MaxU, r.MinV, r.MaxV, kMapFillStyle, kRed, 0,
                           0, 0, 0, kShowSurface, kSmoothSmoothest, false, false, false, 0);
    SetQuantities(*g, r);
    return g;
}

} // namespace tervane
