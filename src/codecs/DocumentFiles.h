#pragma once
// Between files and documents: which reader each file kind goes through, what a loaded file
// becomes, and what is written when a document is saved. The editor's Open and Save and the
// batch tool both come through here.

#include "codecs/ReadReport.h"
#include "surface/RasterSurface.h"

#include <memory>
#include <string>

namespace pict {

class Document;

// What a file yields: 24-bit color and, when the file has transparency, an 8-bit alpha of
// the same size (empty otherwise); and how the reading went.
struct OpenedImage {
    Surface24 color;
    Surface8 alpha;
    ReadReport report; // why it failed, or that the file ended early
};

// Reads an existing file of an openable kind (by its extension): BMP, PNG and JPEG through
// the codecs, the first frame of a GIF with its transparent index as transparency, the
// largest and deepest entry of an ICO. Fails, leaving image empty and saying why in its
// report, for a missing or empty file, any other kind, a decoding error, a side above 30000
// or when memory runs out.
bool openImage(const std::string& path, OpenedImage& image);

// A document made from the file: named after it, "Background", or "Layer 1" carrying the
// transparency; not modified and not untitled. Null on any failure; the report, when given,
// says why, or that the file ended early.
std::unique_ptr<Document> openDocument(const std::string& path, ReadReport* report = nullptr);

// Writes the document's composite to path with the codec of the path's extension:
// - BMP: 32 bits when the alpha holds values other than 0 and other than 255, else 24;
// - JPEG: transparent parts mixed with white, default quality, no carried-over segments;
// - PNG: RGBA, or RGB when the composite is opaque everywhere.
// The old file at path is replaced only by a completely written new one; on any failure it
// is left byte for byte as it was. On success the document takes path as its file (name and
// folder), stops being untitled and is no longer modified; on failure it is not changed.
bool saveDocument(Document& document, const std::string& path);

} // namespace pict
