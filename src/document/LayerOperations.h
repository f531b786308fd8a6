#pragma once
// The pixel work that layers hand to other subsystems. The layer decides which pixels take
// part (its selection restriction); filters and the fill decide what happens to them.

#include "common/Geometry.h"
#include "surface/RasterSurface.h"

namespace pict {

// A filter over a layer's color surface. Without a mask it works on the whole surface;
// with one, only inside the mask, whose pixel (0, 0) lies on surface pixel maskOrigin,
// each result weighted by the mask's coverage.
class SurfaceFilter {
public:
    virtual ~SurfaceFilter() = default;
    virtual bool apply(Surface24& color, const Surface8* mask, Point maskOrigin) = 0;
};

// The Fill command's pixel work on a layer that already covers the canvas. The selection
// mask (null for none) is placed at maskOrigin in layer coordinates; transparency is the
// layer's transparency mask (null when the layer has none).
class SurfaceFill {
public:
    virtual ~SurfaceFill() = default;
    virtual bool fill(Surface24& color, Surface8* transparency, const Surface8* mask, Point maskOrigin) = 0;
};

} // namespace pict
