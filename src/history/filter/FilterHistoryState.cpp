#include "history/filter/FilterHistoryState.h"

#include "document/Document.h"
#include "history/DocumentContext.h"
#include "imageops/LastFilterSlot.h"

#include <new>

namespace pict {
namespace {

void attachSlot(ImageFilter* filter, LastFilterSlot* slot) {
    if (auto* neighborhood = dynamic_cast<NeighborhoodFilter*>(filter); neighborhood && slot)
        neighborhood->setLastFilterSlot(slot);
}

} // namespace

FilterHistoryState::FilterHistoryState(DocumentContext& context, std::shared_ptr<ImageFilter> filter,
                                       LastFilterSlot* lastFilter)
    : DocumentChangeState([&context] { context.document().setModified(true); }), context_(context),
      filter_(std::move(filter)), lastFilter_(lastFilter), layerIndex_(context.document().layers().activeIndex()) {
    attachSlot(filter_.get(), lastFilter_);
}

FilterHistoryState::~FilterHistoryState() = default;

std::string FilterHistoryState::name() const { return filter_ ? filter_->name() : std::string("Unknown Filter"); }

void FilterHistoryState::setFilter(std::shared_ptr<ImageFilter> filter) {
    filter_ = std::move(filter);
    attachSlot(filter_.get(), lastFilter_);
}

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
    const Rect layerBounds = layer->color().bounds();
    const Rect reach = selection.isEmpty()
                           ? layerBounds
                           : selection.bounds.translated(-layer->position().x, -layer->position().y).intersected(layerBounds);
    try {
        if (saved_.isEmpty() || !saved_.rect().contains(reach)) {
            const Rect wanted = saved_.isEmpty() ? reach : reach.united(saved_.rect());
            if (!saved_.save(layer->color(), wanted))
                return false;
        }
        return context_.document().layers().applyFilter(layerIndex_, *filter_, selection);
    } catch (const std::bad_alloc&) {
        return false;
    }
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
