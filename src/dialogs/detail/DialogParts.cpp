#include "dialogs/detail/DialogParts.h"

#include "dialogs/UserPrompts.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>

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
    combo->setCurrentIndex(code >= 1 && code <= 5 ? code - 1 : -1);
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
    return QString::number(static_cast<double>(value), 'g', 7);
}

std::string Text(const QLineEdit* box) {
    return box->text().toStdString();
}

void SetText(QLineEdit* box, const std::string& text) {
    box->setText(QString::fromStdString(text));
}

} // namespace tervane::detail
