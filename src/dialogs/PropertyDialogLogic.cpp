#include "dialogs/PropertyDialogLogic.h"

#include "expr/TextPasses.h"

#include <algorithm>
#include <charconv>
#include <cmath>

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
    for (std::string& text : in.Intervals) {
        std::string cleaned;
        const bool ok = CleanNumberText(text, cleaned);
        text = cleaned;
        if (!ok)
            return DialogMessage{"Illegal data exist.", "Error", DialogMessage::Icon::Warning,
                                 DialogField::None, -1};
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

void ApplyAxis(const AxisInput& in, Document& document) {
    CAxes& axes = document.Axes();
    axes.AxisStyle = in.AxisStyle;
    if (!axes.Show || axes.AxisStyle != 1) return;
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
    axes.LabelNumX = LabelIntervals(in.LabelNum[0]);
    axes.LabelNumY = LabelIntervals(in.LabelNum[1]);
    axes.LabelNumZ = LabelIntervals(in.LabelNum[2]);
    axes.TitleX = in.Titles[0];
    axes.TitleY = in.Titles[1];
    axes.TitleZ = in.Titles[2];
    document.SetAxisTitles(in.Titles[0], in.Titles[1], in.Titles[2]);
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

std::optional<DialogMessage> ApplyAnimation(const AnimationInput& in, Document& document) {
    const double frames = LeadingNumber(in.Frames);
    const double speed = LeadingNumber(in.Speed);
    if (frames < 1.0)
        return DialogMessage{"The number of frames must large than 1.", "Note",
                             DialogMessage::Icon::Warning, DialogField::None, -1};
    if (speed < 1.0)
        return DialogMessage{"The speed of animation must large than 1 frame per second.", "Note",
                             DialogMessage::Icon::Warning, DialogField::None, -1};
    // The document clamps both to what the view can compile and the timer can run.
    const auto rounded = [](double v) {
        return static_cast<std::int32_t>(std::lround(std::min(v, 1.0e9)));
    };
    document.SetAnimationFrames(rounded(frames));
    document.SetAnimationSpeed(rounded(speed));
    return std::nullopt;
}

} // namespace tervane
