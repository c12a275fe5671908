#pragma once

#include "dialogs/PropertyDialogLogic.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QLineEdit;

namespace tervane {

/// "Light Properties": lighting on or off, two-sided lighting, the global ambient light and the
/// position and colours of the light. OK writes every field without a check.
class frmLight : public QDialog {
public:
    explicit frmLight(CLight& light, QWidget* parent = nullptr);

private:
    void Command1_Click();

    CLight& light_;
    QCheckBox* Check1_ = nullptr;
    QCheckBox* Check2_ = nullptr;
    QCheckBox* Check3_ = nullptr;
    /// The text boxes in the order of LightInput::Numbers.
    std::array<QLineEdit*, 16> numbers_{};
};

} // namespace tervane
