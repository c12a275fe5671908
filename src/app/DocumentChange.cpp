#include "app/DocumentChange.h"

#include <utility>

namespace tervane {

DocumentChange::DocumentChange(Document& document, const QString& text, DocumentListState before,
                               DocumentListState after, std::function<void()> refresh,
                               EditedGraph edited)
    : QUndoCommand(text), document_(document), before_(std::move(before)), after_(std::move(after)),
      refresh_(std::move(refresh)), edited_(std::move(edited)) {}

void DocumentChange::undo() {
    // The copy takes the older revision counters along: the view sees a change and draws the
    // graph again.
    if (edited_.Graph && edited_.Before) *edited_.Graph = *edited_.Before;
    document_.RestoreListState(before_);
    done_ = false;
    refresh_();
}

void DocumentChange::redo() {
    if (done_) return; // pushed after the change was made
    if (edited_.Graph && edited_.After) *edited_.Graph = *edited_.After;
    document_.RestoreListState(after_);
    done_ = true;
    refresh_();
}

} // namespace tervane
