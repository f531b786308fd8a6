#pragma once
// TIFF files through libtiff: the first page of any file read into 24-bit color and, when the
// file has an alpha sample, an 8-bit alpha; written as RGB, gray, palette or black and white.

#include "codecs/ByteStream.h"
#include "codecs/ImageMetadata.h"
#include "codecs/ReadReport.h"
#include "surface/RasterSurface.h"

#include <cstdint>
#include <string>

namespace pict {

// Reads the first page: 1, 2, 4, 8 and 16-bit gray and bilevel (either polarity), palette,
// 8 and 16-bit RGB with or without alpha, in strips or tiles, with any compression libtiff
// decodes; other layouts (CMYK, YCbCr, separate planes) through libtiff's RGBA conversion.
// The pixels are turned upright as the orientation tag says; metadata, when given, receives
// the ICC profile. A file whose data stops early keeps the rows it had, the rest gray (the
// report says so); on failure the surfaces are empty and the report says why.
bool readTiff(ByteStream& stream, Surface24& color, Surface8& alpha, ReadReport& report,
              ImageMetadata* metadata = nullptr);
// The size of the first page, from the file's directory alone; false when it is not a TIFF
// file that libtiff can open.
bool readTiffSize(ByteStream& stream, int32_t& width, int32_t& height);

enum class TiffCompression : uint8_t { None, Lzw, Deflate, PackBits, Jpeg };
// Bits per sample of RGB and gray files; palette files are 8-bit, black and white 1-bit.
enum class TiffDepth : uint8_t { Bits8, Bits16 };
// RGB and gray keep transparency as an unassociated alpha sample; palette and black and
// white files, and JPEG-compressed ones, have none.
enum class TiffColor : uint8_t { Rgb, Gray, Palette, Bilevel };

inline constexpr int kTiffCompressionCount = 5, kTiffDepthCount = 2, kTiffColorCount = 4;

struct TiffSaveSettings {
    TiffCompression compression = TiffCompression::Lzw;
    TiffDepth depth = TiffDepth::Bits8;
    TiffColor color = TiffColor::Rgb;

    friend bool operator==(const TiffSaveSettings&, const TiffSaveSettings&) = default;
};

// Why these choices cannot be written together ("JPEG compression holds 8-bit samples
// only"); empty when they can.
std::string tiffSettingsRefusal(const TiffSaveSettings& settings);
// Whether a file with these choices keeps the picture's transparency; when not, what is
// see-through is written over white, as in a JPEG file.
bool tiffKeepsTransparency(const TiffSaveSettings& settings);

// Writes one page in strips: RGB or gray of 8 or 16 bits per sample (16-bit values are
// v * 257), with an unassociated alpha sample when alpha is given and the choices keep it;
// gray is the luminance of each pixel; palette files have the picture's own colors when it
// has at most 256, otherwise an octree palette with error diffusion; black and white is
// the luminance at 128 or above. Choices that cannot go together write nothing and fail.
bool writeTiff(ByteStream& out, const Surface24& color, const Surface8* alpha, const TiffSaveSettings& settings = {});

} // namespace pict
