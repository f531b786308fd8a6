#pragma once
// The undo technique of the geometry and merge states: while the operation runs, the layer
// stack records into the state's journal, so the state keeps the very layers the operation
// replaced or removed (the document gets new ones; nothing is copied) together with the
// canvas description and any alpha channels; undo puts them back, redo runs the operation
// again. A state of this family may drop the selection first (through an inner "Deselect"
// state it keeps, so that undo brings the selection back) and tells the window that the
// canvas changed size.

#include "document/AlphaChannel.h"
#include "document/DocumentInfo.h"
#include "document/LayerJournal.h"
#include "history/DocumentContext.h"
#include "history/HistoryState.h"

#include <functional>
#include <memory>
#include <vector>

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

    // Starts the journal, deselect-first, the operation inside the long-operation bracket,
    // then the refresh. When the operation fails what it took is put back and the selection
    // restored, so a failed state leaves nothing half done.
    bool applyWithSnapshot(const std::function<bool(Document&)>& operation);
    // Puts back what the last apply took, brings the selection back and refreshes. False
    // when the state is not applied.
    bool undoFromSnapshot();

    // The state has applied through its journal at least once.
    bool holdsSnapshot() const { return hasApplied_; }
    // The layers the applied state keeps for undo, in the order they were taken.
    std::vector<const Layer*> keptLayers() const { return journal_.takenLayers(); }

private:
    bool beginRecord();
    void putBack();
    void deselect();
    void reselect();

    DocumentContext& context_;
    WholeDocumentSteps steps_;
    LayerJournal journal_;
    DocumentInfo infoBefore_;
    std::unique_ptr<AlphaChannelList> channelsBefore_;
    bool hasApplied_ = false;
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
