#pragma once

#include "dialogs/GraphDialogLogic.h"

#include <QDialog>

#include <cstdint>
#include <memory>
#include <optional>

class QLineEdit;

namespace tervane {

/// A graph whose grid a dialog left to its caller to sample in a worker thread, and where it
/// goes when that succeeds.
struct PendingGraph {
    PreparedGraph Prepared;
    GraphTarget Target;
    /// The copy to sample (GraphToSample); CommitSampledGraph puts it into the document.
    std::shared_ptr<CGraph> ToSample;
};

/// What the two graph dialogs share: the document they add to or edit in, and the last step of
/// OK (add or replace). A small grid is sampled at once; a grid above the background threshold
/// is handed back through Pending() so that the window samples it without blocking.
class GraphDialog : public QDialog {
public:
    /// Grids of more points than this are left to the caller (default 250,000).
    static constexpr std::uint64_t kDefaultBackgroundPoints = 250000;

    GraphDialog(Document& document, const GraphTarget& target, QWidget* parent);

    void SetBackgroundThreshold(std::uint64_t points) { backgroundPoints_ = points; }
    /// After the dialog was accepted: the graph still to be sampled, if it was left to the caller.
    [[nodiscard]] const std::optional<PendingGraph>& Pending() const { return pending_; }
    /// Shows a message of OK's checks and puts the cursor into the box at fault.
    void Refuse(const DialogMessage& message);

protected:
    /// The add-or-replace step after the checks: true when the dialog may close. Messages are
    /// shown here (also the note of held values once the graph goes in); a syntax error puts
    /// the cursor of functionBox at its position.
    bool Finish(const PreparedGraph& prepared, QLineEdit* functionBox);
    /// The box a message points at, for the dialog's own fields.
    virtual QLineEdit* FieldBox(DialogField field) const = 0;

    Document& document_;
    GraphTarget target_;

private:
    /// Tells which typed values the graph holds in place of values beyond their range.
    void ShowHeld(const PreparedGraph& prepared);

    std::uint64_t backgroundPoints_ = kDefaultBackgroundPoints;
    std::optional<PendingGraph> pending_;
};

} // namespace tervane
