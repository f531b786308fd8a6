#include "history/filter/FilterHistoryState.h"

#include "document/Document.h"
#include "history/DocumentContext.h"

#include <new>

namespace pict {

FilterHistoryState::FilterHistoryState(DocumentContext& context, std::shared_ptr<ImageFilter> filter,
                                       FilterApplied applied)
    : DocumentChangeState([&context] { context.document().setModified(true); }), context_(context),
      filter_(std::move(filter)), applied_(std::move(applied)),
      layerIndex_(context.document().layers().activeIndex()) {}

FilterHistoryState::~FilterHistoryState() = default;

std::string FilterHistoryState::name() const { return filter_ ? filter_->name() : std::string("Unknown Filter"); }

void FilterHistoryState::setFilter(std::shared_ptr<ImageFilter> filter) { filter_ = std::move(filter); }

RasterLayer* FilterHistoryState::editableLayer() const {
    RasterLayer* layer = context_.document().layers().rasterAt(layerIndex_);
    if (!layer || layer->isEmpty() || layer->color().isEmpty() || !layer->isVisible())
        return nullptr;
    return layer;
}

bool FilterHistoryState::apply() {
    if (!filter_)
        return false;
    RasterLayer* layer = editableLayer();
    if (!layer)
        return false;
    const SelectionArea selection = context_.selectionArea();
    if (!selection.isEmpty() && !selection.bounds.intersects(layer->canvasRect()))
        return false;
    // Every apply starts from the pixels before this state (a redo follows its undo, a
    // preview undoes itself before it runs again), so when a later apply reaches further
    // than what was saved, saving the larger rectangle now is still saving the original.
    const Rect reach = reachOn(*layer);
    try {
        if (saved_.isEmpty() || !saved_.rect().contains(reach)) {
            const Rect wanted = saved_.isEmpty() ? reach : reach.united(saved_.rect());
            // The whole layer is kept by sharing its pixels rather than copied: the filter
            // then writes its result into new memory from the old pixels (or copies them
            // before working in place), so the layer's old pixels become the undo at no cost.
            const bool saved = wanted == layer->color().bounds() ? saved_.keep(layer->color())
                                                                 : saved_.save(layer->color(), wanted);
            if (!saved)
                return false;
        }
        if (!context_.document().layers().applyFilter(layerIndex_, *filter_, selection))
            return false;
    } catch (const std::bad_alloc&) {
        return false;
    }
    if (applied_)
        applied_(*filter_);
    return true;
}

Rect FilterHistoryState::reachOn(const RasterLayer& layer) const {
    const SelectionArea selection = context_.selectionArea();
    const Rect layerBounds = layer.color().bounds();
    return selection.isEmpty()
               ? layerBounds
               : selection.bounds.translated(-layer.position().x, -layer.position().y).intersected(layerBounds);
}

Rect FilterHistoryState::reach() const {
    const RasterLayer* layer = editableLayer();
    return layer ? reachOn(*layer) : Rect{};
}

bool FilterHistoryState::recordApplied(const Surface24& before) {
    const RasterLayer* layer = editableLayer();
    if (!filter_ || !layer || before.size() != layer->size())
        return false;
    const Rect reach = reachOn(*layer);
    return !reach.isEmpty() && saved_.save(before, reach);
}

bool FilterHistoryState::adoptApplied(SavedPixels&& before) {
    const RasterLayer* layer = editableLayer();
    if (!filter_ || !layer || before.isEmpty() || before.depth() != layer->color().depth() ||
        before.rect() != reachOn(*layer))
        return false;
    saved_ = std::move(before);
    return true;
}

bool FilterHistoryState::undo() {
    if (saved_.isEmpty())
        return false;
    LayerStack& layers = context_.document().layers();
    RasterLayer* layer = layers.rasterAt(layerIndex_);
    if (!layer || !saved_.restore(layer->color()))
        return false;
    layers.report(layer, LayerChangeKind::Pixels, saved_.rect().translated(layer->position().x, layer->position().y),
                  true);
    return true;
}

} // namespace pict
