#pragma once
// The program's own clipboard, one per process: the last copied pixels with their
// transparency and the canvas position they came from, which the system clipboard cannot
// carry. Copying stores them here and publishes them to the system clipboard; pasting reads
// the system clipboard first and falls back on this copy only while the system clipboard
// still holds it (or when there is no system clipboard, as in the batch tool).

#include "app/session/ClipboardExchange.h"
#include "document/PixelPiece.h"

#include <memory>
#include <string>

namespace pict {

class Document;

// What Paste takes: the picture, and whether its origin is where it was copied from.
struct ClipboardPicture {
    std::shared_ptr<const PixelPiece> piece;
    bool hasOrigin = false;
    explicit operator bool() const { return piece && !piece->isEmpty(); }
};

class InternalClipboard {
public:
    // system: not owned, may be null.
    explicit InternalClipboard(ClipboardExchange* system = nullptr) : system_(system) {}

    // A picture is on the system clipboard or kept here.
    bool hasImage() const;
    // Keeps the piece and publishes it to the system clipboard.
    void store(PixelPiece&& piece);
    // The system clipboard's picture, unless it still holds our own copy: then ours, with its
    // exact transparency and its origin. Empty when neither has a picture.
    ClipboardPicture picture() const;
    // Empties the system clipboard and frees the kept copy.
    void clear();

private:
    ClipboardExchange* system_;
    std::shared_ptr<const PixelPiece> kept_;
};

// New From Clipboard: a one-layer untitled document named name holding the picture, its
// transparency as the layer's mask when it has any (then "Layer 1", else "Background").
// Null when memory runs out.
std::unique_ptr<Document> documentFromPicture(const PixelPiece& piece, const std::string& name);

} // namespace pict
