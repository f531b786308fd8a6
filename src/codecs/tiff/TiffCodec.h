#pragma once
// TIFF files through libtiff: the first page of any file read into 24-bit color and, when the
// file has an alpha sample, an 8-bit alpha; written as 8-bit RGB or RGBA.

#include "codecs/ByteStream.h"
#include "codecs/ReadReport.h"
#include "surface/RasterSurface.h"

#include <cstdint>

namespace pict {

// Reads the first page: 1, 2, 4, 8 and 16-bit gray and bilevel (either polarity), palette,
// 8 and 16-bit RGB with or without alpha, in strips or tiles, with any compression libtiff
// decodes; other layouts (CMYK, YCbCr, separate planes) through libtiff's RGBA conversion.
// A file whose data stops early keeps the rows it had, the rest gray (the report says so);
// on failure the surfaces are empty and the report says why.
bool readTiff(ByteStream& stream, Surface24& color, Surface8& alpha, ReadReport& report);
// The size of the first page, from the file's directory alone; false when it is not a TIFF
// file that libtiff can open.
bool readTiffSize(ByteStream& stream, int32_t& width, int32_t& height);

enum class TiffCompression : uint8_t { None, Lzw, Deflate, PackBits };

struct TiffSaveSettings {
    TiffCompression compression = TiffCompression::Lzw;
};

// Writes one page of 8-bit RGB, or RGBA with unassociated alpha when alpha is given, in strips.
bool writeTiff(ByteStream& out, const Surface24& color, const Surface8* alpha, const TiffSaveSettings& settings = {});

} // namespace pict
