#pragma once
// Integer HSL on 0..255 channels, hue on a 0..255 circle (0 red, 85 green, 170 blue). The
// floating steps and constants are fixed so that every adjustment built on them gives the
// same bytes everywhere.

#include "imageops/FilterParams.h"

#include <algorithm>
#include <cstdint>

namespace pict {

struct Hsl {
    int32_t h = 0;
    int32_t s = 0;
    int32_t l = 0;
};

struct Rgb {
    int32_t r = 0;
    int32_t g = 0;
    int32_t b = 0;
};

inline int32_t roundHsl(double v) { return static_cast<int32_t>(v + 0.5); }

// round((max + min) * 0.5), in integers: the half is exact, so rounding up is adding 1.
inline int32_t hslLightness(int32_t r, int32_t g, int32_t b) {
    const int32_t hi = std::max({r, g, b});
    const int32_t lo = std::min({r, g, b});
    return (hi + lo + 1) >> 1;
}

inline Hsl rgbToHsl(int32_t r, int32_t g, int32_t b) {
    const int32_t hi = std::max({r, g, b});
    const int32_t lo = std::min({r, g, b});
    const double l = (hi + lo) / 2.0;
    double h = 0.0;
    double s = 0.0;
    if (hi != lo) {
        const double d = hi - lo;
        s = l < 128.0 ? 255.0 * d / double(hi + lo) : 255.0 * d / double(511 - hi - lo);
        if (r == hi)
            h = (g - b) / d;
        else if (g == hi)
            h = 2.0 + (b - r) / d;
        else
            h = 4.0 + (r - g) / d;
        h *= 42.5;
        if (h < 0.0)
            h += 255.0;
        else if (h > 255.0)
            h -= 255.0;
    }
    return {roundHsl(h), roundHsl(s), roundHsl(l)};
}

namespace hsl_detail {

constexpr double kOver42_5 = 0.023529411764705882;
constexpr double kOver127_5 = 0.00784313725490196;
constexpr double kOver65025 = 0.000015378700499807768;

inline int32_t channelValue(double m1, double m2, int32_t x) {
    if (x > 255)
        x -= 255;
    else if (x < 0)
        x += 255;
    double v;
    if (x < 42.5)
        v = m1 + (m2 - m1) * x * kOver42_5;
    else if (x < 127.5)
        v = m2;
    else if (x < 170)
        v = m1 + (m2 - m1) * (170 - x) * kOver42_5;
    else
        v = m1;
    return clampToByteRange(static_cast<int32_t>(v * 255.0 + 0.5));
}

} // namespace hsl_detail

// The two levels a saturated colour of lightness l and saturation s moves between.
inline void hslMeans(int32_t l, int32_t s, double& m1, double& m2) {
    m2 = l < 128 ? l * double(255 + s) * hsl_detail::kOver65025 : (l + s - l * s / 255.0) / 255.0;
    m1 = l * hsl_detail::kOver127_5 - m2;
}

inline Rgb hslToRgb(int32_t h, int32_t s, int32_t l) {
    if (s == 0)
        return {l, l, l};
    double m1, m2;
    hslMeans(l, s, m1, m2);
    return {hsl_detail::channelValue(m1, m2, h + 85), hsl_detail::channelValue(m1, m2, h),
            hsl_detail::channelValue(m1, m2, h - 85)};
}

} // namespace pict
