#pragma once
// Row conversions between file pixel layouts and the editor's 24-bit color plus 8-bit alpha.

#include "surface/RasterSurface.h"

namespace pict {

// Any stored depth to 24-bit color: palette colors for 1, 4 and 8 bits (indices beyond the
// palette are black), channel masks for 16 bits, a 32-bit source composited over white.
bool toColor24(const RasterSurface& source, Surface24& target);

// A 16-bit source with an alpha mask becomes 32-bit blue, green, red, alpha; each channel
// read by its mask, alpha scaled to 0..255 by its field maximum.
bool bitFields16To32(const RasterSurface& source, Surface32& target);

// A 32-bit bit-field buffer whose masks are not the canonical 0xFF0000/0xFF00/0xFF is
// rewritten into blue, green, red, alpha bytes; when no pixel had alpha it becomes opaque.
bool normalizeBitFields32(RasterSurface& surface);

// One row of blue, green, red, alpha pixels into color and alpha; returns the OR of the
// alpha bytes (0 when every pixel was fully transparent).
uint8_t splitRow(const uint8_t* bgra, int32_t width, uint8_t* color, uint8_t* alpha);
// One row of color and alpha (opaque when alpha is null) into blue, green, red, alpha.
void combineRow(const uint8_t* color, const uint8_t* alpha, int32_t width, uint8_t* bgra);

// Splits a 32-bit blue, green, red, alpha surface. Returns false on allocation failure;
// anyAlpha tells whether any alpha byte was non-zero.
bool splitColorAlpha(const RasterSurface& bgra, Surface24& color, Surface8& alpha, bool& anyAlpha);

// Joins color and alpha (opaque when alpha is empty) into a 32-bit surface.
bool combineColorAlpha(const Surface24& color, const Surface8& alpha, Surface32& target);

// Blends every pixel toward white with coverage 255 - alpha, so transparent pixels turn white.
bool flattenOverWhite(Surface24& color, const Surface8& alpha);

// Swaps the image rows top to bottom (any depth).
void flipRows(RasterSurface& surface);

// Extracts one channel from a pixel word the way the surface masks describe it.
inline uint32_t maskedChannel(uint32_t word, uint32_t mask, int32_t shift, int32_t loss) {
    const uint32_t field = (word & mask) >> shift;
    return (loss >= 0 ? field << loss : field >> -loss) & 0xFF;
}

} // namespace pict
