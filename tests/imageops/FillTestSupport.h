#pragma once
// Surfaces and fill settings the fill tests start from, for the pixel work and its states alike.

#include "imageops/FillParams.h"
#include "surface/RasterSurface.h"
#include "surface/BlendModes.h"

#include <cstdint>

namespace pict::test {

inline Surface24 gray(int32_t w, int32_t h, uint8_t value) {
    Surface24 s;
    s.create(w, h, 24);
    s.fillSolid24(s.bounds(), uint32_t(value) * 0x010101u);
    return s;
}

inline Surface8 mask(int32_t w, int32_t h, uint8_t value) {
    Surface8 m;
    m.create(w, h, 8);
    m.fillValue(value);
    return m;
}

inline FillParams black(int32_t opacity = 100, int32_t mode = kBlendNormal, bool preserve = false) {
    return FillParams{0xFF000000u, mode, opacity, preserve};
}

inline const uint8_t* at(const Surface24& s, int32_t x, int32_t y) { return s.row(y) + 3 * x; }

} // namespace pict::test
