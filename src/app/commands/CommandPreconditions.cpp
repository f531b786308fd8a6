#include "app/commands/CommandPreconditions.h"

#include "app/session/DocumentSession.h"
#include "document/Document.h"
#include "history/HistoryManager.h"
#include "selection/SelectionController.h"

namespace pict {

namespace {

const Layer* activeLayer(const DocumentSession& session) {
    const LayerStack* stack = session.document().layersIfAny();
    return stack ? stack->active() : nullptr;
}

} // namespace

bool hasVisibleRasterLayer(const DocumentSession& session) {
    const Layer* layer = activeLayer(session);
    return layer && layer->isRaster() && layer->isVisible();
}

bool acceptsContent(const DocumentSession& session) {
    const Layer* layer = activeLayer(session);
    return layer && layer->isLive() && layer->isVisible() && (layer->isRaster() || layer->isEmpty());
}

bool hasEditableLayer(const DocumentSession& session) {
    if (!hasVisibleRasterLayer(session))
        return false;
    const Layer* layer = activeLayer(session);
    if (layer->isEmpty())
        return false;
    const SelectionMask& mask = session.selection().mask();
    return mask.isEmpty() || mask.bounds().intersects(layer->canvasRect());
}

bool hasSelection(const DocumentSession& session) {
    return !session.selection().mask().bounds().isEmpty();
}

bool selectionMeetsCanvas(const DocumentSession& session) {
    return hasSelection(session) &&
           session.selection().mask().bounds().intersects(session.document().canvasRect());
}

CommandResult pushState(DocumentSession& session, std::unique_ptr<HistoryState> state, bool alreadyApplied) {
    if (!state)
        return commandResult(CommandOutcome::Failed);
    return commandResult(session.history().add(std::move(state), alreadyApplied) ? CommandOutcome::Done
                                                                                 : CommandOutcome::Failed);
}

} // namespace pict
