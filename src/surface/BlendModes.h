#pragma once
// The 19 blend modes and the per-pixel arithmetic that applies them.
//
// Pixels are three bytes in memory order blue, green, red. "d" is the backdrop (lower)
// channel, "s" the source (upper, painted) channel. Every formula is exact integer
// arithmetic: ">> 7" and ">> 8" really are shifts (not divisions by 255) and "/" truncates;
// callers such as the layer compositor rely on bit-identical results.
//
// Row loops should not switch on the mode per pixel: call withBlendMode() once per span and
// use blendPixel<Mode>() / compositePixel<Mode>() inside the loop.

#include <cstdint>
#include <type_traits>
#include <utility>

namespace pict {

class Surface24;

enum BlendMode : int32_t {
    kBlendNormal = 0,
    kBlendMultiply,
    kBlendScreen,
    kBlendOverlay,
    kBlendDarken,
    kBlendLighten,
    kBlendColorDodge,
    kBlendSoftDodge,
    kBlendColorBurn,
    kBlendSoftBurn,
    kBlendHardLight,
    kBlendSoftLight,
    kBlendDifference,
    kBlendExclusion,
    kBlendXor,
    kBlendHue,
    kBlendSaturation,
    kBlendColor,
    kBlendLuminosity = 18,
};
constexpr int32_t kBlendModeCount = 19;

constexpr bool isBlendMode(int32_t mode) { return mode >= 0 && mode < kBlendModeCount; }
// Modes that combine each channel on its own; the rest work on whole colors.
constexpr bool isSeparableBlendMode(int32_t mode) { return mode >= 0 && mode < kBlendHue; }

// The display name ("Normal", "Color Dodge", ...); null for a value outside 0..18.
const char* blendModeName(int32_t mode);
// The mode with exactly that display name, or -1.
int32_t blendModeFromName(const char* name);

// ---- separable modes: one constexpr function per mode over two channel values ----

constexpr uint8_t normalChannel(int32_t, int32_t s) { return uint8_t(s); }
constexpr uint8_t multiplyChannel(int32_t d, int32_t s) { return uint8_t((d * s) >> 8); }
constexpr uint8_t screenChannel(int32_t d, int32_t s) { return uint8_t(255 - (((255 - d) * (255 - s)) >> 8)); }
// Multiply or screen, chosen by `select` against the midpoint, both doubled (shift by 7).
constexpr uint8_t hardMix(int32_t d, int32_t s, int32_t select) {
    return uint8_t(select < 128 ? (d * s) >> 7 : 255 - (((255 - d) * (255 - s)) >> 7));
}
constexpr uint8_t overlayChannel(int32_t d, int32_t s) { return hardMix(d, s, d); }
constexpr uint8_t darkenChannel(int32_t d, int32_t s) { return uint8_t(d < s ? d : s); }
constexpr uint8_t lightenChannel(int32_t d, int32_t s) { return uint8_t(d > s ? d : s); }
constexpr uint8_t colorDodgeChannel(int32_t d, int32_t s) {
    if (s == 255)
        return 255;
    const int32_t v = d * 255 / (255 - s);
    return uint8_t(v > 255 ? 255 : v);
}
// The soft dodge of `a` by `b`; soft burn is the same with the roles exchanged.
constexpr uint8_t softDodge(int32_t a, int32_t b) {
    if (a + b >= 256) {
        const int32_t v = 255 + ((b - 255) * 128) / a; // a >= 1 here; signed, truncating toward zero
        return uint8_t(v < 0 ? 0 : v);
    }
    if (b == 255)
        return 255;
    const int32_t v = a * 128 / (255 - b);
    return uint8_t(v > 255 ? 255 : v);
}
constexpr uint8_t softDodgeChannel(int32_t d, int32_t s) { return softDodge(d, s); }
constexpr uint8_t colorBurnChannel(int32_t d, int32_t s) {
    if (s == 0)
        return 0;
    const int32_t a = (255 - d) * 255 / s;
    return uint8_t(a > 255 ? 0 : 255 - a);
}
constexpr uint8_t softBurnChannel(int32_t d, int32_t s) { return softDodge(s, d); }
constexpr uint8_t hardLightChannel(int32_t d, int32_t s) { return hardMix(d, s, s); }
constexpr uint8_t softLightChannel(int32_t d, int32_t s) {
    const int32_t m = (d * s) >> 8;
    const int32_t c = 255 - ((255 - d) * (255 - s)) / 256;
    return uint8_t(m + (((c - m) * d) >> 8));
}
constexpr uint8_t differenceChannel(int32_t d, int32_t s) { return uint8_t(d > s ? d - s : s - d); }
constexpr uint8_t exclusionChannel(int32_t d, int32_t s) { return uint8_t(d + s - ((d * s) >> 7)); }
constexpr uint8_t xorChannel(int32_t d, int32_t s) { return uint8_t(d ^ s); }

using ChannelBlendFunction = uint8_t (*)(int32_t d, int32_t s);
// Indexed by mode, Normal .. XOR.
inline constexpr ChannelBlendFunction kChannelBlends[kBlendHue] = {
    normalChannel,    multiplyChannel,  screenChannel,     overlayChannel,    darkenChannel,
    lightenChannel,   colorDodgeChannel, softDodgeChannel, colorBurnChannel,  softBurnChannel,
    hardLightChannel, softLightChannel, differenceChannel, exclusionChannel,  xorChannel,
};

// ---- non-separable modes over whole colors ----

// Channels of one color; signed because SetLum moves them outside 0..255 before clipping.
struct ColorChannels {
    int32_t b = 0;
    int32_t g = 0;
    int32_t r = 0;
};

constexpr ColorChannels loadChannels(const uint8_t* p) { return {p[0], p[1], p[2]}; }
constexpr void storeChannels(const ColorChannels& c, uint8_t* p) {
    p[0] = uint8_t(c.b);
    p[1] = uint8_t(c.g);
    p[2] = uint8_t(c.r);
}

constexpr int32_t lum(const ColorChannels& c) { return (30 * c.r + 59 * c.g + 11 * c.b + 50) / 100; }
constexpr int32_t maxChannel(const ColorChannels& c) {
    return c.r > c.g ? (c.r > c.b ? c.r : c.b) : (c.g > c.b ? c.g : c.b);
}
constexpr int32_t minChannel(const ColorChannels& c) {
    return c.r < c.g ? (c.r < c.b ? c.r : c.b) : (c.g < c.b ? c.g : c.b);
}
constexpr int32_t sat(const ColorChannels& c) { return maxChannel(c) - minChannel(c); }

// Shifts the color to luminance l, then pulls channels that left 0..255 back towards the
// new luminance (first the low side, then the high side, each with truncating division).
constexpr ColorChannels setLum(ColorChannels c, int32_t l) {
    const int32_t k = l - lum(c);
    c.b += k;
    c.g += k;
    c.r += k;
    const int32_t L = lum(c) & 0xFF;
    const int32_t n = minChannel(c);
    const int32_t x = maxChannel(c);
    if (n < 0) {
        c.b = L + (c.b - L) * L / (L - n);
        c.g = L + (c.g - L) * L / (L - n);
        c.r = L + (c.r - L) * L / (L - n);
    }
    if (x > 255) {
        c.b = L + (c.b - L) * (255 - L) / (x - L);
        c.g = L + (c.g - L) * (255 - L) / (x - L);
        c.r = L + (c.r - L) * (255 - L) / (x - L);
    }
    return c;
}

// Rescales the color to saturation s keeping the order of its channels.
constexpr ColorChannels setSat(ColorChannels c, int32_t s) {
    int32_t* v[3] = {&c.b, &c.g, &c.r};
    int hi = 0;
    int lo = 0;
    for (int i = 1; i < 3; ++i) {
        if (*v[i] > *v[hi])
            hi = i;
        if (*v[i] < *v[lo])
            lo = i;
    }
    if (*v[hi] <= *v[lo])
        return {0, 0, 0};
    const int mid = 3 - hi - lo;
    *v[mid] = (*v[mid] - *v[lo]) * s / (*v[hi] - *v[lo]);
    *v[hi] = s;
    *v[lo] = 0;
    return c;
}

constexpr ColorChannels hueColors(const ColorChannels& d, const ColorChannels& s) {
    return setLum(setSat(s, sat(d)), lum(d));
}
constexpr ColorChannels saturationColors(const ColorChannels& d, const ColorChannels& s) {
    return setLum(setSat(d, sat(s)), lum(d));
}
constexpr ColorChannels colorColors(const ColorChannels& d, const ColorChannels& s) { return setLum(s, lum(d)); }
constexpr ColorChannels luminosityColors(const ColorChannels& d, const ColorChannels& s) {
    return setLum(d, lum(s));
}

using ColorBlendFunction = ColorChannels (*)(const ColorChannels& d, const ColorChannels& s);
// Indexed by mode - kBlendHue.
inline constexpr ColorBlendFunction kColorBlends[kBlendModeCount - kBlendHue] = {
    hueColors,
    saturationColors,
    colorColors,
    luminosityColors,
};

// ---- whole pixels ----

// x = blend(d, s) for one BGR pixel; x may be d or s.
template <int32_t Mode>
inline void blendPixel(const uint8_t* d, const uint8_t* s, uint8_t* x) {
    static_assert(isBlendMode(Mode));
    if constexpr (isSeparableBlendMode(Mode)) {
        constexpr ChannelBlendFunction f = kChannelBlends[Mode];
        const uint8_t b = f(d[0], s[0]);
        const uint8_t g = f(d[1], s[1]);
        const uint8_t r = f(d[2], s[2]);
        x[0] = b;
        x[1] = g;
        x[2] = r;
    } else {
        constexpr ColorBlendFunction f = kColorBlends[Mode - kBlendHue];
        storeChannels(f(loadChannels(d), loadChannels(s)), x);
    }
}

namespace detail {
template <class Fn, int32_t... Modes>
bool dispatchBlendMode(int32_t mode, Fn& fn, std::integer_sequence<int32_t, Modes...>) {
    return ((mode == Modes ? (fn(std::integral_constant<int32_t, Modes>{}), true) : false) || ...);
}
} // namespace detail

// Calls fn(std::integral_constant<int32_t, mode>{}) so the mode becomes a template argument
// for the span that fn processes. Returns false (fn not called) for an unknown mode.
template <class Fn>
bool withBlendMode(int32_t mode, Fn&& fn) {
    return detail::dispatchBlendMode(mode, fn, std::make_integer_sequence<int32_t, kBlendModeCount>{});
}

// x = blend(d, s, mode). An unknown mode leaves x untouched.
inline void blend(const uint8_t* d, const uint8_t* s, int32_t mode, uint8_t* x) {
    withBlendMode(mode, [&](auto m) { blendPixel<decltype(m)::value>(d, s, x); });
}

// floor(v / 255) for 0 <= v <= 65025 without a division; every intermediate fits 16 bits,
// so vectorised loops can keep it in 16-bit lanes.
constexpr uint32_t divide255(uint32_t v) { return (v + (v >> 8) + 1) >> 8; }

// The opacity mix over an opaque backdrop: (a * x) / 255 + ((255 - a) * d) / 255.
constexpr uint8_t mixOverOpaque(uint32_t d, uint32_t x, uint32_t a) {
    return uint8_t(divide255(a * x) + divide255((255 - a) * d));
}

// Blends source S with alpha Sa onto backdrop D with alpha Da, both updated in place:
//   Ea = Da + Sa - Sa * Da / 255
//   X  = blend(D, S)
//   D' = Sa * (s * (255 - Da) + x * Da) / (Ea * 255) + (Ea - Sa) * d / Ea   (Ea > 0)
// The two quotients truncate separately. With Ea = 0 the color is left alone.
template <int32_t Mode>
inline void compositePixel(uint8_t* d, uint8_t& da, const uint8_t* s, uint8_t sa) {
    const int32_t backAlpha = da;
    const int32_t srcAlpha = sa;
    const int32_t ea = backAlpha + srcAlpha - (srcAlpha * backAlpha) / 255;
    da = uint8_t(ea);
    if (ea == 0)
        return;
    uint8_t x[3];
    blendPixel<Mode>(d, s, x);
    const int32_t denominator = ea * 255;
    for (int c = 0; c < 3; ++c)
        d[c] = uint8_t((srcAlpha * (s[c] * (255 - backAlpha) + x[c] * backAlpha)) / denominator +
                       ((ea - srcAlpha) * d[c]) / ea);
}

// composite() with the mode given at run time; an unknown mode changes nothing.
inline void composite(uint8_t* d, uint8_t& da, const uint8_t* s, uint8_t sa, int32_t mode) {
    withBlendMode(mode, [&](auto m) { compositePixel<decltype(m)::value>(d, da, s, sa); });
}

// The painting blend: coverage 255 writes color, 0 keeps dest, otherwise each channel moves
// by (coverage * (color - dest)) >> 8 with an arithmetic (flooring) shift.
inline void coverageBlend(uint8_t* dest, const uint8_t* color, uint8_t coverage) {
    if (coverage == 255) {
        dest[0] = color[0];
        dest[1] = color[1];
        dest[2] = color[2];
        return;
    }
    const int32_t a = coverage;
    for (int c = 0; c < 3; ++c)
        dest[c] = uint8_t(dest[c] + ((a * (color[c] - dest[c])) >> 8));
}

// A key color no pixel can equal (the high byte is set).
constexpr uint32_t kNoKeyColor = 0xFFFFFFFFu;

// Composites source onto target with its top-left at (x, y), Da = 255 and Sa = opacity,
// skipping source pixels equal to keyColor (0x00BBGGRR, red in the low byte; kNoKeyColor
// for none). Returns false for an invalid surface, an unknown mode, or when the placed
// source misses the target.
bool blendSurface(Surface24& target, int32_t x, int32_t y, const Surface24& source, uint8_t opacity, int32_t mode,
                  uint32_t keyColor = kNoKeyColor);

} // namespace pict
