#include "dialogs/frmAxis.h"

#include "dialogs/detail/DialogParts.h"
#include "dialogs/detail/PropertyParts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace tervane {

using detail::Check;

frmAxis::frmAxis(Document& document, QWidget* parent) : QDialog(parent), document_(document) {
    setObjectName("frmAxis");
    setWindowTitle("Axis Properties");
    CAxes& axes = document.Axes();
    const AxisInput in = LoadAxis(axes, document);

    auto* tabs = new QTabWidget;
    tabs->setObjectName("SSTab1");

    // General: " Show Axis" acts at once, the style on OK.
    auto* general = new QWidget;
    auto* g = new QVBoxLayout(general);
    Check1_ = Check(" Show Axis", "Check1", axes.Show);
    connect(Check1_, &QCheckBox::toggled, this, [this](bool on) {
        document_.Axes().Show = on;
        emit AxesChanged();
    });
    g->addWidget(Check1_);
    styleFrame_ = new QGroupBox("Style");
    styleFrame_->setObjectName("Frame1");
    auto* s = new QVBoxLayout(styleFrame_);
    Option1_ = new QRadioButton("Panel Style");
    Option1_->setObjectName("Option1");
    Option2_ = new QRadioButton("Line Style");
    Option2_->setObjectName("Option2");
    (in.AxisStyle == 1 ? Option1_ : Option2_)->setChecked(true);
    s->addWidget(Option1_);
    s->addWidget(Option2_);
    g->addWidget(styleFrame_);
    g->addStretch();
    tabs->addTab(general, "General");

    // Panel: one frame per panel.
    auto* panel = new QWidget;
    auto* pl = new QVBoxLayout(panel);
    struct PanelRow {
        const char* title;
        bool show;
        std::int32_t CAxes::*color;
        std::int32_t material;
    };
    const PanelRow panels[] = {
        {"XY Panel", in.ShowXYPanel, &CAxes::XYPanelColor, in.XYMaterial},
        {"XZ Panel", in.ShowXZPanel, &CAxes::XZPanelColor, in.XZMaterial},
        {"YZ Panel", in.ShowYZPanel, &CAxes::YZPanelColor, in.YZMaterial},
    };
    for (int k = 0; k < 3; ++k) {
        const auto i = static_cast<std::size_t>(k);
        auto* frame = new QGroupBox(panels[k].title);
        auto* fl = new QGridLayout(frame);
        panelShow_[i] = Check(" Show", QString("Check%1").arg(k + 2), panels[k].show);
        colorLabel_[i] = new QLabel("Color");
        panelColor_[i] =
            new detail::ColorBox(QString("Picture%1").arg(k + 1), axes.*panels[k].color);
        const auto member = panels[k].color;
        panelColor_[i]->OnChosen([this, member](std::int32_t c) {
            document_.Axes().*member = c;
            emit AxesChanged();
        });
        materialLabel_[i] = new QLabel("Material");
        material_[i] = new QComboBox;
        material_[i]->setObjectName(QString("Combo%1").arg(k + 1));
        for (const std::string_view item : kMaterialItems)
            material_[i]->addItem(
                QString::fromUtf8(item.data(), static_cast<qsizetype>(item.size())));
        material_[i]->setCurrentIndex(panels[k].material);
        fl->addWidget(panelShow_[i], 0, 0);
        fl->addWidget(colorLabel_[i], 0, 1);
        fl->addWidget(panelColor_[i], 0, 2);
        fl->addWidget(materialLabel_[i], 0, 3);
        fl->addWidget(material_[i], 0, 4);
        connect(panelShow_[i], &QCheckBox::toggled, this, [this, k] { EnablePanel(k); });
        EnablePanel(k);
        pl->addWidget(frame);
    }
    pl->addStretch();
    tabs->addTab(panel, "Panel");

    // Grid: two directions and a colour per panel.
    auto* grid = new QWidget;
    auto* gl = new QVBoxLayout(grid);
    struct GridRow {
        const char* title;
        const char* first;
        const char* second;
        bool on1, on2;
        std::int32_t CAxes::*color;
        int picture;
    };
    const GridRow grids[] = {
        {"XY Panel", "X direction", "Y direction", in.ShowXYXGrid, in.ShowXYYGrid,
         &CAxes::XYGridColor, 5},
        {"XZ Panel", "X direction", "Z direction", in.ShowXZXGrid, in.ShowXZZGrid,
         &CAxes::XZGridColor, 7},
        {"YZ Panel", "Y direction", "Z direction", in.ShowYZYGrid, in.ShowYZZGrid,
         &CAxes::YZGridColor, 9},
    };
    for (int k = 0; k < 3; ++k) {
        auto* frame = new QGroupBox(grids[k].title);
        auto* fl = new QHBoxLayout(frame);
        const auto i = static_cast<std::size_t>(2 * k);
        grid_[i] = Check(grids[k].first, QString("Check%1").arg(5 + 2 * k), grids[k].on1);
        grid_[i + 1] = Check(grids[k].second, QString("Check%1").arg(6 + 2 * k), grids[k].on2);
        auto* box =
            new detail::ColorBox(QString("Picture%1").arg(grids[k].picture), axes.*grids[k].color);
        const auto member = grids[k].color;
        box->OnChosen([this, member](std::int32_t c) {
            document_.Axes().*member = c;
            emit AxesChanged();
        });
        fl->addWidget(grid_[i]);
        fl->addWidget(grid_[i + 1]);
        fl->addWidget(new QLabel("Color"));
        fl->addWidget(box);
        gl->addWidget(frame);
    }
    gl->addStretch();
    tabs->addTab(grid, "Grid");

    // Label and Title.
    auto* label = new QWidget;
    auto* ll = new QGridLayout(label);
    const char* intervals[] = {"X Axis Intervals", "Y Axis Intervals", "Z Axis Intervals"};
    for (int k = 0; k < 3; ++k) {
        const auto i = static_cast<std::size_t>(k);
        labelNum_[i] = detail::AddTextBox(ll, k, 0, intervals[k], QString("Text%1").arg(k + 1),
                                          QString::fromStdString(in.LabelNum[i]));
        labelNum_[i]->setToolTip("1 to 500");
    }
    ll->setRowStretch(3, 1);
    tabs->addTab(label, "Label");

    auto* titles = new QWidget;
    auto* tl = new QGridLayout(titles);
    const char* titleCaptions[] = {"X Axis Title", "Y Axis Title", "Z Axis Title"};
    std::array<QLabel*, 3> titleLabels{};
    for (int k = 0; k < 3; ++k) {
        const auto i = static_cast<std::size_t>(k);
        title_[i] = detail::AddTextBox(tl, k, 0, titleCaptions[k], QString("Text%1").arg(k + 4),
                                       QString::fromStdString(in.Titles[i]), &titleLabels[i]);
        titleLabels[i]->setObjectName(QString("Label%1").arg(k + 4));
    }
    tl->setRowStretch(3, 1);
    tabs->addTab(titles, "Title");

    // Documents of curves (scene kind 2) have no style choice and no X title: the two titles
    // left move up and read X and Y.
    if (document.SceneKind() == 2) {
        styleFrame_->hide();
        titleLabels[0]->hide();
        title_[0]->hide();
        tl->removeWidget(titleLabels[0]);
        tl->removeWidget(title_[0]);
        titleLabels[1]->setText("X Axis Title");
        titleLabels[2]->setText("Y Axis Title");
    }

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addWidget(detail::OkCancelButtons(this, [this] { Command1_Click(); }));
}

void frmAxis::EnablePanel(int panel) {
    const auto i = static_cast<std::size_t>(panel);
    const bool on = panelShow_[i]->isChecked();
    for (QWidget* w :
         {static_cast<QWidget*>(colorLabel_[i]), static_cast<QWidget*>(panelColor_[i]),
          static_cast<QWidget*>(materialLabel_[i]), static_cast<QWidget*>(material_[i])})
        w->setEnabled(on);
}

void frmAxis::Command1_Click() {
    AxisInput in;
    in.AxisStyle = Option1_->isChecked() ? 1 : 2;
    in.ShowXYPanel = panelShow_[0]->isChecked();
    in.ShowXZPanel = panelShow_[1]->isChecked();
    in.ShowYZPanel = panelShow_[2]->isChecked();
    in.XYMaterial = material_[0]->currentIndex();
    in.XZMaterial = material_[1]->currentIndex();
    in.YZMaterial = material_[2]->currentIndex();
    in.ShowXYXGrid = grid_[0]->isChecked();
    in.ShowXYYGrid = grid_[1]->isChecked();
    in.ShowXZXGrid = grid_[2]->isChecked();
    in.ShowXZZGrid = grid_[3]->isChecked();
    in.ShowYZYGrid = grid_[4]->isChecked();
    in.ShowYZZGrid = grid_[5]->isChecked();
    for (std::size_t k = 0; k < 3; ++k) {
        in.LabelNum[k] = detail::Text(labelNum_[k]);
        in.Titles[k] = detail::Text(title_[k]);
    }
    if (const std::optional<DialogMessage> held = ApplyAxis(in, document_))
        detail::ShowDialogMessage(this, *held, nullptr);
    accept();
}

} // namespace tervane
