// Blending one 24-bit surface onto another over an opaque backdrop. The mode, the opacity
// shortcut and the key color are decided once per call; the inner loops are plain byte
// arithmetic that the compiler can vectorise for the separable modes.
#include "surface/BlendModes.h"
#include "surface/RasterSurface.h"

namespace pict {

namespace {

template <int32_t Mode, bool FullOpacity>
void blendSpan(uint8_t* d, const uint8_t* s, int64_t pixels, uint32_t opacity) {
    if constexpr (isSeparableBlendMode(Mode)) {
        constexpr ChannelBlendFunction f = kChannelBlends[Mode];
        const int64_t bytes = pixels * 3;
        for (int64_t i = 0; i < bytes; ++i) {
            const uint8_t x = f(d[i], s[i]);
            d[i] = FullOpacity ? x : mixOverOpaque(d[i], x, opacity);
        }
    } else {
        for (int64_t i = 0; i < pixels; ++i, d += 3, s += 3) {
            uint8_t x[3];
            blendPixel<Mode>(d, s, x);
            for (int c = 0; c < 3; ++c)
                d[c] = FullOpacity ? x[c] : mixOverOpaque(d[c], x[c], opacity);
        }
    }
}

// Splits the row into runs of pixels that differ from the key and blends each run.
template <int32_t Mode, bool FullOpacity>
void blendSpanSkippingKey(uint8_t* d, const uint8_t* s, int64_t pixels, uint32_t opacity, const uint8_t* key) {
    int64_t i = 0;
    while (i < pixels) {
        while (i < pixels && s[3 * i] == key[0] && s[3 * i + 1] == key[1] && s[3 * i + 2] == key[2])
            ++i;
        const int64_t start = i;
        while (i < pixels && !(s[3 * i] == key[0] && s[3 * i + 1] == key[1] && s[3 * i + 2] == key[2]))
            ++i;
        if (i > start)
            blendSpan<Mode, FullOpacity>(d + 3 * start, s + 3 * start, i - start, opacity);
    }
}

} // namespace

bool blendSurface(Surface24& target, int32_t x, int32_t y, const Surface24& source, uint8_t opacity, int32_t mode,
                  uint32_t keyColor) {
    if (!target.isValid() || !source.isValid() || !isBlendMode(mode))
        return false;
    const Rect placed = Rect::fromPointSize({x, y}, source.size());
    const Rect area = placed.intersected(target.bounds());
    if (area.isEmpty())
        return false;
    if (opacity == 0)
        return true;

    const bool keyed = (keyColor & 0xFF000000u) == 0;
    // keyColor has red in the low byte; pixels are stored blue, green, red.
    const uint8_t key[3] = {uint8_t(keyColor >> 16), uint8_t(keyColor >> 8), uint8_t(keyColor)};
    const int64_t pixels = area.width();
    const int32_t sourceLeft = area.left - x;

    withBlendMode(mode, [&](auto m) {
        constexpr int32_t Mode = decltype(m)::value;
        auto rows = [&](auto fullOpacity) {
            constexpr bool Full = decltype(fullOpacity)::value;
            for (int32_t ty = area.top; ty < area.bottom; ++ty) {
                uint8_t* d = target.row(ty) + int64_t(area.left) * 3;
                const uint8_t* s = source.row(ty - y) + int64_t(sourceLeft) * 3;
                if (keyed)
                    blendSpanSkippingKey<Mode, Full>(d, s, pixels, opacity, key);
                else
                    blendSpan<Mode, Full>(d, s, pixels, opacity);
            }
        };
        if (opacity == 255)
            rows(std::true_type{});
        else
            rows(std::false_type{});
    });
    return true;
}

} // namespace pict
