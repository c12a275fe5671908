#pragma once

#include "dialogs/PropertyDialogLogic.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace tervane {

namespace detail {
class ColorBox;
}

/// "Axis Properties" of the box-style coordinate system: tabs General, Panel, Grid, Label and
/// Title. " Show Axis" and the colour boxes change the coordinate system at once (AxesChanged
/// tells the window to redraw); OK writes the rest (ApplyAxis) and notes label intervals it held
/// to their range.
class frmAxis : public QDialog {
    Q_OBJECT
public:
    frmAxis(Document& document, QWidget* parent = nullptr);

signals:
    /// A control that acts at once changed the coordinate system.
    void AxesChanged();

private:
    void Command1_Click();
    void EnablePanel(int panel);

    Document& document_;
    QCheckBox* Check1_ = nullptr;
    QGroupBox* styleFrame_ = nullptr;
    QRadioButton* Option1_ = nullptr;
    QRadioButton* Option2_ = nullptr;
    /// Per panel XY, XZ, YZ: show check, colour label and box, material label and list.
    std::array<QCheckBox*, 3> panelShow_{};
    std::array<QLabel*, 3> colorLabel_{};
    std::array<detail::ColorBox*, 3> panelColor_{};
    std::array<QLabel*, 3> materialLabel_{};
    std::array<QComboBox*, 3> material_{};
    /// Check5..Check10.
    std::array<QCheckBox*, 6> grid_{};
    std::array<QLineEdit*, 3> labelNum_{};
    std::array<QLineEdit*, 3> title_{};
};

} // namespace tervane
