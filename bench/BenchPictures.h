#pragma once
// Test pictures the benchmarks share.

#include "surface/RasterSurface.h"

#include <cstdint>

namespace pict::bench {

// Smooth gradients with some noise, roughly what a photograph offers; the seed varies the noise.
inline Surface24 photo(int32_t width, int32_t height, uint32_t seed) {
    Surface24 s;
    s.create(width, height);
    uint32_t state = seed;
    for (int32_t y = 0; y < height; ++y) {
        uint8_t* p = s.row(y);
        for (int32_t x = 0; x < width; ++x, p += 3) {
            state = state * 1664525u + 1013904223u;
            const uint32_t noise = state >> 28;
            p[0] = uint8_t((x * 255 / width + noise) & 0xFF);
            p[1] = uint8_t((y * 255 / height + noise) & 0xFF);
            p[2] = uint8_t(((x + y) * 128 / height + noise) & 0xFF);
        }
    }
    return s;
}

} // namespace pict::bench
