#pragma once
// Buffer-level conversions behind the surface conversion operations, shared by the files
// that implement them. Each returns a new buffer (null on failure) and leaves the source alone.

#include "surface/SurfaceBuffer.h"

#include <memory>

namespace pict {

// Rewrites a bit-field buffer into canonical layout (32 bits: blue, green, red, alpha bytes;
// 16 bits: 5-5-5); other buffers are left alone. False when memory runs out.
bool normalizeBuffer(std::unique_ptr<SurfaceBuffer>& buffer);
// 24-bit color: palette colors, 16 and 32 bits composited over white by their alpha.
std::unique_ptr<SurfaceBuffer> colorBufferOf(const SurfaceBuffer& source);
// 8-bit gray (59 green + 30 red + 11 blue + 50) / 100 with the gray-ramp palette.
std::unique_ptr<SurfaceBuffer> grayBufferOf(const SurfaceBuffer& source);
// An indexed source at a larger (or equal) indexed depth with the same palette and indices.
std::unique_ptr<SurfaceBuffer> widenedBuffer(const SurfaceBuffer& source, int depth);
// The source mapped to the nearest entries of palette at a smaller indexed depth.
std::unique_ptr<SurfaceBuffer> mappedBuffer(const SurfaceBuffer& source, int depth, const ColorTable& palette,
                                            bool dither);

} // namespace pict
