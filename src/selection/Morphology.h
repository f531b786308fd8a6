#pragma once
// Grey-level dilation and erosion of a mask by the selection's elliptical structuring
// element. Pixels beyond the surface count as 0, so erosion also eats in from the surface
// edges. The work per pixel grows only linearly with the radii, in straight row loops.

#include "surface/RasterSurface.h"

#include <cstdint>
#include <vector>

namespace pict {

// Column half-heights of the structuring element for column offsets 0..rx (the element is
// symmetric): with e = 0 for dx = 0 and |dx| - 0.5 otherwise,
// h(dx) = floor(sqrt(rx^2 - e^2) * ry / rx + 0.5). Radius 1 is the 3 x 3 square; radius 2
// is the 5 x 5 square without its corners.
std::vector<int32_t> structuringHeights(int32_t rx, int32_t ry);

// Replaces target by the maximum (dilate) or minimum (erode) of source over the element
// centred on each pixel; target gets source's size. False when memory runs out.
bool dilateMask(const Surface8& source, Surface8& target, int32_t rx, int32_t ry);
bool erodeMask(const Surface8& source, Surface8& target, int32_t rx, int32_t ry);

} // namespace pict
