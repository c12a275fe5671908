#pragma once

#include "dialogs/PropertyDialogLogic.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace tervane {

/// QSettings key of "Clip spikes" (true unless unchecked): whether the view cuts surfaces at the
/// fences of their outlying values.
inline constexpr const char* kClipSpikesSetting = "View/ClipSpikes";

/// "View Setting": the projection type of the camera, the six view intervals and "Clip spikes"
/// (kClipSpikesSetting). OK checks the intervals (ApplyViewSetting) and stays open with "Illegal
/// data exist." at a bad one, which keeps its text and gets the focus.
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
    std::array<QLineEdit*, 6> Text_{};
};

} // namespace tervane
