#pragma once
// WebP files through libwebp: the first frame of a still or animated file read into 24-bit
// color and, when the file has transparency, an 8-bit alpha; written lossy or lossless.

#include "codecs/ByteStream.h"
#include "codecs/ImageMetadata.h"
#include "codecs/ReadReport.h"
#include "surface/RasterSurface.h"

#include <cstdint>

namespace pict {

struct WebpSaveSettings {
    static constexpr int32_t kQualityMin = 0, kQualityMax = 100, kQualityDefault = 90;
    int32_t quality = kQualityDefault; // lossy quality; for lossless files, how hard to compress
    bool lossless = false;

    friend bool operator==(const WebpSaveSettings&, const WebpSaveSettings&) = default;
};

// Reads a lossy or lossless WebP, or the first frame of an animation as it shows on the
// animation's canvas; metadata, when given, receives the EXIF, XMP and ICC chunks. On
// failure the surfaces are empty and the report says why.
bool readWebp(ByteStream& stream, Surface24& color, Surface8& alpha, ReadReport& report,
              ImageMetadata* metadata = nullptr);
// The canvas size from the file's first chunks; false when it is not a WebP file.
bool readWebpSize(const uint8_t* data, size_t size, int32_t& width, int32_t& height);

// Writes a still WebP, with transparency when alpha is given. Lossless files keep the color
// under fully transparent pixels too.
bool writeWebp(ByteStream& out, const Surface24& color, const Surface8* alpha, const WebpSaveSettings& settings = {});

} // namespace pict
