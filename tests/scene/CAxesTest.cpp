#include "scene/CAxes.h"

#include <gtest/gtest.h>

#include <array>

namespace tervane {
namespace {

constexpr std::int32_t Rgb(int r, int g, int b) {
    return r | (g << 8) | (b << 16);
}

// SetDefault's expectations below build on a fresh object, so its values are checked here once.
TEST(CAxesTest, InitialValuesOfAFreshCoordinateSystem) {
    const CAxes axes;
    EXPECT_FALSE(axes.Show || axes.ShowXYPanel || axes.ShowXZPanel || axes.ShowYZPanel);
    EXPECT_TRUE(axes.ShowXYXGrid && axes.ShowXYYGrid && axes.ShowXZXGrid && axes.ShowXZZGrid &&
                axes.ShowYZYGrid && axes.ShowYZZGrid);
    EXPECT_EQ((std::array{axes.LabelNumX, axes.LabelNumY, axes.LabelNumZ}), (std::array{2, 2, 2}));
    EXPECT_TRUE(axes.TitleX.empty() && axes.TitleY.empty() && axes.TitleZ.empty());
    EXPECT_EQ(axes.XZPanelColor, Rgb(204, 204, 204));
    EXPECT_EQ(axes.YZGridColor, Rgb(153, 153, 153));
    EXPECT_EQ(axes.XYPanelMaterial, 4);
    EXPECT_EQ(axes.AxisColor, 0);
    EXPECT_EQ(axes.AxisWidth, 1);
    EXPECT_FALSE(axes.BetterFonts || axes.ShowprimaryGrid || axes.ShowSecondaryGrid ||
                 axes.ShowBackground || axes.ShowShadow || axes.ShowPI);
    EXPECT_EQ(axes.AxisStyle, 1);
    EXPECT_EQ(axes.BackStyle, 2);
    EXPECT_EQ(axes.BackColor, Rgb(0, 255, 0));
    EXPECT_EQ(axes.BackColor2, Rgb(255, 255, 255));
    EXPECT_EQ(axes.PriGridColor, Rgb(0, 255, 0));
    EXPECT_EQ(axes.SecGridColor, Rgb(0, 255, 0));
    EXPECT_TRUE(axes.ShowSecondaryLabel);
}

// Every property changed away from its initial value.
CAxes Edited() {
    CAxes axes;
    axes.Show = false;
    axes.ShowXYPanel = axes.ShowXZPanel = axes.ShowYZPanel = true;
    axes.ShowXYXGrid = axes.ShowXYYGrid = axes.ShowXZXGrid = false;
    axes.ShowXZZGrid = axes.ShowYZYGrid = axes.ShowYZZGrid = false;
    axes.LabelNumX = 7;
    axes.LabelNumY = 8;
    axes.LabelNumZ = 9;
    axes.TitleX = "re";
    axes.TitleY = "im";
    axes.TitleZ = "abs";
    axes.XYPanelColor = axes.XZPanelColor = axes.YZPanelColor = 0x123456;
    axes.XYGridColor = axes.XZGridColor = axes.YZGridColor = 0x654321;
    axes.XYPanelMaterial = axes.XZPanelMaterial = axes.YZPanelMaterial = 13;
    axes.AxisColor = 0xFF;
    axes.AxisWidth = 4;
    axes.BetterFonts = false;
    axes.AxisStyle = 2;
    axes.ShowprimaryGrid = true;
    axes.ShowSecondaryGrid = true;
    axes.ShowBackground = true;
    axes.BackStyle = 9;
    axes.BackColor = 0x1;
    axes.BackColor2 = 0x2;
    axes.PriGridColor = 0x3;
    axes.SecGridColor = 0x4;
    axes.ShowShadow = true;
    axes.ShowSecondaryLabel = false;
    axes.ShowPI = true;
    return axes;
}

TEST(CAxesTest, SetDefaultResetsTheBoxSettingsAndKeepsTheTwoDimensionalOnes) {
    CAxes axes = Edited();
    axes.SetDefault();

    // What SetDefault assigns: the initial values, except Show, the titles and BetterFonts.
    CAxes expected;
    expected.Show = true;
    expected.TitleX = "X";
    expected.TitleY = "Y";
    expected.TitleZ = "Z";
    expected.BetterFonts = true;
    // What it leaves alone.
    const CAxes edited = Edited();
    expected.AxisStyle = edited.AxisStyle;
    expected.ShowprimaryGrid = edited.ShowprimaryGrid;
    expected.ShowSecondaryGrid = edited.ShowSecondaryGrid;
    expected.ShowBackground = edited.ShowBackground;
    expected.BackStyle = edited.BackStyle;
    expected.BackColor = edited.BackColor;
    expected.BackColor2 = edited.BackColor2;
    expected.PriGridColor = edited.PriGridColor;
    expected.SecGridColor = edited.SecGridColor;
    expected.ShowShadow = edited.ShowShadow;
    expected.ShowSecondaryLabel = edited.ShowSecondaryLabel;
    expected.ShowPI = edited.ShowPI;
    EXPECT_EQ(axes, expected);
}

} // namespace
} // namespace tervane
