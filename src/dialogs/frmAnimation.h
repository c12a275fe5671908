#pragma once

#include "dialogs/PropertyDialogLogic.h"

#include <QDialog>

class QLineEdit;

namespace tervane {

/// "Animation Options": the number of frames and the speed in frames per second. OK refuses a
/// value below 1 with its message and stays open (ApplyAnimation); a value above its limit is
/// held there, and a note says so before the dialog closes.
class frmAnimation : public QDialog {
public:
    explicit frmAnimation(Document& document, QWidget* parent = nullptr);

private:
    void Command1_Click();

    Document& document_;
    QLineEdit* Text1_ = nullptr;
    QLineEdit* Text2_ = nullptr;
};

} // namespace tervane
