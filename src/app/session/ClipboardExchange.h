#pragma once
// The system clipboard as the program's own clipboard sees it: a place to publish a picture
// for other programs and to read one they put there. The editor implements it over the
// desktop's clipboard; the batch tool has none.

#include "document/PixelPiece.h"

#include <memory>

namespace pict {

class ClipboardExchange {
public:
    virtual ~ClipboardExchange() = default;
    // Places the picture on the system clipboard at once, with its transparency (image/png)
    // and as a device-independent bitmap. The piece is shared read-only, so that encoding may
    // finish on a worker thread.
    virtual void publish(std::shared_ptr<const PixelPiece> piece) = 0;
    // The system clipboard offers a picture (ours or another program's).
    virtual bool offersImage() const = 0;
    // The system clipboard still holds the picture publish placed there last.
    virtual bool holdsOwnPicture() const = 0;
    // Decodes the system clipboard's picture into colors and transparency (origin 0, 0).
    // False when there is none or it cannot be decoded.
    virtual bool readImage(PixelPiece& piece) const = 0;
    // Empties the system clipboard when the program may.
    virtual void clear() = 0;
};

} // namespace pict
