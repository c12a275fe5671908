#pragma once

#include "dialogs/PropertyDialogLogic.h"

#include <QDialog>

#include <array>

class QLineEdit;
class QRadioButton;

namespace tervane {

/// "View Setting": the projection type of the camera and the six view intervals. OK checks the
/// intervals (ApplyViewSetting) and stays open with "Illegal data exist." at a bad one.
class frmViewSetting : public QDialog {
public:
    frmViewSetting(CView& view, Document& document, QWidget* parent = nullptr);

private:
    void Command1_Click();
    [[nodiscard]] ViewSettingInput Input() const;

    CView& view_;
    Document& document_;
    QRadioButton* Option1_ = nullptr;
    QRadioButton* Option2_ = nullptr;
    std::array<QLineEdit*, 6> Text_{};
};

} // namespace tervane
