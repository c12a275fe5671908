#include "dialogs/GraphDialog.h"

#include "dialogs/detail/DialogParts.h"

#include <QLineEdit>

namespace tervane {

GraphDialog::GraphDialog(Document& document, const GraphTarget& target, QWidget* parent)
    : QDialog(parent), document_(document), target_(target) {}

void GraphDialog::Refuse(const DialogMessage& message) {
    detail::ShowDialogMessage(this, message, FieldBox(message.Field));
}

bool GraphDialog::Finish(const PreparedGraph& prepared, QLineEdit* functionBox) {
    if (prepared.Message) {
        Refuse(*prepared.Message);
        return false;
    }
    pending_.reset();
    if (GridPoints(*prepared.Graph) > backgroundPoints_) {
        if (const std::optional<DialogMessage> m = CheckFunctionSyntax(*prepared.Graph)) {
            detail::ShowDialogMessage(this, *m, functionBox);
            return false;
        }
        if (std::shared_ptr<CGraph> copy = GraphToSample(document_, prepared, target_)) {
            pending_ = PendingGraph{prepared, target_, std::move(copy)};
            ShowHeld(prepared);
            return true;
        }
    }
    if (const std::optional<DialogMessage> m = CommitGraph(document_, prepared, target_)) {
        detail::ShowDialogMessage(this, *m, functionBox);
        return false;
    }
    ShowHeld(prepared);
    return true;
}

void GraphDialog::ShowHeld(const PreparedGraph& prepared) {
    if (prepared.Held) detail::ShowDialogMessage(this, *prepared.Held, nullptr);
}

} // namespace tervane
