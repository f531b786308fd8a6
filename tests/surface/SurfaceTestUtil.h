#pragma once
// Small helpers shared by the surface tests.

#include "surface/RasterSurface.h"

#include <cstdint>
#include <cstring>

namespace pict::testutil {

// A color that encodes the position, so every pixel differs and moves can be traced.
inline uint32_t positionColor(int32_t x, int32_t y) { return 0xFF000000u | uint32_t(x & 0xFFF) << 12 | uint32_t(y & 0xFFF); }

inline Surface24 numbered24(int32_t w, int32_t h) {
    Surface24 s;
    s.create(w, h);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x)
            s.setColor(x, y, positionColor(x, y));
    return s;
}

inline Surface8 numbered8(int32_t w, int32_t h) {
    Surface8 s;
    s.create(w, h, 8);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x)
            s.setValueAt(x, y, uint8_t(x * 7 + y * 13));
    return s;
}

// Same size, depth and pixels (padding ignored).
inline bool samePixels(const AnySurface& a, const AnySurface& b) {
    if (a.width() != b.width() || a.height() != b.height() || a.depth() != b.depth())
        return false;
    const size_t bytes = size_t((int64_t(a.width()) * a.depth() + 7) / 8);
    for (int32_t y = 0; y < a.height(); ++y)
        if (std::memcmp(a.row(y), b.row(y), bytes) != 0)
            return false;
    return true;
}

inline uint32_t rgb24(const Surface24& s, int32_t x, int32_t y) { return s.getColor(x, y) & 0xFFFFFFu; }

} // namespace pict::testutil
