#pragma once
// Stack Blur: two separable passes (rows, then columns) of a triangle-weighted running sum,
// the division by (R + 1)^2 done with a per-radius multiplier and shift. Constant work per
// pixel whatever the radius; pixels beyond the surface repeat its edge pixels. The one blur
// of the program: Gaussian Blur and the selection's Feather both use it.

#include "surface/RasterSurface.h"

#include <cstdint>

namespace pict {

inline constexpr int32_t kStackBlurMaxRadius = 254;

namespace stack_blur_detail {

// The smallest shift with 2^shift > 256 (R + 1)^2, and the multiplier rounded up, so that
// (sum * mul) >> shift divides by (R + 1)^2 and 255 (R + 1)^2 mul fits in 32 bits.
constexpr uint8_t shiftFor(int32_t radius) {
    const uint64_t divisor = uint64_t(radius + 1) * uint64_t(radius + 1);
    uint8_t shift = 0;
    while ((uint64_t(1) << shift) <= 256 * divisor)
        ++shift;
    return shift;
}
constexpr uint16_t mulFor(int32_t radius) {
    const uint64_t divisor = uint64_t(radius + 1) * uint64_t(radius + 1);
    return static_cast<uint16_t>(((uint64_t(1) << shiftFor(radius)) + divisor - 1) / divisor);
}

struct Tables {
    uint16_t mul[kStackBlurMaxRadius + 1];
    uint8_t shift[kStackBlurMaxRadius + 1];
};
constexpr Tables makeTables() {
    Tables t{};
    for (int32_t r = 0; r <= kStackBlurMaxRadius; ++r) {
        t.mul[r] = mulFor(r);
        t.shift[r] = shiftFor(r);
    }
    return t;
}

} // namespace stack_blur_detail

// The published multiplier and shift tables, indexed by the whole-pixel radius 0..254.
inline constexpr stack_blur_detail::Tables kStackBlurTables = stack_blur_detail::makeTables();

// Blurs the whole surface in place; 24-bit channel by channel, 8-bit as one channel. A radius
// of 0 leaves that direction unchanged; radii are limited to 254. False for other depths,
// an invalid surface or when the working memory cannot be had.
bool stackBlur(Surface24& surface, int32_t radiusX, int32_t radiusY);
bool stackBlur(Surface8& surface, int32_t radiusX, int32_t radiusY);
inline bool stackBlur(Surface8& surface, int32_t radius) { return stackBlur(surface, radius, radius); }
inline bool stackBlur(Surface24& surface, int32_t radius) { return stackBlur(surface, radius, radius); }

// The margin a blur of this radius is given around the region it must get right, when it
// works on a block cut from a larger image: trunc(2.7 r), plus one when 2.7 r exceeds that by
// more than 0.0001 (so that 10 gives exactly 27). It is at least the whole-pixel radius, so
// inside the region the block's result equals a blur of the whole image.
int32_t stackBlurPadding(double radius);

} // namespace pict
