#include "document/SurfaceCopies.h"

#include <cstring>

namespace pict {

bool copyPixels(const RasterSurface& source, const Rect& sourceRect, RasterSurface& target, Point destination) {
    if (source.isEmpty() || target.isEmpty() || source.depth() != target.depth() || source.depth() % 8 != 0)
        return false;
    // Clip against the source, then against the target, moving the destination with the cut.
    Rect from = sourceRect.intersected(source.bounds());
    if (from.isEmpty())
        return true;
    destination.x += from.left - sourceRect.left;
    destination.y += from.top - sourceRect.top;
    const Rect to = Rect::fromPointSize(destination, from.size()).intersected(target.bounds());
    if (to.isEmpty())
        return true;
    from = Rect::fromPointSize({from.left + to.left - destination.x, from.top + to.top - destination.y}, to.size());
    const int64_t bpp = bytesPerPixel(source);
    const size_t rowBytes = static_cast<size_t>(bpp * to.width());
    for (int32_t y = 0; y < to.height(); ++y)
        std::memmove(target.row(to.top + y) + bpp * to.left, source.row(from.top + y) + bpp * from.left, rowBytes);
    return true;
}

} // namespace pict
