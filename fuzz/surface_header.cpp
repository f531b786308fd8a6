// Arbitrary bytes as a bitmap header with its masks and palette: creation must either fail
// cleanly or give a buffer whose every row can be written, never allocate without bound.
#include "surface/RasterSurface.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool limited = [] {
        // Small enough that a header claiming the most it may still runs in a few
        // milliseconds: the target is after the header's arithmetic, not big pictures.
        pict::setMaxSurfaceBytes(int64_t(2) << 20);
        return true;
    }();
    (void)limited;
    // Headers claiming more than 16384 rows are passed over: each row costs a row-table entry
    // whatever its width, and such runs measured the table's filling rather than the header.
    if (size >= 12) {
        int32_t height = 0;
        std::memcpy(&height, data + 8, sizeof height); // little-endian, as the header's fields
        if (height < -16384 || height > 16384)
            return 0;
    }
    pict::AnySurface surface;
    if (!surface.createFromHeader(data, size))
        return 0;
    // Write the first, middle and last rows end to end (the rows between lie inside those
    // by the stride arithmetic; filling tens of megabytes per run held the target to a few
    // hundred runs a second), then a few whole-surface operations that read the masks and
    // palette the header described.
    for (int32_t y : {0, surface.height() / 2, surface.height() - 1})
        std::memset(surface.row(y), 0x5A, size_t(surface.stride()));
    (void)surface.getColor(surface.width() - 1, surface.height() - 1);
    pict::AnySurface converted;
    if (int64_t(surface.width()) * surface.height() <= 1 << 12) {
        surface.to24(converted);
        surface.normalize();
        surface.flip();
        surface.mirror();
    }
    return 0;
}
