#include "contour/CContour.h"
#include "contour/ContourRecorder.h"
#include "contour/detail/ContourLevels.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <map>
#include <random>
#include <set>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

namespace tervane {
namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr double kTol = 2e-6;

// A field of nx by ny nodes, addressed from 1 as the tracer counts them.
struct Field {
    int nx = 0;
    int ny = 0;
    std::vector<float> z;

    static Field Of(int nx, int ny, const std::function<float(int, int)>& f) {
        Field field{nx, ny, {}};
        for (int i = 1; i <= nx; ++i)
            for (int j = 1; j <= ny; ++j)
                field.z.push_back(f(i, j));
        return field;
    }
    float& At(int i, int j) { return z[static_cast<std::size_t>((i - 1) * ny + (j - 1))]; }
};

// Unit spacing and no offset put node (i, j) at (i, j); first colour red, second blue.
ContourRecorder Trace(const Field& field, int lngLevel, int fillStyle = 0,
                      int sceneKind = kSceneColorMap) {
    ContourRecorder recorder;
    CContour().Contour(field.nx, field.ny, 1.0f, 1.0f, field.z, 0.0f, 0.0f, 0.0f, lngLevel,
                       fillStyle, 0x0000FF, 0xFF0000, sceneKind, recorder);
    return recorder;
}

std::vector<std::size_t> SegmentsPerLevel(const ContourRecorder& recorder) {
    std::vector<std::size_t> counts;
    for (const auto& lines : recorder.Levels())
        counts.push_back(lines.segments.size());
    return counts;
}

void ExpectNear(const ContourVertex& v, double x, double y, double z) {
    EXPECT_NEAR(v.x, x, kTol);
    EXPECT_NEAR(v.y, y, kTol);
    EXPECT_NEAR(v.z, z, kTol);
}

TEST(CContour, RampGivesStraightLinesFromBottomToTopGradedInColour) {
    // z(i, j) = i: levels 1..5. Every node lies on a level and is lifted by 0.00001, so level 1
    // has nothing below it and each other level L is the line i = L - 0.00001.
    const Field field = Field::Of(5, 5, [](int i, int) { return static_cast<float>(i); });
    const ContourRecorder recorder = Trace(field, 4);
    ASSERT_EQ(SegmentsPerLevel(recorder), (std::vector<std::size_t>{0, 4, 4, 4, 4}));
    for (int k = 0; k < 5; ++k) {
        const ContourLevelLines& lines = recorder.Levels()[static_cast<std::size_t>(k)];
        EXPECT_EQ(lines.level, static_cast<float>(k + 1));
        EXPECT_DOUBLE_EQ(lines.r, k / 4.0);
        EXPECT_DOUBLE_EQ(lines.b, 1.0 - k / 4.0);
        for (std::size_t s = 0; s < lines.segments.size(); ++s) {
            ExpectNear(lines.segments[s].from, k + 1 - 0.00001, 1.0 + s, 0.0);
            ExpectNear(lines.segments[s].to, k + 1 - 0.00001, 2.0 + s, 0.0);
        }
    }
    const ContourRecorder single = Trace(field, 4, CContour::SingleColourFillStyle);
    for (const auto& lines : single.Levels())
        EXPECT_EQ(lines.b, 1.0) << "the second colour at every level";
    // The caller's grid is read only, so drawing again cannot drift.
    EXPECT_EQ(field.z, Field::Of(5, 5, [](int i, int) { return static_cast<float>(i); }).z);
}

TEST(CContour, PeakGivesAClosedRingFromTheInteriorPass) {
    // Lifted centre 1.00001 on a rim of 0.00001; the ring at 0.5 starts on V(2, 1).
    const Field field =
        Field::Of(3, 3, [](int i, int j) { return i == 2 && j == 2 ? 1.0f : 0.0f; });
    const ContourRecorder recorder = Trace(field, 2);
    ASSERT_EQ(SegmentsPerLevel(recorder), (std::vector<std::size_t>{0, 4, 4}));
    const auto& ring = recorder.Levels()[1].segments;
    ExpectNear(ring[0].from, 2.0, 1.49999, 0.0);
    ExpectNear(ring[1].from, 2.50001, 2.0, 0.0);
    ExpectNear(ring[2].from, 2.0, 2.50001, 0.0);
    ExpectNear(ring[3].from, 1.49999, 2.0, 0.0);
    for (std::size_t s = 0; s < 4; ++s)
        EXPECT_EQ(ring[s].to, ring[(s + 1) % 4].from);
}

TEST(CContour, SceneKindAndGeometryPlaceTheVertices) {
    // Node (i, j) at (x0 + i·dx, y0 + j·dy); level 0.5 halves the lifted 0.00001..1.00001 edges.
    const std::vector<float> z{0, 0, 1, 1};
    auto level_half = [&](int sceneKind) {
        ContourRecorder recorder;
        CContour().Contour(2, 2, 0.5f, 2.0f, z, 10.0f, -4.0f, -3.0f, 2, 0, 0, 0, sceneKind,
                           recorder);
        return recorder.Levels().empty() ? std::vector<ContourSegment>{}
                                         : recorder.Levels()[1].segments;
    };
    const double x = 10.0 + 1.49999 * 0.5;
    ASSERT_EQ(level_half(kSceneColorMap).size(), 1u);
    ExpectNear(level_half(kSceneColorMap)[0].from, x, -2.0, -3.0);
    ExpectNear(level_half(kSceneColorMap)[0].to, x, 0.0, -3.0);
    ExpectNear(level_half(kScene3D)[0].to, x, -3.0 + 0.1, 0.0);
    EXPECT_TRUE(level_half(13).empty());
}

TEST(CContour, BadArgumentsThrowBeforeAnythingIsSent) {
    const std::vector<float> z(9, 1.0f);
    ContourRecorder recorder;
    const int map = kSceneColorMap;
    EXPECT_THROW(CContour().Contour(3, 3, 1, 1, z, 0, 0, 0, 0, 0, 0, 0, map, recorder),
                 std::domain_error);
    EXPECT_THROW(CContour().Contour(3, 4, 1, 1, z, 0, 0, 0, 2, 0, 0, 0, map, recorder),
                 std::invalid_argument);
    EXPECT_THROW(CContour().Contour(-3, -3, 1, 1, z, 0, 0, 0, 2, 0, 0, 0, map, recorder),
                 std::invalid_argument);
    EXPECT_TRUE(recorder.Levels().empty());
}

struct CountCase {
    std::string name;
    Field field;
    int lngLevel;
    std::vector<std::size_t> segmentsPerLevel; // one entry per level begun
};

class SegmentCounts : public ::testing::TestWithParam<CountCase> {};

TEST_P(SegmentCounts, PerLevel) {
    const ContourRecorder recorder = Trace(GetParam().field, GetParam().lngLevel);
    EXPECT_EQ(SegmentsPerLevel(recorder), GetParam().segmentsPerLevel);
    for (const auto& lines : recorder.Levels())
        EXPECT_TRUE(std::isfinite(lines.r + lines.g + lines.b));
}

Field RampWithHoles(int nx, int ny, std::initializer_list<std::pair<int, int>> holes) {
    Field field = Field::Of(nx, ny, [](int i, int) { return static_cast<float>(i); });
    for (const auto& [i, j] : holes)
        field.At(i, j) = kNaN;
    return field;
}

INSTANTIATE_TEST_SUITE_P(
    Contour, SegmentCounts,
    ::testing::Values(
        CountCase{"AllNaN", Field::Of(4, 4, [](int, int) { return kNaN; }), 3, {}},
        CountCase{"Constant", Field::Of(4, 4, [](int, int) { return 2.5f; }), 3, {0}},
        CountCase{"OneValidPoint",
                  Field::Of(3, 3, [](int i, int j) { return i == 2 && j == 2 ? 1.0f : kNaN; }),
                  2,
                  {0}},
        CountCase{
            "SingleRow", Field::Of(5, 1, [](int i, int) { return float(i); }), 4, {0, 0, 0, 0, 0}},
        CountCase{
            "NegativeLevelCount", Field::Of(3, 3, [](int i, int) { return float(i); }), -2, {}},
        // The ramp's lines at i = 2..5 lose the cells that touch an invalid node; their pieces
        // are traced from the outer sides, or from the holes' rims when they touch no side.
        CountCase{"CentreHole", RampWithHoles(5, 5, {{3, 3}}), 4, {0, 4, 2, 2, 4}},
        CountCase{"CornerHole", RampWithHoles(5, 5, {{1, 1}}), 4, {0, 3, 4, 4, 4}},
        CountCase{
            "PieceBetweenTwoHoles", RampWithHoles(5, 7, {{3, 2}, {3, 6}}), 4, {0, 6, 2, 2, 6}},
        // No fixed node limit: levels 1, 350.5, 700 along either index.
        CountCase{
            "LongAlongI", Field::Of(700, 2, [](int i, int) { return float(i); }), 2, {0, 1, 0}},
        CountCase{
            "LongAlongJ", Field::Of(2, 700, [](int, int j) { return float(j); }), 2, {0, 1, 0}}),
    [](const auto& info) { return info.param.name; });

TEST(CContour, NodeLiftedOntoALevelDrawsNoStrayLine) {
    // Node (2, 2) at 0.99999 is lifted exactly onto level 1, leaving cells with one crossing:
    // a trace entering them has no edge to leave by and must end, not run off the grid.
    Field field = Field::Of(3, 3, [](int i, int) { return static_cast<float>(i - 1); });
    field.At(2, 2) = 0.99999f;
    Field lifted = field;
    detail::LiftNodesOffLevels(lifted.z, detail::ComputeLevels(field.z, 2));
    ASSERT_EQ(lifted.At(2, 2), 1.0f);
    const ContourRecorder recorder = Trace(field, 2);
    for (const auto& lines : recorder.Levels())
        for (const auto& s : lines.segments)
            for (const ContourVertex& v : {s.from, s.to})
                EXPECT_TRUE(v.x >= 1 && v.x <= 3 && v.y >= 1 && v.y <= 3) << v.x << ", " << v.y;
}

// Structural checks on general fields: every crossing of a level with an edge of a usable
// cell is drawn, at most twice as an end point (once per neighbouring segment), where linear
// interpolation along its edge meets the level; no segment lies in a cell with an invalid corner.
struct ShapeCase {
    std::string name;
    Field field;
    int lngLevel;
};

Field RandomField(int nx, int ny, unsigned seed, double nanShare) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<float> value(-1.0f, 1.0f);
    std::uniform_real_distribution<double> pick(0.0, 1.0);
    return Field::Of(nx, ny, [&](int, int) { return pick(rng) < nanShare ? kNaN : value(rng); });
}

class TracedShapes : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(TracedShapes, EveryCrossingDrawnOnceOnItsEdge) {
    Field field = GetParam().field;
    const detail::ContourLevels levels = detail::ComputeLevels(field.z, GetParam().lngLevel);
    const ContourRecorder recorder = Trace(field, GetParam().lngLevel);
    Field lifted = field;
    detail::LiftNodesOffLevels(lifted.z, levels);
    auto valid = [&](int i, int j) {
        return i >= 1 && i < field.nx && j >= 1 && j < field.ny && std::isfinite(field.At(i, j)) &&
               std::isfinite(field.At(i + 1, j)) && std::isfinite(field.At(i, j + 1)) &&
               std::isfinite(field.At(i + 1, j + 1));
    };
    using EdgeKey = std::tuple<bool, int, int>; // (is V, i, j)

    std::size_t index = 0;
    levels.ForEach([&](int, float level) {
        auto crosses = [&](float a, float b) { return (a - level) * (b - level) < 0; };
        std::set<EdgeKey> expected;
        for (int i = 1; i <= field.nx; ++i) {
            for (int j = 1; j <= field.ny; ++j) {
                if (i < field.nx && (valid(i, j - 1) || valid(i, j)) &&
                    crosses(lifted.At(i, j), lifted.At(i + 1, j)))
                    expected.insert({false, i, j});
                if (j < field.ny && (valid(i - 1, j) || valid(i, j)) &&
                    crosses(lifted.At(i, j), lifted.At(i, j + 1)))
                    expected.insert({true, i, j});
            }
        }
        std::map<EdgeKey, int> uses;
        for (const auto& s : recorder.Levels().at(index++).segments) {
            for (const ContourVertex& v : {s.from, s.to}) {
                const bool onV = v.x == std::floor(v.x);
                const int i = static_cast<int>(std::floor(v.x));
                const int j = static_cast<int>(std::floor(v.y));
                const float a = lifted.At(i, j);
                const float b = onV ? lifted.At(i, j + 1) : lifted.At(i + 1, j);
                EXPECT_NEAR(a + (onV ? v.y - j : v.x - i) * (b - a), level, 1e-5);
                ++uses[{onV, i, j}];
            }
            EXPECT_TRUE(valid(static_cast<int>(std::floor((s.from.x + s.to.x) / 2)),
                              static_cast<int>(std::floor((s.from.y + s.to.y) / 2))));
        }
        std::set<EdgeKey> drawn;
        for (const auto& [key, count] : uses) {
            drawn.insert(key);
            EXPECT_LE(count, 2);
        }
        EXPECT_EQ(drawn, expected) << "level " << level;
    });
}

INSTANTIATE_TEST_SUITE_P(
    Contour, TracedShapes,
    ::testing::Values(
        ShapeCase{"Cone",
                  Field::Of(9, 9,
                            [](int i, int j) {
                                return -static_cast<float>(std::hypot(i - 5.0, j - 5.0));
                            }),
                  5},
        ShapeCase{
            "Saddle",
            Field::Of(8, 7, [](int i, int j) { return static_cast<float>((i - 4.3) * (j - 3.7)); }),
            6},
        ShapeCase{"TwoPeaks",
                  Field::Of(12, 8,
                            [](int i, int j) {
                                return static_cast<float>(std::exp(-std::hypot(i - 3.5, j - 4.2)) +
                                                          std::exp(-std::hypot(i - 8.6, j - 4.1)));
                            }),
                  7},
        ShapeCase{"Random", RandomField(15, 11, 7u, 0.0), 8},
        ShapeCase{"RandomWithHoles", RandomField(15, 11, 11u, 0.1), 8}),
    [](const auto& info) { return info.param.name; });

} // namespace
} // namespace tervane
