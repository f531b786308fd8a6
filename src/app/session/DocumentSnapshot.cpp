#include "app/session/DocumentSnapshot.h"

#include "codecs/ByteStream.h"
#include "document/Document.h"

#include <new>

namespace pict {

namespace {

// A read-only view of the source's pixels: no pixel is copied now; the document's surface
// takes a copy of its own the first time it is written while the view lives.
template <class S, class Store>
const S* shareInto(const S* source, Store& store) {
    if (!source)
        return nullptr;
    S& view = store.emplace_back();
    if (!view.shareFrom(*source))
        throw std::bad_alloc();
    return &view;
}

} // namespace

std::unique_ptr<DocumentSnapshot> DocumentSnapshot::take(Document& document, const ImageMetadata& metadata) {
    try {
        std::unique_ptr<DocumentSnapshot> snapshot(new DocumentSnapshot);
        LayeredPicture& picture = snapshot->picture_;
        if (!describeDocument(document, picture))
            return nullptr;
        for (LayeredLayer& layer : picture.layers) {
            layer.color = shareInto(layer.color, snapshot->colors_);
            layer.mask = shareInto(layer.mask, snapshot->masks_);
        }
        for (LayeredChannel& channel : picture.channels)
            channel.mask = shareInto(channel.mask, snapshot->masks_);
        picture.compositeColor = shareInto(picture.compositeColor, snapshot->colors_);
        picture.compositeAlpha = shareInto(picture.compositeAlpha, snapshot->masks_);
        snapshot->metadata_ = metadata;
        picture.metadata = snapshot->metadata_.isEmpty() ? nullptr : &snapshot->metadata_;
        return snapshot;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

bool DocumentSnapshot::write(const std::string& path, std::string& error) const {
    error.clear();
    if (writeReplacingFile(path, [&](ByteStream& out) { return writeOpenRaster(out, picture_, error); }))
        return true;
    if (error.empty())
        error = "the file cannot be written there";
    return false;
}

} // namespace pict
