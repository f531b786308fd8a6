#include "app/commands/FilterOffThread.h"

#include "app/commands/CommandPreconditions.h"
#include "app/dialogs/adjustments/PreviewWorker.h"
#include "app/session/DocumentSession.h"
#include "document/Document.h"
#include "surface/PixelWorkCancellation.h"

#include <new>

namespace pict {

bool runsFilterOffThread(const DocumentSession& session) {
    if (!session.view())
        return false;
    const LayerStack* layers = session.document().layersIfAny();
    const RasterLayer* layer = layers ? layers->rasterAt(layers->activeIndex()) : nullptr;
    if (!layer)
        return false;
    const SelectionArea selection = session.selectionArea();
    const Rect bounds = layer->localBounds();
    const Rect reach = selection.isEmpty() ? bounds : layer->selectionInLayer(selection).intersected(bounds);
    return int64_t(reach.width()) * reach.height() >= kOffThreadPixels;
}

namespace {

// What the worker hands back: the whole layer's color with the filter applied and the part
// of the color before it that undo needs.
struct FilteredLayer {
    Surface24 color;
    SavedPixels before;
    bool done = false;
};

void filterSource(const PreviewSource& source, ImageFilter& filter, const Rect& reach, FilteredLayer& out) {
    try {
        if (!out.before.save(source.layer->color(), reach))
            return;
        std::unique_ptr<Layer> copy = source.layer->clone(nullptr);
        RasterLayer* work = copy ? copy->asRaster() : nullptr;
        if (!work || !work->applyFilter(filter, source.selection()) || pixelWorkCancelled())
            return;
        out.color = std::move(work->color());
        out.done = true;
    } catch (const std::bad_alloc&) {
        out.done = false;
    }
}

} // namespace

CommandResult filterOffThread(DocumentSession& session, std::shared_ptr<ImageFilter> filter,
                              FilterApplied applied) {
    const CommandResult failed{CommandOutcome::Failed};
    if (!filter)
        return failed;
    auto state = std::make_unique<FilterHistoryState>(session, filter, applied);
    LayerStack& layers = session.document().layers();
    RasterLayer* layer = layers.rasterAt(state->layerIndex());
    const Rect reach = state->reach();
    // The same refusals as the state's own apply.
    if (!layer || reach.isEmpty())
        return failed;
    std::shared_ptr<const PreviewSource> source = PreviewSource::capture(*layer, session.selectionArea());
    if (!source)
        return failed;
    FilteredLayer result;
    const bool finished =
        session.runLongWork(filter->name(), [&] { filterSource(*source, *filter, reach, result); });
    // The views go first, so that the layer's pixels are its own again before they change.
    source.reset();
    if (!finished)
        return {CommandOutcome::Cancelled};
    if (!result.done || layer != layers.rasterAt(state->layerIndex()) ||
        result.color.size() != layer->size() || !state->adoptApplied(std::move(result.before)) ||
        !layer->color().swap(result.color))
        return failed;
    layers.report(layer, LayerChangeKind::Pixels, reach.translated(layer->x(), layer->y()), true);
    if (applied)
        applied(*filter);
    HistoryState* recorded = state.get();
    const CommandResult done = pushState(session, std::move(state), true);
    // The history records an applied state without its hooks; the one that marks the
    // document modified runs now.
    if (done)
        recorded->afterApply(true);
    return done;
}

} // namespace pict
