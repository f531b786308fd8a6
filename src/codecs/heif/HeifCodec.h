#pragma once
// HEIC and AVIF files through libheif: the primary picture read into 24-bit color and, when
// it has an alpha plane, an 8-bit alpha; AVIF written when libheif has an AV1 encoder.

#include "codecs/ByteStream.h"
#include "codecs/ImageMetadata.h"
#include "codecs/ReadReport.h"
#include "surface/RasterSurface.h"

#include <cstdint>

namespace pict {

// Reads the primary picture, turned and mirrored as the file's transformations say (HEIF
// carries its orientation there, so its EXIF orientation is not applied again). metadata,
// when given, receives the EXIF data and the ICC profile. On failure the surfaces are empty
// and the report says why.
bool readHeif(ByteStream& stream, Surface24& color, Surface8& alpha, ReadReport& report,
              ImageMetadata* metadata = nullptr);
// The primary picture's size from the file's boxes; false when libheif cannot parse them.
bool readHeifSize(const uint8_t* data, size_t size, int32_t& width, int32_t& height);

struct AvifSaveSettings {
    int32_t quality = 80; // 0..100
    bool lossless = false;
};

// Whether this libheif can write AVIF (it needs an AV1 encoder).
bool canWriteAvif();
// Writes an AVIF file of the picture, with alpha when given.
bool writeAvif(ByteStream& out, const Surface24& color, const Surface8* alpha, const AvifSaveSettings& settings = {});

} // namespace pict
