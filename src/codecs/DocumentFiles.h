#pragma once
// Between files and documents: which reader each file kind goes through, what a loaded file
// becomes, and what is written when a document is saved. The editor's Open and Save and the
// batch tool both come through here.

#include "codecs/FileKind.h"
#include "codecs/ImageMetadata.h"
#include "codecs/ReadReport.h"
#include "codecs/SaveOptions.h"
#include "surface/RasterSurface.h"

#include <memory>
#include <string>
#include <vector>

namespace pict {

class CompositeCache;
class Document;

// What a file yields: 24-bit color and, when the file has transparency, an 8-bit alpha of
// the same size (empty otherwise); and how the reading went.
struct OpenedImage {
    Surface24 color;
    Surface8 alpha;
    ReadReport report; // why it failed, or that the file ended early
    // What the file holds besides its pixels (JPEG, PNG, TIFF, WebP, HEIF), less a colour
    // profile that was applied to the pixels.
    ImageMetadata metadata;
};

// Reads an existing file of an openable kind (by its extension): BMP, PNG and JPEG through
// the codecs, the first frame of a GIF with its transparent index as transparency, the
// largest and deepest entry of an ICO, the first page of a TIFF, the first frame of a WebP,
// the primary picture of a HEIC or AVIF file. The pixels come upright (EXIF or TIFF
// orientation) and in sRGB (an embedded profile is applied, the report's colorNote saying
// so). Fails, leaving image empty and saying why in its
// report, for a missing or empty file, any other kind, a decoding error, a side above 30000
// or when memory runs out.
bool openImage(const std::string& path, OpenedImage& image);

// A document made from the file: named after it, "Background", or "Layer 1" carrying the
// transparency; not modified and not untitled. Null on any failure; the report, when given,
// says why, or that the file ended early. metadata, when given, receives what the file holds
// besides its pixels (JPEG, PNG, TIFF, WebP, HEIF and layered files), to be carried into later
// saves.
std::unique_ptr<Document> openDocument(const std::string& path, ReadReport* report = nullptr,
                                       ImageMetadata* metadata = nullptr);

// Writes the document's composite to path with the codec of the path's extension:
// - BMP: 32 bits when the alpha holds values other than 0 and other than 255, else 24;
// - JPEG: transparent parts mixed with white, with the options' quality, subsampling and
//   progressive choice;
// - PNG: RGBA, or RGB when the composite is opaque everywhere, at the options' compression;
// - TIFF (LZW), WebP (the options' quality or lossless) and AVIF: with alpha unless the
//   composite is opaque everywhere.
// The carried metadata, when given, goes into JPEG, PNG and layered files as the options say
// (see metadataForSave). The old file at path is replaced only by a completely written new
// one; on any failure it is left byte for byte as it was. On success the document takes path as its file (name and
// folder), stops being untitled and is no longer modified; on failure it is not changed.
bool saveDocument(Document& document, const std::string& path, const SaveOptions& options = {},
                  const ImageMetadata* carried = nullptr);

// saveDocument in two halves, for a caller that writes on a worker thread. writeDocumentFile
// writes the file as saveDocument does and only reads the document, once its composite is
// current (call document.composite() on the document's thread first, and change nothing
// until it returns); a cancelled write (pixelWorkCancelled) leaves the old file as it was.
// takeSavedFile then does to the document what a successful save does.
bool writeDocumentFile(Document& document, const std::string& path, const SaveOptions& options = {},
                       const ImageMetadata* carried = nullptr);
void takeSavedFile(Document& document, const std::string& path);

// The bytes a save of the composite to a flat kind (BMP, JPEG, PNG) would write, with the
// metadata already chosen for it (see metadataForSave): what the save options dialog sizes
// and previews.
bool encodeComposite(FileKind kind, const CompositeCache& composite, const SaveOptions& options,
                     const ImageMetadata& kept, std::vector<uint8_t>& bytes);

// Whether a flat file (BMP, JPEG, PNG) would lose part of the document: it has more than one
// layer, a hidden layer or one not in Normal mode, or saved channels. Placeholders kept only
// for the history do not count.
bool needsLayeredFile(const Document& document);

} // namespace pict
