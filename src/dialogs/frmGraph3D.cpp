#include "dialogs/frmGraph3D.h"

#include "dialogs/detail/DialogParts.h"
#include "dialogs/detail/PropertyParts.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace tervane {

using detail::AddTextBox;
using detail::MakeQuantityCombo;
using detail::QuantityOf;
using detail::SelectQuantity;

namespace {

constexpr const char* kStepsTip = "Recommended Value: 30 - 60";

QRadioButton* Option(const QString& caption, const QString& name, QWidget* parent) {
    auto* b = new QRadioButton(caption, parent);
    b->setObjectName(name);
    return b;
}

} // namespace

frmGraph3D::frmGraph3D(Document& document, const GraphTarget& target, QWidget* parent)
    : GraphDialog(document, target, parent) {
    setObjectName("frmGraph3D");
    setWindowTitle("3D Function Graph Properties");
    const SurfaceDialogInput defaults;

    SSTab1_ = new QTabWidget(this);
    SSTab1_->setObjectName("SSTab1");

    // Page 1: what is plotted.
    auto* page1 = new QWidget;
    auto* p1 = new QVBoxLayout(page1);
    auto* nameGrid = new QGridLayout;
    Text1_ = AddTextBox(nameGrid, 0, 0, "Name", "Text1", QString::fromStdString(defaults.Name));
    p1->addLayout(nameGrid);
    auto* fnBox = new QGroupBox("Function w=f(z),z=x+yi,w=u+vi");
    auto* fnGrid = new QGridLayout(fnBox);
    Text2_ = AddTextBox(fnGrid, 0, 0, "f(z)", "Text2", "");
    p1->addWidget(fnBox);

    auto* range = new QGridLayout;
    QLabel* stepsXLabel = nullptr;
    QLabel* stepsYLabel = nullptr;
    Text5_ = AddTextBox(range, 0, 0, "Min x", "Text5", "-2");
    Text6_ = AddTextBox(range, 0, 2, "Max x", "Text6", "2");
    Text7_ = AddTextBox(range, 0, 4, "Steps x", "Text7", "40", &stepsXLabel);
    Text8_ = AddTextBox(range, 1, 0, "Min y", "Text8", "-2");
    Text9_ = AddTextBox(range, 1, 2, "Max y", "Text9", "2");
    Text10_ = AddTextBox(range, 1, 4, "Steps y", "Text10", "40", &stepsYLabel);
    QLabel *label8 = nullptr, *label9 = nullptr, *label10 = nullptr;
    Text11_ = AddTextBox(range, 2, 0, "Min t", "Text11", "-2", &label8);
    Text12_ = AddTextBox(range, 2, 2, "Max t", "Text12", "2", &label9);
    Text13_ = AddTextBox(range, 2, 4, "Steps t", "Text13", "", &label10);
    label8->setObjectName("Label8");
    label9->setObjectName("Label9");
    label10->setObjectName("Label10");
    for (QWidget* w : {static_cast<QWidget*>(Text7_), static_cast<QWidget*>(Text10_),
                       static_cast<QWidget*>(stepsXLabel), static_cast<QWidget*>(stepsYLabel)})
        w->setToolTip(kStepsTip);
    p1->addLayout(range);
    p1->addStretch();
    SSTab1_->addTab(page1, "Function");

    // Page 2: how it is drawn.
    auto* page2 = new QWidget;
    auto* p2 = new QGridLayout(page2);
    auto* vars = new QGroupBox("Variables In Different Directions");
    auto* varGrid = new QGridLayout(vars);
    Combo1_ = MakeQuantityCombo(vars, "Combo1", defaults.VarY);
    Combo2_ = MakeQuantityCombo(vars, "Combo2", defaults.VarX);
    Combo3_ = MakeQuantityCombo(vars, "Combo3", defaults.VarZ);
    Combo4_ = MakeQuantityCombo(vars, "Combo4", defaults.ColorR);
    Combo5_ = MakeQuantityCombo(vars, "Combo5", defaults.ColorG);
    Combo6_ = MakeQuantityCombo(vars, "Combo6", defaults.ColorB);
    // The combos name the picture's directions: across (GL x), up (GL y) and towards the
    // viewer (GL z), which the coordinate system titles Y, Z and X.
    varGrid->addWidget(new QLabel("Across (Y axis)"), 0, 0);
    varGrid->addWidget(Combo2_, 0, 1);
    varGrid->addWidget(new QLabel("Up (Z axis)"), 1, 0);
    varGrid->addWidget(Combo1_, 1, 1);
    varGrid->addWidget(new QLabel("Depth (X axis)"), 2, 0);
    varGrid->addWidget(Combo3_, 2, 1);
    varGrid->addWidget(new QLabel("R"), 0, 2);
    varGrid->addWidget(Combo4_, 0, 3);
    varGrid->addWidget(new QLabel("G"), 1, 2);
    varGrid->addWidget(Combo5_, 1, 3);
    varGrid->addWidget(new QLabel("B"), 2, 2);
    varGrid->addWidget(Combo6_, 2, 3);
    p2->addWidget(vars, 0, 0, 1, 2);

    auto* model = new QGroupBox("Model");
    auto* modelLayout = new QVBoxLayout(model);
    Option5_ = Option("Point", "Option5", model);
    Option6_ = Option("Grid", "Option6", model);
    Option7_ = Option("Surface", "Option7", model);
    for (QRadioButton* b : {Option5_, Option6_, Option7_})
        modelLayout->addWidget(b);
    Option7_->setChecked(true);
    auto* smooth = new QGroupBox("Smoothness");
    auto* smoothLayout = new QVBoxLayout(smooth);
    Option8_ = Option(" Flat", "Option8", smooth);
    Option9_ = Option("Smooth", "Option9", smooth);
    Option10_ = Option(" Smoothest", "Option10", smooth);
    for (QRadioButton* b : {Option8_, Option9_, Option10_})
        smoothLayout->addWidget(b);
    Option10_->setChecked(true);
    p2->addWidget(model, 1, 0);
    p2->addWidget(smooth, 2, 0);
    fraColorScheme_ = new detail::ColourSchemeBox({Combo4_, Combo5_, Combo6_});
    fraColorScheme_->Show(defaults.ColorR);
    colours_ = {{Combo4_, Combo5_, Combo6_}, fraColorScheme_};
    p2->addWidget(fraColorScheme_, 3, 0, 1, 2);

    auto* materialBox = new QWidget;
    auto* materialLayout = new QVBoxLayout(materialBox);
    materialLayout->setContentsMargins(0, 0, 0, 0);
    materialLayout->addWidget(new QLabel("Select a material type"));
    List1_ = new QListWidget;
    List1_->setObjectName("List1");
    for (const std::string_view m : kMaterialItems)
        List1_->addItem(QString::fromUtf8(m.data(), static_cast<qsizetype>(m.size())));
    List1_->setCurrentRow(defaults.Material - 1);
    materialLayout->addWidget(List1_);
    p2->addWidget(materialBox, 1, 1, 2, 1);
    SSTab1_->addTab(page2, "Appearance");
    connect(List1_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0) material_ = row + 1;
    });

    QDialogButtonBox* buttons = detail::OkCancelButtons(this, [this] { Command1_Click(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(SSTab1_);
    layout->addWidget(buttons);
    boxes_ = {Text1_, Text2_, Text5_, Text6_, Text7_, Text8_, Text9_, Text10_};
    Text2_->setFocus();
}

SurfaceDialogInput frmGraph3D::Input() const {
    SurfaceDialogInput in;
    boxes_.Read(in);
    in.MinT = detail::Text(Text11_);
    in.MaxT = detail::Text(Text12_);
    in.VarY = QuantityOf(Combo1_);
    in.VarX = QuantityOf(Combo2_);
    in.VarZ = QuantityOf(Combo3_);
    colours_.Read(in);
    in.Show = Option5_->isChecked()   ? kShowPoints
              : Option6_->isChecked() ? kShowGrid
                                      : kShowSurface;
    in.Smoothness = Option8_->isChecked()   ? kSmoothFlat
                    : Option9_->isChecked() ? kSmoothSmooth
                                            : kSmoothSmoothest;
    in.Material = material_;
    return in;
}

void frmGraph3D::SetInput(const SurfaceDialogInput& in) {
    boxes_.Show(in);
    detail::SetText(Text11_, in.MinT);
    detail::SetText(Text12_, in.MaxT);
    SelectQuantity(Combo1_, in.VarY);
    SelectQuantity(Combo2_, in.VarX);
    SelectQuantity(Combo3_, in.VarZ);
    colours_.Show(in);
    (in.Show == kShowPoints ? Option5_
     : in.Show == kShowGrid ? Option6_
                            : Option7_)
        ->setChecked(true);
    (in.Smoothness == kSmoothFlat     ? Option8_
     : in.Smoothness == kSmoothSmooth ? Option9_
                                      : Option10_)
        ->setChecked(true);
    if (in.Material >= 1 && in.Material <= static_cast<int>(kMaterialItems.size())) {
        List1_->setCurrentRow(in.Material - 1);
        material_ = in.Material;
    }
}

void frmGraph3D::FillFrom(const CGraph& g) {
    SurfaceDialogInput in;
    detail::TakeGraphSettings(g, in);
    if (g.Animation()) {
        in.MinT = detail::NumberText(g.MinT()).toStdString();
        in.MaxT = detail::NumberText(g.MaxT()).toStdString();
    }
    in.VarY = g.VarY();
    in.VarX = g.VarX();
    in.VarZ = g.VarZ();
    in.Show = g.Show();
    in.Smoothness = g.Smoothness();
    in.Material = g.Material();
    SetInput(in);
}

QLineEdit* frmGraph3D::FieldBox(DialogField field) const {
    if (field == DialogField::MinT) return Text11_;
    if (field == DialogField::MaxT) return Text12_;
    return boxes_.Box(field);
}

void frmGraph3D::Command1_Click() {
    SurfaceDialogInput in = Input();
    const PreparedGraph prepared = PrepareSurfaceGraph(in, document_);
    // The cleaned texts go back into their boxes, also when a later check refuses.
    SetInput(in);
    // Every box a message can point at is on the first page.
    SSTab1_->setCurrentIndex(0);
    if (Finish(prepared, Text2_)) accept();
}

} // namespace tervane
