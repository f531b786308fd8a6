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
        if (!stack.add(std::move(layer)))
            return false;
        index_ = stack.indexOf(placed);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool PlacedLayer::remove(LayerStack& stack) const {
    const Layer* layer = stack.layerAt(index_);
    if (!layer || layer->name() != name_)
        return false;
    return stack.removeAt(index_);
}

} // namespace pict
