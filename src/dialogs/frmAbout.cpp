#include "dialogs/frmAbout.h"

#include <QDialogButtonBox>
#include <QFont>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tervane {

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {
    setObjectName("frmAbout");
    setWindowTitle("About Tervane");
    auto* product = new QLabel("Tervane");
    product->setObjectName("lblProduct");
    QFont big = product->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    product->setFont(big);
    auto* version = new QLabel("Version 1.5");
    version->setObjectName("lblVersion");
    auto* what = new QLabel("Plots complex functions w = f(z), z = x + yi, as surfaces and "
                            "colour maps.");
    what->setWordWrap(true);
    auto* command1 = new QPushButton("OK");
    command1->setObjectName("Command1");
    command1->setDefault(true);
    connect(command1, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QDialogButtonBox;
    buttons->addButton(command1, QDialogButtonBox::AcceptRole);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(product);
    layout->addWidget(version);
    layout->addWidget(what);
    layout->addWidget(buttons);
}

} // namespace tervane
