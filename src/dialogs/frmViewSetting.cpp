#include "dialogs/frmViewSetting.h"

#include "dialogs/UserPrompts.h"
#include "dialogs/detail/DialogParts.h"
#include "dialogs/detail/PropertyParts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSettings>
#include <QVBoxLayout>

namespace tervane {

BoxRatio StoredBoxRatio() {
    const QString name = QSettings().value(kBoxRatioSetting).toString();
    return ParseBoxRatio(name.toStdString()).value_or(BoxRatio::Automatic);
}

frmViewSetting::frmViewSetting(CView& view, Document& document, QWidget* parent)
    : QDialog(parent), view_(view), document_(document) {
    setObjectName("frmViewSetting");
    setWindowTitle("View Setting");
    const ViewSettingInput in = LoadViewSetting(view, document);

    auto* projection = new QGroupBox("Projection Type");
    auto* p = new QHBoxLayout(projection);
    Option1_ = new QRadioButton("Ortho");
    Option1_->setObjectName("Option1");
    Option2_ = new QRadioButton("Perspective");
    Option2_->setObjectName("Option2");
    p->addWidget(Option1_);
    p->addWidget(Option2_);
    (in.ProjectType == kProjectPerspective ? Option2_ : Option1_)->setChecked(true);

    auto* intervals = new QGroupBox("View Intervals");
    auto* grid = new QGridLayout(intervals);
    const char* captions[] = {"Min x", "Max x", "Min y", "Max y", "Min z", "Max z"};
    for (int i = 0; i < 6; ++i) {
        const auto k = static_cast<std::size_t>(i);
        Text_[k] =
            detail::AddTextBox(grid, i / 2, (i % 2) * 2, captions[i], QString("Text%1").arg(i + 1),
                               QString::fromStdString(in.Intervals[k]));
    }

    // An application setting rather than the document's: how any surface is shown.
    ClipSpikes_ = new QCheckBox("Clip spikes (cut off the few values far beyond the rest)");
    ClipSpikes_->setObjectName("ClipSpikes");
    ClipSpikes_->setChecked(QSettings().value(kClipSpikesSetting, true).toBool());

    // Also the application's: how the box of any surface is proportioned.
    boxRatio_ = new QComboBox;
    boxRatio_->setObjectName("BoxRatio");
    const std::pair<BoxRatio, const char*> ratios[] = {
        {BoxRatio::Automatic, "Automatic (a cube where a side would be under a fifth of another)"},
        {BoxRatio::TrueScale, "True scale (one unit as long on every axis)"},
        {BoxRatio::Cube, "Cube (each axis fills an equal side)"}};
    const auto nameOf = [](BoxRatio ratio) {
        const std::string_view name = BoxRatioName(ratio);
        return QString::fromUtf8(name.data(), static_cast<int>(name.size()));
    };
    for (const auto& [ratio, caption] : ratios)
        boxRatio_->addItem(caption, nameOf(ratio));
    boxRatio_->setCurrentIndex(boxRatio_->findData(nameOf(StoredBoxRatio())));
    auto* boxRow = new QHBoxLayout;
    auto* boxCaption = new QLabel("&Box proportions:");
    boxCaption->setBuddy(boxRatio_);
    boxRow->addWidget(boxCaption);
    boxRow->addWidget(boxRatio_, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(projection);
    layout->addWidget(intervals);
    layout->addWidget(ClipSpikes_);
    layout->addLayout(boxRow);
    layout->addWidget(detail::OkCancelButtons(this, [this] { Command1_Click(); }));
}

QLineEdit* frmViewSetting::FieldBox(DialogField field) const {
    for (std::size_t k = 0; k < kViewIntervalFields.size(); ++k)
        if (kViewIntervalFields[k] == field) return Text_[k];
    return nullptr;
}

ViewSettingInput frmViewSetting::Input() const {
    ViewSettingInput in;
    in.ProjectType = Option2_->isChecked() ? kProjectPerspective : kProjectOrtho;
    for (std::size_t k = 0; k < Text_.size(); ++k)
        in.Intervals[k] = detail::Text(Text_[k]);
    return in;
}

void frmViewSetting::Command1_Click() {
    ViewSettingInput in = Input();
    const std::optional<DialogMessage> refused = ApplyViewSetting(in, view_, document_);
    for (std::size_t k = 0; k < Text_.size(); ++k)
        detail::SetText(Text_[k], in.Intervals[k]);
    if (refused) {
        detail::ShowDialogMessage(this, *refused, FieldBox(refused->Field));
        return;
    }
    QSettings().setValue(kClipSpikesSetting, ClipSpikes_->isChecked());
    QSettings().setValue(kBoxRatioSetting, boxRatio_->currentData());
    accept();
}

} // namespace tervane
