#pragma once
// Partial-coverage weighting shared by every filter loop.
//   result = old + (((new - old) * m) >> 8), arithmetic shift (rounds toward minus infinity),
// with m = 255 taking the new value exactly and m = 0 keeping the old one.

#include "surface/RasterSurface.h"

#include <cstdint>

namespace pict {

constexpr uint8_t coverageMix(uint8_t oldValue, uint8_t newValue, uint8_t coverage) {
    if (coverage == 255)
        return newValue;
    return static_cast<uint8_t>(oldValue + (((int32_t(newValue) - int32_t(oldValue)) * int32_t(coverage)) >> 8));
}

// True when every byte of the mask's image area is 255: such a mask counts as no mask.
bool isFullCoverage(const Surface8& mask);

} // namespace pict
