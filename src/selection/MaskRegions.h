#pragma once
// Row-level helpers shared by the selection operations: making mask surfaces, moving
// coverage between surfaces that sit at different places on the canvas, and finding the
// tight box of the non-zero coverage.

#include "common/Geometry.h"
#include "surface/RasterSurface.h"

namespace pict {

// A zero-filled 8-bit surface of the size; false (target emptied) when it cannot be made.
bool createMask(Surface8& target, Size size);

// Copies the part of source (placed at sourceOrigin on the canvas) that overlaps target
// (placed at targetOrigin) into target; the rest of target is left as it is.
void copyOverlap(const Surface8& source, Point sourceOrigin, Surface8& target, Point targetOrigin);

// The smallest rectangle, in the surface's own coordinates, holding every non-zero byte;
// empty when every byte is zero.
Rect nonZeroBox(const Surface8& surface);

} // namespace pict
