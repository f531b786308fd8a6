#include "app/session/DocumentSnapshot.h"

#include "codecs/ByteStream.h"
#include "document/Document.h"

#include <new>

namespace pict {

namespace {

template <class S, class Store>
const S* copyInto(const S* source, Store& store) {
    if (!source)
        return nullptr;
    if (source->isEmpty())
        return &store.emplace_back();
    S copy = source->clone();
    if (copy.isEmpty())
        throw std::bad_alloc();
    return &store.emplace_back(std::move(copy));
}

} // namespace

std::unique_ptr<DocumentSnapshot> DocumentSnapshot::take(Document& document, const ImageMetadata& metadata) {
    try {
        std::unique_ptr<DocumentSnapshot> snapshot(new DocumentSnapshot);
        LayeredPicture& picture = snapshot->picture_;
        if (!describeDocument(document, picture))
            return nullptr;
        for (LayeredLayer& layer : picture.layers) {
            layer.color = copyInto(layer.color, snapshot->colors_);
            layer.mask = copyInto(layer.mask, snapshot->masks_);
        }
        for (LayeredChannel& channel : picture.channels)
            channel.mask = copyInto(channel.mask, snapshot->masks_);
        picture.compositeColor = copyInto(picture.compositeColor, snapshot->colors_);
        picture.compositeAlpha = copyInto(picture.compositeAlpha, snapshot->masks_);
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
