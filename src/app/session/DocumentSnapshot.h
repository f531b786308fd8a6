#pragma once
// What autosave writes, taken on the user-interface thread: a read-only view of every layer,
// channel and the composite (their pixels shared, not copied; a surface the document writes
// to while a view lives first takes a copy of its own), described as a layered picture over
// those views. A worker thread then compresses it into a layered file while the user goes on
// editing the document itself.

#include "codecs/ImageMetadata.h"
#include "codecs/openraster/OpenRaster.h"
#include "surface/RasterSurface.h"

#include <deque>
#include <memory>
#include <string>

namespace pict {

class Document;

class DocumentSnapshot {
public:
    // Null when the composite cannot be made or memory runs out.
    static std::unique_ptr<DocumentSnapshot> take(Document& document, const ImageMetadata& metadata);

    const LayeredPicture& picture() const { return picture_; }
    // Writes the layered file; the old file at path is replaced only by a complete new one.
    bool write(const std::string& path, std::string& error) const;

private:
    DocumentSnapshot() = default;
    LayeredPicture picture_; // every surface pointer leads into the views below
    // Deques: their elements stay where they are while more are added.
    std::deque<Surface24> colors_;
    std::deque<Surface8> masks_;
    ImageMetadata metadata_;
};

} // namespace pict
