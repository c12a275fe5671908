#pragma once

#include <QDialog>

namespace tervane {

/// "About Tervane": the product name, "Version 1.5" and an OK button (Command1) that closes it.
class frmAbout : public QDialog {
public:
    explicit frmAbout(QWidget* parent = nullptr);
};

} // namespace tervane
