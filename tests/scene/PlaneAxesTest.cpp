// The axes of two-dimensional documents read the values of the curves drawn with them: every
// label names the coordinate of the tick it stands at, in the coordinates the curve's points are
// drawn in (the scene list issues both unscaled), so a peak or a zero of the curve reads its own
// value off the axes.

#include "graph/CGraph.h"
#include "scene/AxesGeometry.h"
#include "scene/CScene.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <map>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

namespace tervane {
namespace {

using G = AxesGeometry;
using std::numbers::pi;

// A graph as a "y = f(x)" record of a two-dimensional document sets it up.
std::shared_ptr<CGraph> PlaneFunction(const std::string& function, float minX, float maxX,
                                      float minY, float maxY) {
    auto g = std::make_shared<CGraph>();
    g->SetID(1);
    g->SetGraphType(kGraphPlaneFunction);
    g->SetCoordType(kCoordCartesian);
    g->SetFunForm(kFormPlaneExplicit);
    g->SetExpressZ(function);
    g->SetStepU(400);
    g->SetStepV(1);
    g->SetMinU(minX);
    g->SetMaxU(maxX);
    g->SetMinV(minY);
    g->SetMaxV(maxY);
    EXPECT_TRUE(g->GetPoints()) << g->LastError();
    return g;
}

// The value a tick label names: a number, or a multiple of pi ("pi", "-2pi").
double LabelValue(const std::string& text) {
    if (text.ends_with("pi")) {
        const std::string factor = text.substr(0, text.size() - 2);
        const double k = factor.empty() ? 1.0 : factor == "-" ? -1.0 : std::stod(factor);
        return k * pi;
    }
    return std::stod(text);
}

// One axis as the picture shows it: the value named at each tick coordinate (the origin "0"
// included), read between ticks by straight interpolation.
struct AxisReading {
    std::map<double, double> valueAt;

    double Read(double coordinate) const {
        auto above = valueAt.lower_bound(coordinate);
        if (above == valueAt.begin() || above == valueAt.end()) return NAN;
        if (above->first == coordinate) return above->second;
        const auto below = std::prev(above);
        const double f = (coordinate - below->first) / (above->first - below->first);
        return below->second + f * (above->second - below->second);
    }
};

// Pairs every label with the tick it stands at: a Y label at the height of a Y tick, an X label
// under the nearest X tick (within half a tick spacing, as it is shifted left to centre its text).
void ReadAxes(const G& geometry, AxisReading& x, AxisReading& y) {
    // The ticks are the short lines down from the x axis and left of the y axis; the secondary
    // marks between them are shorter still.
    const G::Pass& axes = *geometry.Find(G::PassKind::Axes);
    double tick = 0;
    for (const G::Line& line : axes.lines)
        if (line.from.y == 0 && line.from.x == line.to.x) tick = std::max(tick, -double{line.to.y});
    std::vector<double> xTicks, yTicks;
    for (const G::Line& line : axes.lines) {
        if (line.from.y == 0 && line.from.x == line.to.x && -line.to.y == tick)
            xTicks.push_back(line.from.x);
        if (line.from.x == 0 && line.from.y == line.to.y && -line.to.x == tick)
            yTicks.push_back(line.from.y);
    }
    ASSERT_GE(xTicks.size(), 2u);
    ASSERT_GE(yTicks.size(), 2u);
    std::sort(xTicks.begin(), xTicks.end());
    const double xSpacing = xTicks[1] - xTicks[0];
    x.valueAt[0] = y.valueAt[0] = 0;
    for (const G::Label& label : geometry.Find(G::PassKind::Text)->labels) {
        if (label.text == "0") continue;
        const double value = LabelValue(label.text);
        if (std::find(yTicks.begin(), yTicks.end(), label.position.y) != yTicks.end()) {
            y.valueAt[label.position.y] = value;
            continue;
        }
        const auto nearest =
            std::min_element(xTicks.begin(), xTicks.end(), [&](double a, double b) {
                return std::fabs(a - label.position.x) < std::fabs(b - label.position.x);
            });
        EXPECT_LT(std::fabs(*nearest - label.position.x), xSpacing / 2) << label.text;
        EXPECT_FALSE(x.valueAt.contains(*nearest)) << label.text << ": two labels on one tick";
        x.valueAt[*nearest] = value;
    }
    EXPECT_EQ(x.valueAt.size(), xTicks.size() + 1);
    EXPECT_EQ(y.valueAt.size(), yTicks.size() + 1);
}

TEST(PlaneAxes, LabelsReadTheValuesOfTheCurveDrawnWithThem) {
    const struct {
        const char* name;
        std::int32_t sceneKind;
        bool showPI;
        const char* function;
        float minX, maxX, minY, maxY;
        double peak; // the curve's highest value
        double zero; // its first zero right of the origin
    } rows[] = {
        {"y = 3 sin x", kScenePlane, false, "sin(x)*3", -6, 6, -4, 4, 3, pi},
        {"in steps of pi", kScenePlane, true, "sin(x)*3", -6, 6, -4, 4, 3, pi},
        {"scene kind 4", kScenePlaneAlt, false, "sin(x)*3", -6, 6, -4, 4, 3, pi},
        {"unit 4", kScenePlane, false, "sin(x/5)*15", -18, 18, -16, 16, 15, 5 * pi},
        {"smaller than 1", kScenePlane, false, "sin(x*10)*0.3", -0.6f, 0.6f, -0.4f, 0.4f, 0.3,
         pi / 10},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        CScene scene;
        const auto graph = PlaneFunction(row.function, row.minX, row.maxX, row.minY, row.maxY);
        scene.Add(graph);
        CAxes axes;
        axes.ShowPI = row.showPI;
        const CBox box = scene.GetBox(0, SceneBoxContext{row.sceneKind, row.showPI});
        const G geometry = AxesDraw(axes, box, row.sceneKind, scene.LabelUnitBase());
        AxisReading x, y;
        ReadAxes(geometry, x, y);

        // Each label names the coordinate it is drawn at.
        for (const auto* axis : {&x, &y})
            for (const auto& [coordinate, value] : axis->valueAt)
                EXPECT_NEAR(value, coordinate, 1e-4 * std::fabs(coordinate)) << coordinate;

        // The curve's peak and zero crossings, where its points are drawn, read their values.
        const auto points = graph->StepPoints(0);
        ASSERT_FALSE(points.empty());
        const auto top = std::max_element(points.begin(), points.end(),
                                          [](const auto& a, const auto& b) { return a.y < b.y; });
        EXPECT_NEAR(y.Read(top->y), row.peak, 1e-3 * row.peak);
        std::vector<double> zeros;
        for (std::size_t k = 1; k < points.size(); ++k) {
            const PointSample &a = points[k - 1], &b = points[k];
            if ((a.y > 0) != (b.y > 0)) zeros.push_back(a.x + a.y / (a.y - b.y) * (b.x - a.x));
        }
        for (const double sign : {-1.0, 1.0}) {
            const auto zero = std::min_element(zeros.begin(), zeros.end(), [&](double a, double b) {
                return std::fabs(a - sign * row.zero) < std::fabs(b - sign * row.zero);
            });
            ASSERT_NE(zero, zeros.end());
            EXPECT_NEAR(x.Read(*zero), sign * row.zero, 1e-3 * row.zero) << sign;
        }
    }
}

} // namespace
} // namespace tervane
