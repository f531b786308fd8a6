#include "history/clipboard/PasteState.h"

#include "document/Document.h"

#include <new>

namespace pict {

PasteState::PasteState(DocumentContext& context, std::shared_ptr<const PixelPiece> piece, Point position,
                       std::string name)
    : DocumentChangeState([&context] { context.document().setModified(true); }), context_(context),
      piece_(std::move(piece)), position_(position), name_(std::move(name)) {}

bool PasteState::apply() {
    if (!piece_ || piece_->isEmpty())
        return false;
    LayerStack& stack = context_.document().layers();
    try {
        if (!selectionSaved_) {
            if (!oldSelection_.save(context_))
                return false;
            selectionSaved_ = true;
        }
        if (layerName_.empty())
            layerName_ = stack.defaultLayerName(false);
        std::unique_ptr<RasterLayer> layer =
            RasterLayer::createFromPixels(&stack, piece_->color, piece_->alpha, position_, layerName_, false);
        if (!layer)
            return false;
        const Layer* placed = layer.get();
        if (!stack.add(std::move(layer)))
            return false;
        index_ = stack.indexOf(placed);
        context_.selection().place(piece_->alpha, position_);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool PasteState::undo() {
    LayerStack& stack = context_.document().layers();
    const Layer* layer = stack.layerAt(index_);
    if (!layer || layer->name() != layerName_ || !stack.removeAt(index_))
        return false;
    oldSelection_.restore(context_);
    return true;
}

} // namespace pict
