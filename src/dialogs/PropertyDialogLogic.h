#pragma once

#include "dialogs/GraphDialogLogic.h"
#include "document/Document.h"
#include "scene/CAxes.h"
#include "scene/CLight.h"
#include "scene/CView.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

// What the property dialogs (view setting, light, axes, axis style, animation) do on OK, on
// the texts and choices of their controls, so that tests drive them without a dialog.

namespace tervane {

// --- View Setting ---

/// The projection choice and the six interval texts Min x, Max x, Min y, Max y, Min z, Max z.
struct ViewSettingInput {
    std::int32_t ProjectType = kProjectOrtho;
    std::array<std::string, 6> Intervals;
};

/// The fields of the six interval texts, in order.
inline constexpr std::array<DialogField, 6> kViewIntervalFields{
    DialogField::MinX, DialogField::MaxX, DialogField::MinY,
    DialogField::MaxY, DialogField::MinZ, DialogField::MaxZ};

/// The dialog's controls as loaded from the camera and the document's view intervals.
ViewSettingInput LoadViewSetting(const CView& view, const Document& document);

/// OK: sets the projection, then cleans the six texts in order (each cleaned text is written
/// back into the input); at the first text that is not a number it returns "Illegal data
/// exist." pointing at that field, whose text stays as typed, and no interval changes.
/// Otherwise the intervals are written.
std::optional<DialogMessage> ApplyViewSetting(ViewSettingInput& in, CView& view,
                                              Document& document);

// --- Light Properties ---

/// The three check boxes and the sixteen number texts of the light dialog in the order of the
/// light's properties: Position 0..3, Diffuse 0..3, Amission 0..3, Specular 0..3.
struct LightInput {
    bool Lighting = true;
    bool TwoSides = false;
    bool GlobalAmbient = false;
    std::array<std::string, 16> Numbers;
};

LightInput LoadLight(const CLight& light);
/// OK: no check; each text's leading number (0 without one) goes to the light.
void ApplyLight(const LightInput& in, CLight& light);

// --- Axis Properties (panel style) ---

/// The controls of the axis panel dialog that OK reads. The colour boxes and " Show Axis" write
/// to the coordinate system at once and are not part of it.
struct AxisInput {
    std::int32_t AxisStyle = 1;
    bool ShowXYPanel = false, ShowXZPanel = false, ShowYZPanel = false;
    /// Material list indexes from 0 (-1: nothing selected).
    std::int32_t XYMaterial = 3, XZMaterial = 3, YZMaterial = 3;
    bool ShowXYXGrid = true, ShowXYYGrid = true, ShowXZXGrid = true, ShowXZZGrid = true,
         ShowYZYGrid = true, ShowYZZGrid = true;
    std::array<std::string, 3> LabelNum;
    std::array<std::string, 3> Titles;
};

/// Label intervals are kept in 1..CAxes::kMaxLabelNum: 0 intervals would divide the axis by
/// zero, and millions would make the drawing run out of memory.
std::int32_t LabelIntervals(const std::string& text);

AxisInput LoadAxis(const CAxes& axes, const Document& document);
/// OK: AxisStyle from the input; then, only when the axes are shown and in panel style, the
/// panel, grid, label and title tabs. Titles go to the document's program-wide titles, which
/// the view draws. Returns the note naming the label intervals held to 1..kMaxLabelNum.
std::optional<DialogMessage> ApplyAxis(const AxisInput& in, Document& document);

// --- Axis Properties (two-dimensional style) ---

/// Everything the axis style dialog edits; OK writes it all.
struct AxisStyleInput {
    bool Show = true;
    bool ShowPI = false;
    std::int32_t AxisColor = 0;
    /// Index in the width list "1".."5".
    std::int32_t WidthIndex = 0;
    bool ShowPrimaryGrid = false;
    std::int32_t PriGridColor = 0;
    bool ShowSecondaryGrid = false;
    std::int32_t SecGridColor = 0;
    bool ShowSecondaryLabel = true;
    bool ShowBackground = false;
    std::int32_t BackColor = 0;
    std::int32_t BackColor2 = 0;
    /// Chosen thumbnail from 0 (style - 1).
    std::int32_t Thumbnail = 0;
    bool ShowShadow = false;
    bool BetterFonts = false;
};

/// Number of background styles the thumbnails show.
inline constexpr int kBackgroundStyles = 16;

AxisStyleInput LoadAxisStyle(const CAxes& axes);
void ApplyAxisStyle(const AxisStyleInput& in, CAxes& axes);

// --- Animation Options ---

struct AnimationInput {
    std::string Frames;
    std::string Speed;
};

/// What OK of a dialog that checks its input came to.
struct ApplyResult {
    /// A value was refused: the dialog shows this and stays open; nothing was written.
    std::optional<DialogMessage> Refusal;
    /// The values were written; this names those held to their allowed range. The dialog shows
    /// it before it closes.
    std::optional<DialogMessage> Held;
};

AnimationInput LoadAnimation(const Document& document);
/// OK: refuses a frame count or a speed below 1 with its message; otherwise writes both,
/// rounded to integers, and notes those held to kMaxAnimationFrames and kMaxAnimationSpeed.
ApplyResult ApplyAnimation(const AnimationInput& in, Document& document);

} // namespace tervane
