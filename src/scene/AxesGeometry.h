#pragma once

#include "core/CBox.h"
#include "scene/AxisNumberFormat.h"
#include "scene/CAxes.h"
#include "scene/CMaterial.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tervane {

/// Everything one drawing call of the coordinate system issues, as plain data in issue order, so
/// a GL layer can replay it exactly and tests can examine it without a context.
///
/// Replay: for each pass in order, apply the state flags that are set (unset flags leave GL as
/// it is), the polygon mode and the material, then draw its quads, triangles, lines, labels and
/// cones, each vector in its own order. Every line carries its own colour and width.
struct AxesGeometry {
    /// Text drawn with DrawOutlineText is scaled by this factor after the translation.
    static constexpr float kOutlineTextScale = 0.8f;

    struct Point {
        float x = 0.0f;
        float y = 0.0f;
        float z = 0.0f;
        friend bool operator==(const Point&, const Point&) = default;
    };

    /// Colour fractions as glColor takes them.
    struct Colour {
        float r = 0.0f;
        float g = 0.0f;
        float b = 0.0f;
        /// Splits a packed RGB colour (red in the low byte) into byte / 255 per channel.
        [[nodiscard]] static Colour FromPacked(std::int32_t packed);
        friend bool operator==(const Colour&, const Colour&) = default;
    };

    /// A rotation of angle degrees about (x, y, z); angle 0 means none.
    struct Rotation {
        float angle = 0.0f;
        float x = 0.0f;
        float y = 0.0f;
        float z = 0.0f;
        friend bool operator==(const Rotation&, const Rotation&) = default;
    };

    /// The display-list font a label uses.
    enum class Font {
        OutlineLabel, ///< 3D outline glyphs, "Arial" height 6: box-style tick labels
        OutlineTitle, ///< 3D outline glyphs, "Arial" bold height 8: box-style titles
        Bitmap,       ///< raster glyphs, "Verdana" height 12, always black
    };

    struct Line {
        Point from;
        Point to;
        Colour colour;
        float width = 1.0f;
    };

    /// One quad; normal set only where the drawing issues one (the lit panels).
    struct Quad {
        std::array<Point, 4> corners;
        std::array<Colour, 4> colours;
        std::optional<Point> normal;
    };

    struct Triangle {
        std::array<Point, 3> corners;
        std::array<Colour, 3> colours;
    };

    /// One text. Outline text: translate to position, scale by kOutlineTextScale, rotate, set the
    /// colour, call the glyphs. Bitmap text: colour (always black), raster position, glyphs; an
    /// empty text only sets colour and raster position.
    struct Label {
        std::string text;
        Point position;
        Rotation rotation;
        Font font = Font::Bitmap;
        Colour colour;
        /// Outline text only: the size in units of kOutlineTextScale, scaled before the turn.
        float scale = 1.0f;
        /// Box style only: the axis the text belongs to (0 X, 1 Y, 2 Z; -1 none) and the point
        /// on the box edge it names (a tick's foot, or the edge's middle for a title), from
        /// which a layout for the present turn can place it (LayOutLabels).
        int axis = -1;
        std::optional<Point> anchor = std::nullopt;
    };

    /// A GLU cylinder with top radius 0: translate to base, rotate, then draw along +z.
    struct Cone {
        Point base;
        Rotation rotation;
        float baseRadius = 0.0f;
        float topRadius = 0.0f;
        float height = 0.0f;
        int slices = 0;
        int stacks = 0;
        Colour colour;
    };

    /// GL switches a pass sets before drawing; an unset flag is left as it is.
    struct State {
        /// GL_LIGHTING.
        std::optional<bool> lighting;
        /// GL_COLOR_MATERIAL tracking the diffuse colour of front and back faces.
        std::optional<bool> colorMaterial;
        /// GL_LINE_SMOOTH and GL_BLEND together; when true also the blend function (source
        /// alpha, one minus source alpha) and the nicest line-smoothing hint.
        std::optional<bool> lineSmooth;
        /// GL_SMOOTH shading (true) or GL_FLAT (false).
        std::optional<bool> smoothShading;
        friend bool operator==(const State&, const State&) = default;
    };

    /// What a pass is for; lets the replay and the tests find passes without counting.
    enum class PassKind { Panel, Grid, Ticks, Text, Axes, Arrows, Frame, Background, Restore };

    struct Pass {
        PassKind kind = PassKind::Restore;
        State state;
        /// Polygon mode fill for front and back faces.
        bool fillBothFaces = false;
        /// Material issued for front and back faces (the values, so the replay needs no presets).
        std::optional<MaterialSetup> material;
        /// Preset number the material came from, for reference.
        int materialPreset = 0;
        std::vector<Quad> quads;
        std::vector<Triangle> triangles;
        std::vector<Line> lines;
        std::vector<Label> labels;
        std::vector<Cone> cones;
    };

    std::vector<Pass> passes;

    /// Nothing to issue at all.
    [[nodiscard]] bool Empty() const { return passes.empty(); }
    /// The first pass of this kind, or nullptr.
    [[nodiscard]] const Pass* Find(PassKind kind) const;
    /// All lines, labels, quads or triangles of all passes in issue order.
    [[nodiscard]] std::vector<Line> AllLines() const;
    [[nodiscard]] std::vector<Label> AllLabels() const;
    [[nodiscard]] std::vector<Quad> AllQuads() const;
    [[nodiscard]] std::vector<Triangle> AllTriangles() const;

    /// Points whose convex hull holds what the description draws: line ends, quad and triangle
    /// corners, the ends of each cone and the corners of each outline label's text box (its
    /// width estimated by TextAdvance, its height from kGlyphDescent below the baseline to
    /// kGlyphAscent above, and its depth, moved, scaled and turned as the replay draws it). Bitmap
    /// text is sized in pixels, not in scene units, so a bitmap label adds its position alone.
    [[nodiscard]] std::vector<Point> ExtentPoints() const;
    /// The corners of an outline label's text box as ExtentPoints estimates it.
    [[nodiscard]] static std::array<Point, 8> TextCorners(const Label& label);

    /// The advance of a text in em as the label faces (Arial's metrics) lay it out, a little
    /// generous: digits 0.556, points and commas 0.278, minus 0.333, other characters 0.667.
    [[nodiscard]] static double TextAdvance(std::string_view text);

    /// Outline glyph metrics of the estimate, in em: the descent and ascent of the faces used
    /// and the depth of their solids.
    static constexpr double kGlyphDescent = 0.22;
    static constexpr double kGlyphAscent = 0.92;
    static constexpr double kGlyphDepth = 0.1;
};

/// The label unit of the two-dimensional kinds for a label unit base: 1, 2..5, or a multiple of 5,
/// always more than twice the base (and at least 1).
[[nodiscard]] float LabelUnit(float labelUnitBase);

/// The coordinate system drawn after the graphs, by scene kind: 3 and 6 box or axes through the
/// origin (AxisStyle), 2 and 5 box without the X axis marks, 7 the colour-map frame, 1 and 4 the
/// two-dimensional axes; any other kind draws nothing. Show is the caller's test. The titles are
/// axes.TitleX..TitleZ, so the caller copies the program-wide titles in first. A box drawn
/// scaled (box proportions other than true scale) passes the scale per box axis in valueScale:
/// the box style's labels then show the coordinate divided by it, the value drawn there.
[[nodiscard]] AxesGeometry AxesDraw(const CAxes& axes, const CBox& box, std::int32_t sceneKind,
                                    float labelUnitBase = 1.0f,
                                    const AxisNumberFormat& numberFormat = {},
                                    const std::array<float, 3>& valueScale = {1.0f, 1.0f, 1.0f});

/// The size of the box style's text, offsets and ticks in scene units (the em of a label
/// text): a fixed share of the box's largest side, so that labels keep their share of a
/// picture framed to the box whatever its size. 1 for an empty or unusable box.
[[nodiscard]] double BoxTextUnit(const CBox& box);

/// The coloured background of the two-dimensional kinds (nothing unless ShowBackground), drawn
/// before the graphs, in the graphs' coordinates, its margins measured in the label unit base.
[[nodiscard]] AxesGeometry AxesDrawBackground(const CAxes& axes, const CBox& box,
                                              float labelUnitBase);

/// The primary grid of the two-dimensional kinds (nothing unless ShowprimaryGrid), drawn before
/// the graphs, in the graphs' coordinates, its overhang measured in the label unit base.
[[nodiscard]] AxesGeometry AxesDraw2DGrid(const CAxes& axes, const CBox& box, float labelUnitBase);

} // namespace tervane
