#pragma once
// A system clipboard for the command-layer tests: it keeps what was published, can be given a
// picture "from another program", and counts how often it was emptied.

#include "app/session/ClipboardExchange.h"
#include "app/session/InternalClipboard.h"

#include <memory>

namespace pict::test {

struct FakeClipboardExchange : ClipboardExchange {
    std::shared_ptr<const PixelPiece> published; // ours, while the clipboard still holds it
    std::shared_ptr<const PixelPiece> foreign;   // another program's picture
    int publishes = 0;
    int clears = 0;
    bool failsToDecode = false;

    void publish(std::shared_ptr<const PixelPiece> piece) override {
        published = std::move(piece);
        foreign.reset();
        ++publishes;
    }
    bool offersImage() const override { return published || foreign; }
    bool holdsOwnPicture() const override { return published != nullptr; }
    bool readImage(PixelPiece& piece) const override {
        const PixelPiece* source = foreign ? foreign.get() : published.get();
        if (!source || failsToDecode)
            return false;
        piece.color = source->color.clone();
        piece.alpha = source->alpha.clone();
        piece.origin = {};
        return true;
    }
    void clear() override {
        published.reset();
        foreign.reset();
        ++clears;
    }
    // Another program copies a picture.
    void copyForeign(PixelPiece&& piece) {
        published.reset();
        foreign = std::make_shared<const PixelPiece>(std::move(piece));
    }
};

} // namespace pict::test
