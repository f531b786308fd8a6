#pragma once
// Filling, clearing, moving or painting pixels onto an empty layer (what New Layer makes) first
// turns it into a transparent raster layer of the canvas size, with its name, visibility, mode
// and opacity, inside the same history step: the wrapped state runs on the promoted layer, and
// undo puts the very same empty layer back after undoing it.

#include "history/DocumentContext.h"
#include "history/HistoryState.h"

#include <cstdint>
#include <memory>

namespace pict {

class Layer;

class EmptyLayerPromotion final : public HistoryState {
public:
    EmptyLayerPromotion(DocumentContext& context, int32_t layerIndex, std::unique_ptr<HistoryState> inner);
    ~EmptyLayerPromotion() override;

    std::string name() const override { return inner_->name(); }
    bool apply() override;
    bool undo() override;
    std::vector<SavedPixels*> savedPixels() override { return inner_->savedPixels(); }
    void afterApply(bool applied) override { inner_->afterApply(applied); }
    void afterUndo(bool undone) override { inner_->afterUndo(undone); }

    // The wrapped state (a tool may change its parameters while it is undone).
    HistoryState& inner() { return *inner_; }

private:
    friend class PaintingPromotion;
    // Puts a transparent raster layer in the empty layer's place.
    bool promote();
    bool demote();

    DocumentContext& context_;
    int32_t layerIndex_;
    std::unique_ptr<HistoryState> inner_;
    std::unique_ptr<Layer> emptyLayer_; // held while the promoted layer stands in its place
};

// Painting tools paint as they go and record an already-applied state at the end, so their
// promotion happens first: constructed before the painting starts, it promotes the active
// layer when that is a visible empty layer; wrap() then joins the painting to it as one
// step. A promotion never wrapped (nothing painted, a refusal, Escape) puts the empty layer
// back when it goes.
class PaintingPromotion {
public:
    explicit PaintingPromotion(DocumentContext& context);
    PaintingPromotion(const PaintingPromotion&) = delete;
    PaintingPromotion& operator=(const PaintingPromotion&) = delete;
    ~PaintingPromotion();

    // True while an empty layer stands promoted for the painting.
    bool promoted() const { return promotion_ != nullptr; }
    // painted (already applied on the promoted layer) inside the promotion, or painted as it
    // is when nothing was promoted; null painted gives null and leaves the promotion to undo.
    std::unique_ptr<HistoryState> wrap(std::unique_ptr<HistoryState> painted);

private:
    std::unique_ptr<EmptyLayerPromotion> promotion_;
};

// True when the active layer is a live empty layer, visible or not.
bool activeLayerIsEmpty(DocumentContext& context);

// state as it is, or wrapped in a promotion when the active layer is empty.
std::unique_ptr<HistoryState> ontoContentLayer(DocumentContext& context, std::unique_ptr<HistoryState> state);

} // namespace pict
