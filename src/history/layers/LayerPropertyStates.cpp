#include "history/layers/LayerPropertyStates.h"

#include "document/Document.h"

namespace pict {

LayerPropertyState::LayerPropertyState(Document& document, int32_t layerIndex)
    : DocumentChangeState([&document] { document.setModified(true); }), document_(document),
      layerIndex_(layerIndex) {}

Layer* LayerPropertyState::anyLayer() {
    return document_.layers().layerAt(layerIndex_);
}

Layer* LayerPropertyState::liveLayer() {
    Layer* layer = anyLayer();
    return layer && layer->isLive() ? layer : nullptr;
}

bool RenameLayerState::apply() {
    Layer* layer = anyLayer();
    if (!layer)
        return false;
    oldName_ = layer->name();
    return document().layers().setName(layer, newName_);
}

bool RenameLayerState::undo() {
    Layer* layer = anyLayer();
    return layer && document().layers().setName(layer, oldName_);
}

bool BlendModeState::apply() {
    Layer* layer = liveLayer();
    if (!layer)
        return false;
    oldMode_ = layer->blendMode();
    return layer->blendMode() == newMode_ || document().layers().setBlendMode(layer, newMode_);
}

bool BlendModeState::undo() {
    Layer* layer = liveLayer();
    if (!layer)
        return false;
    return layer->blendMode() == oldMode_ || document().layers().setBlendMode(layer, oldMode_);
}

bool LayerOpacityState::apply() {
    Layer* layer = liveLayer();
    if (!layer)
        return false;
    oldOpacity_ = layer->opacity();
    return layer->opacity() == newOpacity_ || document().layers().setOpacity(layer, newOpacity_);
}

bool LayerOpacityState::undo() {
    Layer* layer = liveLayer();
    if (!layer)
        return false;
    return layer->opacity() == oldOpacity_ || document().layers().setOpacity(layer, oldOpacity_);
}

} // namespace pict
