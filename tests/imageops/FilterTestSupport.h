#pragma once
// Small surfaces built and read byte by byte, for the filter tests.

#include "support/SurfaceCompare.h"
#include "surface/RasterSurface.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>

namespace pict::test {

struct Bgr {
    uint8_t b = 0, g = 0, r = 0;
    friend bool operator==(const Bgr&, const Bgr&) = default;
};

inline Surface24 makeRgb(int32_t width, int32_t height, Bgr fill = {}) {
    Surface24 s;
    EXPECT_TRUE(s.create(width, height, 24));
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) {
            uint8_t* p = s.row(y) + x * 3;
            p[0] = fill.b, p[1] = fill.g, p[2] = fill.r;
        }
    return s;
}

inline Surface8 makeGray(int32_t width, int32_t height, uint8_t fill = 0) {
    Surface8 s;
    EXPECT_TRUE(s.create(width, height, 8));
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
            s.row(y)[x] = fill;
    return s;
}

inline Bgr pixel(const Surface24& s, int32_t x, int32_t y) {
    const uint8_t* p = s.row(y) + x * 3;
    return {p[0], p[1], p[2]};
}

inline void setPixel(Surface24& s, int32_t x, int32_t y, Bgr c) {
    uint8_t* p = s.row(y) + x * 3;
    p[0] = c.b, p[1] = c.g, p[2] = c.r;
}

inline Bgr gray(uint8_t v) { return {v, v, v}; }

// The coverage a mask placed at origin gives the canvas pixel (x, y): 0 outside the mask.
inline uint8_t coverageAt(const Surface8& mask, Point origin, int32_t x, int32_t y) {
    const bool inside =
        x >= origin.x && x < origin.x + mask.width() && y >= origin.y && y < origin.y + mask.height();
    return inside ? mask.row(y - origin.y)[x - origin.x] : 0;
}

inline void fillRandom(RasterSurface& s, uint32_t seed) {
    std::mt19937 random(seed);
    const int64_t bytes = int64_t(s.width()) * (s.depth() / 8);
    for (int32_t y = 0; y < s.height(); ++y)
        for (int64_t i = 0; i < bytes; ++i)
            s.row(y)[i] = static_cast<uint8_t>(random());
}

inline std::ostream& operator<<(std::ostream& out, const Bgr& c) {
    return out << "(b " << int(c.b) << ", g " << int(c.g) << ", r " << int(c.r) << ")";
}

} // namespace pict::test
