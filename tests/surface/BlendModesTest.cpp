#include "surface/BlendModes.h"
#include "surface/RasterSurface.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

namespace pict {
namespace {

uint8_t channel(int32_t mode, int d, int s) {
    const uint8_t dp[3] = {uint8_t(d), uint8_t(d), uint8_t(d)};
    const uint8_t sp[3] = {uint8_t(s), uint8_t(s), uint8_t(s)};
    uint8_t x[3] = {0, 0, 0};
    blend(dp, sp, mode, x);
    return x[0];
}

TEST(BlendModeNames, ExactTextsInMenuOrder) {
    EXPECT_STREQ(blendModeName(kBlendNormal), "Normal");
    EXPECT_STREQ(blendModeName(kBlendColorDodge), "Color Dodge");
    EXPECT_STREQ(blendModeName(kBlendSoftBurn), "Soft Burn");
    EXPECT_STREQ(blendModeName(kBlendXor), "XOR");
    EXPECT_STREQ(blendModeName(kBlendLuminosity), "Luminosity");
    EXPECT_EQ(blendModeName(-1), nullptr);
    EXPECT_EQ(blendModeName(kBlendModeCount), nullptr);
    for (int32_t m = 0; m < kBlendModeCount; ++m)
        EXPECT_EQ(blendModeFromName(blendModeName(m)), m);
    EXPECT_EQ(blendModeFromName("normal"), -1);
    EXPECT_EQ(blendModeFromName(nullptr), -1);
}

TEST(BlendSeparable, WorkedValues) {
    EXPECT_EQ(channel(kBlendNormal, 10, 200), 200);
    EXPECT_EQ(channel(kBlendMultiply, 255, 255), 254);
    EXPECT_EQ(channel(kBlendMultiply, 0, 255), 0);
    EXPECT_EQ(channel(kBlendScreen, 0, 0), 1);
    EXPECT_EQ(channel(kBlendScreen, 255, 255), 255);
    EXPECT_EQ(channel(kBlendOverlay, 127, 255), 253);
    EXPECT_EQ(channel(kBlendOverlay, 128, 0), 2);
    EXPECT_EQ(channel(kBlendDarken, 30, 20), 20);
    EXPECT_EQ(channel(kBlendLighten, 30, 20), 30);
    EXPECT_EQ(channel(kBlendDifference, 10, 250), 240);
    EXPECT_EQ(channel(kBlendDifference, 250, 10), 240);
    EXPECT_EQ(channel(kBlendExclusion, 255, 255), 2);
    EXPECT_EQ(channel(kBlendExclusion, 0, 77), 77);
    EXPECT_EQ(channel(kBlendXor, 0xF0, 0x3C), 0xCC);
    // Hard light selects by the source: s < 128 multiplies (doubled), else screens.
    EXPECT_EQ(channel(kBlendHardLight, 255, 127), 253);
    EXPECT_EQ(channel(kBlendHardLight, 0, 128), 2);
}

TEST(BlendSeparable, DodgeAndBurnEdges) {
    for (int d = 0; d < 256; d += 17) {
        EXPECT_EQ(channel(kBlendColorDodge, d, 255), 255) << d;
        EXPECT_EQ(channel(kBlendColorBurn, d, 0), 0) << d;
    }
    EXPECT_EQ(channel(kBlendColorDodge, 100, 155), 255); // 100 * 255 / 100 clamps
    EXPECT_EQ(channel(kBlendColorDodge, 50, 155), 127);  // 50 * 255 / 100
    EXPECT_EQ(channel(kBlendColorBurn, 200, 100), 115);  // 255 - 55 * 255 / 100
    EXPECT_EQ(channel(kBlendColorBurn, 0, 100), 0);      // a = 650 > 255
    // Soft dodge, upper branch: 255 + (-55 * 128) / 100 = 255 - 70.
    EXPECT_EQ(channel(kBlendSoftDodge, 100, 200), 185);
    EXPECT_EQ(channel(kBlendSoftDodge, 1, 255), 255);   // 255 + 0
    EXPECT_EQ(channel(kBlendSoftDodge, 0, 255), 255);   // lower branch, s = 255
    EXPECT_EQ(channel(kBlendSoftDodge, 100, 100), 82);  // 100 * 128 / 155
    EXPECT_EQ(channel(kBlendSoftDodge, 1, 250), 25);    // 1 * 128 / 5
    EXPECT_EQ(channel(kBlendSoftDodge, 2, 254), 191);   // d + s = 256: 255 + (-128) / 2
    // Soft burn is soft dodge with the roles exchanged.
    for (int d = 0; d < 256; d += 5)
        for (int s = 0; s < 256; s += 7)
            EXPECT_EQ(channel(kBlendSoftBurn, d, s), channel(kBlendSoftDodge, s, d));
}

TEST(BlendSeparable, SoftLightAndRangeOfEveryMode) {
    // m = 100*200>>8 = 78, c = 255 - 155*55/256 = 222, 78 + (144*100 >> 8) = 134.
    EXPECT_EQ(channel(kBlendSoftLight, 100, 200), 134);
    EXPECT_EQ(channel(kBlendSoftLight, 0, 255), 0);
    EXPECT_EQ(channel(kBlendSoftLight, 255, 0), 254);
    // No separable mode may wrap around: compare against a wide computation.
    for (int32_t mode = 0; mode < kBlendHue; ++mode)
        for (int d = 0; d < 256; ++d)
            for (int s = 0; s < 256; ++s) {
                const int r = kChannelBlends[mode](d, s);
                ASSERT_GE(r, 0);
                ASSERT_LE(r, 255);
            }
    // Identity-style properties that catch swapped operands.
    for (int v = 0; v < 256; ++v) {
        EXPECT_EQ(channel(kBlendDarken, v, 255), v);
        EXPECT_EQ(channel(kBlendLighten, v, 0), v);
        EXPECT_EQ(channel(kBlendDifference, v, 0), v);
        EXPECT_EQ(channel(kBlendXor, v, v), 0);
        EXPECT_EQ(channel(kBlendScreen, v, 0), 255 - (((255 - v) * 255) >> 8));
    }
}

TEST(BlendNonSeparable, LumSatAndClip) {
    EXPECT_EQ(lum({0, 0, 255}), 77);  // red
    EXPECT_EQ(lum({0, 255, 0}), 150); // green
    EXPECT_EQ(lum({255, 0, 0}), 28);  // blue
    EXPECT_EQ(sat({10, 200, 50}), 190);
    // setSat keeps the channel order and scales the middle one.
    const ColorChannels s = setSat({10, 200, 50}, 95); // b=10 min, g=200 max, r=50 mid
    EXPECT_EQ(s.b, 0);
    EXPECT_EQ(s.g, 95);
    EXPECT_EQ(s.r, 40 * 95 / 190);
    const ColorChannels gray = setSat({9, 9, 9}, 100);
    EXPECT_EQ(gray.b + gray.g + gray.r, 0);
    // Pushing white-ish red down to a low luminance clips at 0 and keeps Lum.
    const ColorChannels low = setLum({0, 0, 255}, 10);
    EXPECT_GE(low.b, 0);
    EXPECT_EQ(low.b, 0);
    EXPECT_LE(low.r, 255);
    const ColorChannels high = setLum({0, 0, 255}, 250);
    EXPECT_EQ(high.r, 255);
    EXPECT_GT(high.b, 200);
}

TEST(BlendNonSeparable, WorkedValues) {
    const uint8_t red[3] = {0, 0, 255};
    for (int g : {0, 40, 128, 255}) {
        const uint8_t gray[3] = {uint8_t(g), uint8_t(g), uint8_t(g)};
        uint8_t x[3];
        blend(gray, red, kBlendLuminosity, x);
        EXPECT_EQ(x[0], 77);
        EXPECT_EQ(x[1], 77);
        EXPECT_EQ(x[2], 77);
        // A gray backdrop has no saturation, so Saturation gives gray of its luminance.
        blend(red, gray, kBlendSaturation, x);
        EXPECT_EQ(x[0], 77);
        EXPECT_EQ(x[2], 77);
    }
    // Color of red onto a mid gray keeps the gray's luminance with red's hue.
    const uint8_t mid[3] = {128, 128, 128};
    uint8_t x[3];
    blend(mid, red, kBlendColor, x);
    EXPECT_EQ(lum(loadChannels(x)), 128);
    EXPECT_GT(x[2], x[1]);
    EXPECT_EQ(x[0], x[1]);
    // Hue of a gray source onto anything: setSat of a gray is black, so result is gray Lum(D).
    const uint8_t orange[3] = {0, 128, 255};
    blend(orange, mid, kBlendHue, x);
    const uint8_t lumOrange = uint8_t(lum(loadChannels(orange)));
    EXPECT_EQ(x[0], lumOrange);
    EXPECT_EQ(x[1], lumOrange);
    EXPECT_EQ(x[2], lumOrange);
}

TEST(BlendDispatch, UnknownModeLeavesOutputAlone) {
    const uint8_t d[3] = {1, 2, 3};
    const uint8_t s[3] = {4, 5, 6};
    uint8_t x[3] = {7, 8, 9};
    blend(d, s, 19, x);
    blend(d, s, -1, x);
    EXPECT_EQ(x[0], 7);
    EXPECT_EQ(x[2], 9);
    int called = -1;
    EXPECT_TRUE(withBlendMode(kBlendHue, [&](auto m) { called = decltype(m)::value; }));
    EXPECT_EQ(called, kBlendHue);
    EXPECT_FALSE(withBlendMode(42, [&](auto) { called = 100; }));
    EXPECT_EQ(called, kBlendHue);
}

TEST(BlendComposite, AlphaMerging) {
    uint8_t d[3] = {0, 0, 0};
    uint8_t da = 128;
    const uint8_t s[3] = {255, 255, 255};
    composite(d, da, s, 128, kBlendNormal);
    EXPECT_EQ(da, 192);
    // 128 * (255 * 127 + 255 * 128) / (192 * 255) + 64 * 0 / 192 = 170
    EXPECT_EQ(d[0], 170);

    uint8_t e[3] = {10, 20, 30};
    uint8_t ea = 77;
    composite(e, ea, s, 0, kBlendMultiply);
    EXPECT_EQ(ea, 77);
    EXPECT_EQ(e[0], 10);
    EXPECT_EQ(e[2], 30);

    uint8_t f[3] = {10, 20, 30};
    uint8_t fa = 0;
    const uint8_t c[3] = {40, 50, 60};
    composite(f, fa, c, 255, kBlendNormal);
    EXPECT_EQ(fa, 255);
    EXPECT_EQ(f[0], 40);
    EXPECT_EQ(f[2], 60);

    // Nothing over nothing stays nothing and keeps the color.
    uint8_t g[3] = {1, 2, 3};
    uint8_t ga = 0;
    composite(g, ga, c, 0, kBlendScreen);
    EXPECT_EQ(ga, 0);
    EXPECT_EQ(g[1], 2);
}

TEST(BlendComposite, OpaqueBackdropIsThePlainOpacityMix) {
    std::mt19937 rng(7);
    for (int i = 0; i < 20000; ++i) {
        uint8_t d[3], s[3];
        for (int c = 0; c < 3; ++c) {
            d[c] = uint8_t(rng());
            s[c] = uint8_t(rng());
        }
        const uint8_t sa = uint8_t(rng());
        const int32_t mode = int32_t(rng() % kBlendModeCount);
        uint8_t x[3];
        blend(d, s, mode, x);
        uint8_t out[3] = {d[0], d[1], d[2]};
        uint8_t da = 255;
        composite(out, da, s, sa, mode);
        ASSERT_EQ(da, 255);
        for (int c = 0; c < 3; ++c)
            ASSERT_EQ(out[c], (sa * x[c]) / 255 + ((255 - sa) * d[c]) / 255) << mode;
    }
}

TEST(BlendComposite, DivideBy255IsExact) {
    for (uint32_t v = 0; v <= 65025; ++v)
        ASSERT_EQ(divide255(v), v / 255) << v;
}

TEST(BlendCoverage, PaintingBlend) {
    const uint8_t white[3] = {255, 255, 255};
    uint8_t d[3] = {0, 0, 0};
    coverageBlend(d, white, 128);
    EXPECT_EQ(d[0], 127);
    EXPECT_EQ(d[2], 127);
    uint8_t e[3] = {200, 100, 0};
    const uint8_t black[3] = {0, 0, 0};
    coverageBlend(e, black, 0);
    EXPECT_EQ(e[0], 200);
    coverageBlend(e, black, 1); // -200 >> 8 floors to -1
    EXPECT_EQ(e[0], 199);
    EXPECT_EQ(e[2], 0);
    coverageBlend(e, white, 255);
    EXPECT_EQ(e[1], 255);
}

// The span code against the per-pixel composite it must reproduce.
TEST(BlendSurfaceOp, MatchesPerPixelCompositeInEveryMode) {
    std::mt19937 rng(3);
    Surface24 base, top;
    ASSERT_TRUE(base.create(23, 9));
    ASSERT_TRUE(top.create(11, 7));
    for (int32_t y = 0; y < 9; ++y)
        for (int32_t i = 0; i < 23 * 3; ++i)
            base.row(y)[i] = uint8_t(rng());
    for (int32_t y = 0; y < 7; ++y)
        for (int32_t i = 0; i < 11 * 3; ++i)
            top.row(y)[i] = uint8_t(rng() % 4 == 0 ? 0 : rng()); // some zero bytes
    top.row(2)[3] = 0x30; top.row(2)[4] = 0x20; top.row(2)[5] = 0x10; // a key pixel
    const uint32_t key = 0x102030;                                    // red 0x30, green 0x20, blue 0x10

    for (int32_t mode = 0; mode < kBlendModeCount; ++mode)
        for (uint8_t opacity : {uint8_t(0), uint8_t(1), uint8_t(128), uint8_t(255)})
            for (uint32_t k : {kNoKeyColor, key}) {
                Surface24 target = base.clone();
                const int32_t ox = 15, oy = -2;
                ASSERT_TRUE(blendSurface(target, ox, oy, top, opacity, mode, k));
                for (int32_t y = 0; y < 9; ++y)
                    for (int32_t x = 0; x < 23; ++x) {
                        uint8_t expect[3];
                        std::memcpy(expect, base.row(y) + 3 * x, 3);
                        const int32_t sx = x - ox, sy = y - oy;
                        if (sx >= 0 && sx < 11 && sy >= 0 && sy < 7) {
                            const uint8_t* s = top.row(sy) + 3 * sx;
                            const bool isKey = k == key && s[0] == 0x10 && s[1] == 0x20 && s[2] == 0x30;
                            uint8_t da = 255;
                            if (!isKey)
                                composite(expect, da, s, opacity, mode);
                        }
                        ASSERT_EQ(0, std::memcmp(expect, target.row(y) + 3 * x, 3))
                            << "mode " << mode << " opacity " << int(opacity) << " at " << x << "," << y;
                    }
            }
}

TEST(BlendSurfaceOp, RefusesWhatItCannotDo) {
    Surface24 target, source, empty;
    ASSERT_TRUE(target.create(4, 4));
    ASSERT_TRUE(source.create(2, 2));
    EXPECT_FALSE(blendSurface(target, 4, 0, source, 255, kBlendNormal));  // misses on the right
    EXPECT_FALSE(blendSurface(target, -2, -2, source, 255, kBlendNormal)); // touches at a corner only
    EXPECT_TRUE(blendSurface(target, -1, -1, source, 255, kBlendNormal));
    EXPECT_FALSE(blendSurface(target, 0, 0, source, 255, 19));
    EXPECT_FALSE(blendSurface(target, 0, 0, empty, 255, kBlendNormal));
    EXPECT_FALSE(blendSurface(empty, 0, 0, source, 255, kBlendNormal));
}

} // namespace
} // namespace pict
