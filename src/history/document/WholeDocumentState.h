#pragma once
// The undo technique of the geometry and merge states: a complete copy of the document,
// taken on the first apply and reused by every redo, put back on undo. A state of this
// family may drop the selection first (through an inner "Deselect" state it keeps, so that
// undo brings the selection back) and tells the window that the canvas changed size.

#include "history/DocumentContext.h"
#include "history/HistoryState.h"

#include <functional>
#include <memory>

namespace pict {

class Document;

// Which of the shared steps a state of the family takes.
struct WholeDocumentSteps {
    // Drop the selection before the operation and bring it back on undo.
    bool deselectFirst = true;
    // Tell the window that the canvas may have changed size, after apply and after undo.
    bool refreshLayout = true;
};

class WholeDocumentState : public DocumentChangeState {
protected:
    explicit WholeDocumentState(DocumentContext& context, WholeDocumentSteps steps = {});

    DocumentContext& context() { return context_; }
    Document& document() { return context_.document(); }

    // Snapshot (first time only), deselect-first, the operation inside the long-operation
    // bracket, then the refresh. When the operation fails the document is put back from the
    // snapshot and the selection restored, so a failed state leaves nothing half done.
    bool applyWithSnapshot(const std::function<bool(Document&)>& operation);
    // Restores the snapshot, brings the selection back and refreshes. False when no snapshot
    // is held or it cannot be copied back.
    bool undoFromSnapshot();

    bool holdsSnapshot() const { return snapshot_ != nullptr; }
    const Document* heldSnapshot() const { return snapshot_.get(); }

private:
    bool takeSnapshot();
    void deselect();
    void reselect();

    DocumentContext& context_;
    WholeDocumentSteps steps_;
    std::unique_ptr<Document> snapshot_;
    // The "Deselect" this state runs inside itself, made on the first apply that finds a
    // selection; bringing the selection back on undo is its undo.
    std::unique_ptr<HistoryState> deselect_;
    // The inner state ran its apply for the current application of this state.
    bool deselectApplied_ = false;
};

// Runs beginLongOperation at construction and endLongOperation at destruction.
class LongOperationScope {
public:
    explicit LongOperationScope(DocumentContext& context) : context_(context) { context_.beginLongOperation(); }
    ~LongOperationScope() { context_.endLongOperation(); }
    LongOperationScope(const LongOperationScope&) = delete;
    LongOperationScope& operator=(const LongOperationScope&) = delete;

private:
    DocumentContext& context_;
};

} // namespace pict
