#pragma once
// What a user chooses when saving a flat file: the JPEG settings, the PNG compression, the
// WebP quality, the TIFF compression, depth and color layout, and what happens to the metadata carried over from the file the document was
// opened from.
// The defaults write exactly what a save without options always wrote.

#include "codecs/CodecImage.h"
#include "codecs/tiff/TiffCodec.h"
#include "codecs/webp/WebpCodec.h"

namespace pict {

struct SaveOptions {
    JpegSaveSettings jpeg;
    PngCompression pngCompression = PngCompression::Normal;
    WebpSaveSettings webp;
    TiffSaveSettings tiff;
    bool keepMetadata = true;    // carry the opened file's EXIF, XMP, profile and texts over
    bool removeLocation = false; // but without the GPS position of the EXIF data

    friend bool operator==(const SaveOptions&, const SaveOptions&) = default;
};

} // namespace pict
