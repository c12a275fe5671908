#include "dialogs/frmAnimation.h"

#include "dialogs/detail/DialogParts.h"
#include "dialogs/detail/PropertyParts.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace tervane {

frmAnimation::frmAnimation(Document& document, QWidget* parent)
    : QDialog(parent), document_(document) {
    setObjectName("frmAnimation");
    setWindowTitle("Animation Options");
    const AnimationInput in = LoadAnimation(document);
    auto* grid = new QGridLayout;
    Text1_ = detail::AddTextBox(grid, 0, 0, "The Number Of Frames", "Text1",
                                QString::fromStdString(in.Frames));
    Text2_ = detail::AddTextBox(grid, 1, 0, "The Speed Of Animation (frames/second)", "Text2",
                                QString::fromStdString(in.Speed));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(detail::OkCancelButtons(this, [this] { Command1_Click(); }));
}

void frmAnimation::Command1_Click() {
    const AnimationInput in{detail::Text(Text1_), detail::Text(Text2_)};
    const ApplyResult result = ApplyAnimation(in, document_);
    if (const std::optional<DialogMessage>& refused = result.Refusal) {
        detail::ShowDialogMessage(
            this, *refused, refused->Text.find("frames") != std::string::npos ? Text1_ : Text2_);
        return;
    }
    if (result.Held) detail::ShowDialogMessage(this, *result.Held, nullptr);
    accept();
}

} // namespace tervane
