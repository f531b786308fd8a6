#include "selection/EdgeSoftening.h"

#include "selection/SelectionMask.h"

#include <algorithm>
#include <new>

namespace pict {

namespace {

// The region's coverage with a one-pixel frame: inside the canvas the frame is what lies
// there (nothing, beyond the region's bounds); off the canvas it repeats the nearest canvas
// pixel.
bool framedCoverage(const SelectionMask& region, Surface8& framed) {
    const Rect bounds = region.bounds();
    const Rect canvas = region.canvasRect();
    const int32_t width = bounds.width();
    if (!framed.create(width + 2, bounds.height() + 2, 8))
        return false;
    // The frame's columns: off the canvas they repeat the region's first (last) column, on
    // the canvas they lie beyond the region.
    const bool repeatLeft = bounds.left == canvas.left;
    const bool repeatRight = bounds.right == canvas.right;
    for (int32_t y = 0; y < framed.height(); ++y) {
        const int32_t canvasY = std::clamp(bounds.top - 1 + y, canvas.top, canvas.bottom - 1);
        uint8_t* out = framed.row(y);
        if (canvasY < bounds.top || canvasY >= bounds.bottom) {
            std::fill(out, out + width + 2, uint8_t(0));
            continue;
        }
        const uint8_t* source = region.coverage()->row(canvasY - bounds.top);
        std::copy(source, source + width, out + 1);
        out[0] = repeatLeft ? source[0] : 0;
        out[width + 1] = repeatRight ? source[width - 1] : 0;
    }
    return true;
}

} // namespace

bool softenRegionEdge(SelectionMask& region) {
    if (region.isEmpty())
        return true;
    try {
        Surface8 framed;
        Surface8 softened;
        const Rect bounds = region.bounds();
        if (!framedCoverage(region, framed) || !softened.create(bounds.width(), bounds.height(), 8))
            return false;
        for (int32_t y = 0; y < bounds.height(); ++y) {
            const uint8_t* above = framed.row(y);
            const uint8_t* middle = framed.row(y + 1);
            const uint8_t* below = framed.row(y + 2);
            uint8_t* out = softened.row(y);
            for (int32_t x = 0; x < bounds.width(); ++x) {
                const uint32_t sum = uint32_t(above[x]) + above[x + 1] + above[x + 2] + middle[x] + middle[x + 1] +
                                     middle[x + 2] + below[x] + below[x + 1] + below[x + 2];
                out[x] = std::min(middle[x + 1], uint8_t((sum + 4) / 9));
            }
        }
        return region.place(softened, bounds.topLeft());
    } catch (const std::bad_alloc&) {
        return false;
    }
}

} // namespace pict
