// The table-driven colour arithmetic against the floating-point code it replaced, over every
// one of the 16.7 million colours: the conversions on their own, then Hue/Saturation,
// Colorize and Color Balance with Preserve luminosity as whole filters. The reference
// filters below are the per-pixel code as it was before the tables, kept here verbatim.
#include "imageops/HslTables.h"
#include "imageops/ColorBalanceFilter.h"
#include "imageops/FilterTestSupport.h"
#include "imageops/HslConversion.h"
#include "imageops/HueSaturationFilter.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace pict {
namespace {

int32_t referenceLightness(int32_t r, int32_t g, int32_t b) {
    return roundHsl((std::max({r, g, b}) + std::min({r, g, b})) * 0.5);
}

class ReferenceHueSaturation {
public:
    explicit ReferenceHueSaturation(const HueSaturationSettings& settings) {
        constexpr double kDegreesTo255 = 0.7083333333333334;
        constexpr double kPercentTo255 = 2.5500000000000003;
        auto limit255 = [](int32_t v) { return std::clamp(v, -255, 255); };
        for (int32_t h = 0; h < 256; ++h)
            rangeOfHue_[h] = static_cast<uint8_t>(HueSaturationFilter::rangeOfHue(h));
        for (int32_t k = 1; k < kHueRangeCount; ++k) {
            const int32_t hueShift =
                static_cast<int32_t>((settings.hue[0] + settings.hue[k]) * kDegreesTo255);
            const int32_t light = limit255(
                static_cast<int32_t>((settings.lightness[0] + settings.lightness[k]) * kPercentTo255));
            const int32_t sat = limit255(
                static_cast<int32_t>((settings.saturation[0] + settings.saturation[k]) * kPercentTo255));
            for (int32_t i = 0; i < 256; ++i) {
                int32_t t = i + hueShift;
                if (t < 0)
                    t += 255;
                else if (t > 255)
                    t -= 255;
                hueTable_[k - 1][i] = static_cast<uint8_t>(clampToByteRange(t));
                const int32_t l = light >= 0 ? i + (255 - i) * light / 255 : i * (255 + light) / 255;
                lightnessTable_[k - 1][i] = static_cast<uint8_t>(clampToByteRange(l));
                saturationTable_[k - 1][i] = static_cast<uint8_t>(clampToByteRange(i * (255 + sat) / 255));
            }
        }
    }
    void pixelRgb(uint8_t* bgr) const {
        const Hsl hsl = rgbToHsl(bgr[2], bgr[1], bgr[0]);
        const int32_t range = rangeOfHue_[hsl.h];
        const Rgb out =
            hslToRgb(hueTable_[range][hsl.h], saturationTable_[range][hsl.s], lightnessTable_[range][hsl.l]);
        bgr[0] = static_cast<uint8_t>(out.b);
        bgr[1] = static_cast<uint8_t>(out.g);
        bgr[2] = static_cast<uint8_t>(out.r);
    }

private:
    uint8_t rangeOfHue_[256];
    uint8_t hueTable_[6][256];
    uint8_t lightnessTable_[6][256];
    uint8_t saturationTable_[6][256];
};

class ReferenceColorize {
public:
    explicit ReferenceColorize(const ColorizeSettings& settings) {
        constexpr double kPercentTo255 = 2.5500000000000003;
        const int32_t hue = ColorizeFilter::hue255FromDegrees(settings.hue);
        const int32_t saturation = static_cast<int32_t>(settings.saturation * kPercentTo255);
        for (int32_t l = 0; l < 256; ++l) {
            const Rgb c = hslToRgb(hue, saturation, l);
            tables_.red[l] = static_cast<uint8_t>(c.r);
            tables_.green[l] = static_cast<uint8_t>(c.g);
            tables_.blue[l] = static_cast<uint8_t>(c.b);
            int32_t shifted = l;
            if (settings.lightness > 0) {
                const int32_t a = 100 - settings.lightness;
                shifted = 255 - static_cast<int32_t>(a * kPercentTo255) + static_cast<int32_t>(l * a * 0.01);
            } else if (settings.lightness < 0) {
                shifted = static_cast<int32_t>(l * (settings.lightness + 100) * 0.01);
            }
            lightnessMap_[l] = static_cast<uint8_t>(clampToByteRange(shifted));
        }
    }
    void pixelRgb(uint8_t* bgr) const {
        const int32_t l = lightnessMap_[referenceLightness(bgr[2], bgr[1], bgr[0])];
        bgr[0] = tables_.blue[l];
        bgr[1] = tables_.green[l];
        bgr[2] = tables_.red[l];
    }

private:
    uint8_t lightnessMap_[256];
    ChannelTables tables_;
};

// The channel tables are the filter's own (their building did not change).
class ReferenceColorBalance {
public:
    explicit ReferenceColorBalance(const ColorBalanceFilter& filter) : tables_(filter.tables()) {}
    void pixelRgb(uint8_t* bgr) const {
        const int32_t b = bgr[0], g = bgr[1], r = bgr[2];
        const int32_t nr = tables_.red[r], ng = tables_.green[g], nb = tables_.blue[b];
        const Hsl adjusted = rgbToHsl(nr, ng, nb);
        const Rgb back = hslToRgb(adjusted.h, adjusted.s, referenceLightness(r, g, b));
        bgr[0] = static_cast<uint8_t>(back.b);
        bgr[1] = static_cast<uint8_t>(back.g);
        bgr[2] = static_cast<uint8_t>(back.r);
    }

private:
    ChannelTables tables_;
};

// Every colour once: 4096 x 4096 pixels, blue-green-red counting up.
Surface24 everyColour() {
    Surface24 s;
    EXPECT_TRUE(s.create(4096, 4096, 24));
    uint32_t c = 0;
    for (int32_t y = 0; y < 4096; ++y) {
        uint8_t* p = s.row(y);
        for (int32_t x = 0; x < 4096; ++x, ++c, p += 3) {
            p[0] = uint8_t(c);
            p[1] = uint8_t(c >> 8);
            p[2] = uint8_t(c >> 16);
        }
    }
    return s;
}

// Applies the filter to every colour and counts the pixels where it differs from the reference.
template <class Reference> int64_t differencesFromReference(ImageFilter& filter, const Reference& reference) {
    Surface24 colours = everyColour();
    EXPECT_TRUE(filter.apply(colours));
    int64_t differences = 0;
    uint32_t c = 0;
    for (int32_t y = 0; y < 4096; ++y) {
        const uint8_t* p = colours.row(y);
        for (int32_t x = 0; x < 4096; ++x, ++c, p += 3) {
            uint8_t expected[3] = {uint8_t(c), uint8_t(c >> 8), uint8_t(c >> 16)};
            reference.pixelRgb(expected);
            if (p[0] != expected[0] || p[1] != expected[1] || p[2] != expected[2]) {
                if (differences == 0)
                    ADD_FAILURE() << "first difference at colour " << std::hex << c;
                ++differences;
            }
        }
    }
    return differences;
}

TEST(HslTables, RgbToHslMatchesTheFloatingPointDefinitionForEveryColour) {
    const HslTables& tables = HslTables::get();
    int64_t differences = 0;
    for (int32_t r = 0; r < 256; ++r)
        for (int32_t g = 0; g < 256; ++g)
            for (int32_t b = 0; b < 256; ++b) {
                const Hsl fast = tables.toHsl(r, g, b), slow = rgbToHsl(r, g, b);
                differences += fast.h != slow.h || fast.s != slow.s || fast.l != slow.l;
                differences += hslLightness(r, g, b) != referenceLightness(r, g, b);
            }
    EXPECT_EQ(differences, 0);
}

TEST(HslTables, HslToRgbMatchesTheFloatingPointDefinitionForEveryTriple) {
    const HslTables& tables = HslTables::get();
    int64_t differences = 0;
    for (int32_t h = 0; h < 256; ++h)
        for (int32_t s = 0; s < 256; ++s)
            for (int32_t l = 0; l < 256; ++l) {
                uint8_t bgr[3];
                tables.toBgr(h, s, l, bgr);
                const Rgb slow = hslToRgb(h, s, l);
                differences += bgr[0] != slow.b || bgr[1] != slow.g || bgr[2] != slow.r;
            }
    EXPECT_EQ(differences, 0);
}

TEST(HslTables, HueSaturationGivesTheOldBytesForEveryColour) {
    HueSaturationSettings settings;
    settings.hue = {40, -30, 0, 180, 0, -180, 7};
    settings.saturation = {-20, 100, -100, 0, 55, 0, -3};
    settings.lightness = {10, 0, -100, 100, 0, -45, 0};
    HueSaturationFilter filter(settings);
    EXPECT_EQ(differencesFromReference(filter, ReferenceHueSaturation(filter.settings())), 0);
}

TEST(HslTables, ColorizeGivesTheOldBytesForEveryColour) {
    for (const ColorizeSettings settings : {ColorizeSettings{215, 80, -35}, ColorizeSettings{360, 25, 60}}) {
        ColorizeFilter filter(settings);
        EXPECT_EQ(differencesFromReference(filter, ReferenceColorize(filter.settings())), 0);
    }
}

TEST(HslTables, ColorBalancePreservingLuminosityGivesTheOldBytesForEveryColour) {
    ColorBalanceSettings settings;
    settings.value = {{{30, -60, 15}, {-100, 45, 0}, {0, 20, -80}}};
    ColorBalanceFilter filter(settings);
    ASSERT_TRUE(filter.settings().preserveLuminosity);
    EXPECT_EQ(differencesFromReference(filter, ReferenceColorBalance(filter)), 0);
}

} // namespace
} // namespace pict
