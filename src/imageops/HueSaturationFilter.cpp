#include "imageops/HueSaturationFilter.h"

#include "imageops/HslConversion.h"
#include "imageops/HslTables.h"

#include <algorithm>

namespace pict {
namespace {

constexpr double kDegreesTo255 = 0.7083333333333334;
constexpr double kPercentTo255 = 2.5500000000000003;

int32_t limit255(int32_t v) { return std::clamp(v, -255, 255); }

} // namespace

int32_t HueSaturationFilter::rangeOfHue(int32_t hue) {
    static constexpr int32_t kThresholds[7] = {21, 64, 106, 149, 192, 234, 255};
    for (int32_t k = 0; k < 6; ++k)
        if (hue < kThresholds[k])
            return k;
    return 0; // 234..255 are reds again
}

HueSaturationFilter::HueSaturationFilter(const HueSaturationSettings& given)
    : settings_(given.limited()), hsl_(&HslTables::get()) {
    const HueSaturationSettings& settings = settings_;
    for (int32_t h = 0; h < 256; ++h)
        rangeOfHue_[h] = static_cast<uint8_t>(rangeOfHue(h));
    for (int32_t k = 1; k < kHueRangeCount; ++k) {
        const int32_t hueShift = static_cast<int32_t>((settings.hue[0] + settings.hue[k]) * kDegreesTo255);
        const int32_t light = limit255(static_cast<int32_t>((settings.lightness[0] + settings.lightness[k]) * kPercentTo255));
        const int32_t sat = limit255(static_cast<int32_t>((settings.saturation[0] + settings.saturation[k]) * kPercentTo255));
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

void HueSaturationFilter::pixelRgb(uint8_t* bgr) const {
    const Hsl hsl = hsl_->toHsl(bgr[2], bgr[1], bgr[0]);
    const int32_t range = rangeOfHue_[hsl.h];
    hsl_->toBgr(hueTable_[range][hsl.h], saturationTable_[range][hsl.s], lightnessTable_[range][hsl.l], bgr);
}

int32_t ColorizeFilter::hue255FromDegrees(int32_t degrees) {
    double hue = degrees == 360 ? 0.0 : double(degrees);
    const double v = 127.0 / 255.0;
    const double s = 127.0 / 255.0;
    const double sixths = hue * 0.016666666666666666;
    const int32_t sector = static_cast<int32_t>(sixths);
    const double f = sixths - sector;
    const double p = v * (1.0 - s);
    const double q = v * (1.0 - s * f);
    const double t = v * (1.0 - s * (1.0 - f));
    double r, g, b;
    switch (sector) {
    case 0: r = v, g = t, b = p; break;
    case 1: r = q, g = v, b = p; break;
    case 2: r = p, g = v, b = t; break;
    case 3: r = p, g = q, b = v; break;
    case 4: r = t, g = p, b = v; break;
    default: r = v, g = p, b = q; break;
    }
    return rgbToHsl(roundHsl(r * 255.0), roundHsl(g * 255.0), roundHsl(b * 255.0)).h;
}

ColorizeFilter::ColorizeFilter(const ColorizeSettings& given)
    : settings_{ColorizeSettings::kHue.clamp(given.hue), ColorizeSettings::kSaturation.clamp(given.saturation),
                ColorizeSettings::kLightness.clamp(given.lightness)} {
    const int32_t hue = hue255FromDegrees(ColorizeSettings::kHue.clamp(given.hue));
    const int32_t saturation = static_cast<int32_t>(ColorizeSettings::kSaturation.clamp(given.saturation) * kPercentTo255);
    const int32_t lightness = ColorizeSettings::kLightness.clamp(given.lightness);
    for (int32_t l = 0; l < 256; ++l) {
        const Rgb c = hslToRgb(hue, saturation, l);
        tables_.red[l] = static_cast<uint8_t>(c.r);
        tables_.green[l] = static_cast<uint8_t>(c.g);
        tables_.blue[l] = static_cast<uint8_t>(c.b);

        int32_t shifted = l;
        if (lightness > 0) {
            const int32_t a = 100 - lightness;
            shifted = 255 - static_cast<int32_t>(a * kPercentTo255) + static_cast<int32_t>(l * a * 0.01);
        } else if (lightness < 0) {
            shifted = static_cast<int32_t>(l * (lightness + 100) * 0.01);
        }
        lightnessMap_[l] = static_cast<uint8_t>(clampToByteRange(shifted));
    }
}

void ColorizeFilter::pixelRgb(uint8_t* bgr) const {
    const int32_t l = lightnessMap_[hslLightness(bgr[2], bgr[1], bgr[0])];
    bgr[0] = tables_.blue[l];
    bgr[1] = tables_.green[l];
    bgr[2] = tables_.red[l];
}

} // namespace pict
