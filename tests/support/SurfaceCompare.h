#pragma once
// Byte-for-byte comparison of pictures, for the tests that hold a new path to an old one.

#include "surface/RasterSurface.h"

#include <cstring>

namespace pict::test {

// The same size and the same bytes in every row (the padding at row ends aside).
inline bool samePixels(const RasterSurface& a, const RasterSurface& b) {
    if (a.size() != b.size() || a.depth() != b.depth())
        return false;
    const size_t rowBytes = size_t(a.width()) * size_t(a.depth() / 8);
    for (int32_t y = 0; y < a.height(); ++y)
        if (std::memcmp(a.row(y), b.row(y), rowBytes) != 0)
            return false;
    return true;
}

// Every byte of the pixel memory, row padding included: for the paths that write whole rows.
inline bool sameMemory(const RasterSurface& a, const RasterSurface& b) {
    if (a.size() != b.size() || a.stride() != b.stride())
        return false;
    for (int32_t y = 0; y < a.height(); ++y)
        if (std::memcmp(a.row(y), b.row(y), size_t(a.stride())) != 0)
            return false;
    return true;
}

} // namespace pict::test
