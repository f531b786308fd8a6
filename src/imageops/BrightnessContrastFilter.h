#pragma once
// Brightness/Contrast: one table for all three channels (and 8-bit surfaces), a line of
// slope tan((contrast + 1) * pi/4) through (128 - brightness, 128).

#include "imageops/FilterParams.h"
#include "imageops/TablePointFilter.h"

namespace pict {

struct BrightnessContrastSettings {
    static constexpr ParamRange<int32_t> kBrightness{-100, 100, 0};
    static constexpr ParamRange<int32_t> kContrast{-100, 100, 0};

    int32_t brightness = kBrightness.defaultValue;
    int32_t contrast = kContrast.defaultValue;

    bool isIdentity() const { return brightness == 0 && contrast == 0; }
    bool isValid() const { return kBrightness.contains(brightness) && kContrast.contains(contrast); }
    friend bool operator==(const BrightnessContrastSettings&, const BrightnessContrastSettings&) = default;
};

class BrightnessContrastFilter : public TablePointFilter {
public:
    // Both values are limited to -100..100.
    explicit BrightnessContrastFilter(const BrightnessContrastSettings& settings);
    FilterKind kind() const override { return FilterKind::BrightnessContrast; }
    bool isIdentity() const override { return settings_.isIdentity(); }
    // The values as limited.
    const BrightnessContrastSettings& settings() const { return settings_; }

private:
    BrightnessContrastSettings settings_;
};

} // namespace pict
