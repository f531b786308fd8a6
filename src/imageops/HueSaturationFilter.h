#pragma once
// Hue/Saturation: hue, lightness and saturation shifts for the whole image ("Master") plus
// six hue ranges, applied in integer HSL; and Colorize, which paints every pixel with one
// hue and saturation while keeping (and optionally shifting) its lightness.

#include "imageops/FilterParams.h"
#include "imageops/HslTables.h"
#include "imageops/PointFilterLoops.h"

#include <array>

namespace pict {

// Entry 0 is "Master"; 1..6 the hue ranges in the order of the "Edit" choices.
enum HueRange : int32_t { kMaster = 0, kReds, kYellows, kGreens, kCyans, kBlues, kMagentas };
inline constexpr int32_t kHueRangeCount = 7;
inline constexpr const char* kHueRangeNames[kHueRangeCount] = {"Master", "Reds",  "Yellows", "Greens",
                                                               "Cyans",  "Blues", "Magentas"};

struct HueSaturationSettings {
    static constexpr ParamRange<int32_t> kHue{-180, 180, 0};
    static constexpr ParamRange<int32_t> kLightness{-100, 100, 0};
    static constexpr ParamRange<int32_t> kSaturation{-100, 100, 0};

    std::array<int32_t, kHueRangeCount> hue{};
    std::array<int32_t, kHueRangeCount> lightness{};
    std::array<int32_t, kHueRangeCount> saturation{};

    bool isIdentity() const {
        for (int32_t k = 0; k < kHueRangeCount; ++k)
            if (hue[k] != 0 || lightness[k] != 0 || saturation[k] != 0)
                return false;
        return true;
    }
    bool isValid() const {
        for (int32_t k = 0; k < kHueRangeCount; ++k)
            if (!kHue.contains(hue[k]) || !kLightness.contains(lightness[k]) || !kSaturation.contains(saturation[k]))
                return false;
        return true;
    }
    HueSaturationSettings limited() const {
        HueSaturationSettings out;
        for (int32_t k = 0; k < kHueRangeCount; ++k) {
            out.hue[k] = kHue.clamp(hue[k]);
            out.lightness[k] = kLightness.clamp(lightness[k]);
            out.saturation[k] = kSaturation.clamp(saturation[k]);
        }
        return out;
    }
    friend bool operator==(const HueSaturationSettings&, const HueSaturationSettings&) = default;
};

struct ColorizeSettings {
    static constexpr ParamRange<int32_t> kHue{0, 360, 0};
    static constexpr ParamRange<int32_t> kSaturation{0, 100, 25};
    static constexpr ParamRange<int32_t> kLightness{-100, 100, 0};

    int32_t hue = kHue.defaultValue;
    int32_t saturation = kSaturation.defaultValue;
    int32_t lightness = kLightness.defaultValue;

    // Colorize always changes the image: no settings are the identity.
    bool isIdentity() const { return false; }
    bool isValid() const { return kHue.contains(hue) && kSaturation.contains(saturation) && kLightness.contains(lightness); }
    friend bool operator==(const ColorizeSettings&, const ColorizeSettings&) = default;
};

class HueSaturationFilter : public PointFilterOf<HueSaturationFilter> {
public:
    static constexpr bool kChangesGray = false;

    // Values are limited to the dialog's ranges.
    explicit HueSaturationFilter(const HueSaturationSettings& settings);
    FilterKind kind() const override { return FilterKind::HueSaturation; }
    bool isIdentity() const override { return settings_.isIdentity(); }
    const HueSaturationSettings& settings() const { return settings_; }

    void pixelRgb(uint8_t* bgr) const;

    // The range table (0..5 for Reds..Magentas) that a 0..255 hue falls into.
    static int32_t rangeOfHue(int32_t hue);

private:
    HueSaturationSettings settings_;
    const HslTables* hsl_;
    uint8_t rangeOfHue_[256];
    uint8_t hueTable_[6][256];
    uint8_t lightnessTable_[6][256];
    uint8_t saturationTable_[6][256];
};

class ColorizeFilter : public PointFilterOf<ColorizeFilter> {
public:
    static constexpr bool kChangesGray = false;

    explicit ColorizeFilter(const ColorizeSettings& settings);
    FilterKind kind() const override { return FilterKind::Colorize; }
    const ColorizeSettings& settings() const { return settings_; }

    void pixelRgb(uint8_t* bgr) const;

    // The dialog's hue in degrees as a hue of the 0..255 circle.
    static int32_t hue255FromDegrees(int32_t degrees);

private:
    ColorizeSettings settings_;
    uint8_t lightnessMap_[256]; // the lightness shift
    ChannelTables tables_;      // indexed by the shifted lightness
};

} // namespace pict
