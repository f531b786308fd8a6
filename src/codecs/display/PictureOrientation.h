#pragma once
// Turning a decoded picture the way its file says it is meant to be shown (the EXIF or TIFF
// orientation, 1 to 8), so that a document always holds upright pixels and a save writes
// orientation 1.

#include "surface/RasterSurface.h"

#include <cstddef>
#include <cstdint>

namespace pict {

// The orientation (1..8) in the first directory of a TIFF structure (EXIF data, or a TIFF
// file); 1 when there is none or it cannot be read.
int32_t tiffOrientation(const uint8_t* tiff, size_t size);

// Turns color and alpha (when not empty) upright from the stored orientation. Values outside
// 2..8 change nothing. False when memory runs out; the surfaces are then unchanged.
bool applyOrientation(Surface24& color, Surface8& alpha, int32_t orientation);

} // namespace pict
