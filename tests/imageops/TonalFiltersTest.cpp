#include "FilterTestSupport.h"

#include "imageops/AutoLevelsFilter.h"
#include "imageops/CurvesFilter.h"
#include "imageops/LevelsFilter.h"

#include <gtest/gtest.h>

#include <random>

namespace pict {
namespace {

using namespace pict::test;

TEST(Levels, DefaultsAreTheIdentity) {
    LevelsSettings settings;
    EXPECT_TRUE(settings.isIdentity());
    LevelsFilter filter(settings);
    for (int i = 0; i < 256; ++i)
        ASSERT_EQ(filter.tables().red[i], i);
    settings.channel[kToneBlue].gamma = 1.01;
    EXPECT_FALSE(settings.isIdentity());
}

TEST(Levels, CollapsedInputRangeThresholds) {
    LevelsSettings settings;
    settings.channel[kToneComposite].inputBlack = 100;
    settings.channel[kToneComposite].inputWhite = 100;
    LevelsFilter filter(settings);
    for (int i = 0; i <= 100; ++i)
        ASSERT_EQ(filter.tables().green[i], 0) << i;
    for (int i = 101; i < 256; ++i)
        ASSERT_EQ(filter.tables().green[i], 255) << i;
}

TEST(Levels, GammaTwoBrightensMidtones) {
    LevelsSettings settings;
    settings.channel[kToneComposite].gamma = 2.0;
    LevelsFilter filter(settings);
    EXPECT_EQ(filter.tables().red[64], 128);
    EXPECT_EQ(filter.tables().red[0], 0);
    EXPECT_EQ(filter.tables().red[255], 255);
}

TEST(Levels, ChannelSettingsComeBeforeCompositeAndOutputsCanInvert) {
    LevelsSettings settings;
    settings.channel[kToneRed].outputBlack = 255; // red inverted
    settings.channel[kToneRed].outputWhite = 0;
    settings.channel[kToneComposite].inputWhite = 127; // then doubled
    LevelsFilter filter(settings);
    EXPECT_EQ(filter.tables().red[255], 0);
    EXPECT_EQ(filter.tables().red[200], 110); // 55 * 255 / 127 = 110.4
    EXPECT_EQ(filter.tables().red[0], 255);
    EXPECT_EQ(filter.tables().green[100], 201);
}

TEST(Levels, LeavesGrayUnchangedAndMapsRedByte) {
    LevelsSettings settings;
    settings.channel[kToneRed].outputWhite = 0;
    LevelsFilter filter(settings);
    Surface8 plane = makeGray(2, 2, 77);
    EXPECT_TRUE(filter.apply(plane));
    EXPECT_EQ(plane.row(1)[1], 77);
    Surface24 image = makeRgb(1, 1, {10, 20, 30});
    filter.apply(image);
    EXPECT_EQ(pixel(image, 0, 0), (Bgr{10, 20, 0}));
}

TEST(Levels, SliderAndGammaMapBothWays) {
    EXPECT_DOUBLE_EQ(levelsGammaFromSlider(127.5, 0, 255), 1.0);
    EXPECT_DOUBLE_EQ(levelsGammaFromSlider(0, 0, 255), 9.99); // 10 limited
    EXPECT_DOUBLE_EQ(levelsGammaFromSlider(255, 0, 255), 0.1);
    EXPECT_DOUBLE_EQ(levelsGammaFromSlider(191.25, 0, 255), 0.32); // 10^-0.5
    EXPECT_DOUBLE_EQ(levelsGammaFromSlider(50, 50, 50), 1.0);      // no span: no division by zero
    EXPECT_EQ(levelsSliderFromGamma(1.0, 0, 255), 128);
    EXPECT_EQ(levelsSliderFromGamma(0.1, 0, 255), 255);
    EXPECT_EQ(levelsSliderFromGamma(9.99, 10, 100), 10);
}

Histogram histogramOf(const Surface24& image) {
    Histogram h;
    EXPECT_TRUE(h.count(image, nullptr, image.bounds()));
    return h;
}

TEST(HistogramCounts, SkipsTransparentAndUnselectedPixels) {
    Surface24 image = makeRgb(4, 1, {1, 2, 3});
    Surface8 alpha = makeGray(4, 1, 255);
    alpha.row(0)[0] = 0;
    Surface8 selection = makeGray(2, 1, 255);
    selection.row(0)[1] = 0;
    Histogram h;
    EXPECT_TRUE(h.count(image, &alpha, image.bounds(), &selection, {0, 0}));
    EXPECT_EQ(h.total(), 0u); // pixel 0 transparent, pixel 1 unselected, 2..3 outside
    EXPECT_TRUE(h.count(image, &alpha, image.bounds()));
    EXPECT_EQ(h.total(), 3u);
    EXPECT_EQ(h.levelCount(0, 3), 3u);
    EXPECT_EQ(h.levelCount(2, 1), 3u);
    EXPECT_EQ(h.levelCount(Histogram::kAllChannels, 2), 3u);
    EXPECT_FALSE(h.count(image, nullptr, {10, 0, 20, 1}));
}

TEST(HistogramCounts, PercentilesAndFallbacks) {
    Histogram h;
    EXPECT_EQ(h.highestClipped(0), 0);
    EXPECT_EQ(h.lowestClipped(0), 255);
    for (int i = 0; i < 999; ++i)
        h.add(100, 100, 100);
    h.add(250, 5, 100);
    EXPECT_EQ(h.highest(0), 250);
    EXPECT_EQ(h.highestClipped(0), 250); // one sample in 1000 is 0.1 %
    h.add(100, 100, 100);
    EXPECT_EQ(h.highestClipped(0), 100); // now below 0.1 %
    EXPECT_EQ(h.lowest(1), 5);
    EXPECT_EQ(h.lowestClipped(Histogram::kAllChannels), 100);
}

// The percentile queries against a plain cumulative count, both ways and on every channel.
TEST(HistogramCounts, PercentilesMatchAPlainCumulativeCount) {
    std::mt19937 random(12);
    for (int round = 0; round < 20; ++round) {
        Histogram h;
        h.setClipPercent(round % 2 ? 0.1 : 2.5);
        const int samples = 1 + int(random() % 400);
        for (int i = 0; i < samples; ++i)
            h.add(uint8_t(40 + random() % 60), uint8_t(random()), uint8_t(random() % 7 * 30));
        for (int32_t channel : {0, 1, 2, int32_t(Histogram::kAllChannels)}) {
            const double n = double(h.total()) * (channel == Histogram::kAllChannels ? 3 : 1);
            auto plain = [&](bool fromTop) {
                uint64_t seen = 0;
                for (int i = 0; i < 256; ++i) {
                    const int level = fromTop ? 255 - i : i;
                    seen += h.levelCount(channel, level);
                    if (h.levelCount(channel, level) && h.clipPercent() <= double(seen) * 100.0 / n)
                        return level;
                }
                return -1;
            };
            EXPECT_EQ(h.highestClipped(channel), plain(true)) << round << " " << channel;
            EXPECT_EQ(h.lowestClipped(channel), plain(false)) << round << " " << channel;
        }
    }
}

TEST(AutoLevels, StretchesEachChannelAndKeepsFlatOnes) {
    Surface24 image = makeRgb(2, 1);
    setPixel(image, 0, 0, {7, 10, 50});
    setPixel(image, 1, 0, {7, 200, 150});
    AutoLevelsFilter filter(histogramOf(image));
    filter.apply(image);
    EXPECT_EQ(pixel(image, 0, 0), (Bgr{7, 0, 0}));
    EXPECT_EQ(pixel(image, 1, 0), (Bgr{7, 255, 255}));
    EXPECT_EQ(filter.tables().red[100], 128); // 50 / 100 * 255 = 127.5
    Surface8 plane = makeGray(1, 1, 100);
    filter.apply(plane); // through the red table
    EXPECT_EQ(plane.row(0)[0], 128);
}

TEST(AutoContrast, StretchesTheJointRange) {
    Surface24 image = makeRgb(100, 10, {128, 128, 128});
    for (int x = 0; x < 100; ++x) {
        setPixel(image, x, 0, {10, 245, 128});
        setPixel(image, x, 1, {245, 10, 128});
    }
    AutoContrastFilter filter(histogramOf(image));
    filter.apply(image);
    EXPECT_EQ(pixel(image, 0, 0), (Bgr{0, 255, 128}));
    EXPECT_EQ(pixel(image, 5, 1), (Bgr{255, 0, 128}));
}

CurvePoints curve(std::initializer_list<CurvePoint> points) { return points; }

TEST(Curves, DefaultIsIdentityAndReversedLineInverts) {
    CurvesSettings settings;
    EXPECT_TRUE(settings.isIdentity());
    settings.channel[kToneComposite] = curve({{0, 255}, {255, 0}});
    EXPECT_FALSE(settings.isIdentity());
    CurvesFilter filter(settings);
    for (int i = 0; i < 256; ++i)
        ASSERT_EQ(filter.tables().blue[i], 255 - i);
}

TEST(Curves, ChannelCurveRunsBeforeComposite) {
    CurvesSettings settings;
    settings.channel[kToneRed] = curve({{0, 0}, {128, 255}, {255, 255}});
    settings.channel[kToneComposite] = curve({{0, 255}, {255, 0}});
    CurvesFilter filter(settings);
    uint8_t red[256];
    buildCurveTable(red, settings.channel[kToneRed]);
    for (int i = 0; i < 256; ++i)
        ASSERT_EQ(filter.tables().red[i], 255 - red[i]);
    EXPECT_EQ(filter.tables().red[128], 0);
    EXPECT_EQ(filter.tables().green[0], 255);
}

TEST(Curves, SplinePassesThroughItsPointsAndClamps) {
    uint8_t table[256];
    const CurvePoints points = curve({{0, 0}, {64, 200}, {192, 60}, {255, 255}});
    buildCurveTable(table, points);
    for (const CurvePoint& p : points)
        EXPECT_EQ(table[p.x], p.y);
    buildCurveTable(table, curve({{0, 0}, {30, 255}, {60, 0}, {255, 0}}));
    EXPECT_EQ(table[30], 255); // overshoot around the peak is clamped
    EXPECT_EQ(table[255], 0);
}

TEST(Curves, TwoPointLinesAndFlatLines) {
    uint8_t table[256];
    buildCurveTable(table, curve({{0, 100}, {255, 100}}));
    EXPECT_EQ(table[0], 100);
    EXPECT_EQ(table[255], 100);
    buildCurveTable(table, curve({{0, 50}, {255, 200}}));
    EXPECT_EQ(table[0], 50);
    EXPECT_EQ(table[128], 125); // 50 + 128 * 150 / 255 = 125.29
    EXPECT_EQ(table[255], 200);
}

TEST(Curves, ListsTheTablesCannotCarryAreInvalid) {
    EXPECT_TRUE(isValidCurve(CurvesSettings::defaultCurve()));
    EXPECT_FALSE(isValidCurve(curve({{0, 0}})));
    EXPECT_FALSE(isValidCurve(curve({{0, 0}, {10, 1}, {10, 2}, {255, 255}})));
    EXPECT_FALSE(isValidCurve(curve({{5, 0}, {255, 255}})));
    EXPECT_FALSE(isValidCurve(curve({{0, 0}, {255, 256}})));
    CurvePoints eleven;
    for (int i = 0; i < 11; ++i)
        eleven.push_back({i == 10 ? 255 : i * 20, i});
    EXPECT_FALSE(isValidCurve(eleven));
    eleven.erase(eleven.begin() + 5);
    EXPECT_TRUE(isValidCurve(eleven));
    uint8_t table[256];
    buildCurveTable(table, curve({{0, 9}}));
    EXPECT_EQ(table[200], 200); // invalid lists change nothing
}

TEST(Curves, LeaveGrayUnchanged) {
    CurvesSettings settings;
    settings.channel[kToneComposite] = curve({{0, 255}, {255, 0}});
    Surface8 plane = makeGray(3, 3, 40);
    EXPECT_TRUE(CurvesFilter(settings).apply(plane));
    EXPECT_EQ(plane.row(2)[2], 40);
}

} // namespace
} // namespace pict
