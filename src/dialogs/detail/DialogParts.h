#pragma once

#include "dialogs/GraphDialogLogic.h"

#include <QGroupBox>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <string>

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

/// The text boxes both graph dialogs have: name, function, and the x and y ranges with their
/// step counts.
struct DomainBoxes {
    QLineEdit *Name = nullptr, *Function = nullptr;
    QLineEdit *MinX = nullptr, *MaxX = nullptr, *StepsX = nullptr;
    QLineEdit *MinY = nullptr, *MaxY = nullptr, *StepsY = nullptr;

    /// The box of a field (nullptr for a field these boxes do not hold).
    [[nodiscard]] QLineEdit* Box(DialogField field) const;
    /// The texts as typed into the input of a dialog, and back.
    template <typename Input> void Read(Input& in) const;
    template <typename Input> void Show(const Input& in) const;
};

/// The colour controls both graph dialogs have: the R, G and B lists and the scheme group.
struct ColourControls {
    std::array<QComboBox*, 3> Channels{};
    ColourSchemeBox* Scheme = nullptr;

    /// The chosen codes: the lists' quantities, or the phase code in all three channels.
    template <typename Input> void Read(Input& in) const;
    /// Shows the codes of an input; a phase graph keeps the lists' choice for a switch back.
    template <typename Input> void Show(const Input& in) const;
};

/// The name, function, ranges, steps and colour codes of a graph as a dialog's input shows them.
template <typename Input> void TakeGraphSettings(const CGraph& g, Input& in);

/// Shows a graph dialog message and puts the cursor into the box at fault.
void ShowDialogMessage(QWidget* parent, const DialogMessage& message, QLineEdit* field);

/// Text of a float as a text box shows it: the shortest text that reads back as the same value,
/// "." as decimal mark.
QString NumberText(float value);

/// std::string of a text box and back.
std::string Text(const QLineEdit* box);
void SetText(QLineEdit* box, const std::string& text);

template <typename Input> void DomainBoxes::Read(Input& in) const {
    in.Name = Text(Name);
    in.Function = Text(Function);
    in.MinX = Text(MinX);
    in.MaxX = Text(MaxX);
    in.StepsX = Text(StepsX);
    in.MinY = Text(MinY);
    in.MaxY = Text(MaxY);
    in.StepsY = Text(StepsY);
}

template <typename Input> void DomainBoxes::Show(const Input& in) const {
    SetText(Name, in.Name);
    SetText(Function, in.Function);
    SetText(MinX, in.MinX);
    SetText(MaxX, in.MaxX);
    SetText(StepsX, in.StepsX);
    SetText(MinY, in.MinY);
    SetText(MaxY, in.MaxY);
    SetText(StepsY, in.StepsY);
}

template <typename Input> void ColourControls::Read(Input& in) const {
    in.ColorR = QuantityOf(Channels[0]);
    in.ColorG = QuantityOf(Channels[1]);
    in.ColorB = QuantityOf(Channels[2]);
    if (const auto phase = Scheme->PhaseCode()) in.ColorR = in.ColorG = in.ColorB = *phase;
}

template <typename Input> void ColourControls::Show(const Input& in) const {
    if (!IsPhaseColourCode(in.ColorR)) {
        SelectQuantity(Channels[0], in.ColorR);
        SelectQuantity(Channels[1], in.ColorG);
        SelectQuantity(Channels[2], in.ColorB);
    }
    Scheme->Show(in.ColorR);
}

template <typename Input> void TakeGraphSettings(const CGraph& g, Input& in) {
    in.Name = g.NameS();
    in.Function = g.ExpressZ();
    in.MinX = NumberText(g.MinU()).toStdString();
    in.MaxX = NumberText(g.MaxU()).toStdString();
    in.StepsX = std::to_string(g.StepU());
    in.MinY = NumberText(g.MinV()).toStdString();
    in.MaxY = NumberText(g.MaxV()).toStdString();
    in.StepsY = std::to_string(g.StepV());
    in.ColorR = g.ColorR();
    in.ColorG = g.ColorG();
    in.ColorB = g.ColorB();
}

} // namespace tervane::detail
