// Arbitrary bytes as a bitmap header with its masks and palette: creation must either fail
// cleanly or give a buffer whose every row can be written, never allocate without bound.
#include "surface/RasterSurface.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool limited = [] {
        pict::setMaxSurfaceBytes(int64_t(64) << 20);
        return true;
    }();
    (void)limited;
    pict::AnySurface surface;
    if (!surface.createFromHeader(data, size))
        return 0;
    // Touch every row end to end, then a few whole-surface operations that read the masks
    // and palette the header described.
    for (int32_t y = 0; y < surface.height(); ++y)
        std::memset(surface.row(y), 0x5A, size_t(surface.stride()));
    (void)surface.getColor(surface.width() - 1, surface.height() - 1);
    pict::AnySurface converted;
    if (int64_t(surface.width()) * surface.height() <= 1 << 16) {
        surface.to24(converted);
        surface.normalize();
        surface.flip();
        surface.mirror();
    }
    return 0;
}
