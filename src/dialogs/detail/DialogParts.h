#pragma once

#include "dialogs/GraphDialogLogic.h"

#include <QString>

#include <cstdint>

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QWidget;

namespace tervane::detail {

/// A labelled text box in a grid row: the label at column col, the box right of it.
QLineEdit* AddTextBox(QGridLayout* grid, int row, int col, const QString& caption,
                      const QString& boxName, const QString& initial, QLabel** label = nullptr);

/// A drop-down list of the five quantities, with the item of a quantity code selected.
QComboBox* MakeQuantityCombo(QWidget* parent, const QString& name, std::int32_t code);

/// The quantity code of a drop-down list's selection, 0 when nothing is selected.
std::int32_t QuantityOf(const QComboBox* combo);
void SelectQuantity(QComboBox* combo, std::int32_t code);

/// Shows a graph dialog message and puts the cursor into the box at fault.
void ShowDialogMessage(QWidget* parent, const DialogMessage& message, QLineEdit* field);

/// Text of a float as a text box shows it (up to 7 significant digits, "." as decimal mark).
QString NumberText(float value);

/// std::string of a text box and back.
std::string Text(const QLineEdit* box);
void SetText(QLineEdit* box, const std::string& text);

} // namespace tervane::detail
