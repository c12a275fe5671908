#include "dialogs/frmColorMap.h"

#include "dialogs/detail/DialogParts.h"
#include "dialogs/detail/PropertyParts.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace tervane {

using detail::AddTextBox;
using detail::MakeQuantityCombo;
using detail::QuantityOf;
using detail::SelectQuantity;

frmColorMap::frmColorMap(Document& document, const GraphTarget& target, QWidget* parent)
    : GraphDialog(document, target, parent) {
    setObjectName("frmColorMap");
    setWindowTitle("Function Color Map");
    const ColorMapDialogInput defaults;

    SSTab1_ = new QTabWidget(this);
    SSTab1_->setObjectName("SSTab1");
    auto* page = new QWidget;
    auto* p = new QVBoxLayout(page);

    auto* nameGrid = new QGridLayout;
    Text1_ = AddTextBox(nameGrid, 0, 0, "Name", "Text1", "");
    p->addLayout(nameGrid);
    auto* fnBox = new QGroupBox("Function");
    auto* fnGrid = new QGridLayout(fnBox);
    Text4_ = AddTextBox(fnGrid, 0, 0, "f(z)", "Text4", "");
    p->addWidget(fnBox);

    auto* range = new QGridLayout;
    QLabel *stepsXLabel = nullptr, *stepsYLabel = nullptr;
    Text5_ = AddTextBox(range, 0, 0, "Min x", "Text5", "-4");
    Text6_ = AddTextBox(range, 0, 2, "Max x", "Text6", "4");
    Text7_ = AddTextBox(range, 0, 4, "Steps x", "Text7", "40", &stepsXLabel);
    Text8_ = AddTextBox(range, 1, 0, "Min y", "Text8", "-4");
    Text9_ = AddTextBox(range, 1, 2, "Max y", "Text9", "4");
    Text10_ = AddTextBox(range, 1, 4, "Steps y", "Text10", "40", &stepsYLabel);
    for (QWidget* w : {static_cast<QWidget*>(Text7_), static_cast<QWidget*>(Text10_),
                       static_cast<QWidget*>(stepsXLabel), static_cast<QWidget*>(stepsYLabel)})
        w->setToolTip("Recommended Value: 30 - 60");
    // A colour map has no t range: its boxes exist but are hidden and not read.
    QLabel *label2 = nullptr, *label3 = nullptr, *label4 = nullptr;
    Text2_ = AddTextBox(range, 2, 0, "Min t", "Text2", "", &label2);
    Text3_ = AddTextBox(range, 2, 2, "Max t", "Text3", "", &label3);
    Text11_ = AddTextBox(range, 2, 4, "Steps t", "Text11", "", &label4);
    label2->setObjectName("Label2");
    label3->setObjectName("Label3");
    label4->setObjectName("Label4");
    for (QWidget* w : {static_cast<QWidget*>(Text2_), static_cast<QWidget*>(Text3_),
                       static_cast<QWidget*>(Text11_), static_cast<QWidget*>(label2),
                       static_cast<QWidget*>(label3), static_cast<QWidget*>(label4)})
        w->hide();
    p->addLayout(range);

    auto* vars = new QGroupBox("Variables In Different Directions");
    auto* varGrid = new QGridLayout(vars);
    Combo3_ = MakeQuantityCombo(vars, "Combo3", defaults.VarX);
    Combo1_ = MakeQuantityCombo(vars, "Combo1", defaults.VarZ);
    varGrid->addWidget(new QLabel("Across (X axis)"), 0, 0);
    varGrid->addWidget(Combo3_, 0, 1);
    varGrid->addWidget(new QLabel("Up (Y axis)"), 1, 0);
    varGrid->addWidget(Combo1_, 1, 1);
    p->addWidget(vars);

    auto* color = new QGroupBox("Color");
    auto* colorGrid = new QGridLayout(color);
    Combo4_ = MakeQuantityCombo(color, "Combo4", defaults.ColorR);
    Combo5_ = MakeQuantityCombo(color, "Combo5", defaults.ColorG);
    Combo6_ = MakeQuantityCombo(color, "Combo6", defaults.ColorB);
    colorGrid->addWidget(new QLabel("R"), 0, 0);
    colorGrid->addWidget(Combo4_, 0, 1);
    colorGrid->addWidget(new QLabel("G"), 0, 2);
    colorGrid->addWidget(Combo5_, 0, 3);
    colorGrid->addWidget(new QLabel("B"), 0, 4);
    colorGrid->addWidget(Combo6_, 0, 5);
    p->addWidget(color);
    fraColorScheme_ = new detail::ColourSchemeBox({Combo4_, Combo5_, Combo6_});
    fraColorScheme_->Show(defaults.ColorR);
    colours_ = {{Combo4_, Combo5_, Combo6_}, fraColorScheme_};
    p->addWidget(fraColorScheme_);
    p->addStretch();
    SSTab1_->addTab(page, "Color Map");

    QDialogButtonBox* buttons = detail::OkCancelButtons(this, [this] { Command1_Click(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(SSTab1_);
    layout->addWidget(buttons);
    boxes_ = {Text1_, Text4_, Text5_, Text6_, Text7_, Text8_, Text9_, Text10_};
    Text4_->setFocus();
}

ColorMapDialogInput frmColorMap::Input() const {
    ColorMapDialogInput in;
    boxes_.Read(in);
    in.VarZ = QuantityOf(Combo1_);
    in.VarX = QuantityOf(Combo3_);
    colours_.Read(in);
    return in;
}

void frmColorMap::SetInput(const ColorMapDialogInput& in) {
    boxes_.Show(in);
    SelectQuantity(Combo1_, in.VarZ);
    SelectQuantity(Combo3_, in.VarX);
    colours_.Show(in);
}

void frmColorMap::FillFrom(const CGraph& g) {
    ColorMapDialogInput in;
    detail::TakeGraphSettings(g, in);
    in.VarZ = g.VarZ();
    in.VarX = g.VarX();
    SetInput(in);
}

QLineEdit* frmColorMap::FieldBox(DialogField field) const {
    return boxes_.Box(field);
}

void frmColorMap::Command1_Click() {
    ColorMapDialogInput in = Input();
    const PreparedGraph prepared = PrepareColorMapGraph(in, document_);
    SetInput(in);
    if (Finish(prepared, Text4_)) accept();
}

} // namespace tervane
