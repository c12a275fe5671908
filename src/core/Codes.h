#pragma once

// Named codes of every value a document stores as a number: graph kinds, coordinate forms,
// function forms, display models, quantities and scene kinds. The numbers are the stored
// values and never change; code compares against these names, never against bare integers.

#include <cstdint>
#include <string_view>

namespace tervane {

/// Quantity codes of the axes (VarX..VarZ) and colour channels (ColorR..ColorB).
enum QuantityCode : std::int32_t {
    kQuantityX = 1,            ///< x = Re z
    kQuantityY = 2,            ///< y = Im z
    kQuantityReal = 3,         ///< u = Re w
    kQuantityImaginary = 4,    ///< v = Im w
    kQuantityMagnitude = 5,    ///< |w|
    kQuantityArgument = 6,     ///< arg w in (−π, π], π on the negative real axis as for log
    kQuantityLogMagnitude = 7, ///< log |w| (natural logarithm; undefined where w = 0)
};

/// True for a code that selects one of the sampled quantities.
constexpr bool IsQuantityCode(std::int32_t code) {
    return code >= kQuantityX && code <= kQuantityLogMagnitude;
}

/// The axis title of a quantity code ("X", "Y", "U", "V", "M", "Arg", "Log"); empty for a
/// code that selects no quantity.
constexpr std::string_view QuantityLetter(std::int32_t code) {
    constexpr std::string_view kLetters[] = {"X", "Y", "U", "V", "M", "Arg", "Log"};
    return IsQuantityCode(code) ? kLetters[code - 1] : std::string_view{};
}

/// True for the five quantities that files of the wider family know; the others are written
/// only by graphs that use them.
constexpr bool IsClassicQuantityCode(std::int32_t code) {
    return code >= kQuantityX && code <= kQuantityMagnitude;
}

/// Colour codes of the phase scheme, kept in the three colour channels' codes (ColorR, ColorG,
/// ColorB) of a graph that uses it. Hue follows arg w; the option bits add lightness rings at
/// each power of 2 of |w| and rays at each multiple of π/6 of arg w. Readers that know only the
/// quantities ignore these codes.
enum PhaseColourCode : std::int32_t {
    kColourPhase = 16,
    kColourPhaseRings = 17,
    kColourPhaseRays = 18,
    kColourPhaseRingsAndRays = 19,
};

constexpr bool IsPhaseColourCode(std::int32_t code) {
    return code >= kColourPhase && code <= kColourPhaseRingsAndRays;
}

/// True for a code a colour channel may hold: a quantity or a phase scheme code.
constexpr bool IsColourCode(std::int32_t code) {
    return IsQuantityCode(code) || IsPhaseColourCode(code);
}

/// The phase scheme code with the given options.
constexpr std::int32_t PhaseColourCode(bool rings, bool rays) {
    return kColourPhase + (rings ? 1 : 0) + (rays ? 2 : 0);
}
constexpr bool PhaseRings(std::int32_t code) {
    return IsPhaseColourCode(code) && ((code - kColourPhase) & 1) != 0;
}
constexpr bool PhaseRays(std::int32_t code) {
    return IsPhaseColourCode(code) && ((code - kColourPhase) & 2) != 0;
}

/// Graph kinds (CGraph::GraphType). This program creates surfaces and colour maps; the other
/// kinds come from documents and clipboard texts of the wider family of files.
enum GraphKind : std::int32_t {
    kGraphPlaneFunction = 0,     ///< two-dimensional function (y = f(x) and its variants)
    kGraph3DCurve = 1,           ///< curve in space
    kGraphSurface = 2,           ///< surface of w = f(z) over the x/y rectangle
    kGraphPlaneCurve3 = 3,       ///< two-dimensional curve (a variant of kind 0)
    kGraphOriginStretched = 4,   ///< kind whose box only stretches to the origin
    kGraphSurfaceKind6 = 6,      ///< a surface kind known only to documents; drawn as a surface
    kGraphPointSet = 7,          ///< point objects, drawn once more over the coordinate system
    kGraphPointObject = 8,       ///< one animated point object per step
    kGraphPlanePoints = 9,       ///< two-dimensional kind with one point object per row and step
    kGraphPlanePairs = 10,       ///< two-dimensional kind with two point objects per row and step
    kGraph3DCurveAnimation = 11, ///< curve in space sampled per animation step
    kGraphSurfaceAnimation = 12, ///< surface sampled per animation step
    kGraphColorMap = 13,         ///< colour map of w = f(z)
    kGraphContour = 14,          ///< contour plot
    kGraphVector = 15,           ///< vector plot
    kGraphPlaneCurve20 = 20,     ///< two-dimensional curve (a variant of kind 0)
    kGraphRotationY = 21,        ///< surface by rotation ("Surface by rotation  y=")
    kGraphRotationX = 22,        ///< surface by rotation about the other axis
    kGraphPlaneCurve23 = 23,     ///< two-dimensional curve (a variant of kind 0)
    kGraphVectorField = 31,      ///< vector ("Vector ")
    kGraphVectorOperation = 32,  ///< vector operation, boxed by a shared box
    kGraphPlaneCurve37 = 37,     ///< two-dimensional curve (a variant of kind 0)
    kGraphPlaneCurve38 = 38,     ///< two-dimensional curve (a variant of kind 0)
};

/// Kinds drawn over the x/y plane whose box is the domain (with FunForm 1 or 4).
constexpr bool IsPlaneFunctionKind(std::int32_t kind) {
    return kind == kGraphPlaneFunction || kind == kGraphPlanePoints || kind == kGraphPlaneCurve20 ||
           kind == kGraphPlaneCurve23 || kind == kGraphPlaneCurve37 || kind == kGraphPlaneCurve38;
}

/// Kinds sampled on the grid of w = f(z) (the others are kept but not sampled).
constexpr bool IsGridKind(std::int32_t kind) {
    return kind == kGraphSurface || kind == kGraphColorMap || kind == kGraphContour ||
           kind == kGraphVector;
}

/// Forms of the domain coordinates (CGraph::CoordType).
enum CoordForm : std::int32_t {
    kCoordRotation = 1,   ///< surface by rotation (in the labels of the 3D documents)
    kCoordPlanePolar = 2, ///< polar form of the two-dimensional kinds
    kCoordCartesian = 3,  ///< z = x + iy over MinU..MaxU by MinV..MaxV
    kCoordPolar = 4,      ///< angle a, radius r: z = r(cos a + i sin a)
    kCoordAnglePair = 5,  ///< angle pair a, b: z = a + bi
};

/// Function forms (CGraph::FunForm).
enum FunctionForm : std::int32_t {
    kFormPlaneExplicit = 1, ///< two-dimensional function of one variable
    kFormComplex = 2,       ///< w = f(z) over a two-parameter domain (what the dialogs set)
    kFormComplexAlt = 3,    ///< w = f(z), the variant some documents carry; the curve, point and
                            ///< animated surface kinds read it as parametric (three expressions)
    kFormPlaneInverse = 4,  ///< two-dimensional function of the other variable
};

/// True for the forms that evaluate w = f(z) over the grid.
constexpr bool IsComplexForm(std::int32_t form) {
    return form == kFormComplex || form == kFormComplexAlt;
}

/// True for the two-dimensional forms whose box is the domain.
constexpr bool IsPlaneForm(std::int32_t form) {
    return form == kFormPlaneExplicit || form == kFormPlaneInverse;
}

/// Display models (CGraph::Show).
enum ShowModel : std::int32_t {
    kShowPoints = 1,
    kShowGrid = 2,
    kShowSurface = 3,
};

/// Shading of the surface model (CGraph::Smoothness).
enum SmoothnessLevel : std::int32_t {
    kSmoothFlat = 1,
    kSmoothSmooth = 2,
    kSmoothSmoothest = 3,
};

/// Kinds of document (the program-wide SceneKind).
enum SceneKindCode : std::int32_t {
    kSceneNone = 0,     ///< before any graph dialog or document
    kScenePlane = 1,    ///< two-dimensional document
    kSceneBox = 2,      ///< 3D document drawn in the box style variant
    kScene3D = 3,       ///< 3D graphs
    kScenePlaneAlt = 4, ///< known to the axes and the clipboard check, never set
    kSceneBoxAlt = 5,   ///< likewise
    kScene3DAlt = 6,    ///< likewise
    kSceneColorMap = 7, ///< colour maps
};

/// Kinds 1 and 4 draw the two-dimensional background and snap the box to label units.
constexpr bool IsPlaneScene(std::int32_t kind) {
    return kind == kScenePlane || kind == kScenePlaneAlt;
}

/// The rounded π of the axes' pi labels and of the degree angles of the scene orientation
/// (saved views were made with it).
inline constexpr float kRoundedPi = 3.1416f;

} // namespace tervane
