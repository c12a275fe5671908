#include "dialogs/PropertyDialogLogic.h"

#include "core/Limits.h"
#include "expr/TextPasses.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>
#include <vector>

namespace tervane {

namespace {

// The shortest text that reads back as the same single float ("-20", "0.1").
std::string FloatText(float value) {
    char buffer[32];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return ec == std::errc() ? std::string(buffer, end) : std::string("0");
}

float NumberOf(const std::string& text) {
    const double v = LeadingNumber(text);
    // A number beyond single precision would reach GL as infinity.
    return static_cast<float>(std::clamp(v, -3.0e38, 3.0e38));
}

std::int32_t MaterialNumber(std::int32_t index) {
    return index >= 0 && index < static_cast<std::int32_t>(kMaterialItems.size()) ? index + 1 : 4;
}

std::int32_t MaterialIndex(std::int32_t material) {
    return material >= 1 && material <= static_cast<std::int32_t>(kMaterialItems.size())
               ? material - 1
               : -1;
}

} // namespace

ViewSettingInput LoadViewSetting(const CView& view, const Document& document) {
    const ViewIntervals& v = document.View();
    ViewSettingInput in;
    in.ProjectType =
        view.ProjectType() == kProjectPerspective ? kProjectPerspective : kProjectOrtho;
    in.Intervals = {FloatText(v.MinX), FloatText(v.MaxX), FloatText(v.MinY),
                    FloatText(v.MaxY), FloatText(v.MinZ), FloatText(v.MaxZ)};
    return in;
}

std::optional<DialogMessage> ApplyViewSetting(ViewSettingInput& in, CView& view,
                                              Document& document) {
    view.SetProjectType(in.ProjectType);
    for (std::size_t k = 0; k < in.Intervals.size(); ++k) {
        std::string cleaned;
        // A refused text stays as typed: emptied, it would read as 0 at the next OK.
        if (!CleanNumberText(in.Intervals[k], cleaned))
            return DialogMessage{"Illegal data exist.", "Error", DialogMessage::Icon::Warning,
                                 kViewIntervalFields[k], -1};
        in.Intervals[k] = std::move(cleaned);
    }
    ViewIntervals v;
    v.MinX = NumberOf(in.Intervals[0]);
    v.MaxX = NumberOf(in.Intervals[1]);
    v.MinY = NumberOf(in.Intervals[2]);
    v.MaxY = NumberOf(in.Intervals[3]);
    v.MinZ = NumberOf(in.Intervals[4]);
    v.MaxZ = NumberOf(in.Intervals[5]);
    document.SetView(v);
    return std::nullopt;
}

LightInput LoadLight(const CLight& light) {
    LightInput in;
    in.Lighting = light.Enabled();
    in.TwoSides = light.TwoSides(0) != 0.0f;
    in.GlobalAmbient = light.GlobalAmbient(0) != 0.0f;
    for (int i = 0; i < 4; ++i) {
        in.Numbers[static_cast<std::size_t>(i)] = FloatText(light.Position(i));
        in.Numbers[static_cast<std::size_t>(4 + i)] = FloatText(light.Diffuse(i));
        in.Numbers[static_cast<std::size_t>(8 + i)] = FloatText(light.Amission(i));
        in.Numbers[static_cast<std::size_t>(12 + i)] = FloatText(light.Specular(i));
    }
    return in;
}

void ApplyLight(const LightInput& in, CLight& light) {
    light.SetEnabled(in.Lighting);
    light.SetTwoSides(0, in.TwoSides ? 1.0f : 0.0f);
    light.SetGlobalAmbient(0, in.GlobalAmbient ? 1.0f : 0.0f);
    for (int i = 0; i < 4; ++i) {
        light.SetPosition(i, NumberOf(in.Numbers[static_cast<std::size_t>(i)]));
        light.SetDiffuse(i, NumberOf(in.Numbers[static_cast<std::size_t>(4 + i)]));
        light.SetAmission(i, NumberOf(in.Numbers[static_cast<std::size_t>(8 + i)]));
        light.SetSpecular(i, NumberOf(in.Numbers[static_cast<std::size_t>(12 + i)]));
    }
}

std::int32_t LabelIntervals(const std::string& text) {
    const double v = std::trunc(LeadingNumber(text));
    return static_cast<std::int32_t>(std::clamp(v, 1.0, static_cast<double>(CAxes::kMaxLabelNum)));
}

namespace {

// The label intervals of one axis, with the note when the typed number was out of range.
std::int32_t HoldLabelIntervals(const std::string& text, std::string_view what,
                                std::vector<std::string>& held) {
    const std::int32_t n = LabelIntervals(text);
    if (std::trunc(LeadingNumber(text)) != n)
        held.push_back(HeldCountText(what, n, CAxes::kMaxLabelNum));
    return n;
}

} // namespace

AxisInput LoadAxis(const CAxes& axes, const Document& document) {
    AxisInput in;
    in.AxisStyle = axes.AxisStyle == 1 ? 1 : 2;
    in.ShowXYPanel = axes.ShowXYPanel;
    in.ShowXZPanel = axes.ShowXZPanel;
    in.ShowYZPanel = axes.ShowYZPanel;
    in.XYMaterial = MaterialIndex(axes.XYPanelMaterial);
    in.XZMaterial = MaterialIndex(axes.XZPanelMaterial);
    in.YZMaterial = MaterialIndex(axes.YZPanelMaterial);
    in.ShowXYXGrid = axes.ShowXYXGrid;
    in.ShowXYYGrid = axes.ShowXYYGrid;
    in.ShowXZXGrid = axes.ShowXZXGrid;
    in.ShowXZZGrid = axes.ShowXZZGrid;
    in.ShowYZYGrid = axes.ShowYZYGrid;
    in.ShowYZZGrid = axes.ShowYZZGrid;
    in.LabelNum = {std::to_string(axes.LabelNumX), std::to_string(axes.LabelNumY),
                   std::to_string(axes.LabelNumZ)};
    in.Titles = {document.AxisTitleX(), document.AxisTitleY(), document.AxisTitleZ()};
    return in;
}

std::optional<DialogMessage> ApplyAxis(const AxisInput& in, Document& document) {
    CAxes& axes = document.Axes();
    axes.AxisStyle = in.AxisStyle;
    if (!axes.Show || axes.AxisStyle != 1) return std::nullopt;
    axes.ShowXYPanel = in.ShowXYPanel;
    axes.ShowXZPanel = in.ShowXZPanel;
    axes.ShowYZPanel = in.ShowYZPanel;
    axes.XYPanelMaterial = MaterialNumber(in.XYMaterial);
    axes.XZPanelMaterial = MaterialNumber(in.XZMaterial);
    axes.YZPanelMaterial = MaterialNumber(in.YZMaterial);
    axes.ShowXYXGrid = in.ShowXYXGrid;
    axes.ShowXYYGrid = in.ShowXYYGrid;
    axes.ShowXZXGrid = in.ShowXZXGrid;
    axes.ShowXZZGrid = in.ShowXZZGrid;
    axes.ShowYZYGrid = in.ShowYZYGrid;
    axes.ShowYZZGrid = in.ShowYZZGrid;
    std::vector<std::string> held;
    axes.LabelNumX = HoldLabelIntervals(in.LabelNum[0], "X Axis Intervals", held);
    axes.LabelNumY = HoldLabelIntervals(in.LabelNum[1], "Y Axis Intervals", held);
    axes.LabelNumZ = HoldLabelIntervals(in.LabelNum[2], "Z Axis Intervals", held);
    axes.TitleX = in.Titles[0];
    axes.TitleY = in.Titles[1];
    axes.TitleZ = in.Titles[2];
    document.SetAxisTitles(in.Titles[0], in.Titles[1], in.Titles[2]);
    return HeldNote(held);
}

AxisStyleInput LoadAxisStyle(const CAxes& axes) {
    AxisStyleInput in;
    in.Show = axes.Show;
    in.ShowPI = axes.ShowPI;
    in.AxisColor = axes.AxisColor;
    in.WidthIndex = std::clamp(axes.AxisWidth, 1, 5) - 1;
    in.ShowPrimaryGrid = axes.ShowprimaryGrid;
    in.PriGridColor = axes.PriGridColor;
    in.ShowSecondaryGrid = axes.ShowSecondaryGrid;
    in.SecGridColor = axes.SecGridColor;
    in.ShowSecondaryLabel = axes.ShowSecondaryLabel;
    in.ShowBackground = axes.ShowBackground;
    in.BackColor = axes.BackColor;
    in.BackColor2 = axes.BackColor2;
    in.Thumbnail = std::clamp(axes.BackStyle, 1, kBackgroundStyles) - 1;
    in.ShowShadow = axes.ShowShadow;
    in.BetterFonts = axes.BetterFonts;
    return in;
}

void ApplyAxisStyle(const AxisStyleInput& in, CAxes& axes) {
    axes.Show = in.Show;
    axes.ShowPI = in.ShowPI;
    axes.AxisColor = in.AxisColor;
    axes.AxisWidth = std::clamp(in.WidthIndex, 0, 4) + 1;
    axes.ShowprimaryGrid = in.ShowPrimaryGrid;
    axes.PriGridColor = in.PriGridColor;
    axes.ShowSecondaryGrid = in.ShowSecondaryGrid;
    axes.SecGridColor = in.SecGridColor;
    axes.ShowSecondaryLabel = in.ShowSecondaryLabel;
    axes.ShowBackground = in.ShowBackground;
    axes.BackColor = in.BackColor;
    axes.BackColor2 = in.BackColor2;
    axes.BackStyle = std::clamp(in.Thumbnail, 0, kBackgroundStyles - 1) + 1;
    axes.ShowShadow = in.ShowShadow;
    axes.BetterFonts = in.BetterFonts;
}

AnimationInput LoadAnimation(const Document& document) {
    return {std::to_string(document.AnimationFrames()), std::to_string(document.AnimationSpeed())};
}

ApplyResult ApplyAnimation(const AnimationInput& in, Document& document) {
    const double frames = LeadingNumber(in.Frames);
    const double speed = LeadingNumber(in.Speed);
    if (frames < 1.0)
        return {DialogMessage{"The number of frames must large than 1.", "Note",
                              DialogMessage::Icon::Warning, DialogField::None, -1},
                std::nullopt};
    if (speed < 1.0)
        return {DialogMessage{"The speed of animation must large than 1 frame per second.", "Note",
                              DialogMessage::Icon::Warning, DialogField::None, -1},
                std::nullopt};
    // The document clamps both to what the view can compile and the timer can run.
    const auto rounded = [](double v) {
        return static_cast<std::int32_t>(std::lround(std::min(v, 1.0e9)));
    };
    document.SetAnimationFrames(rounded(frames));
    document.SetAnimationSpeed(rounded(speed));
    std::vector<std::string> held;
    if (document.AnimationFrames() != rounded(frames))
        held.push_back(
            HeldCountText("The number of frames", document.AnimationFrames(), kMaxAnimationFrames));
    if (document.AnimationSpeed() != rounded(speed))
        held.push_back(HeldCountText("The speed of animation (frames per second)",
                                     document.AnimationSpeed(), kMaxAnimationSpeed));
    return {std::nullopt, HeldNote(held)};
}

} // namespace tervane
