#pragma once

#include <cstdint>
#include <string>

namespace tervane {

/// Settings of the one coordinate system of the document: panels, grids, labels, titles and the
/// two-dimensional background. A plain value; the geometry is computed from it by AxesGeometry and
/// the document code stores its fields. Colours are packed RGB (red in the low byte); materials
/// are preset numbers of CMaterial.
struct CAxes {
    /// Largest number of label intervals per axis the drawing honours; larger values draw as this.
    static constexpr std::int32_t kMaxLabelNum = 500;
    /// Initial panel colour, RGB(204, 204, 204).
    static constexpr std::int32_t kPanelGrey = 204 | (204 << 8) | (204 << 16);
    /// Initial grid colour, RGB(153, 153, 153).
    static constexpr std::int32_t kGridGrey = 153 | (153 << 8) | (153 << 16);

    /// Coordinate system drawn at all (the main window turns it on at start).
    bool Show = false;

    /// Floor panel (plane at MinY), side panel (plane at MinX), back panel (plane at MinZ).
    bool ShowXYPanel = false;
    bool ShowXZPanel = false;
    bool ShowYZPanel = false;

    /// Grid line families on the three panels, named panel + direction.
    bool ShowXYXGrid = true;
    bool ShowXYYGrid = true;
    bool ShowXZXGrid = true;
    bool ShowXZZGrid = true;
    bool ShowYZYGrid = true;
    bool ShowYZZGrid = true;

    /// Number of intervals between tick labels on each axis.
    std::int32_t LabelNumX = 2;
    std::int32_t LabelNumY = 2;
    std::int32_t LabelNumZ = 2;

    /// Axis titles; the drawing code copies the program-wide titles in before each draw.
    std::string TitleX;
    std::string TitleY;
    std::string TitleZ;

    /// Panel colours.
    std::int32_t XYPanelColor = kPanelGrey;
    std::int32_t XZPanelColor = kPanelGrey;
    std::int32_t YZPanelColor = kPanelGrey;

    /// Grid line colour of each panel.
    std::int32_t XYGridColor = kGridGrey;
    std::int32_t XZGridColor = kGridGrey;
    std::int32_t YZGridColor = kGridGrey;

    /// Material preset of each panel (4 is "Metal").
    std::int32_t XYPanelMaterial = 4;
    std::int32_t XZPanelMaterial = 4;
    std::int32_t YZPanelMaterial = 4;

    /// Frame and axis lines of the two-dimensional and colour-map kinds: colour and width in
    /// pixels.
    std::int32_t AxisColor = 0;
    std::int32_t AxisWidth = 1;

    /// Kept for documents and the dialog; nothing draws differently for it.
    bool BetterFonts = false;

    /// 1 = box with panels; any other value = three axes through the origin.
    std::int32_t AxisStyle = 1;

    /// Primary grid of the two-dimensional kinds.
    bool ShowprimaryGrid = false;
    /// Kept for documents and the dialog; no secondary grid is drawn.
    bool ShowSecondaryGrid = false;

    /// Coloured background of the two-dimensional kinds, its gradient style and two colours.
    bool ShowBackground = false;
    std::int32_t BackStyle = 2;
    std::int32_t BackColor = 0x00FF00;
    std::int32_t BackColor2 = 0xFFFFFF;

    /// Primary and secondary grid colours of the two-dimensional kinds.
    std::int32_t PriGridColor = 0x00FF00;
    std::int32_t SecGridColor = 0x00FF00;

    /// Drop shadow behind the two-dimensional background.
    bool ShowShadow = false;
    /// Secondary tick marks between the labels of the two-dimensional kinds.
    bool ShowSecondaryLabel = true;
    /// Label the two-dimensional X axis in multiples of pi.
    bool ShowPI = false;

    /// Restores the panel, grid, label, title, colour, material and font settings; the
    /// two-dimensional settings and AxisStyle keep their values.
    void SetDefault();

    friend bool operator==(const CAxes&, const CAxes&) = default;
};

} // namespace tervane
