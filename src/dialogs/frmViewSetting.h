#pragma once

#include "dialogs/PropertyDialogLogic.h"
#include "scene/BoxProportions.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;

namespace tervane {

/// QSettings key of "Clip spikes" (true unless unchecked): whether the view cuts surfaces at the
/// fences of their outlying values.
inline constexpr const char* kClipSpikesSetting = "View/ClipSpikes";
/// QSettings key of the box proportions of the view ("auto", "true" or "cube"; BoxRatioName).
inline constexpr const char* kBoxRatioSetting = "View/BoxRatio";

/// The box proportions the settings hold (automatic unless set).
[[nodiscard]] BoxRatio StoredBoxRatio();

/// "View Setting": the projection type of the camera, the six view intervals, "Clip spikes"
/// (kClipSpikesSetting) and the box proportions (kBoxRatioSetting). OK checks the intervals
/// (ApplyViewSetting) and stays open with "Illegal data exist." at a bad one, which keeps its text
/// and gets the focus.
class frmViewSetting : public QDialog {
public:
    frmViewSetting(CView& view, Document& document, QWidget* parent = nullptr);

private:
    void Command1_Click();
    [[nodiscard]] ViewSettingInput Input() const;
    /// The interval box a message points at.
    [[nodiscard]] QLineEdit* FieldBox(DialogField field) const;

    CView& view_;
    Document& document_;
    QRadioButton* Option1_ = nullptr;
    QRadioButton* Option2_ = nullptr;
    QCheckBox* ClipSpikes_ = nullptr;
    QComboBox* boxRatio_ = nullptr;
    std::array<QLineEdit*, 6> Text_{};
};

} // namespace tervane
