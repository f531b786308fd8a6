#pragma once
// Color Balance: shadows, midtones and highlights pushed toward red, green or blue (or their
// opposites) through fixed transfer curves, optionally keeping each pixel's lightness.

#include "imageops/FilterParams.h"
#include "imageops/HslTables.h"
#include "imageops/PointFilterLoops.h"

#include <array>

namespace pict {

enum ColorBalanceTone : int32_t { kShadows = 0, kMidtones = 1, kHighlights = 2 };
// The three axes, each acting on one channel: cyan-red on red, magenta-green on green,
// yellow-blue on blue.
enum ColorBalanceAxis : int32_t { kCyanRed = 0, kMagentaGreen = 1, kYellowBlue = 2 };

struct ColorBalanceSettings {
    static constexpr ParamRange<double> kValue{-100.0, 100.0, 0.0};

    bool preserveLuminosity = true;
    // value[axis][tone]
    std::array<std::array<double, 3>, 3> value{};

    // The luminosity flag does not count: only the nine values.
    bool isIdentity() const {
        for (const auto& axis : value)
            for (double v : axis)
                if (v != 0.0)
                    return false;
        return true;
    }
    // Every value within -100..100 (NaN is not).
    bool isValid() const {
        for (const auto& axis : value)
            for (double v : axis)
                if (!kValue.contains(v))
                    return false;
        return true;
    }
    ColorBalanceSettings limited() const {
        ColorBalanceSettings out = *this;
        for (auto& axis : out.value)
            for (double& v : axis)
                v = kValue.clamp(v);
        return out;
    }
    friend bool operator==(const ColorBalanceSettings&, const ColorBalanceSettings&) = default;
};

class ColorBalanceFilter : public PointFilterOf<ColorBalanceFilter> {
public:
    static constexpr bool kChangesGray = false;

    // Values are limited to -100..100.
    explicit ColorBalanceFilter(const ColorBalanceSettings& settings);
    FilterKind kind() const override { return FilterKind::ColorBalance; }
    bool isIdentity() const override { return settings_.isIdentity(); }
    const ColorBalanceSettings& settings() const { return settings_; }
    const ChannelTables& tables() const { return tables_; }

    void pixelRgb(uint8_t* bgr) const;

private:
    ColorBalanceSettings settings_;
    const HslTables* hsl_;
    ChannelTables tables_;
};

} // namespace pict
