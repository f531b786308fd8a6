#pragma once
// Small row-level helpers the layer code shares: checked clones and rectangle copies
// between surfaces of the same depth. Rectangles are clipped to both surfaces.

#include "common/Geometry.h"
#include "surface/RasterSurface.h"

namespace pict {

// Copies source into target; an empty source gives an empty target. False when memory runs out.
template <class S>
bool cloneSurface(const S& source, S& target) {
    if (source.isEmpty()) {
        target.destroy();
        return true;
    }
    S copy = source.clone();
    if (copy.isEmpty())
        return false;
    target = std::move(copy);
    return true;
}

// Bytes per pixel of an 8- or 24-bit surface.
inline int32_t bytesPerPixel(const RasterSurface& surface) { return surface.depth() / 8; }

// Copies the pixels of sourceRect (source coordinates) to target at destination; both
// surfaces have the same byte depth (8 or 24 bits). Returns false when the depths differ.
bool copyPixels(const RasterSurface& source, const Rect& sourceRect, RasterSurface& target, Point destination);

// A new surface of the same depth holding the part of source inside rect (clipped to it).
// False, target untouched, when the clipped rectangle is empty or memory runs out.
template <class S>
bool extractRect(const S& source, const Rect& rect, S& target) {
    const Rect clipped = rect.intersected(source.bounds());
    if (clipped.isEmpty())
        return false;
    S part;
    if (!part.create(clipped.width(), clipped.height(), source.depth()))
        return false;
    copyPixels(source, clipped, part, {0, 0});
    target = std::move(part);
    return true;
}

} // namespace pict
