#include "app/session/DocumentSession.h"

#include "document/Document.h"
#include "history/HistoryManager.h"
#include "selection/SelectionController.h"

namespace pict {

// Forwards what the selection controller reports to the session's view.
class DocumentSession::SelectionRelay final : public SelectionListener {
public:
    explicit SelectionRelay(DocumentSession& session) : session_(session) {}
    void selectionChanged(const Rect&, const Rect&) override { session_.selectionChanged(); }
    void outlineVisibilityChanged(bool) override {
        if (session_.view())
            session_.view()->toggleSelectionOutline();
    }

private:
    DocumentSession& session_;
};

DocumentSession::DocumentSession(ApplicationContext& app, std::unique_ptr<Document> document)
    : app_(app), document_(std::move(document)),
      selection_(std::make_unique<SelectionController>(document_->width(), document_->height())),
      history_(std::make_unique<HistoryManager>(HistoryLimit::clamp(app.historyLimit))),
      relay_(std::make_unique<SelectionRelay>(*this)) {
    selection_->setListener(relay_.get());
    history_->setMemoryBudget(HistoryMemory::bytes(app.historyMemoryMiB));
    // A document that arrives modified (a copy of unsaved work) stays so until it is saved.
    savedToken_ = history_->stateToken();
    changedOutsideHistory_ = document_->isModified();
    beganNew_ = document_->info().untitled;
}

void DocumentSession::markSaved() {
    savedToken_ = history_->stateToken();
    changedOutsideHistory_ = false;
    document_->setModified(false);
}

void DocumentSession::markChangedOutsideHistory() {
    changedOutsideHistory_ = true;
    document_->setModified(true);
}

void DocumentSession::syncModified() {
    document_->setModified(changedOutsideHistory_ || history_->stateToken() != savedToken_);
}

DocumentSession::~DocumentSession() {
    // States refer to the document and the selection: they go first.
    history_.reset();
    if (selection_)
        selection_->setListener(nullptr);
}

std::vector<int32_t> DocumentSession::selectedLayers() const {
    const LayerStack* stack = document_->layersIfAny();
    if (!stack)
        return {};
    if (panelSelection_.empty()) {
        const int32_t active = stack->activeIndex();
        return active >= 0 ? std::vector<int32_t>{active} : std::vector<int32_t>{};
    }
    std::vector<int32_t> layers;
    for (int32_t index : panelSelection_)
        if (stack->layerAt(index))
            layers.push_back(index);
    return layers;
}

void DocumentSession::canvasSizeChanged() {
    // An undo that restores a snapshot brings the old selection back right after the
    // canvas; a selection that already fits the canvas is kept.
    const SelectionMask& mask = selection_->mask();
    if (mask.canvasWidth() != document_->width() || mask.canvasHeight() != document_->height())
        selection_->resetCanvas(document_->width(), document_->height());
    if (view_)
        view_->canvasSizeChanged();
}

void DocumentSession::beginLongOperation() {
    if (view_)
        view_->beginLongOperation();
}

void DocumentSession::endLongOperation() {
    if (view_)
        view_->endLongOperation();
}

void DocumentSession::selectionChanged() {
    if (view_)
        view_->selectionChanged();
}

} // namespace pict
