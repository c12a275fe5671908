#pragma once

#include "dialogs/GraphDialogLogic.h"

#include <QGroupBox>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>

class QCheckBox;
class QComboBox;
class QRadioButton;
class QGridLayout;
class QLabel;
class QLineEdit;
class QWidget;

namespace tervane::detail {

/// A labelled text box in a grid row: the label at column col, the box right of it.
QLineEdit* AddTextBox(QGridLayout* grid, int row, int col, const QString& caption,
                      const QString& boxName, const QString& initial, QLabel** label = nullptr);

/// A drop-down list of the quantities, with the item of a quantity code selected.
QComboBox* MakeQuantityCombo(QWidget* parent, const QString& name, std::int32_t code);

/// The quantity code of a drop-down list's selection, 0 when nothing is selected.
std::int32_t QuantityOf(const QComboBox* combo);
void SelectQuantity(QComboBox* combo, std::int32_t code);

/// The group of a graph dialog that chooses how vertices are coloured: by the channels' quantity
/// lists, or by the phase of w (with optional rings and rays), which leaves the lists unused.
class ColourSchemeBox : public QGroupBox {
public:
    /// channels: the R, G and B drop-down lists, disabled while the phase is chosen.
    ColourSchemeBox(std::array<QComboBox*, 3> channels, QWidget* parent = nullptr);
    /// Shows the scheme of a graph whose red channel holds colorR.
    void Show(std::int32_t colorR);
    /// The phase scheme's code for all three channels, or nothing for the channels' lists.
    [[nodiscard]] std::optional<std::int32_t> PhaseCode() const;

private:
    void Update();
    std::array<QComboBox*, 3> channels_;
    QRadioButton* optChannels_ = nullptr;
    QRadioButton* optPhase_ = nullptr;
    QCheckBox* chkRings_ = nullptr;
    QCheckBox* chkRays_ = nullptr;
};

/// Shows a graph dialog message and puts the cursor into the box at fault.
void ShowDialogMessage(QWidget* parent, const DialogMessage& message, QLineEdit* field);

/// Text of a float as a text box shows it (up to 7 significant digits, "." as decimal mark).
QString NumberText(float value);

/// std::string of a text box and back.
std::string Text(const QLineEdit* box);
void SetText(QLineEdit* box, const std::string& text);

} // namespace tervane::detail
