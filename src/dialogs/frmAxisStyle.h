#pragma once

#include "dialogs/PropertyDialogLogic.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QComboBox;
class QFrame;
class QToolButton;

namespace tervane {

namespace detail {
class ColorBox;
}

/// "Axis Properties" of the two-dimensional coordinate system: tabs General, Axis, Grid,
/// Background and Fonts, with sixteen background-style thumbnails (Image1_0 .. Image1_15) and
/// the frame Shape1 around the chosen one. OK writes everything (ApplyAxisStyle).
class frmAxisStyle : public QDialog {
public:
    explicit frmAxisStyle(CAxes& axes, QWidget* parent = nullptr);

    /// The chosen thumbnail, from 0.
    [[nodiscard]] int ChosenStyle() const { return chosen_; }

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Choose(int index);
    void PlaceShape();
    void DrawThumbnails();
    void Command1_Click();

    CAxes& axes_;
    int chosen_ = 0;
    QCheckBox* Check1_ = nullptr;
    QCheckBox* Check2_ = nullptr;
    QCheckBox* Check3_ = nullptr;
    QCheckBox* Check4_ = nullptr;
    QCheckBox* Check5_ = nullptr;
    QCheckBox* Check6_ = nullptr;
    QCheckBox* Check7_ = nullptr;
    QCheckBox* Check8_ = nullptr;
    QComboBox* Combo1_ = nullptr;
    detail::ColorBox* Picture1_ = nullptr;
    detail::ColorBox* Picture2_ = nullptr;
    detail::ColorBox* Picture3_ = nullptr;
    detail::ColorBox* Picture4_ = nullptr;
    detail::ColorBox* Picture5_ = nullptr;
    std::array<QToolButton*, kBackgroundStyles> Image1_{};
    QFrame* Shape1_ = nullptr;
};

} // namespace tervane
