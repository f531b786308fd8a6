#pragma once
// What each TIFF save choice means for the file: the compression's tag and the layouts and
// depths it takes, the color layout's photometric interpretation and what it can hold.
// The writer and the refusal of impossible choices both read these tables.

#include "codecs/tiff/TiffCodec.h"

#include <tiffio.h>

#include <cstdint>

namespace pict {

struct TiffCompressionTraits {
    uint16_t tag;
    bool sixteenBits;  // takes 16-bit samples
    bool transparency; // keeps an alpha sample
    bool predicts;     // the horizontal predictor helps it (on continuous-tone samples)
    bool toneOnly;     // works on continuous-tone samples only (not indices or bits)
    const char* name;  // for refusals: "JPEG compression"
};

inline constexpr TiffCompressionTraits kTiffCompressionTraits[kTiffCompressionCount] = {
    {COMPRESSION_NONE, true, true, false, false, "no compression"},
    {COMPRESSION_LZW, true, true, true, false, "LZW compression"},
    {COMPRESSION_ADOBE_DEFLATE, true, true, true, false, "Deflate compression"},
    {COMPRESSION_PACKBITS, true, true, false, false, "PackBits compression"},
    {COMPRESSION_JPEG, false, false, false, true, "JPEG compression"},
};

struct TiffColorTraits {
    uint16_t photometric;
    uint16_t colorSamples; // before any alpha
    bool sixteenBits;      // may have 16-bit samples
    bool transparency;     // may have an alpha sample
    bool continuousTone;   // samples are levels (predictor, JPEG), not indices or bits
    const char* name;      // for refusals: "a palette file"
    const char* fixedDepth; // what its fixed depth is, for the refusal of 16-bit
};

inline constexpr TiffColorTraits kTiffColorTraits[kTiffColorCount] = {
    {PHOTOMETRIC_RGB, 3, true, true, true, "an RGB file", ""},
    {PHOTOMETRIC_MINISBLACK, 1, true, true, true, "a grayscale file", ""},
    {PHOTOMETRIC_PALETTE, 1, false, false, false, "a palette file", "8-bit indices"},
    {PHOTOMETRIC_MINISBLACK, 1, false, false, false, "a black and white file", "1 bit per pixel"},
};

inline const TiffCompressionTraits& traitsOf(TiffCompression compression) {
    return kTiffCompressionTraits[static_cast<size_t>(compression)];
}
inline const TiffColorTraits& traitsOf(TiffColor color) { return kTiffColorTraits[static_cast<size_t>(color)]; }

} // namespace pict
