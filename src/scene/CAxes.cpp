#include "scene/CAxes.h"

namespace tervane {

void CAxes::SetDefault() {
    // The two-dimensional settings and AxisStyle belong to the other axis dialog and survive.
    const CAxes fresh;
    Show = true;
    ShowXYPanel = fresh.ShowXYPanel;
    ShowXZPanel = fresh.ShowXZPanel;
    ShowYZPanel = fresh.ShowYZPanel;
    ShowXYXGrid = fresh.ShowXYXGrid;
    ShowXYYGrid = fresh.ShowXYYGrid;
    ShowXZXGrid = fresh.ShowXZXGrid;
    ShowXZZGrid = fresh.ShowXZZGrid;
    ShowYZYGrid = fresh.ShowYZYGrid;
    ShowYZZGrid = fresh.ShowYZZGrid;
    LabelNumX = fresh.LabelNumX;
    LabelNumY = fresh.LabelNumY;
    LabelNumZ = fresh.LabelNumZ;
    TitleX = "X";
    TitleY = "Y";
    TitleZ = "Z";
    XYPanelColor = fresh.XYPanelColor;
    XZPanelColor = fresh.XZPanelColor;
    YZPanelColor = fresh.YZPanelColor;
    XYGridColor = fresh.XYGridColor;
    XZGridColor = fresh.XZGridColor;
    YZGridColor = fresh.YZGridColor;
    XYPanelMaterial = fresh.XYPanelMaterial;
    XZPanelMaterial = fresh.XZPanelMaterial;
    YZPanelMaterial = fresh.YZPanelMaterial;
    AxisColor = fresh.AxisColor;
    AxisWidth = fresh.AxisWidth;
    BetterFonts = true;
}

} // namespace tervane
