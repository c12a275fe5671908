#include "scene/AxesGeometry.h"
#include "core/MaterialPresets.h"

#include <gtest/gtest.h>

#include <cmath>
#include <locale>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace tervane {
namespace {

using G = AxesGeometry;
using PassKind = G::PassKind;
using Texts = std::vector<std::string>;

const G::Colour kRed{1, 0, 0}, kBlack{0, 0, 0}, kBlue{0, 0, 1};

CBox Box(float minX, float maxX, float minY, float maxY, float minZ, float maxZ) {
    return CBox{minX, maxX, minY, maxY, minZ, maxZ};
}

CAxes Defaults() {
    CAxes axes;
    axes.SetDefault();
    return axes;
}

void ExpectNear(const G::Point& actual, const G::Point& expected, const std::string& what) {
    EXPECT_NEAR(actual.x, expected.x, 1e-4) << what;
    EXPECT_NEAR(actual.y, expected.y, 1e-4) << what;
    EXPECT_NEAR(actual.z, expected.z, 1e-4) << what;
}

Texts TextsOf(const std::vector<G::Label>& labels) {
    Texts texts;
    for (const G::Label& label : labels) {
        texts.push_back(label.text);
    }
    return texts;
}

TEST(AxisNumberFormatTest, OneDecimalWithGroupingAndSign) {
    const AxisNumberFormat english;             // ".", ",", groups of 3
    const AxisNumberFormat german{",", ".", 3}; // decimal comma
    const AxisNumberFormat classic = AxisNumberFormat::FromLocale(std::locale::classic());
    struct Row {
        const AxisNumberFormat* format;
        double value;
        const char* text;
    };
    const Row rows[] = {
        {&english, 0.0, "0.0"},
        {&english, -10.0, "-10.0"},
        {&english, -2.54f, "-2.5"},
        {&english, 0.05, "0.1"}, // halves away from zero
        {&english, -0.05, "-0.1"},
        {&english, -0.04, "0.0"}, // no "-0.0"
        {&english, 999.96, "1,000.0"},
        {&english, -1234567.25, "-1,234,567.3"},
        {&german, -1234.56, "-1.234,6"},
        {&classic, -12345.67, "-12345.7"},
        {&english, 1e20, "100,000,000,000,000,000,000.0"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(row.format->Format(row.value), row.text) << row.value;
    }
}

TEST(LabelUnitTest, UnitSteps) {
    const std::pair<float, float> rows[] = {{0.404f, 1}, {0.49f, 1}, {0.5f, 2},
                                            {2.4f, 5},   {2.5f, 10}, {3.0f, 10},
                                            {5.0f, 15},  {-3.0f, 1}, {NAN, 1}};
    for (const auto& [base, unit] : rows) {
        EXPECT_FLOAT_EQ(LabelUnit(base), unit) << base;
    }
}

TEST(AxesDrawTest, OnlyKnownKindsDraw) {
    const CBox box = Box(-1, 1, -1, 1, -1, 1);
    for (std::int32_t kind : {0, 8, -1}) {
        EXPECT_TRUE(AxesDraw(Defaults(), box, kind).Empty()) << kind;
    }
    for (std::int32_t kind = 1; kind <= 7; ++kind) {
        EXPECT_FALSE(AxesDraw(Defaults(), box, kind).Empty()) << kind;
    }
}

TEST(AxesBoxStyleTest, XLabelsAndLinesRunAlongTheBoxDepth) {
    CAxes axes = Defaults();
    axes.ShowXZXGrid = axes.ShowYZZGrid = false; // leaves the floor's X lines at constant y, z
    const G geometry = AxesDraw(axes, Box(-3, 3, -2, 2, -10, 10), 3);
    Texts xLabels;
    for (const G::Label& label : geometry.AllLabels()) {
        if (label.font == G::Font::OutlineLabel && label.rotation == G::Rotation{90, 0, 1, 0}) {
            xLabels.push_back(label.text);
        }
    }
    EXPECT_EQ(xLabels, (Texts{"-10.0", "0.0", "10.0"}));
    std::vector<float> floorX;
    for (const G::Line& line : geometry.Find(PassKind::Grid)->lines) {
        if (line.from.y == -2 && line.to.y == -2 && line.from.z == line.to.z) {
            floorX.push_back(line.from.z);
        }
    }
    EXPECT_EQ(floorX, (std::vector<float>{-10, 0, 10}));
    EXPECT_EQ(geometry.Find(PassKind::Grid)->state, (G::State{false, false, true, std::nullopt}));
    EXPECT_EQ(geometry.passes.back().state.lighting, true);
}

TEST(AxesBoxStyleTest, PanelsApplyTheirMaterialsEvenWhenHidden) {
    CAxes axes = Defaults();
    axes.YZPanelMaterial = 1;
    axes.XZPanelMaterial = 99; // no such preset: the shared material keeps the previous values
    axes.XYPanelMaterial = 13;
    axes.XZPanelColor = 0x0000FF;
    for (bool show : {false, true}) {
        axes.ShowXYPanel = axes.ShowXZPanel = axes.ShowYZPanel = show;
        const G geometry = AxesDraw(axes, Box(-1, 2, -3, 4, -5, 6), 3);
        ASSERT_EQ(geometry.passes[2].kind, PassKind::Panel);
        const float shine[] = {FindMaterialPreset(1)->shininess, FindMaterialPreset(1)->shininess,
                               FindMaterialPreset(13)->shininess};
        for (int i = 0; i < 3; ++i) {
            ASSERT_TRUE(geometry.passes[i].material);
            EXPECT_FLOAT_EQ(geometry.passes[i].material->shininess, shine[i]);
        }
        const auto quads = geometry.AllQuads();
        ASSERT_EQ(quads.size(), show ? 3u : 0u);
        if (show) { // back (z = MinZ), side (x = MinX), floor (y = MinY), in that order
            EXPECT_EQ(quads[0].corners[2], (G::Point{2, 4, -5}));
            EXPECT_EQ(quads[1].corners[2], (G::Point{-1, 4, 6}));
            EXPECT_EQ(quads[2].corners[2], (G::Point{2, -3, 6}));
            EXPECT_EQ(quads[1].normal, (G::Point{1, 0, 0}));
            EXPECT_EQ(quads[1].colours[3], kRed);
        }
    }
}

TEST(AxesBoxStyleTest, EachGridFlagHidesItsFamilyOnly) {
    // LabelNum X 2, Y 3, Z 4: each family has LabelNum + 1 lines, distinct per direction.
    const std::pair<bool CAxes::*, std::size_t> rows[] = {
        {&CAxes::ShowYZYGrid, 4}, {&CAxes::ShowYZZGrid, 5}, {&CAxes::ShowXZXGrid, 3},
        {&CAxes::ShowXZZGrid, 5}, {&CAxes::ShowXYXGrid, 3}, {&CAxes::ShowXYYGrid, 4}};
    CAxes axes = Defaults();
    axes.LabelNumX = 2;
    axes.LabelNumY = 3;
    axes.LabelNumZ = 4;
    const CBox box = Box(0, 3, 0, 4, 0, 2);
    EXPECT_EQ(AxesDraw(axes, box, 3).Find(PassKind::Grid)->lines.size(), 24u);
    for (const auto& [flag, lines] : rows) {
        CAxes hidden = axes;
        hidden.*flag = false;
        EXPECT_EQ(AxesDraw(hidden, box, 3).Find(PassKind::Grid)->lines.size(), 24u - lines);
    }
}

TEST(AxesBoxStyleTest, TicksLabelsAndTitlesSitWhereTheyAreRead) {
    CAxes axes = Defaults();
    axes.TitleX = "Re";
    axes.TitleY = "Imag";
    axes.TitleZ = "Mag.w";
    const CBox box = Box(-2, 2, -1, 3, 0, 8);
    const G geometry = AxesDraw(axes, box, 3);
    // Text, offsets and ticks are measured in a fourteenth of the largest side.
    const float u = 8.0f / 14.0f;
    ASSERT_FLOAT_EQ(static_cast<float>(BoxTextUnit(box)), u);

    const auto& ticks = geometry.Find(PassKind::Ticks)->lines;
    ASSERT_EQ(ticks.size(), 9u); // X, Y, Z ticks for k = 0..2, black
    EXPECT_EQ(ticks[1].colour, kBlack);
    ExpectNear(ticks[1].to, {2, -1 - 0.3f * u, 4}, "x tick");
    ExpectNear(ticks[4].to, {0, -1 - 0.3f * u, 8}, "y tick");
    ExpectNear(ticks[8].to, {-2 - 0.3f * u, 3, 8}, "z tick");

    const auto& labels = geometry.Find(PassKind::Text)->labels;
    EXPECT_EQ(TextsOf(labels), (Texts{"-2.0", "0.0", "2.0", "Imag", "-1.0", "1.0", "3.0", "Mag.w",
                                      "0.0", "4.0", "8.0", "Re"}));
    for (const G::Label& label : labels) {
        EXPECT_EQ(label.colour, kBlue);
        EXPECT_FLOAT_EQ(label.scale, u);
    }
    ExpectNear(labels[1].position, {-u, -1 - 1.3f * u, 8}, "Y label");
    EXPECT_EQ(labels[3].font, G::Font::OutlineTitle);
    ExpectNear(labels[3].position, {-2 + (4 - 4 / 3.9f * u) / 2 - u, -1 - 2.3f * u, 8}, "Y title");
    // Z labels end 0.7 u before the box, by their estimated width.
    const auto width = [u](const char* text) {
        return static_cast<float>(G::TextAdvance(text)) * G::kOutlineTextScale * u;
    };
    ExpectNear(labels[6].position, {-2 - width("3.0") - 0.7f * u, 3, 8}, "Z label");
    // The vertical title stands upright left of the widest Z label, at mid-height.
    const float leftmost = -2 - width("-1.0") - 0.7f * u;
    ExpectNear(labels[7].position, {leftmost - 0.4f * u - width("Mag.w"), 1 - 0.4f * u, 8},
               "Z title");
    EXPECT_EQ(labels[7].rotation, G::Rotation{});
    ExpectNear(labels[9].position, {2, -1 - 1.3f * u, 4}, "X label");
    ExpectNear(labels[11].position, {2, -1 - 2.3f * u, (8 + 2 / 3.9f * u) / 2 - 0.5f * u},
               "X title");
    EXPECT_EQ(labels[11].rotation, (G::Rotation{90, 0, 1, 0}));

    // A box drawn scaled shows the values, not the drawn coordinates.
    EXPECT_EQ(TextsOf(AxesDraw(axes, box, 3, 1.0f, {}, {2.0f, 0.5f, 4.0f}).AllLabels()),
              (Texts{"-1.0", "0.0", "1.0", "Imag", "-2.0", "2.0", "6.0", "Mag.w", "0.0", "1.0",
                     "2.0", "Re"}));
}

TEST(AxesBoxStyleTest, LabelCountsOutsideOneToFiveHundredAreHeldThere) {
    const std::pair<std::int32_t, std::size_t> rows[] = {
        {0, 2}, {-5, 2}, {1, 2}, {500, 501}, {100000, 501}};
    for (const auto& [stored, lines] : rows) {
        CAxes axes = Defaults();
        axes.ShowYZZGrid = axes.ShowXZXGrid = axes.ShowXZZGrid = false;
        axes.ShowXYXGrid = axes.ShowXYYGrid = false;
        axes.LabelNumY = stored;
        const G geometry = AxesDraw(axes, Box(-1, 1, -1, 1, -1, 1), 3);
        const auto& grid = geometry.Find(PassKind::Grid)->lines;
        ASSERT_EQ(grid.size(), lines) << stored;
        EXPECT_EQ(grid.back().from.x, 1.0f) << stored; // finite, and the last at MaxX
    }
}

TEST(AxesBoxStyleTest, KindsTwoAndFiveLeaveOutOnlyTheXMarks) {
    CAxes axes = Defaults();
    axes.AxisStyle = 2; // not consulted by these kinds
    const CBox box = Box(-1, 1, -1, 1, -1, 1);
    for (std::int32_t kind : {2, 5}) {
        const G geometry = AxesDraw(axes, box, kind);
        EXPECT_EQ(geometry.Find(PassKind::Grid)->lines.size(), 18u);
        EXPECT_EQ(geometry.Find(PassKind::Ticks)->lines.size(), 6u);
        EXPECT_EQ(TextsOf(geometry.AllLabels()),
                  (Texts{"-1.0", "0.0", "1.0", "Y", "-1.0", "0.0", "1.0", "Z"}));
    }
}

TEST(AxesOriginStyleTest, AxesReachTwoBeyondTheBoxGrownToTheOrigin) {
    const std::tuple<CBox, float, float> rows[] = {
        {Box(1, 5, 1, 5, 1, 5), -2, 7},
        {Box(-5, -1, -5, -1, -5, -1), -7, 2},
        {Box(-3, 4, -3, 4, -3, 4), -5, 6},
    };
    CAxes axes = Defaults();
    axes.AxisStyle = 2;
    for (const auto& [box, from, to] : rows) {
        const G geometry = AxesDraw(axes, box, 6);
        const auto lines = geometry.AllLines();
        ASSERT_EQ(lines.size(), 3u);
        EXPECT_EQ(lines[0].from, (G::Point{from, 0, 0}));
        EXPECT_EQ(lines[0].to, (G::Point{to, 0, 0}));
        EXPECT_EQ(lines[2].from, (G::Point{0, 0, from}));
        EXPECT_EQ(lines[2].colour, kBlue);
        const G::Pass& arrows = *geometry.Find(PassKind::Arrows);
        ASSERT_EQ(arrows.cones.size(), 3u);
        EXPECT_EQ(arrows.cones[0].base, (G::Point{to, 0, 0}));
        EXPECT_EQ(arrows.cones[0].rotation, (G::Rotation{90, 0, 1, 0}));
        EXPECT_EQ(arrows.cones[2].colour, kRed);
    }
}

TEST(AxesColourMapTest, FrameTicksAndLabelsInTheMapPlane) {
    CAxes axes = Defaults();
    axes.AxisColor = 0x0000FF;
    axes.AxisWidth = 3;
    // x -2.04..2.04 across, z -10.5..0.5 up, in the plane at MinY = 0.
    const G geometry = AxesDraw(axes, Box(-2.04f, 2.04f, 0, 1, -10.5f, 0.5f), 7);
    const auto& lines = geometry.Find(PassKind::Frame)->lines;
    ASSERT_EQ(lines.size(), 5u + 11u + 4u); // x ticks -2..2, z ticks -10..0, four sides
    ExpectNear(lines[0].to, {-2, -10.8f, 0}, "first x tick");
    ExpectNear(lines[5].to, {-2.34f, -10, 0}, "first z tick");
    for (std::size_t i = 16; i < 20; ++i) {
        EXPECT_EQ(lines[i].colour, kRed);
        EXPECT_EQ(lines[i].width, 3.0f);
        EXPECT_EQ(lines[i].from, lines[i == 16 ? 19 : i - 1].to); // a closed rectangle
    }
    ExpectNear(lines[17].to, {2.04f, 0.5f, 0}, "top right corner");

    const auto& labels = geometry.Find(PassKind::Text)->labels;
    ASSERT_EQ(labels.size(), 5u + 11u + 2u);
    // X labels move left by their length: two characters 0.3, one 0.15.
    EXPECT_EQ(labels[0].text, "-2");
    ExpectNear(labels[0].position, {-2.3f, -11.5f, 0}, "label -2");
    ExpectNear(labels[2].position, {-0.15f, -11.5f, 0}, "label 0");
    EXPECT_EQ(labels[5].text, "-10");
    ExpectNear(labels[5].position, {-2.04f - (3 / 3.9f + 0.35f) - 0.2f, -10, 0}, "label -10");
    ExpectNear(labels[16].position, {0, -12.3f, 0}, "x title");
    ExpectNear(labels[17].position, {-3.74f, -5, 0}, "y title");
    EXPECT_EQ(TextsOf({labels[16], labels[17]}), (Texts{"X", "Y"}));
}

TEST(AxesColourMapTest, UnusableBoxesKeepTheFrameAndDropTheTicks) {
    for (const CBox& box : {Box(NAN, 1, 0, 0, 0.2f, 0.8f), Box(-1e30f, 1e30f, 0, 0, -1e30f, 1e30f),
                            Box(0.2f, 0.8f, 0, 0, 0.2f, 0.8f)}) {
        const G geometry = AxesDraw(Defaults(), box, 7);
        EXPECT_EQ(geometry.Find(PassKind::Frame)->lines.size(), 4u);
        EXPECT_EQ(geometry.AllLabels().size(), 2u); // the two titles
    }
}

TEST(AxesTwoDimensionalTest, LabelsCountUnitsFromTheOrigin) {
    const std::tuple<bool, CBox, float, Texts> rows[] = {
        {false,
         Box(-3, 3, -2, 2, 0, 4),
         0.404f,
         {"0", "-3", "-2", "-1", "1", "2", "3", "-2", "-1", "1", "2"}},
        {true, Box(-3.1416f, 6.2832f, -1, 1, 0, 4), 0.404f, {"0", "-pi", "pi", "2pi", "-1", "1"}},
        {false, Box(-20, 10, 0, 30, 0, 1), 3.0f, {"0", "-20", "-10", "10", "10", "20", "30"}},
    };
    for (const auto& [pi, box, base, texts] : rows) {
        CAxes axes;
        axes.ShowPI = pi;
        EXPECT_EQ(TextsOf(AxesDraw(axes, box, 1, base).AllLabels()), texts);
        EXPECT_EQ(TextsOf(AxesDraw(axes, box, 4, base).AllLabels()), texts);
    }
}

TEST(AxesTwoDimensionalTest, AxesTicksAndArrowsInTheGraphsCoordinates) {
    CAxes axes;
    axes.AxisColor = 0xFF0000;
    axes.AxisWidth = 2;
    axes.ShowSecondaryLabel = false;
    // Base 0.5, unit 2: X -4..4 is two units a side, ticks at -4, -2, 2, 4; the marks are
    // measured in bases (overhang 2, axis end 2.35, arrow tip 2.4).
    const G plain = AxesDraw(axes, Box(-4, 4, -2, 2, 0, 1), 1, 0.5f);
    const G::Pass& pass = *plain.Find(PassKind::Axes);
    ASSERT_EQ(pass.lines.size(), 2u + 4u + 2u); // two axes, X ticks, Y ticks
    EXPECT_EQ(pass.lines[0].from, (G::Point{-5, 0, 0}));
    EXPECT_EQ(pass.lines[0].to, (G::Point{5.175f, 0, 0}));
    EXPECT_EQ(pass.lines[0].colour, kBlue);
    EXPECT_EQ(pass.lines[0].width, 2.0f);
    EXPECT_EQ(pass.lines[2].from, (G::Point{-4, 0, 0}));
    EXPECT_EQ(pass.lines[2].to, (G::Point{-4, -0.15f, 0}));
    EXPECT_EQ(pass.triangles.at(1).corners[0], (G::Point{0, 3.2f, 0}));

    // Data far smaller than 1 keeps the unit 1 and the box snapped to it; the marks keep a
    // tenth of the unit instead of shrinking with the base.
    const G tiny = AxesDraw(axes, Box(-1, 1, -1, 1, 0, 1), 1, 0.001f);
    EXPECT_EQ(tiny.Find(PassKind::Axes)->lines[2].to, (G::Point{-1, -0.03f, 0}));

    axes.ShowSecondaryLabel = true; // four marks in each of the 4 + 2 unit intervals
    const G marked = AxesDraw(axes, Box(-4, 4, -2, 2, 0, 1), 1, 0.5f);
    EXPECT_EQ(marked.Find(PassKind::Axes)->lines.size(), pass.lines.size() + 24u);

    axes.ShowPI = axes.ShowprimaryGrid = true; // pi steps over a huge box stay bounded
    const CBox huge = Box(-1e30f, 1e30f, -1e30f, 1e30f, 0, 1);
    EXPECT_LE(AxesDraw(axes, huge, 1, 1.0f).AllLabels().size(), 4001u);
    EXPECT_LE(AxesDraw2DGrid(axes, huge, 1.0f).AllLines().size(), 4002u);
}

TEST(AxesBackgroundTest, CornerColoursByStyle) {
    const G::Colour c1{0, 1, 0}, c2{1, 1, 1}, m{0.5f, 1, 0.5f};
    struct Row {
        int style;
        G::Colour bl, br, tl, tr, centre;
    };
    const Row rows[] = {
        {1, c1, c1, c1, c1, c1},  {2, c1, c1, c2, c2, m},   {3, c2, c2, c1, c1, m},
        {6, c2, c1, c2, c1, m},   {7, c1, c2, c1, c2, m},   {10, m, c1, c2, m, m},
        {11, m, c2, c1, m, m},    {12, c1, c2, c2, c1, c1}, {13, c2, c1, c1, c2, c2},
        {14, c1, m, m, c2, m},    {15, c2, m, m, c1, m},    {16, c2, c1, c1, c2, c1},
        {17, c1, c2, c2, c1, c2}, {18, c1, c1, c1, c1, c2}, {19, c2, c2, c2, c2, c1},
        {0, c1, c1, c1, c1, c1},  {20, c1, c1, c1, c1, c1},
    };
    CAxes axes;
    EXPECT_TRUE(AxesDrawBackground(axes, Box(-3, 3, -2, 2, 0, 1), 1.0f).Empty());
    axes.ShowBackground = true;
    for (const Row& row : rows) {
        axes.BackStyle = row.style;
        const auto t = AxesDrawBackground(axes, Box(-3, 3, -2, 2, 0, 1), 1.0f).AllTriangles();
        ASSERT_EQ(t.size(), 4u) << row.style;
        // (BL, BR, C), (BL, C, TL), (TL, C, TR), (BR, TR, C)
        const G::Colour seen[] = {t[0].colours[0], t[0].colours[1], t[1].colours[2],
                                  t[2].colours[2], t[0].colours[2]};
        const G::Colour want[] = {row.bl, row.br, row.tl, row.tr, row.centre};
        for (int i = 0; i < 5; ++i) {
            EXPECT_EQ(seen[i], want[i]) << "style " << row.style << " corner " << i;
        }
    }
}

TEST(AxesBackgroundTest, BandsAndShadow) {
    CAxes axes;
    axes.ShowBackground = axes.ShowShadow = true;
    axes.BackColor = 0x0000FF;  // red
    axes.BackColor2 = 0xFF0000; // blue
    const std::tuple<int, bool, G::Colour, G::Colour> rows[] = {{4, true, kBlue, kRed},
                                                                {5, true, kRed, kBlue},
                                                                {8, false, kBlue, kRed},
                                                                {9, false, kRed, kBlue}};
    for (const auto& [style, horizontal, edge, middle] : rows) {
        axes.BackStyle = style;
        // Base 2: a margin of 5.1 bases, L = -6 - 10.2 = -16.2, R = 16.2, B = -12.2, T = 12.2;
        // the shadow 0.8 bases off.
        const G geometry = AxesDrawBackground(axes, Box(-6, 6, -2, 2, 0, 1), 2.0f);
        const G::Pass& pass = *geometry.Find(PassKind::Background);
        EXPECT_EQ(pass.state, (G::State{false, std::nullopt, std::nullopt, true}));
        ASSERT_EQ(pass.quads.size(), 3u) << style;
        ExpectNear(pass.quads[0].corners[0], {-14.6f, -10.6f, 0}, "shadow");
        const G::Quad& band = pass.quads[1];
        ExpectNear(band.corners[0], {-16.2f, -12.2f, 0}, "band start");
        EXPECT_EQ(band.colours[0], edge) << style;
        EXPECT_EQ(band.colours[2], middle) << style;
        EXPECT_EQ(horizontal ? band.corners[2].y : band.corners[2].x, 0.0f) << style;
    }
}

TEST(AxesGridTest, PrimaryGridSpacedByTheUnitBeyondTheBounds) {
    CAxes axes;
    EXPECT_TRUE(AxesDraw2DGrid(axes, Box(-3, 3, -2, 2, 0, 1), 0.5f).Empty());
    axes.ShowprimaryGrid = true;
    const auto lines = AxesDraw2DGrid(axes, Box(-3, 3, -2, 2, 0, 1), 0.5f).AllLines(); // unit 2
    // Lines at -1, 0, 1 units: x = -2, 0, 2, then y = -2, 0, 2, running 2 bases (1) beyond.
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0].from, (G::Point{-2, -3, 0}));
    EXPECT_EQ(lines[0].to, (G::Point{-2, 3, 0}));
    EXPECT_EQ(lines[4].from, (G::Point{-4, 0, 0}));
    EXPECT_EQ(lines[4].to, (G::Point{4, 0, 0}));
    EXPECT_EQ(lines[0].colour, (G::Colour{0, 1, 0}));
}

} // namespace
} // namespace tervane
