#pragma once
// The states that add or remove a layer: "New Layer", "Duplicate Layer" and "Delete Layer".
// They keep the index the layer got (or the layer itself, for Delete Layer) and put the
// active layer back as it was when they are undone.

#include "history/HistoryState.h"

#include <cstdint>
#include <memory>
#include <string>

namespace pict {

class Document;
class Layer;
class LayerStack;

// Makes the layer at the index active again after an undo and tells the observers, which
// heard of the structure change while another layer was active. False for no layer there.
bool reactivateLayer(LayerStack& stack, int32_t index);

class LayerStructureState : public DocumentChangeState {
protected:
    explicit LayerStructureState(Document& document);

    Document& document() { return document_; }

private:
    Document& document_;
};

// Adds an empty layer above the active one; every redo makes a fresh one.
class NewLayerState final : public LayerStructureState {
public:
    NewLayerState(Document& document, std::string layerName, int32_t mode, uint8_t opacity)
        : LayerStructureState(document), layerName_(std::move(layerName)), mode_(mode), opacity_(opacity) {}
    std::string name() const override { return "New Layer"; }
    bool apply() override;
    bool undo() override;

private:
    std::string layerName_;
    int32_t mode_;
    uint8_t opacity_;
    int32_t addedIndex_ = -1;
    int32_t previousActive_ = -1;
};

// Adds a copy of the layer at the index above the active one; a copy of the background
// layer is an ordinary layer.
class DuplicateLayerState final : public LayerStructureState {
public:
    DuplicateLayerState(Document& document, int32_t sourceIndex, std::string copyName)
        : LayerStructureState(document), sourceIndex_(sourceIndex), copyName_(std::move(copyName)) {}
    std::string name() const override { return "Duplicate Layer"; }
    bool apply() override;
    bool undo() override;

private:
    int32_t sourceIndex_;
    std::string copyName_;
    int32_t addedIndex_ = -1;
    int32_t previousActive_ = -1;
};

// Takes the layer at the index out of the stack and keeps it; undo puts that very layer
// back at its index and makes it active. Destroying the state destroys a layer it holds.
class DeleteLayerState final : public LayerStructureState {
public:
    DeleteLayerState(Document& document, int32_t index) : LayerStructureState(document), index_(index) {}
    ~DeleteLayerState() override;
    std::string name() const override { return "Delete Layer"; }
    bool apply() override;
    bool undo() override;

    const Layer* heldLayer() const { return held_.get(); }

private:
    int32_t index_;
    std::unique_ptr<Layer> held_;
};

} // namespace pict
