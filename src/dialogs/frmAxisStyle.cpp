#include "dialogs/frmAxisStyle.h"

#include "dialogs/detail/PropertyParts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace tervane {

using detail::Check;

namespace {

constexpr QSize kThumbnail(48, 36);

} // namespace

frmAxisStyle::frmAxisStyle(CAxes& axes, QWidget* parent) : QDialog(parent), axes_(axes) {
    setObjectName("frmAxisStyle");
    setWindowTitle("Axis Properties");
    const AxisStyleInput in = LoadAxisStyle(axes);
    chosen_ = in.Thumbnail;

    auto* tabs = new QTabWidget;
    tabs->setObjectName("SSTab1");

    auto* general = new QWidget;
    auto* g = new QVBoxLayout(general);
    Check1_ = Check("Show Axis", "Check1", in.Show);
    Check6_ = Check(QString::fromUtf8("Use \u03c0 To Label Ticks"), "Check6", in.ShowPI);
    g->addWidget(Check1_);
    g->addWidget(Check6_);
    g->addStretch();
    tabs->addTab(general, "General");

    auto* axis = new QWidget;
    auto* a = new QGridLayout(axis);
    Picture1_ = new detail::ColorBox("Picture1", in.AxisColor);
    Combo1_ = new QComboBox;
    Combo1_->setObjectName("Combo1");
    Combo1_->addItems({"1", "2", "3", "4", "5"});
    Combo1_->setCurrentIndex(in.WidthIndex);
    a->addWidget(new QLabel("Color"), 0, 0);
    a->addWidget(Picture1_, 0, 1);
    a->addWidget(new QLabel("Width"), 1, 0);
    a->addWidget(Combo1_, 1, 1);
    a->setRowStretch(2, 1);
    tabs->addTab(axis, "Axis");

    auto* grid = new QWidget;
    auto* gr = new QGridLayout(grid);
    Check2_ = Check("Show Primary Grid", "Check2", in.ShowPrimaryGrid);
    Picture2_ = new detail::ColorBox("Picture2", in.PriGridColor);
    Check3_ = Check("Show Secondary Grid", "Check3", in.ShowSecondaryGrid);
    Picture3_ = new detail::ColorBox("Picture3", in.SecGridColor);
    Check5_ = Check("Show Secondary Ticks", "Check5", in.ShowSecondaryLabel);
    gr->addWidget(Check2_, 0, 0);
    gr->addWidget(new QLabel("Color"), 0, 1);
    gr->addWidget(Picture2_, 0, 2);
    gr->addWidget(Check3_, 1, 0);
    gr->addWidget(new QLabel("Color"), 1, 1);
    gr->addWidget(Picture3_, 1, 2);
    gr->addWidget(Check5_, 2, 0);
    gr->setRowStretch(3, 1);
    tabs->addTab(grid, "Grid");

    auto* background = new QWidget;
    auto* b = new QGridLayout(background);
    Check4_ = Check("Show Background", "Check4", in.ShowBackground);
    Picture4_ = new detail::ColorBox("Picture4", in.BackColor);
    Picture5_ = new detail::ColorBox("Picture5", in.BackColor2);
    Check7_ = Check("Show Shadow", "Check7", in.ShowShadow);
    b->addWidget(Check4_, 0, 0, 1, 2);
    b->addWidget(new QLabel("1st Color/ Single Color"), 1, 0);
    b->addWidget(Picture4_, 1, 1);
    b->addWidget(new QLabel("2nd Color"), 2, 0);
    b->addWidget(Picture5_, 2, 1);
    auto* styles = new QGroupBox("Select A Style");
    styles->setObjectName("Frame1");
    auto* sl = new QGridLayout(styles);
    sl->setSpacing(8);
    for (int i = 0; i < kBackgroundStyles; ++i) {
        auto* thumb = new QToolButton;
        thumb->setObjectName(QString("Image1_%1").arg(i));
        thumb->setAutoRaise(true);
        thumb->setIconSize(kThumbnail);
        thumb->setToolTip(QString("Style %1").arg(i + 1));
        connect(thumb, &QToolButton::clicked, this, [this, i] { Choose(i); });
        Image1_[static_cast<std::size_t>(i)] = thumb;
        sl->addWidget(thumb, i / 8, i % 8);
    }
    Shape1_ = new QFrame(styles);
    Shape1_->setObjectName("Shape1");
    Shape1_->setFrameShape(QFrame::Box);
    Shape1_->setLineWidth(2);
    Shape1_->setAttribute(Qt::WA_TransparentForMouseEvents);
    b->addWidget(styles, 3, 0, 1, 2);
    b->addWidget(Check7_, 4, 0, 1, 2);
    tabs->addTab(background, "Background");
    // The thumbnails show the two colours chosen.
    for (detail::ColorBox* box : {Picture4_, Picture5_})
        box->OnChosen([this](std::int32_t) { DrawThumbnails(); });
    DrawThumbnails();

    auto* fonts = new QWidget;
    auto* f = new QVBoxLayout(fonts);
    Check8_ = Check("Better Fonts", "Check8", in.BetterFonts);
    f->addWidget(Check8_);
    f->addStretch();
    tabs->addTab(fonts, "Fonts");
    connect(tabs, &QTabWidget::currentChanged, this, [this] { PlaceShape(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addWidget(detail::OkCancelButtons(this, [this] { Command1_Click(); }));
}

void frmAxisStyle::DrawThumbnails() {
    for (int i = 0; i < kBackgroundStyles; ++i)
        Image1_[static_cast<std::size_t>(i)]->setIcon(
            QPixmap::fromImage(detail::BackgroundThumbnail(i + 1, Picture4_->Packed(),
                                                           Picture5_->Packed(), kThumbnail)));
}

void frmAxisStyle::Choose(int index) {
    chosen_ = index;
    PlaceShape();
}

void frmAxisStyle::PlaceShape() {
    const QWidget* thumb = Image1_[static_cast<std::size_t>(chosen_)];
    Shape1_->setGeometry(thumb->geometry().adjusted(-3, -3, 3, 3));
    Shape1_->raise();
    Shape1_->show();
}

void frmAxisStyle::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The layout places the thumbnails once the dialog is shown.
    QTimer::singleShot(0, this, [this] { PlaceShape(); });
}

void frmAxisStyle::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    PlaceShape();
}

void frmAxisStyle::Command1_Click() {
    AxisStyleInput in;
    in.Show = Check1_->isChecked();
    in.ShowPI = Check6_->isChecked();
    in.AxisColor = Picture1_->Packed();
    in.WidthIndex = Combo1_->currentIndex();
    in.ShowPrimaryGrid = Check2_->isChecked();
    in.PriGridColor = Picture2_->Packed();
    in.ShowSecondaryGrid = Check3_->isChecked();
    in.SecGridColor = Picture3_->Packed();
    in.ShowSecondaryLabel = Check5_->isChecked();
    in.ShowBackground = Check4_->isChecked();
    in.BackColor = Picture4_->Packed();
    in.BackColor2 = Picture5_->Packed();
    in.Thumbnail = chosen_;
    in.ShowShadow = Check7_->isChecked();
    in.BetterFonts = Check8_->isChecked();
    ApplyAxisStyle(in, axes_);
    accept();
}

} // namespace tervane
