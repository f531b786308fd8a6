#pragma once
// "Paste" and "Paste Into": the clipboard's picture becomes a new raster layer above the
// active one, named as New Layer names layers, and its pixels become the selection so that
// the Move tool takes them at once. Undo removes the layer and brings the old selection back;
// every redo places a fresh layer with the same name at the same index.

#include "common/Geometry.h"
#include "document/PixelPiece.h"
#include "history/DocumentContext.h"
#include "history/HistoryState.h"
#include "history/SavedSelection.h"
#include "history/layers/PlacedLayer.h"

#include <memory>
#include <string>

namespace pict {

class PasteState final : public DocumentChangeState {
public:
    // The piece is shared with the clipboard (it is never changed); position is where its
    // top-left lands on the canvas. name: "Paste" or "Paste Into".
    PasteState(DocumentContext& context, std::shared_ptr<const PixelPiece> piece, Point position, std::string name);

    std::string name() const override { return name_; }
    bool apply() override;
    bool undo() override;

    // The index the layer got on the last apply; -1 before.
    int32_t layerIndex() const { return layer_.index(); }

private:
    DocumentContext& context_;
    std::shared_ptr<const PixelPiece> piece_;
    Point position_;
    std::string name_;
    PlacedLayer layer_;
    SavedSelection oldSelection_;
    bool selectionSaved_ = false;
};

} // namespace pict
