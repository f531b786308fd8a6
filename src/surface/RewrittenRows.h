#pragma once
// Strips of rows, each rewritten from its own values alone (the point filters, the blur's row
// pass). When the surface's pixels are shared with a read-only view and every row is
// rewritten, the surface takes new memory instead of a copy of the shared pixels, and each
// row is copied from the old pixels just before it is rewritten, while it is in cache: the
// undo of a whole-layer filter keeps the layer's old pixels that way, and the filter then
// costs one pass over the pixels instead of a full copy and a pass. The bytes are the same.

#include "surface/PixelThreads.h"
#include "surface/RasterSurface.h"

#include <cstdint>
#include <cstring>

namespace pict {

// rewrite(uint8_t* row, int32_t y) rewrites row y of [top, bottom) in place, reading nothing
// of any other row. pixelsPerRow is what one row costs, for cutting the strips.
template <class RowFn>
void rewriteRows(RasterSurface& surface, int32_t top, int32_t bottom, int64_t pixelsPerRow, RowFn&& rewrite) {
    AnySurface old;
    const bool fromOld = top == 0 && bottom == surface.height() && surface.renewSharedPixels(old);
    if (!fromOld)
        surface.ensureOwnPixels();
    const RasterSurface& source = old;
    const size_t rowBytes = size_t(surface.stride()); // padding included: the new memory is unwritten
    try {
        forEachStrip(top, bottom, pixelsPerRow, [&](int32_t first, int32_t end) {
            for (int32_t y = first; y < end; ++y) {
                uint8_t* row = surface.row(y);
                if (fromOld)
                    std::memcpy(row, source.row(y), rowBytes);
                rewrite(row, y);
            }
        });
    } catch (...) {
        // Rows of the new memory may be unwritten: the surface goes back to the old pixels.
        if (fromOld)
            surface.attach(old.detach());
        throw;
    }
}

} // namespace pict
