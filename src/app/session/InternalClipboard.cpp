#include "app/session/InternalClipboard.h"

#include "document/Document.h"
#include "document/SurfaceCopies.h"

#include <new>
#include <optional>

namespace pict {

bool InternalClipboard::hasImage() const {
    return (system_ && system_->offersImage()) || (kept_ && !kept_->isEmpty());
}

void InternalClipboard::store(PixelPiece&& piece) {
    kept_ = std::make_shared<const PixelPiece>(std::move(piece));
    if (system_)
        system_->publish(kept_);
}

ClipboardPicture InternalClipboard::picture() const {
    const bool ours = kept_ && !kept_->isEmpty();
    if (system_ && system_->offersImage() && !(ours && system_->holdsOwnPicture())) {
        try {
            auto piece = std::make_shared<PixelPiece>();
            if (system_->readImage(*piece) && !piece->isEmpty())
                return {std::move(piece), false};
        } catch (const std::bad_alloc&) {
        }
        return {};
    }
    if (ours)
        return {kept_, true};
    return {};
}

void InternalClipboard::clear() {
    if (system_)
        system_->clear();
    kept_.reset();
}

std::unique_ptr<Document> documentFromPicture(const PixelPiece& piece, const std::string& name) {
    if (piece.isEmpty())
        return nullptr;
    try {
        Surface24 color;
        if (!cloneSurface(piece.color, color))
            return nullptr;
        std::optional<Surface8> alpha;
        if (!piece.alpha.isAll(255)) {
            alpha.emplace();
            if (!cloneSurface(piece.alpha, *alpha))
                return nullptr;
        }
        auto document = std::make_unique<Document>();
        if (!document->newFromSurface(name, std::move(color), std::move(alpha)))
            return nullptr;
        document->setUntitled(true);
        return document;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

} // namespace pict
