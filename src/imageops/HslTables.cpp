#include "imageops/HslTables.h"

#include <cstdlib>
#include <new>

namespace pict {

const HslTables& HslTables::get() {
    static const HslTables* tables = new HslTables(); // lives as long as the process
    return *tables;
}

HslTables::~HslTables() {
    delete[] rows_;
}

HslTables::HslTables() : rows_(new uint8_t[size_t(256) * 256 * kRowBytes]) {
    // Hue: the floating-point formula itself, for every sector, spread and difference.
    for (int32_t d = 1; d < 256; ++d) {
        for (int32_t n = -d; n <= d; ++n) {
            // A colour of each sector with lo = 0, hi = d and the sector's difference n. (The
            // entries n = -d and n = d of sectors 1 and 2 belong to an earlier sector and are
            // never read.)
            hue_[0][d * d + n + d] = static_cast<uint8_t>(rgbToHsl(d, n >= 0 ? n : 0, n >= 0 ? 0 : -n).h);
            hue_[1][d * d + n + d] = static_cast<uint8_t>(rgbToHsl(n >= 0 ? 0 : -n, d, n >= 0 ? n : 0).h);
            hue_[2][d * d + n + d] = static_cast<uint8_t>(rgbToHsl(n >= 0 ? n : 0, n >= 0 ? 0 : -n, d).h);
        }
    }
    for (int32_t hi = 0; hi < 256; ++hi)
        for (int32_t lo = 0; lo < 256; ++lo)
            saturation_[hi][lo] = static_cast<uint8_t>(lo <= hi ? rgbToHsl(hi, lo, lo).s : 0);

    // Which entry of a row each channel takes at each hue: the ramp position, or the plateau.
    for (int32_t h = 0; h < 256; ++h) {
        const int32_t offsets[3] = {85, 0, -85};
        for (int32_t c = 0; c < 3; ++c) {
            int32_t x = h + offsets[c];
            if (x > 255)
                x -= 255;
            else if (x < 0)
                x += 255;
            int32_t entry;
            if (x < 43)
                entry = x; // rising ramp
            else if (x < 128)
                entry = 43; // the plateau m2
            else if (x < 170)
                entry = 170 - x; // falling ramp, the same values
            else
                entry = 0; // m1, where both ramps start
            slot_[c][h] = static_cast<uint8_t>(entry);
        }
    }
    for (int32_t l = 0; l < 256; ++l) {
        for (int32_t s = 0; s < 256; ++s) {
            uint8_t* row = rows_ + (int64_t(l) * 256 + s) * kRowBytes;
            if (s == 0) {
                std::fill_n(row, kRowBytes, static_cast<uint8_t>(l));
                continue;
            }
            double m1, m2;
            hslMeans(l, s, m1, m2);
            for (int32_t t = 0; t < 43; ++t)
                row[t] = static_cast<uint8_t>(hsl_detail::channelValue(m1, m2, t));
            row[43] = static_cast<uint8_t>(hsl_detail::channelValue(m1, m2, 85));
        }
    }
}

} // namespace pict
