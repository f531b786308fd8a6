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
    try {
        if (!selectionSaved_) {
            if (!oldSelection_.save(context_))
                return false;
            selectionSaved_ = true;
        }
        if (!layer_.place(context_.document().layers(), piece_->color, piece_->alpha, position_))
            return false;
        context_.selection().place(piece_->alpha, position_);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool PasteState::undo() {
    if (!layer_.remove(context_.document().layers()))
        return false;
    oldSelection_.restore(context_);
    return true;
}

} // namespace pict
