#include "history/layers/PlacedLayer.h"

#include "document/Layer.h"
#include "document/LayerStack.h"

#include <memory>
#include <new>

namespace pict {

bool PlacedLayer::place(LayerStack& stack, const Surface24& color, const Surface8& alpha, Point position) {
    try {
        if (name_.empty())
            name_ = stack.defaultLayerName(false);
        std::unique_ptr<RasterLayer> layer = RasterLayer::createFromPixels(&stack, color, alpha, position, name_, false);
        if (!layer)
            return false;
        const Layer* placed = layer.get();
        const int32_t wasActive = stack.indexOf(stack.active());
        // A redo puts the layer back where the first placing did: above the layer that was
        // active then, which is not the one undo left active.
        if (!stack.add(std::move(layer), index_))
            return false;
        index_ = stack.indexOf(placed);
        wasActive_ = wasActive;
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool PlacedLayer::remove(LayerStack& stack) const {
    const Layer* layer = stack.layerAt(index_);
    if (!layer || layer->name() != name_ || !stack.removeAt(index_))
        return false;
    if (const Layer* previous = stack.layerAt(wasActive_))
        stack.setActive(previous);
    return true;
}

} // namespace pict
