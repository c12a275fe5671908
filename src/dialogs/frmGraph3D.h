#pragma once

#include "dialogs/GraphDialog.h"
#include "dialogs/detail/DialogParts.h"

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace tervane {

/// "3D Function Graph Properties": name, function, x/y/t ranges, the quantities of the three
/// directions and three colour channels, model, smoothness and material of a 3D surface. OK
/// adds the graph to the document or, with EditRequest, copies it over the selected one.
class frmGraph3D : public GraphDialog {
    Q_OBJECT
public:
    frmGraph3D(Document& document, const GraphTarget& target, QWidget* parent = nullptr);

    /// Fills the controls from a graph (for "Edit...").
    void FillFrom(const CGraph& graph);
    /// The controls as dialog input, and back.
    [[nodiscard]] SurfaceDialogInput Input() const;
    void SetInput(const SurfaceDialogInput& input);

    /// The material number (list position + 1).
    [[nodiscard]] std::int32_t MaterialNumber() const { return material_; }

private:
    void Command1_Click();
    QLineEdit* FieldBox(DialogField field) const override;

    QTabWidget* SSTab1_;
    QLineEdit *Text1_, *Text2_, *Text5_, *Text6_, *Text7_, *Text8_, *Text9_, *Text10_;
    QLineEdit *Text11_, *Text12_, *Text13_;
    QComboBox *Combo1_, *Combo2_, *Combo3_, *Combo4_, *Combo5_, *Combo6_;
    detail::ColourSchemeBox* fraColorScheme_;
    detail::DomainBoxes boxes_;
    detail::ColourControls colours_;
    QRadioButton *Option5_, *Option6_, *Option7_, *Option8_, *Option9_, *Option10_;
    QListWidget* List1_;
    std::int32_t material_ = 4;
};

} // namespace tervane
