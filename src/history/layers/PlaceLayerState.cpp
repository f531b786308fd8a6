#include "history/layers/PlaceLayerState.h"

#include "document/Document.h"

#include <new>

namespace pict {

PlaceLayerState::PlaceLayerState(DocumentContext& context, Surface24&& color, Surface8&& alpha, Point position)
    : DocumentChangeState([&context] { context.document().setModified(true); }), context_(context),
      color_(std::move(color)), alpha_(std::move(alpha)), position_(position) {}

bool PlaceLayerState::apply() {
    LayerStack& stack = context_.document().layers();
    try {
        if (layerName_.empty())
            layerName_ = stack.defaultLayerName(false);
        std::unique_ptr<RasterLayer> layer =
            RasterLayer::createFromPixels(&stack, color_, alpha_, position_, layerName_, false);
        if (!layer)
            return false;
        const Layer* placed = layer.get();
        if (!stack.add(std::move(layer)))
            return false;
        index_ = stack.indexOf(placed);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool PlaceLayerState::undo() {
    LayerStack& stack = context_.document().layers();
    const Layer* layer = stack.layerAt(index_);
    if (!layer || layer->name() != layerName_)
        return false;
    return stack.removeAt(index_);
}

} // namespace pict
