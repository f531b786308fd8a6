#pragma once
// The stack blur of an 8-bit mask as the feather uses it: a triangle-weighted running sum
// along the rows, then along the columns, divided by a per-radius multiplier and shift;
// pixels beyond the surface repeat its edge pixels.

#include "surface/RasterSurface.h"

#include <cstdint>

namespace pict {

// Blurs in place with whole-pixel radius R (limited to 254) in both directions; 0 leaves
// the surface unchanged. False, surface untouched, when working memory runs out.
bool stackBlurMask(Surface8& surface, int32_t radius);

} // namespace pict
