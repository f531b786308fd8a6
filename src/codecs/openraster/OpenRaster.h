#pragma once
// The layered file format (OpenRaster, .ora): a zip archive with "mimetype" first and stored,
// "stack.xml", one PNG per layer under "data/", the composite as "mergedimage.png" and a
// thumbnail. What other programs have no place for (the background flag, empty layers, the
// saved channels, the resolution unit, carried metadata) lives in attributes and files of
// this program's own, which they ignore.

#include "codecs/ImageMetadata.h"
#include "codecs/openraster/ZipArchive.h"
#include "common/Geometry.h"
#include "document/ResolutionUnit.h"
#include "surface/RasterSurface.h"

#include <memory>
#include <string>
#include <vector>

namespace pict {

class ByteStream;
class Document;

// What a layered file is written from. Surfaces are borrowed, read-only, for the length of
// the write; nothing here is copied, so a caller may describe a document and write it on
// another thread while the pixels stay untouched.
struct LayeredLayer {
    std::string name;
    Point position;
    int32_t blendMode = 0;
    uint8_t opacity = 255;
    bool visible = true;
    bool background = false;
    bool selected = false;
    const Surface24* color = nullptr; // null for a layer without pixels
    const Surface8* mask = nullptr;   // the transparency mask, or null
};

struct LayeredChannel {
    std::string name;
    const Surface8* mask = nullptr; // canvas-sized
};

struct LayeredPicture {
    Size canvas;
    float resolution = 72.0f;
    ResolutionUnit resolutionUnit = ResolutionUnit::PixelsPerInch;
    std::vector<LayeredLayer> layers; // bottom first, as the stack holds them
    std::vector<LayeredChannel> channels;
    const Surface24* compositeColor = nullptr;
    const Surface8* compositeAlpha = nullptr;
    const ImageMetadata* metadata = nullptr;
};

// The document as a layered picture over its own surfaces (its composite brought up to
// date first). Placeholders of removed layers are left out: they exist only for the history.
// False when the composite cannot be made.
bool describeDocument(Document& document, LayeredPicture& picture);

// zlib level of the layer PNGs: chosen for speed (the archive stores them as they are).
inline constexpr int kLayerPngLevel = 1;

// Writes the picture as a layered archive. Layers are compressed in parallel.
bool writeOpenRaster(ByteStream& out, const LayeredPicture& picture, std::string& error);
// describeDocument and writeOpenRaster into a file that replaces path only when complete.
bool saveOpenRaster(Document& document, const std::string& path, const ImageMetadata* metadata, std::string& error);

struct OpenRasterLimits {
    ZipReadLimits zip;
    int64_t maxPixelBytes = int64_t(8) << 30; // all layers, channels and groups decoded, added up
    int32_t maxLayers = 4096;
};

// What reading a layered file gives besides the document.
struct OpenRasterResult {
    std::unique_ptr<Document> document;
    ImageMetadata metadata;
    // What the file held that this program could not keep as it was (groups merged, unknown
    // blend modes read as Normal); empty when nothing was changed.
    std::string note;
};

// Reads a layered archive from a file or from memory. On failure error says why (missing or
// undecodable layers, sizes beyond the limits, paths outside the archive, unsafe XML) and the
// result holds no document. The document is named after path and is not modified.
bool readOpenRaster(const std::string& path, OpenRasterResult& result, std::string& error,
                    const OpenRasterLimits& limits = {});
bool readOpenRasterMemory(const void* data, size_t size, const std::string& path, OpenRasterResult& result,
                          std::string& error, const OpenRasterLimits& limits = {});

} // namespace pict
