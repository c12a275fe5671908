// Background, primary grid and axes of the two-dimensional scene kinds (1 and 4). They are drawn
// in the coordinates of the graphs themselves, so that a label stands where its value is drawn.
// What has a size of its own (ticks, arrow heads, the grid's overhang, the background's margin
// and the offsets of the label texts) is measured in the label unit base U, a tenth of the
// scene's largest coordinate, so it keeps its share of a picture framed to the scene whatever the
// data's size (see MarkLength for scenes smaller than 1).

#include "scene/AxesGeometry.h"

#include "core/Codes.h"

#include "scene/detail/AxesBuild.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace tervane {

using detail::kBlack;
using detail::MakeLine;
using detail::P;

namespace {

using Pass = AxesGeometry::Pass;
using PassKind = AxesGeometry::PassKind;
using Colour = AxesGeometry::Colour;
using Point = AxesGeometry::Point;
using Rotation = AxesGeometry::Rotation;

// Label steps drawn on one side of an axis at most; the box is snapped to whole units of about a
// tenth of its size, so only a pi-labelled axis of a huge scene comes near this.
constexpr double kMaxUnitsPerSide = 1000.0;
// Ticks, arrow heads, grid overhang and background margin, in mark lengths.
constexpr double kTick = 0.3;
constexpr double kSecondaryTick = 0.15;
constexpr double kOverhang = 2.0;
constexpr double kArrowTip = 2.4;
constexpr double kAxisEnd = 2.35;
constexpr double kArrowLength = 0.4;
constexpr double kArrowHalfWidth = 0.35;
constexpr double kBackgroundMargin = 5.1;
constexpr double kShadowOffset = 0.8;
// Label texts: X labels this far below the axis, Y labels this far left of it beyond their
// estimated width.
constexpr double kLabelDrop = 1.0;
constexpr double kLabelGap = 0.35 + 0.2;

// The label unit base as a length; a broken one (zero, negative, not finite) counts as 1.
double SafeBase(float labelUnitBase) {
    const double base = labelUnitBase;
    return (std::isfinite(base) && base > 0.0) ? base : 1.0;
}

// The length the marks are measured in: the label unit base, but never less than a tenth of the
// label unit. The unit stays 1 however small the data, and so does the box snapped to it; marks
// sized by a base far below it would shrink out of sight in a picture framed to that box.
double MarkLength(float labelUnitBase) {
    const double base = SafeBase(labelUnitBase);
    return std::max(base, LabelUnit(static_cast<float>(base)) / 10.0);
}

// Whole label units that fit into extent (0 when there is none to label).
long long UnitsOnSide(double extent, double unit) {
    if (!std::isfinite(extent) || extent <= 0.0) {
        return 0;
    }
    // The box arrives snapped to whole units; the small allowance keeps the last one despite
    // rounding in the division.
    const double n = std::floor(extent / unit + 1e-4);
    return static_cast<long long>(std::min(n, kMaxUnitsPerSide));
}

// The label layout of one document: the label units, the box and how many whole units lie on
// each side of the origin, all in the graphs' coordinates; mark sizes the marks.
struct Layout {
    double mark = 1.0;
    double unitX = 1.0;
    double unitY = 1.0;
    double x0 = 0.0, x1 = 0.0, y0 = 0.0, y1 = 0.0;
    long long negX = 0, posX = 0, negY = 0, posY = 0;

    [[nodiscard]] double X(double units) const { return units * unitX; }
    [[nodiscard]] double Y(double units) const { return units * unitY; }
    // A size given in mark lengths.
    [[nodiscard]] double Size(double marks) const { return marks * mark; }
};

Layout MakeLayout(const CAxes& axes, const CBox& box, float labelUnitBase) {
    Layout layout;
    layout.mark = MarkLength(labelUnitBase);
    layout.unitY = LabelUnit(static_cast<float>(SafeBase(labelUnitBase)));
    layout.unitX = axes.ShowPI ? static_cast<double>(kRoundedPi) : layout.unitY;
    layout.x0 = box.MinX;
    layout.x1 = box.MaxX;
    layout.y0 = box.MinY;
    layout.y1 = box.MaxY;
    layout.negX = UnitsOnSide(-double{box.MinX}, layout.unitX);
    layout.posX = UnitsOnSide(box.MaxX, layout.unitX);
    layout.negY = UnitsOnSide(-double{box.MinY}, layout.unitY);
    layout.posY = UnitsOnSide(box.MaxY, layout.unitY);
    return layout;
}

// Text of the label k units from the origin (k != 0).
std::string UnitLabel(long long k, double unit, bool inPi) {
    const long long steps = k < 0 ? -k : k;
    std::string text;
    if (inPi) {
        text = steps == 1 ? "pi" : std::to_string(steps) + "pi";
    } else {
        text = detail::PlainNumberText(static_cast<double>(steps) * unit);
    }
    return k < 0 ? "-" + text : text;
}

Pass RestoreLighting() {
    Pass pass;
    pass.kind = PassKind::Restore;
    pass.state.lighting = true;
    return pass;
}

} // namespace

namespace detail {

AxesGeometry TwoDimensionalAxes(const CAxes& axes, const CBox& box, float labelUnitBase) {
    const Layout layout = MakeLayout(axes, box, labelUnitBase);
    const Colour colour = Colour::FromPacked(axes.AxisColor);
    const float width = SafeWidth(axes.AxisWidth);
    const double tip = layout.Size(kArrowTip), back = layout.Size(kArrowTip - kArrowLength);
    const double half = layout.Size(kArrowHalfWidth);
    const double tick = layout.Size(kTick), secondaryTick = layout.Size(kSecondaryTick);

    Pass lines;
    lines.kind = PassKind::Axes;
    lines.state.lighting = false;
    // The shaft stops just short of the tip so a wide line does not poke through the head.
    const double xEnd = layout.x1, yEnd = layout.y1;
    lines.triangles.push_back(
        {{P(xEnd + tip, 0, 0), P(xEnd + back, half, 0), P(xEnd + back, -half, 0)},
         {colour, colour, colour}});
    lines.triangles.push_back(
        {{P(0, yEnd + tip, 0), P(-half, yEnd + back, 0), P(half, yEnd + back, 0)},
         {colour, colour, colour}});
    lines.lines.push_back(MakeLine(P(layout.x0 - layout.Size(kOverhang), 0, 0),
                                   P(xEnd + layout.Size(kAxisEnd), 0, 0), colour, width));
    lines.lines.push_back(MakeLine(P(0, layout.y0 - layout.Size(kOverhang), 0),
                                   P(0, yEnd + layout.Size(kAxisEnd), 0), colour, width));

    for (long long k = -layout.negX; k <= layout.posX; ++k) {
        if (k != 0) {
            const double x = layout.X(static_cast<double>(k));
            lines.lines.push_back(MakeLine(P(x, 0, 0), P(x, -tick, 0), colour, width));
        }
    }
    for (long long k = -layout.negY; k <= layout.posY; ++k) {
        if (k != 0) {
            const double y = layout.Y(static_cast<double>(k));
            lines.lines.push_back(MakeLine(P(0, y, 0), P(-tick, y, 0), colour, width));
        }
    }
    if (axes.ShowSecondaryLabel) {
        constexpr double fractions[] = {0.2, 0.4, 0.6, 0.8};
        for (long long k = -layout.negX; k < layout.posX; ++k) {
            for (double f : fractions) {
                const double x = layout.X(static_cast<double>(k) + f);
                lines.lines.push_back(MakeLine(P(x, 0, 0), P(x, -secondaryTick, 0), colour, width));
            }
        }
        for (long long k = -layout.negY; k < layout.posY; ++k) {
            for (double f : fractions) {
                const double y = layout.Y(static_cast<double>(k) + f);
                lines.lines.push_back(MakeLine(P(0, y, 0), P(-secondaryTick, y, 0), colour, width));
            }
        }
    }

    // Labels sit like those of the colour map: X labels centred under their tick, one mark
    // length down; Y labels right-aligned left of the axis; "0" once, below left of the origin.
    Pass text;
    text.kind = PassKind::Text;
    auto bitmap = [&text](std::string s, double x, double y) {
        text.labels.push_back(
            {std::move(s), P(x, y, 0), Rotation{}, AxesGeometry::Font::Bitmap, kBlack});
    };
    auto leftOfAxis = [&layout](const std::string& s) {
        return -layout.Size(TextWidth(s) + kLabelGap);
    };
    const double below = -layout.Size(kLabelDrop);
    bitmap("0", leftOfAxis("0"), below);
    for (long long k = -layout.negX; k <= layout.posX; ++k) {
        if (k != 0) {
            std::string s = UnitLabel(k, layout.unitX, axes.ShowPI);
            const std::size_t chars = CharCount(s);
            const double shift = chars > 2 ? 0.45 : (chars == 2 ? 0.3 : 0.15);
            bitmap(std::move(s), layout.X(static_cast<double>(k)) - layout.Size(shift), below);
        }
    }
    for (long long k = -layout.negY; k <= layout.posY; ++k) {
        if (k != 0) {
            std::string s = UnitLabel(k, layout.unitY, false);
            const double x = leftOfAxis(s);
            bitmap(std::move(s), x, layout.Y(static_cast<double>(k)));
        }
    }

    AxesGeometry geometry;
    geometry.passes.push_back(std::move(lines));
    geometry.passes.push_back(std::move(text));
    geometry.passes.push_back(RestoreLighting());
    return geometry;
}

} // namespace detail

namespace {

enum class Shade { First, Second, Mean };

bool In(int style, std::initializer_list<int> styles) {
    return std::find(styles.begin(), styles.end(), style) != styles.end();
}

// Which colour a corner of the four-triangle background takes in a style of 1..19.
Shade CornerShade(int style, std::initializer_list<int> second, std::initializer_list<int> mean) {
    if (In(style, second)) {
        return Shade::Second;
    }
    return In(style, mean) ? Shade::Mean : Shade::First;
}

} // namespace

AxesGeometry AxesDrawBackground(const CAxes& axes, const CBox& box, float labelUnitBase) {
    if (!axes.ShowBackground) {
        return {};
    }
    const double margin = kBackgroundMargin * MarkLength(labelUnitBase);
    const double left = box.MinX - margin, right = box.MaxX + margin;
    const double bottom = box.MinY - margin, top = box.MaxY + margin;
    const double midX = (left + right) / 2.0, midY = (bottom + top) / 2.0;
    const Point bl = P(left, bottom, 0), br = P(right, bottom, 0);
    const Point tl = P(left, top, 0), tr = P(right, top, 0);
    const Point centre = P(midX, midY, 0);

    const Colour c1 = Colour::FromPacked(axes.BackColor);
    const Colour c2 = Colour::FromPacked(axes.BackColor2);
    const Colour mean{(c1.r + c2.r) / 2.0f, (c1.g + c2.g) / 2.0f, (c1.b + c2.b) / 2.0f};
    auto pick = [&](Shade shade) {
        return shade == Shade::First ? c1 : (shade == Shade::Second ? c2 : mean);
    };

    Pass pass;
    pass.kind = PassKind::Background;
    pass.state.lighting = false;
    pass.state.smoothShading = true;
    if (axes.ShowShadow) {
        const double offset = kShadowOffset * MarkLength(labelUnitBase);
        const Colour grey{0.4f, 0.4f, 0.4f};
        pass.quads.push_back(
            {{P(left + offset, bottom + offset, 0), P(right + offset, bottom + offset, 0),
              P(right + offset, top + offset, 0), P(left + offset, top + offset, 0)},
             {grey, grey, grey, grey},
             std::nullopt});
    }

    const int style = axes.BackStyle;
    if (style == 4 || style == 5) {
        // Two bands meeting at the horizontal middle: edges in one colour, the middle in the other.
        const Colour edge = style == 4 ? c2 : c1;
        const Colour middle = style == 4 ? c1 : c2;
        const Point ml = P(left, midY, 0), mr = P(right, midY, 0);
        pass.quads.push_back({{bl, br, mr, ml}, {edge, edge, middle, middle}, std::nullopt});
        pass.quads.push_back({{ml, mr, tr, tl}, {middle, middle, edge, edge}, std::nullopt});
    } else if (style == 8 || style == 9) {
        const Colour edge = style == 8 ? c2 : c1;
        const Colour middle = style == 8 ? c1 : c2;
        const Point mb = P(midX, bottom, 0), mt = P(midX, top, 0);
        pass.quads.push_back({{bl, mb, mt, tl}, {edge, middle, middle, edge}, std::nullopt});
        pass.quads.push_back({{mb, br, tr, mt}, {middle, edge, edge, middle}, std::nullopt});
    } else {
        // A style outside the known ones would otherwise take whatever colour GL was left with;
        // it is drawn in the first colour alone instead.
        Colour cbl = c1, cbr = c1, ctl = c1, ctr = c1, cc = c1;
        if (style >= 1 && style <= 19) {
            cbl = pick(CornerShade(style, {3, 6, 13, 15, 16, 19}, {10, 11}));
            cbr = pick(CornerShade(style, {3, 7, 11, 12, 17, 19}, {14, 15}));
            ctl = pick(CornerShade(style, {2, 6, 10, 12, 17, 19}, {14, 15}));
            ctr = pick(CornerShade(style, {2, 7, 13, 14, 16, 19}, {10, 11}));
            cc = In(style, {1, 12, 16, 19}) ? c1 : (In(style, {13, 17, 18}) ? c2 : mean);
        }
        pass.triangles.push_back({{bl, br, centre}, {cbl, cbr, cc}});
        pass.triangles.push_back({{bl, centre, tl}, {cbl, cc, ctl}});
        pass.triangles.push_back({{tl, centre, tr}, {ctl, cc, ctr}});
        pass.triangles.push_back({{br, tr, centre}, {cbr, ctr, cc}});
    }

    AxesGeometry geometry;
    geometry.passes.push_back(std::move(pass));
    geometry.passes.push_back(RestoreLighting());
    return geometry;
}

AxesGeometry AxesDraw2DGrid(const CAxes& axes, const CBox& box, float labelUnitBase) {
    if (!axes.ShowprimaryGrid) {
        return {};
    }
    const Layout layout = MakeLayout(axes, box, labelUnitBase);
    const Colour colour = Colour::FromPacked(axes.PriGridColor);

    Pass grid;
    grid.kind = PassKind::Grid;
    grid.state.lighting = false;
    const double overhang = layout.Size(kOverhang);
    for (long long k = -layout.negX; k <= layout.posX; ++k) {
        const double x = layout.X(static_cast<double>(k));
        grid.lines.push_back(
            MakeLine(P(x, layout.y0 - overhang, 0), P(x, layout.y1 + overhang, 0), colour));
    }
    for (long long k = -layout.negY; k <= layout.posY; ++k) {
        const double y = layout.Y(static_cast<double>(k));
        grid.lines.push_back(
            MakeLine(P(layout.x0 - overhang, y, 0), P(layout.x1 + overhang, y, 0), colour));
    }

    AxesGeometry geometry;
    geometry.passes.push_back(std::move(grid));
    geometry.passes.push_back(RestoreLighting());
    return geometry;
}

} // namespace tervane
