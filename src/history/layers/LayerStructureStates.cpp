#include "history/layers/LayerStructureStates.h"

#include "document/Document.h"

#include <new>

namespace pict {

bool reactivateLayer(LayerStack& stack, int32_t index) {
    Layer* layer = stack.layerAt(index);
    if (!layer || !stack.setActive(layer))
        return false;
    stack.report(layer, LayerChangeKind::Structure, Rect{});
    return true;
}

namespace {

// Removes the layer a New or Duplicate Layer added and makes the layer that was active
// before it active again (the stack alone would pick the layer above the removed one).
// The index is forgotten once used, so that a second undo cannot remove another layer.
bool removeAdded(LayerStack& stack, int32_t& addedIndex, int32_t previousActive) {
    if (!stack.layerAt(addedIndex) || !stack.removeAt(addedIndex))
        return false;
    addedIndex = -1;
    reactivateLayer(stack, previousActive);
    return true;
}

// Adds a layer at the default place and records where it went.
bool addAtDefaultPlace(LayerStack& stack, std::unique_ptr<Layer> layer, int32_t& addedIndex,
                       int32_t& previousActive) {
    const Layer* added = layer.get();
    previousActive = stack.activeIndex();
    if (!stack.add(std::move(layer)))
        return false;
    addedIndex = stack.indexOf(added);
    return true;
}

} // namespace

LayerStructureState::LayerStructureState(Document& document)
    : DocumentChangeState([&document] { document.setModified(true); }), document_(document) {}

bool NewLayerState::apply() {
    LayerStack& stack = document().layers();
    try {
        auto layer = std::make_unique<EmptyLayer>(&stack);
        layer->setName(layerName_);
        if (!layer->setBlendMode(mode_))
            return false;
        layer->setOpacity(opacity_);
        return addAtDefaultPlace(stack, std::move(layer), addedIndex_, previousActive_);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool NewLayerState::undo() {
    return removeAdded(document().layers(), addedIndex_, previousActive_);
}

bool DuplicateLayerState::apply() {
    LayerStack& stack = document().layers();
    const Layer* source = stack.layerAt(sourceIndex_);
    if (!source || !source->isLive())
        return false;
    try {
        std::unique_ptr<Layer> copy = source->clone(&stack);
        if (!copy)
            return false;
        copy->setName(copyName_);
        if (RasterLayer* raster = copy->asRaster())
            raster->setBackground(false);
        return addAtDefaultPlace(stack, std::move(copy), addedIndex_, previousActive_);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool DuplicateLayerState::undo() {
    return removeAdded(document().layers(), addedIndex_, previousActive_);
}

DeleteLayerState::~DeleteLayerState() = default;

bool DeleteLayerState::apply() {
    if (held_)
        return false;
    held_ = document().layers().detach(index_);
    return held_ != nullptr;
}

bool DeleteLayerState::undo() {
    if (!held_)
        return false;
    LayerStack& stack = document().layers();
    if (index_ < 0 || index_ > stack.count())
        return false;
    // add makes the layer active and reports the change. It takes the layer only once it is
    // in: when memory runs out the state still holds it and a later undo can try again.
    return stack.add(std::move(held_), index_);
}

} // namespace pict
