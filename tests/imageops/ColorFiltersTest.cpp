#include "FilterTestSupport.h"

#include "imageops/BrightnessContrastFilter.h"
#include "imageops/ColorBalanceFilter.h"
#include "imageops/HslConversion.h"
#include "imageops/HueSaturationFilter.h"
#include "imageops/LevelsFilter.h"
#include "imageops/SimpleColorFilters.h"

#include <gtest/gtest.h>

#include <cmath>

namespace pict {
namespace {

using namespace pict::test;

Bgr applied(PointFilter& filter, Bgr c) {
    Surface24 image = makeRgb(1, 1, c);
    EXPECT_TRUE(filter.apply(image));
    return pixel(image, 0, 0);
}

TEST(BrightnessContrast, ContrastExtremes) {
    BrightnessContrastFilter flat({0, -100});
    for (int i = 0; i < 256; ++i)
        ASSERT_EQ(flat.tables().red[i], 128);
    BrightnessContrastFilter hard({20, 100});
    EXPECT_EQ(hard.tables().red[107], 0); // threshold at 128 - brightness
    EXPECT_EQ(hard.tables().red[108], 128);
    EXPECT_EQ(hard.tables().red[109], 255);
    // Values beyond the range are limited when the filter is built.
    BrightnessContrastFilter limited({500, -500});
    EXPECT_EQ(limited.tables().green[3], 128);
}

TEST(BrightnessContrast, BrightnessShiftsAndGrayFollows) {
    BrightnessContrastFilter brighter({10, 0});
    EXPECT_EQ(brighter.tables().blue[0], 10);
    EXPECT_EQ(brighter.tables().blue[250], 255);
    Surface8 plane = makeGray(1, 1, 100);
    brighter.apply(plane);
    EXPECT_EQ(plane.row(0)[0], 110);
}

TEST(ColorBalance, MidtoneRedShiftUsesTruncatedProducts) {
    ColorBalanceSettings settings;
    settings.preserveLuminosity = false;
    settings.value[kCyanRed][kMidtones] = 100;
    ColorBalanceFilter filter(settings);
    EXPECT_EQ(filter.tables().red[127], 193);
    EXPECT_EQ(filter.tables().red[0], 0);
    EXPECT_EQ(filter.tables().red[255], 254);
    EXPECT_EQ(filter.tables().green[127], 127);
}

TEST(ColorBalance, ShadowsAndHighlightsPickTheirCurves) {
    ColorBalanceSettings settings;
    settings.preserveLuminosity = false;
    settings.value[kYellowBlue][kShadows] = -100;   // subtract curve, mirrored
    settings.value[kMagentaGreen][kHighlights] = 50; // add curve, mirrored
    ColorBalanceFilter filter(settings);
    // Shadows subtract at 255: low(0) = 0.075, so 255 - trunc(7.5) = 248.
    EXPECT_EQ(filter.tables().blue[255], 248);
    // Highlights add at 0: low(255), so 0 + trunc(50 * 1.0158) = 50.
    EXPECT_EQ(filter.tables().green[0], 50);
}

TEST(ColorBalance, PreserveLuminosityKeepsGrayLightness) {
    ColorBalanceSettings settings;
    settings.value[kCyanRed][kMidtones] = 60;
    settings.value[kYellowBlue][kHighlights] = -40;
    ColorBalanceFilter filter(settings);
    for (int v : {0, 37, 128, 200, 255}) {
        const Bgr out = applied(filter, gray(uint8_t(v)));
        EXPECT_EQ(hslLightness(out.r, out.g, out.b), v) << v;
    }
    EXPECT_FALSE(settings.isIdentity());
    ColorBalanceSettings onlyFlag;
    onlyFlag.preserveLuminosity = false;
    EXPECT_TRUE(onlyFlag.isIdentity());
}

TEST(HslConversion, PrimariesAndRoundTrip) {
    const Hsl red = rgbToHsl(255, 0, 0);
    EXPECT_EQ(red.h, 0);
    EXPECT_EQ(red.s, 255);
    EXPECT_EQ(red.l, 128);
    EXPECT_EQ(rgbToHsl(0, 255, 0).h, 85);
    EXPECT_EQ(rgbToHsl(0, 0, 255).h, 170);
    EXPECT_EQ(rgbToHsl(255, 0, 1).h, 255); // just below red, wrapped
    for (int r = 0; r < 256; r += 17)
        for (int g = 0; g < 256; g += 15)
            for (int b = 0; b < 256; b += 51) {
                const Hsl hsl = rgbToHsl(r, g, b);
                // The 0..255 hue circle quantizes: a step of one hue unit is 6 channel levels.
                const Rgb back = hslToRgb(hsl.h, hsl.s, hsl.l);
                ASSERT_NEAR(back.r, r, 6);
                ASSERT_NEAR(back.g, g, 6);
                ASSERT_NEAR(back.b, b, 6);
            }
}

TEST(HueSaturation, MasterHueHalfTurn) {
    HueSaturationSettings settings;
    settings.hue[kMaster] = 180;
    HueSaturationFilter filter(settings);
    const Bgr out = applied(filter, {0, 0, 255}); // pure red, hue 0
    EXPECT_EQ(rgbToHsl(out.r, out.g, out.b).h, 127);
}

TEST(HueSaturation, RangesSplitTheHueCircle) {
    EXPECT_EQ(HueSaturationFilter::rangeOfHue(0), 0);
    EXPECT_EQ(HueSaturationFilter::rangeOfHue(20), 0);
    EXPECT_EQ(HueSaturationFilter::rangeOfHue(21), 1);
    EXPECT_EQ(HueSaturationFilter::rangeOfHue(105), 2);
    EXPECT_EQ(HueSaturationFilter::rangeOfHue(106), 3);
    EXPECT_EQ(HueSaturationFilter::rangeOfHue(233), 5);
    EXPECT_EQ(HueSaturationFilter::rangeOfHue(234), 0);
    EXPECT_EQ(HueSaturationFilter::rangeOfHue(255), 0);

    HueSaturationSettings settings;
    settings.saturation[kGreens] = -100; // only greens lose their color
    HueSaturationFilter filter(settings);
    const Bgr green = applied(filter, {0, 200, 0});
    EXPECT_EQ(green.r, green.g);
    EXPECT_EQ(green.g, green.b);
    EXPECT_EQ(applied(filter, {0, 0, 200}), (Bgr{0, 0, 200}));
}

TEST(HueSaturation, AHueOfExactly255IsRed) {
    ASSERT_EQ(rgbToHsl(255, 0, 1).h, 255);
    HueSaturationSettings settings;
    settings.saturation[kReds] = -100;
    HueSaturationFilter filter(settings);
    const Bgr out = applied(filter, {1, 0, 255});
    EXPECT_EQ(out.r, out.g);
    EXPECT_EQ(out.g, out.b);
}

TEST(AdjustmentSettings, ValuesBeyondTheDialogRangesAreRefusedOrLimited) {
    ColorBalanceSettings balance;
    EXPECT_TRUE(balance.isValid());
    balance.value[kCyanRed][kMidtones] = 250;
    balance.value[kYellowBlue][kShadows] = std::nan("");
    EXPECT_FALSE(balance.isValid());
    ColorBalanceFilter balanceFilter(balance);
    EXPECT_EQ(balanceFilter.settings().value[kCyanRed][kMidtones], 100.0);
    EXPECT_EQ(balanceFilter.settings().value[kYellowBlue][kShadows], 0.0);
    EXPECT_EQ(balanceFilter.tables().red[127], 193);
    EXPECT_EQ(balanceFilter.tables().blue[77], 77);

    HueSaturationSettings hue;
    hue.hue[kMaster] = 1000000000;
    hue.hue[kReds] = 1000000000; // their sum would overflow unlimited
    EXPECT_FALSE(hue.isValid());
    HueSaturationFilter hueFilter(hue);
    EXPECT_EQ(hueFilter.settings().hue[kReds], 180);

    LevelsSettings levels;
    levels.channel[kToneRed].gamma = std::nan("");
    levels.channel[kToneRed].inputWhite = 400;
    EXPECT_FALSE(levels.isValid());
    LevelsFilter levelsFilter(levels);
    EXPECT_EQ(levelsFilter.settings().channel[kToneRed], LevelsChannel{});
    EXPECT_TRUE(levelsFilter.isIdentity());

    EXPECT_FALSE((BrightnessContrastSettings{101, 0}.isValid()));
    EXPECT_FALSE((ColorizeSettings{361, 25, 0}.isValid()));
    EXPECT_EQ(ColorizeFilter(ColorizeSettings{-5, 300, 0}).settings(), (ColorizeSettings{0, 100, 0}));
}

TEST(HueSaturation, LightnessExtremesAndIdentity) {
    HueSaturationSettings settings;
    EXPECT_TRUE(settings.isIdentity());
    settings.lightness[kMaster] = 100;
    HueSaturationFilter white(settings);
    EXPECT_EQ(applied(white, {10, 80, 200}), gray(255));
    settings.lightness[kMaster] = -100;
    HueSaturationFilter black(settings);
    EXPECT_EQ(applied(black, {10, 80, 200}), gray(0));
    Surface8 plane = makeGray(1, 1, 90);
    black.apply(plane);
    EXPECT_EQ(plane.row(0)[0], 90);
}

TEST(Colorize, PaintsOneHueAndKeepsLightness) {
    EXPECT_EQ(ColorizeFilter::hue255FromDegrees(0), 0);
    EXPECT_EQ(ColorizeFilter::hue255FromDegrees(360), 0);
    EXPECT_EQ(ColorizeFilter::hue255FromDegrees(120), 85);
    EXPECT_EQ(ColorizeFilter::hue255FromDegrees(240), 170);

    ColorizeFilter filter({240, 100, 0});
    const Bgr out = applied(filter, {0, 100, 200}); // lightness 100
    EXPECT_EQ(rgbToHsl(out.r, out.g, out.b).h, 170);
    EXPECT_NEAR(hslLightness(out.r, out.g, out.b), 100, 1);
    EXPECT_EQ(applied(filter, gray(0)), gray(0));

    ColorizeFilter lighter({0, 25, 100});
    EXPECT_EQ(applied(lighter, gray(0)), gray(255));
    ColorizeFilter darker({0, 25, -100});
    EXPECT_EQ(applied(darker, gray(255)), gray(0));
    EXPECT_FALSE(ColorizeSettings{}.isIdentity());
}

TEST(Desaturate, MidpointOfExtremes) {
    DesaturateFilter filter;
    EXPECT_EQ(applied(filter, {30, 200, 10}), gray(105));
    Surface8 plane = makeGray(1, 1, 33);
    filter.apply(plane);
    EXPECT_EQ(plane.row(0)[0], 33);
}

TEST(Invert, TwiceRestoresBothDepths) {
    Surface24 image = makeRgb(13, 5);
    fillRandom(image, 9);
    const Surface24 original = image.clone();
    InvertFilter invert;
    invert.apply(image);
    EXPECT_EQ(pixel(image, 12, 4).r, 255 - pixel(original, 12, 4).r);
    invert.apply(image);
    EXPECT_TRUE(samePixels(image, original));
}

// The surface loops (word-packed, table-only, inline) must give the same bytes as calling
// the per-pixel transform on every pixel, masked or not.
TEST(PointFilterLoops, RowLoopsEqualPerPixelTransform) {
    LevelsSettings levels;
    levels.channel[kToneGreen].gamma = 1.7;
    levels.channel[kToneComposite].outputBlack = 30;
    ColorBalanceSettings balance;
    balance.value[kCyanRed][kShadows] = 40;
    HueSaturationSettings hue;
    hue.hue[kMaster] = 33;
    hue.saturation[kBlues] = 50;
    std::vector<std::unique_ptr<PointFilter>> filters;
    filters.push_back(std::make_unique<LevelsFilter>(levels));
    filters.push_back(std::make_unique<BrightnessContrastFilter>(BrightnessContrastSettings{-20, 35}));
    filters.push_back(std::make_unique<ColorBalanceFilter>(balance));
    filters.push_back(std::make_unique<HueSaturationFilter>(hue));
    filters.push_back(std::make_unique<ColorizeFilter>(ColorizeSettings{200, 60, -30}));
    filters.push_back(std::make_unique<DesaturateFilter>());
    filters.push_back(std::make_unique<InvertFilter>());

    Surface24 source = makeRgb(23, 6);
    fillRandom(source, 17);
    Surface8 mask = makeGray(21, 4);
    fillRandom(mask, 18);
    for (auto& filter : filters) {
        Surface24 fast = source.clone();
        Surface24 masked = source.clone();
        ASSERT_TRUE(filter->apply(fast));
        ASSERT_TRUE(filter->apply(masked, &mask, {1, 1}));
        for (int32_t y = 0; y < 6; ++y)
            for (int32_t x = 0; x < 23; ++x) {
                const Bgr old = pixel(source, x, y);
                uint8_t ref[3] = {old.b, old.g, old.r};
                filter->transformRgb(ref);
                ASSERT_EQ(pixel(fast, x, y), (Bgr{ref[0], ref[1], ref[2]})) << filter->name();
                const uint8_t m = coverageAt(mask, {1, 1}, x, y);
                const Bgr weighted{coverageMix(old.b, ref[0], m), coverageMix(old.g, ref[1], m),
                                   coverageMix(old.r, ref[2], m)};
                ASSERT_EQ(pixel(masked, x, y), weighted) << filter->name() << " at " << x << "," << y;
            }
    }
}

} // namespace
} // namespace pict
