#include "scene/AxesGeometry.h"

#include "core/Codes.h"

#include "core/PackedColor.h"

#include "scene/detail/AxesBuild.h"

#include <algorithm>
#include <cmath>

namespace tervane {

using detail::CharCount;
using detail::kBlack;
using detail::kBlue;
using detail::kRed;
using detail::MakeLine;
using detail::P;
using detail::TextWidth;

AxesGeometry::Colour AxesGeometry::Colour::FromPacked(std::int32_t packed) {
    const auto f = ColorFractions<float>(packed);
    return {f[0], f[1], f[2]};
}

const AxesGeometry::Pass* AxesGeometry::Find(PassKind kind) const {
    const auto found = std::find_if(passes.begin(), passes.end(),
                                    [kind](const Pass& p) { return p.kind == kind; });
    return found == passes.end() ? nullptr : &*found;
}

namespace {

template <typename T, typename Member>
std::vector<T> Gather(const std::vector<AxesGeometry::Pass>& passes, Member member) {
    std::vector<T> all;
    for (const AxesGeometry::Pass& pass : passes) {
        const std::vector<T>& items = pass.*member;
        all.insert(all.end(), items.begin(), items.end());
    }
    return all;
}

} // namespace

std::vector<AxesGeometry::Line> AxesGeometry::AllLines() const {
    return Gather<Line>(passes, &Pass::lines);
}
std::vector<AxesGeometry::Label> AxesGeometry::AllLabels() const {
    return Gather<Label>(passes, &Pass::labels);
}
std::vector<AxesGeometry::Quad> AxesGeometry::AllQuads() const {
    return Gather<Quad>(passes, &Pass::quads);
}
std::vector<AxesGeometry::Triangle> AxesGeometry::AllTriangles() const {
    return Gather<Triangle>(passes, &Pass::triangles);
}

namespace {

// v turned by angle degrees about (x, y, z) as glRotate turns it; no axis or angle, no turn.
std::array<double, 3> Turned(std::array<double, 3> v, const AxesGeometry::Rotation& r) {
    const double length = std::sqrt(double{r.x} * r.x + double{r.y} * r.y + double{r.z} * r.z);
    if (r.angle == 0.0f || !(length > 0.0)) return v;
    const std::array<double, 3> k{r.x / length, r.y / length, r.z / length};
    const double a = r.angle * std::acos(-1.0) / 180.0;
    const double c = std::cos(a), s = std::sin(a);
    const double kv = k[0] * v[0] + k[1] * v[1] + k[2] * v[2];
    const std::array<double, 3> kxv{k[1] * v[2] - k[2] * v[1], k[2] * v[0] - k[0] * v[2],
                                    k[0] * v[1] - k[1] * v[0]};
    std::array<double, 3> out{};
    for (int i = 0; i < 3; ++i)
        out[i] = v[i] * c + kxv[i] * s + k[i] * kv * (1.0 - c);
    return out;
}

AxesGeometry::Point Offset(const AxesGeometry::Point& at, const std::array<double, 3>& d) {
    return detail::P(at.x + d[0], at.y + d[1], at.z + d[2]);
}

} // namespace

double AxesGeometry::TextAdvance(std::string_view text) {
    double em = 0.0;
    for (const char c : text) {
        if ((static_cast<unsigned char>(c) & 0xC0) == 0x80) continue; // inside a character
        if (c >= '0' && c <= '9')
            em += 0.556;
        else if (c == '.' || c == ',' || c == ' ' || c == '|' || c == '\'')
            em += 0.278;
        else if (c == '-')
            em += 0.333;
        else
            em += 0.667; // letters and anything else: as wide as the widest common capitals
    }
    return em * 1.05; // the bold titles and rounding of the glyph outlines
}

std::array<AxesGeometry::Point, 8> AxesGeometry::TextCorners(const Label& label) {
    const double em = kOutlineTextScale * double{label.scale};
    const double width = TextAdvance(label.text) * em;
    std::array<Point, 8> corners;
    std::size_t k = 0;
    for (const double x : {0.0, width})
        for (const double y : {-kGlyphDescent * em, kGlyphAscent * em})
            for (const double z : {0.0, -kGlyphDepth * em})
                corners[k++] = Offset(label.position, Turned({x, y, z}, label.rotation));
    return corners;
}

std::vector<AxesGeometry::Point> AxesGeometry::ExtentPoints() const {
    std::vector<Point> points;
    for (const Pass& pass : passes) {
        for (const Line& line : pass.lines) {
            points.push_back(line.from);
            points.push_back(line.to);
        }
        for (const Quad& quad : pass.quads)
            points.insert(points.end(), quad.corners.begin(), quad.corners.end());
        for (const Triangle& triangle : pass.triangles)
            points.insert(points.end(), triangle.corners.begin(), triangle.corners.end());
        for (const Cone& cone : pass.cones) {
            const double r = std::max(cone.baseRadius, cone.topRadius);
            for (const double z : {0.0, double{cone.height}})
                for (const double x : {-r, r})
                    for (const double y : {-r, r})
                        points.push_back(Offset(cone.base, Turned({x, y, z}, cone.rotation)));
        }
        for (const Label& label : pass.labels) {
            if (label.font == Font::Bitmap || label.text.empty()) {
                points.push_back(label.position);
                continue;
            }
            const std::array<Point, 8> corners = TextCorners(label);
            points.insert(points.end(), corners.begin(), corners.end());
        }
    }
    return points;
}

float LabelUnit(float labelUnitBase) {
    // Single precision throughout, as the scene box snapping computes it, so the labels fall
    // exactly on the snapped bounds.
    const float s = 2.0f * labelUnitBase;
    if (!(s >= 1.0f)) { // also NaN
        return 1.0f;
    }
    if (s < 5.0f) {
        return std::floor(s) + 1.0f;
    }
    return (std::floor(s / 5.0f) + 1.0f) * 5.0f;
}

namespace {

using Pass = AxesGeometry::Pass;
using PassKind = AxesGeometry::PassKind;
using Label = AxesGeometry::Label;
using Font = AxesGeometry::Font;
using Rotation = AxesGeometry::Rotation;
using Colour = AxesGeometry::Colour;
using Point = AxesGeometry::Point;

// A count of 0 would divide by zero and more than the label store holds cannot be labelled;
// documents may carry either, so the drawing keeps to 1..kMaxLabelNum.
int DrawnLabelNum(std::int32_t stored) {
    return std::clamp<std::int32_t>(stored, 1, CAxes::kMaxLabelNum);
}

Pass MakePass(PassKind kind) {
    Pass pass;
    pass.kind = kind;
    return pass;
}

Pass RestoreLighting() {
    Pass pass = MakePass(PassKind::Restore);
    pass.state.lighting = true;
    return pass;
}

void AddPanel(AxesGeometry& geometry, CMaterial& material, int preset, bool show,
              std::int32_t colour, Point normal, std::array<Point, 4> corners, bool first) {
    Pass pass = MakePass(PassKind::Panel);
    if (first) {
        pass.state.colorMaterial = true;
        pass.fillBothFaces = true;
    }
    // The preset is applied even for a hidden panel: one material object serves all three, so
    // the material left current is always the last panel's.
    pass.material = material.SetMaterial(preset);
    pass.materialPreset = preset;
    if (show) {
        const Colour c = Colour::FromPacked(colour);
        pass.quads.push_back({corners, {c, c, c, c}, normal});
    }
    geometry.passes.push_back(std::move(pass));
}

// The width of a label's text as the extent estimate takes it, in scene units for a text
// unit u.
double LabelWidthEstimate(std::string_view text, double u) {
    return AxesGeometry::TextAdvance(text) * AxesGeometry::kOutlineTextScale * u;
}

// Box with back panels, grids, ticks, labels and titles; withXMarks false leaves out the X ticks,
// labels and title (scene kinds 2 and 5).
AxesGeometry BoxStyle(const CAxes& axes, const CBox& box, bool withXMarks,
                      const AxisNumberFormat& format, const std::array<float, 3>& valueScale) {
    // Text, its offsets and the ticks are measured in u, a share of the box (see BoxTextUnit).
    const double u = BoxTextUnit(box);
    const auto value = [&valueScale](double coordinate, int axis) {
        const double scale = valueScale[static_cast<std::size_t>(axis)];
        return scale > 0.0 ? coordinate / scale : coordinate;
    };
    // The widths the label places come from: the character-count estimate, in u.
    const auto width = [u](std::string_view text) { return TextWidth(text) * u; };
    const int nX = DrawnLabelNum(axes.LabelNumX);
    const int nY = DrawnLabelNum(axes.LabelNumY);
    const int nZ = DrawnLabelNum(axes.LabelNumZ);
    const double minX = box.MinX, maxX = box.MaxX;
    const double minY = box.MinY, maxY = box.MaxY;
    const double minZ = box.MinZ, maxZ = box.MaxZ;
    // The axis named X runs along the box's z, Y along its x and Z along its y.
    const double sX = (maxZ - minZ) / nX;
    const double sY = (maxX - minX) / nY;
    const double sZ = (maxY - minY) / nZ;

    AxesGeometry geometry;
    CMaterial material;
    AddPanel(
        geometry, material, axes.YZPanelMaterial, axes.ShowYZPanel, axes.YZPanelColor, P(0, 0, 1),
        {P(minX, minY, minZ), P(maxX, minY, minZ), P(maxX, maxY, minZ), P(minX, maxY, minZ)}, true);
    AddPanel(geometry, material, axes.XZPanelMaterial, axes.ShowXZPanel, axes.XZPanelColor,
             P(1, 0, 0),
             {P(minX, minY, minZ), P(minX, maxY, minZ), P(minX, maxY, maxZ), P(minX, minY, maxZ)},
             false);
    AddPanel(geometry, material, axes.XYPanelMaterial, axes.ShowXYPanel, axes.XYPanelColor,
             P(0, 1, 0),
             {P(minX, minY, minZ), P(minX, minY, maxZ), P(maxX, minY, maxZ), P(maxX, minY, minZ)},
             false);

    Pass grid = MakePass(PassKind::Grid);
    grid.state.colorMaterial = false;
    grid.state.lighting = false;
    grid.state.lineSmooth = true;
    auto& lines = grid.lines;
    const Colour yzColour = Colour::FromPacked(axes.YZGridColor);
    const Colour xzColour = Colour::FromPacked(axes.XZGridColor);
    const Colour xyColour = Colour::FromPacked(axes.XYGridColor);
    if (axes.ShowYZYGrid) {
        for (int k = 0; k <= nY; ++k) {
            const double x = minX + k * sY;
            lines.push_back(MakeLine(P(x, minY, minZ), P(x, maxY, minZ), yzColour));
        }
    }
    if (axes.ShowYZZGrid) {
        for (int k = 0; k <= nZ; ++k) {
            const double y = minY + k * sZ;
            lines.push_back(MakeLine(P(minX, y, minZ), P(maxX, y, minZ), yzColour));
        }
    }
    if (axes.ShowXZXGrid) {
        for (int k = 0; k <= nX; ++k) {
            const double z = minZ + k * sX;
            lines.push_back(MakeLine(P(minX, minY, z), P(minX, maxY, z), xzColour));
        }
    }
    if (axes.ShowXZZGrid) {
        for (int k = 0; k <= nZ; ++k) {
            const double y = minY + k * sZ;
            lines.push_back(MakeLine(P(minX, y, minZ), P(minX, y, maxZ), xzColour));
        }
    }
    if (axes.ShowXYXGrid) {
        for (int k = 0; k <= nX; ++k) {
            const double z = minZ + k * sX;
            lines.push_back(MakeLine(P(minX, minY, z), P(maxX, minY, z), xyColour));
        }
    }
    if (axes.ShowXYYGrid) {
        for (int k = 0; k <= nY; ++k) {
            const double x = minX + k * sY;
            lines.push_back(MakeLine(P(x, minY, minZ), P(x, minY, maxZ), xyColour));
        }
    }
    geometry.passes.push_back(std::move(grid));

    const double tick = 0.3 * u;
    Pass ticks = MakePass(PassKind::Ticks);
    ticks.state.lineSmooth = false;
    if (withXMarks) {
        for (int k = 0; k <= nX; ++k) {
            const double z = minZ + k * sX;
            ticks.lines.push_back(MakeLine(P(maxX, minY, z), P(maxX, minY - tick, z), kBlack));
        }
    }
    for (int k = 0; k <= nY; ++k) {
        const double x = minX + k * sY;
        ticks.lines.push_back(MakeLine(P(x, minY, maxZ), P(x, minY - tick, maxZ), kBlack));
    }
    for (int k = 0; k <= nZ; ++k) {
        const double y = minY + k * sZ;
        ticks.lines.push_back(MakeLine(P(minX, y, maxZ), P(minX - tick, y, maxZ), kBlack));
    }
    geometry.passes.push_back(std::move(ticks));

    Pass text = MakePass(PassKind::Text);
    const auto scale = static_cast<float>(u);
    auto outline = [&text, scale](std::string s, Point at, Rotation rotation, Font font, int axis,
                                  Point anchor) {
        text.labels.push_back({std::move(s), at, rotation, font, kBlue, scale, axis, anchor});
    };
    const Rotation none{};
    for (int k = 0; k <= nY; ++k) {
        const double x = minX + k * sY;
        outline(format.Format(value(x, 0)), P(x - 1.0 * u, minY - 1.3 * u, maxZ), none,
                Font::OutlineLabel, 1, P(x, minY, maxZ));
    }
    outline(axes.TitleY,
            P(minX + (maxX - minX - width(axes.TitleY)) / 2.0 - 1.0 * u, minY - 2.3 * u, maxZ),
            none, Font::OutlineTitle, 1, P((minX + maxX) / 2.0, minY, maxZ));

    double leftmostZLabel = minX;
    for (int k = 0; k <= nZ; ++k) {
        const double y = minY + k * sZ;
        std::string s = format.Format(value(y, 1));
        // Right-aligned 0.7 u before the box by the text's estimated width, so that a long
        // number does not run into the box (the character-count width is far too narrow).
        const double x = minX - (LabelWidthEstimate(s, u) + 0.7 * u);
        leftmostZLabel = std::min(leftmostZLabel, x);
        outline(std::move(s), P(x, y, maxZ), none, Font::OutlineLabel, 2, P(minX, y, maxZ));
    }
    // The vertical axis's title stands upright, left of its labels at mid-height, so that it
    // reads like the other two rather than turned on its side.
    outline(axes.TitleZ,
            P(leftmostZLabel - 0.4 * u - LabelWidthEstimate(axes.TitleZ, u),
              minY + (maxY - minY) / 2.0 - 0.4 * u, maxZ),
            none, Font::OutlineTitle, 2, P(minX, (minY + maxY) / 2.0, maxZ));

    if (withXMarks) {
        const Rotation alongX{90.0f, 0.0f, 1.0f, 0.0f};
        for (int k = 0; k <= nX; ++k) {
            const double z = minZ + k * sX;
            outline(format.Format(value(z, 2)), P(maxX, minY - 1.3 * u, z), alongX,
                    Font::OutlineLabel, 0, P(maxX, minY, z));
        }
        outline(axes.TitleX,
                P(maxX, minY - 2.3 * u, minZ + (maxZ - minZ + width(axes.TitleX)) / 2.0 - 0.5 * u),
                alongX, Font::OutlineTitle, 0, P(maxX, minY, (minZ + maxZ) / 2.0));
    }
    geometry.passes.push_back(std::move(text));
    geometry.passes.push_back(RestoreLighting());
    return geometry;
}

// Three blue axes through the origin, 2 beyond the box (grown to hold the origin), with red cones.
AxesGeometry OriginAxes(const CBox& box) {
    const double minX = std::min(0.0, double{box.MinX}), maxX = std::max(0.0, double{box.MaxX});
    const double minY = std::min(0.0, double{box.MinY}), maxY = std::max(0.0, double{box.MaxY});
    const double minZ = std::min(0.0, double{box.MinZ}), maxZ = std::max(0.0, double{box.MaxZ});
    constexpr double beyond = 2.0;

    AxesGeometry geometry;
    Pass axesPass = MakePass(PassKind::Axes);
    axesPass.state.lineSmooth = true;
    axesPass.state.lighting = false;
    axesPass.lines = {
        MakeLine(P(minX - beyond, 0, 0), P(maxX + beyond, 0, 0), kBlue),
        MakeLine(P(0, minY - beyond, 0), P(0, maxY + beyond, 0), kBlue),
        MakeLine(P(0, 0, minZ - beyond), P(0, 0, maxZ + beyond), kBlue),
    };
    geometry.passes.push_back(std::move(axesPass));

    Pass arrows = MakePass(PassKind::Arrows);
    arrows.state.lineSmooth = false;
    arrows.state.lighting = true;
    // A GLU cylinder grows along +z; the turns point it along +x and +y.
    auto cone = [](Point base, Rotation rotation) {
        return AxesGeometry::Cone{base, rotation, 0.2f, 0.0f, 0.5f, 16, 16, kRed};
    };
    arrows.cones = {
        cone(P(maxX + beyond, 0, 0), Rotation{90.0f, 0.0f, 1.0f, 0.0f}),
        cone(P(0, maxY + beyond, 0), Rotation{-90.0f, 1.0f, 0.0f, 0.0f}),
        cone(P(0, 0, maxZ + beyond), Rotation{}),
    };
    geometry.passes.push_back(std::move(arrows));
    return geometry;
}

// Beyond this many whole-number ticks on one side of a colour map the labels would only overlap
// (and a huge or broken box would take unbounded time), so that side gets no ticks or labels.
constexpr double kMaxColourMapTicks = 10000.0;

// Number of whole numbers in (floor(min), floor(max)], or 0 when that is unusable.
long long ColourMapTickCount(double min, double max) {
    if (!std::isfinite(min) || !std::isfinite(max)) {
        return 0;
    }
    const double n = std::floor(max) - std::floor(min);
    return (n >= 1.0 && n <= kMaxColourMapTicks) ? static_cast<long long>(n) : 0;
}

// X-label shift left so the number sits centred under its tick, by label length.
double ColourMapLabelShift(std::size_t chars) {
    return chars > 2 ? 0.45 : (chars == 2 ? 0.3 : 0.15);
}

// Frame of a flat colour map: box x across, box z up, in the plane z = MinY; integer ticks.
AxesGeometry ColourMapFrame(const CAxes& axes, const CBox& box) {
    const double minX = box.MinX, maxX = box.MaxX;
    const double minZ = box.MinZ, maxZ = box.MaxZ;
    const double plane = box.MinY;
    const long long nX = ColourMapTickCount(minX, maxX);
    const long long nZ = ColourMapTickCount(minZ, maxZ);
    const double firstX = nX > 0 ? std::floor(minX) : 0.0;
    const double firstZ = nZ > 0 ? std::floor(minZ) : 0.0;

    AxesGeometry geometry;
    Pass frame = MakePass(PassKind::Frame);
    frame.state.lighting = false;
    for (long long k = 1; k <= nX; ++k) {
        const double x = firstX + static_cast<double>(k);
        frame.lines.push_back(MakeLine(P(x, minZ, plane), P(x, minZ - 0.3, plane), kBlack));
    }
    for (long long k = 1; k <= nZ; ++k) {
        const double z = firstZ + static_cast<double>(k);
        frame.lines.push_back(MakeLine(P(minX, z, plane), P(minX - 0.3, z, plane), kBlack));
    }
    const Colour axisColour = Colour::FromPacked(axes.AxisColor);
    const float width = detail::SafeWidth(axes.AxisWidth);
    const Point corners[4] = {P(minX, minZ, plane), P(maxX, minZ, plane), P(maxX, maxZ, plane),
                              P(minX, maxZ, plane)};
    for (int side = 0; side < 4; ++side) {
        frame.lines.push_back(MakeLine(corners[side], corners[(side + 1) % 4], axisColour, width));
    }
    geometry.passes.push_back(std::move(frame));

    Pass text = MakePass(PassKind::Text);
    auto bitmap = [&text](std::string s, double x, double y) {
        text.labels.push_back({std::move(s), P(x, y, 0.0), Rotation{}, Font::Bitmap, kBlack});
    };
    for (long long k = 1; k <= nX; ++k) {
        const double x = firstX + static_cast<double>(k);
        std::string s = detail::PlainNumberText(x);
        const double shift = ColourMapLabelShift(CharCount(s));
        bitmap(std::move(s), x - shift, minZ - 1.0);
    }
    for (long long k = 1; k <= nZ; ++k) {
        const double z = firstZ + static_cast<double>(k);
        std::string s = detail::PlainNumberText(z);
        const double w = TextWidth(s);
        bitmap(std::move(s), minX - (w + 0.35) - 0.2, z);
    }
    bitmap(axes.TitleX, (minX + maxX) / 2.0, minZ - 1.8);
    bitmap(axes.TitleY, minX - 1.7, (minZ + maxZ) / 2.0);
    geometry.passes.push_back(std::move(text));
    geometry.passes.push_back(RestoreLighting());
    return geometry;
}

} // namespace

double BoxTextUnit(const CBox& box) {
    // A label's em is a fourteenth of the box's largest side: framed to the box, the labels take
    // about 3 % of the picture's height at any size of picture or box.
    constexpr double kShare = 1.0 / 14.0;
    const double side = std::max(
        {double{box.MaxX} - box.MinX, double{box.MaxY} - box.MinY, double{box.MaxZ} - box.MinZ});
    return std::isfinite(side) && side > 0.0 ? side * kShare : 1.0;
}

AxesGeometry AxesDraw(const CAxes& axes, const CBox& box, std::int32_t sceneKind,
                      float labelUnitBase, const AxisNumberFormat& numberFormat,
                      const std::array<float, 3>& valueScale) {
    switch (sceneKind) {
    case kScene3D:
    case kScene3DAlt:
        return axes.AxisStyle == 1 ? BoxStyle(axes, box, true, numberFormat, valueScale)
                                   : OriginAxes(box);
    case kSceneBox:
    case kSceneBoxAlt:
        return BoxStyle(axes, box, false, numberFormat, valueScale);
    case kSceneColorMap:
        return ColourMapFrame(axes, box);
    case kScenePlane:
    case kScenePlaneAlt:
        return detail::TwoDimensionalAxes(axes, box, labelUnitBase);
    default:
        return {};
    }
}

} // namespace tervane
