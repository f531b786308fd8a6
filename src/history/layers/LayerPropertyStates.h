#pragma once
// The states that change one attribute of the layer at an index and keep the old value:
// "Layer Properties" (the name), "Blending Change" (the blend mode) and "Master Opacity
// Change" (the opacity). Each takes the old value when it applies and fails, changing
// nothing, when the index holds no layer that can carry the attribute. While undone, a state
// can be given another new value (quick successive edits of one property become one state
// that way; see HistoryManager::amendNewest).

#include "history/HistoryState.h"

#include <cstdint>
#include <string>

namespace pict {

class Document;
class Layer;

class LayerPropertyState : public DocumentChangeState {
public:
    int32_t layerIndex() const { return layerIndex_; }

protected:
    LayerPropertyState(Document& document, int32_t layerIndex);

    Document& document() { return document_; }
    // The layer at the state's index, when it is alive (not a crop's placeholder).
    Layer* liveLayer();
    Layer* anyLayer();

private:
    Document& document_;
    int32_t layerIndex_;
};

class RenameLayerState final : public LayerPropertyState {
public:
    RenameLayerState(Document& document, int32_t layerIndex, std::string name)
        : LayerPropertyState(document, layerIndex), newName_(std::move(name)) {}
    std::string name() const override { return "Layer Properties"; }
    void changeTo(std::string name) { newName_ = std::move(name); }
    bool apply() override;
    bool undo() override;

private:
    std::string newName_;
    std::string oldName_;
};

class BlendModeState final : public LayerPropertyState {
public:
    BlendModeState(Document& document, int32_t layerIndex, int32_t mode)
        : LayerPropertyState(document, layerIndex), newMode_(mode) {}
    std::string name() const override { return "Blending Change"; }
    void changeTo(int32_t mode) { newMode_ = mode; }
    bool apply() override;
    bool undo() override;

private:
    int32_t newMode_;
    int32_t oldMode_ = 0;
};

class LayerOpacityState final : public LayerPropertyState {
public:
    LayerOpacityState(Document& document, int32_t layerIndex, uint8_t opacity)
        : LayerPropertyState(document, layerIndex), newOpacity_(opacity) {}
    std::string name() const override { return "Master Opacity Change"; }
    void changeTo(uint8_t opacity) { newOpacity_ = opacity; }
    bool apply() override;
    bool undo() override;

private:
    uint8_t newOpacity_;
    uint8_t oldOpacity_ = 255;
};

} // namespace pict
