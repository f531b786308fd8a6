#pragma once
// Readers for the kinds that are opened but never written: GIF (first frame) and ICO (the
// largest, deepest entry). Both yield 24-bit color and, where the file has transparency, an
// 8-bit alpha surface of the same size. On failure the report says why.

#include "surface/RasterSurface.h"

namespace pict {

class ByteStream;
struct ReadReport;

bool readGif(ByteStream& stream, Surface24& color, Surface8& alpha, ReadReport& report);
bool readIcon(ByteStream& stream, Surface24& color, Surface8& alpha, ReadReport& report);

} // namespace pict
