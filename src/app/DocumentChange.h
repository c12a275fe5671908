#pragma once

#include "document/Document.h"

#include <QUndoCommand>

#include <functional>
#include <memory>

namespace tervane {

/// A graph changed in place by an edit, with copies of it before and after (settings and
/// grids), so that undo and redo bring its content back without sampling it again.
struct EditedGraph {
    std::shared_ptr<CGraph> Graph;
    std::shared_ptr<const CGraph> Before;
    std::shared_ptr<const CGraph> After;
};

/// One undoable change of the document's graphs (add, edit, delete, paste, check): the graph
/// list before and after it, and the graph an edit changed. The change has happened when the
/// command is pushed, so its first redo does nothing.
class DocumentChange : public QUndoCommand {
public:
    /// refresh shows the document again after undo and redo.
    DocumentChange(Document& document, const QString& text, DocumentListState before,
                   DocumentListState after, std::function<void()> refresh, EditedGraph edited = {});

    void undo() override;
    void redo() override;

private:
    Document& document_;
    DocumentListState before_, after_;
    std::function<void()> refresh_;
    EditedGraph edited_;
    bool done_ = true;
};

} // namespace tervane
