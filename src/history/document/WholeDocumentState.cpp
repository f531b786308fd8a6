#include "history/document/WholeDocumentState.h"

#include "document/Document.h"
#include "history/selection/SelectionState.h"

#include <new>

namespace pict {

WholeDocumentState::WholeDocumentState(DocumentContext& context, WholeDocumentSteps steps)
    : DocumentChangeState([&context] { context.document().setModified(true); }), context_(context), steps_(steps) {}

bool WholeDocumentState::takeSnapshot() {
    if (snapshot_)
        return true;
    try {
        auto snapshot = std::make_unique<Document>();
        // A fresh document is not composed by the copy: the snapshot, never shown, adds no
        // canvas-sized image to its history entry.
        if (!snapshot->copy(document()))
            return false;
        snapshot_ = std::move(snapshot);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

void WholeDocumentState::deselect() {
    deselectApplied_ = false;
    if (!steps_.deselectFirst || !context_.hasSelection())
        return;
    // The inner state is made once and reused on redo, so that every application of this
    // state starts without a selection, not just the first.
    if (!deselect_)
        deselect_ = std::make_unique<DeselectState>(context_.selection());
    deselect_->beforeApply();
    const bool applied = deselect_->apply();
    deselect_->afterApply(applied);
    deselectApplied_ = applied;
}

void WholeDocumentState::reselect() {
    if (!deselect_ || !deselectApplied_)
        return;
    deselect_->beforeUndo();
    const bool undone = deselect_->undo();
    deselect_->afterUndo(undone);
    deselectApplied_ = false;
}

bool WholeDocumentState::applyWithSnapshot(const std::function<bool(Document&)>& operation) {
    if (!takeSnapshot())
        return false;
    deselect();
    bool done = false;
    {
        LongOperationScope busy(context_);
        try {
            done = operation(document());
        } catch (const std::bad_alloc&) {
            done = false;
        }
        if (!done) {
            // A walk that stopped half way would leave some layers transformed and others
            // not; put the document back as it was, including its modified flag.
            const bool wasModified = document().isModified();
            document().restoreFrom(*snapshot_);
            document().setModified(wasModified);
            reselect();
        }
    }
    if (steps_.refreshLayout)
        context_.canvasSizeChanged();
    return done;
}

bool WholeDocumentState::undoFromSnapshot() {
    if (!snapshot_)
        return false;
    bool restored = false;
    {
        LongOperationScope busy(context_);
        restored = document().restoreFrom(*snapshot_);
    }
    if (restored)
        reselect();
    if (steps_.refreshLayout)
        context_.canvasSizeChanged();
    return restored;
}

} // namespace pict
