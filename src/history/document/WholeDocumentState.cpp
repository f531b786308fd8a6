#include "history/document/WholeDocumentState.h"

#include "document/Document.h"
#include "document/LayerStack.h"
#include "history/selection/SelectionState.h"

#include <new>

namespace pict {

WholeDocumentState::WholeDocumentState(DocumentContext& context, WholeDocumentSteps steps)
    : DocumentChangeState([&context] { context.document().setModified(true); }), context_(context), steps_(steps) {}

bool WholeDocumentState::beginRecord() {
    Document& doc = document();
    try {
        infoBefore_ = doc.info();
        channelsBefore_.reset();
        // Channels are changed in place by the walks, so the few a document has are copied.
        if (const AlphaChannelList* channels = doc.channelsIfAny(); channels && channels->count() > 0) {
            channelsBefore_ = channels->clone();
            if (!channelsBefore_)
                return false;
        }
        journal_.begin(doc.layers());
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

void WholeDocumentState::putBack() {
    document().rewind(journal_, infoBefore_, std::move(channelsBefore_));
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
    if (journal_.isBegun() || !beginRecord())
        return false;
    deselect();
    bool done = false;
    {
        LongOperationScope busy(context_);
        LayerStack& stack = document().layers();
        stack.attachJournal(&journal_);
        try {
            done = operation(document());
        } catch (const std::bad_alloc&) {
            done = false;
        }
        stack.attachJournal(nullptr);
        if (!done) {
            // A walk that stopped half way would leave some layers transformed and others
            // not; put the document back as it was, including its modified flag.
            const bool wasModified = document().isModified();
            putBack();
            document().setModified(wasModified);
            reselect();
        }
    }
    hasApplied_ = hasApplied_ || done;
    if (steps_.refreshLayout)
        context_.canvasSizeChanged();
    return done;
}

bool WholeDocumentState::undoFromSnapshot() {
    if (!journal_.isBegun())
        return false;
    {
        LongOperationScope busy(context_);
        putBack();
        // As the whole-document copy this state used to restore did, undo leaves the top
        // layer active; the merge states choose again.
        LayerStack& stack = document().layers();
        stack.setActive(stack.layerAt(stack.count() - 1));
    }
    reselect();
    if (steps_.refreshLayout)
        context_.canvasSizeChanged();
    return true;
}

} // namespace pict
