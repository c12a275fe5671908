#pragma once

#include "dialogs/GraphDialog.h"
#include "dialogs/detail/DialogParts.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTabWidget;

namespace tervane {

/// "Function Color Map": name, function, x/y ranges, the quantities across and up the plane and
/// the three colour channels of a colour map (height |w|). OK adds it or, with EditRequest,
/// copies it over the selected graph.
class frmColorMap : public GraphDialog {
    Q_OBJECT
public:
    frmColorMap(Document& document, const GraphTarget& target, QWidget* parent = nullptr);

    void FillFrom(const CGraph& graph);
    [[nodiscard]] ColorMapDialogInput Input() const;
    void SetInput(const ColorMapDialogInput& input);

private:
    void Command1_Click();
    QLineEdit* FieldBox(DialogField field) const override;

    QTabWidget* SSTab1_;
    QLineEdit *Text1_, *Text4_, *Text5_, *Text6_, *Text7_, *Text8_, *Text9_, *Text10_;
    QLineEdit *Text2_, *Text3_, *Text11_;
    QComboBox *Combo1_, *Combo3_, *Combo4_, *Combo5_, *Combo6_;
    detail::ColourSchemeBox* fraColorScheme_;
    detail::DomainBoxes boxes_;
    detail::ColourControls colours_;
};

} // namespace tervane
