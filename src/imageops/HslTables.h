#pragma once
// Table-driven HSL conversions that give exactly the bytes of rgbToHsl and hslToRgb (the
// floating-point definitions in HslConversion.h) at a fraction of the cost. Hue/Saturation,
// Colorize and Color Balance's Preserve luminosity run every pixel through them.
//
// RGB to HSL: lightness is integer arithmetic; saturation depends only on the largest and
// smallest channel (a 256 x 256 table); hue only on which channel is largest, the spread
// d = max - min and the difference n of the other two (one table per sector, indexed by d
// and n).
// HSL to RGB: for a lightness and saturation each channel is either the ramp of the hue
// circle at one of 43 positions or the plateau m2, so one row of 44 bytes per (l, s) holds
// every result; the hue picks the entry of each channel. The tables are filled once per
// process from the floating-point definitions themselves, so they cannot drift from them.

#include "imageops/HslConversion.h"

#include <algorithm>
#include <cstdint>

namespace pict {

class HslTables {
public:
    static constexpr int32_t kRowBytes = 44; // ramp positions 0..42, then the plateau

    // The shared tables, built on first use (safe from any thread).
    static const HslTables& get();

    Hsl toHsl(int32_t r, int32_t g, int32_t b) const {
        const int32_t hi = std::max({r, g, b});
        const int32_t lo = std::min({r, g, b});
        const int32_t l = (hi + lo + 1) >> 1; // round((hi + lo) / 2), exactly
        if (hi == lo)
            return {0, 0, l};
        const int32_t d = hi - lo;
        int32_t sector, n;
        if (r == hi)
            sector = 0, n = g - b;
        else if (g == hi)
            sector = 1, n = b - r;
        else
            sector = 2, n = r - g;
        return {hue_[sector][d * d + n + d], saturation_[hi][lo], l};
    }

    // Writes the pixel as blue, green, red.
    void toBgr(int32_t h, int32_t s, int32_t l, uint8_t* bgr) const {
        const uint8_t* row = rows_ + (int64_t(l) * 256 + s) * kRowBytes;
        bgr[0] = row[slot_[2][h]];
        bgr[1] = row[slot_[1][h]];
        bgr[2] = row[slot_[0][h]];
    }

private:
    HslTables();
    ~HslTables();

    uint8_t hue_[3][256 * 256]; // [sector][d * d + n + d], n in -d..d
    uint8_t saturation_[256][256];
    uint8_t slot_[3][256]; // [channel: red, green, blue][hue]: the entry of the row
    uint8_t* rows_;        // [l][s][kRowBytes]
};

} // namespace pict
