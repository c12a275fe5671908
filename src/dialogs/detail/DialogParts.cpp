#include "dialogs/detail/DialogParts.h"

#include "dialogs/UserPrompts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <algorithm>
#include <charconv>

namespace tervane::detail {

QLineEdit* AddTextBox(QGridLayout* grid, int row, int col, const QString& caption,
                      const QString& boxName, const QString& initial, QLabel** label) {
    auto* l = new QLabel(caption);
    auto* box = new QLineEdit(initial);
    box->setObjectName(boxName);
    l->setBuddy(box);
    grid->addWidget(l, row, col);
    grid->addWidget(box, row, col + 1);
    if (label) *label = l;
    return box;
}

QComboBox* MakeQuantityCombo(QWidget* parent, const QString& name, std::int32_t code) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    for (const std::string_view item : kQuantityItems)
        combo->addItem(QString::fromUtf8(item.data(), static_cast<qsizetype>(item.size())));
    SelectQuantity(combo, code);
    return combo;
}

std::int32_t QuantityOf(const QComboBox* combo) {
    return combo->currentIndex() < 0 ? 0 : combo->currentIndex() + 1;
}

void SelectQuantity(QComboBox* combo, std::int32_t code) {
    combo->setCurrentIndex(IsQuantityCode(code) ? code - 1 : -1);
}

ColourSchemeBox::ColourSchemeBox(std::array<QComboBox*, 3> channels, QWidget* parent)
    : QGroupBox("Color Scheme", parent), channels_(channels) {
    setObjectName("fraColorScheme");
    optChannels_ = new QRadioButton("Channels (R, G, B)", this);
    optChannels_->setObjectName("optChannels");
    optPhase_ = new QRadioButton("Phase (hue = arg w)", this);
    optPhase_->setObjectName("optPhase");
    chkRings_ = new QCheckBox("|w| rings", this);
    chkRings_->setObjectName("chkRings");
    chkRings_->setToolTip("Lightness steps at each power of 2 of |w|");
    chkRays_ = new QCheckBox("arg rays", this);
    chkRays_->setObjectName("chkRays");
    chkRays_->setToolTip("Lightness steps at each multiple of pi/6 of arg w");
    auto* layout = new QGridLayout(this);
    layout->addWidget(optChannels_, 0, 0);
    layout->addWidget(optPhase_, 0, 1);
    layout->addWidget(chkRings_, 0, 2);
    layout->addWidget(chkRays_, 0, 3);
    optChannels_->setChecked(true);
    connect(optPhase_, &QRadioButton::toggled, this, [this] { Update(); });
    Update();
}

void ColourSchemeBox::Show(std::int32_t colorR) {
    const bool phase = IsPhaseColourCode(colorR);
    (phase ? optPhase_ : optChannels_)->setChecked(true);
    chkRings_->setChecked(PhaseRings(colorR));
    chkRays_->setChecked(PhaseRays(colorR));
    Update();
}

std::optional<std::int32_t> ColourSchemeBox::PhaseCode() const {
    if (!optPhase_->isChecked()) return std::nullopt;
    return PhaseColourCode(chkRings_->isChecked(), chkRays_->isChecked());
}

void ColourSchemeBox::Update() {
    const bool phase = optPhase_->isChecked();
    chkRings_->setEnabled(phase);
    chkRays_->setEnabled(phase);
    for (QComboBox* combo : channels_)
        if (combo) combo->setEnabled(!phase);
}

QLineEdit* DomainBoxes::Box(DialogField field) const {
    switch (field) {
    case DialogField::Name:
        return Name;
    case DialogField::Function:
        return Function;
    case DialogField::MinX:
        return MinX;
    case DialogField::MaxX:
        return MaxX;
    case DialogField::StepsX:
        return StepsX;
    case DialogField::MinY:
        return MinY;
    case DialogField::MaxY:
        return MaxY;
    case DialogField::StepsY:
        return StepsY;
    default:
        return nullptr;
    }
}

void ShowDialogMessage(QWidget* parent, const DialogMessage& message, QLineEdit* field) {
    MessageRequest request;
    request.Text = QString::fromStdString(message.Text);
    request.Caption = QString::fromStdString(message.Caption);
    request.Icon =
        message.Kind == DialogMessage::Icon::Stop ? QMessageBox::Critical : QMessageBox::Warning;
    ShowMessage(parent, request);
    if (!field) return;
    field->setFocus();
    if (message.Cursor >= 0)
        field->setCursorPosition(
            std::min<int>(message.Cursor, static_cast<int>(field->text().size())));
}

QString NumberText(float value) {
    // The shortest text that reads back as the same single: seven significant digits would
    // turn 12345678 into 1.234568e+07, and an edit without changes would move the range.
    char buffer[32];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    if (ec != std::errc()) return QString::number(static_cast<double>(value), 'g', 9);
    return QString::fromLatin1(buffer, static_cast<qsizetype>(end - buffer));
}

std::string Text(const QLineEdit* box) {
    return box->text().toStdString();
}

void SetText(QLineEdit* box, const std::string& text) {
    box->setText(QString::fromStdString(text));
}

} // namespace tervane::detail
