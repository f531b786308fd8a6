#pragma once
// Levels: per channel an input range, a gamma and an output range, the channel's settings
// applied first and the composite ("RGB") settings after them.

#include "imageops/FilterParams.h"
#include "imageops/TablePointFilter.h"

#include <array>

namespace pict {

// Channel numbering of the tonal adjustments and their dialogs.
enum ToneChannel : int32_t { kToneComposite = 0, kToneRed = 1, kToneGreen = 2, kToneBlue = 3 };
inline constexpr int32_t kToneChannelCount = 4;
inline constexpr const char* kToneChannelNames[kToneChannelCount] = {"RGB", "Red", "Green", "Blue"};

struct LevelsChannel {
    static constexpr ParamRange<double> kGamma{0.1, 9.99, 1.0};
    static constexpr ParamRange<int32_t> kLevel{0, 255, 0};

    double gamma = kGamma.defaultValue;
    int32_t inputBlack = 0;
    int32_t inputWhite = 255;
    int32_t outputBlack = 0;
    int32_t outputWhite = 255;

    bool isIdentity() const {
        return gamma == 1.0 && inputBlack == 0 && inputWhite == 255 && outputBlack == 0 && outputWhite == 255;
    }
    // Gamma within 0.1..9.99 and the four levels within 0..255, as the dialog keeps them.
    bool isValid() const {
        return kGamma.contains(gamma) && kLevel.contains(inputBlack) && kLevel.contains(inputWhite) &&
               kLevel.contains(outputBlack) && kLevel.contains(outputWhite);
    }
    // The same values limited to those ranges.
    LevelsChannel limited() const {
        return {kGamma.clamp(gamma), kLevel.clamp(inputBlack), kLevel.clamp(inputWhite), kLevel.clamp(outputBlack),
                kLevel.clamp(outputWhite)};
    }
    friend bool operator==(const LevelsChannel&, const LevelsChannel&) = default;
};

struct LevelsSettings {
    std::array<LevelsChannel, kToneChannelCount> channel{}; // indexed by ToneChannel

    bool isIdentity() const {
        for (const LevelsChannel& c : channel)
            if (!c.isIdentity())
                return false;
        return true;
    }
    bool isValid() const {
        for (const LevelsChannel& c : channel)
            if (!c.isValid())
                return false;
        return true;
    }
    friend bool operator==(const LevelsSettings&, const LevelsSettings&) = default;
};

class LevelsFilter : public TablePointFilter {
public:
    // Values outside the dialog's ranges are limited to them.
    explicit LevelsFilter(const LevelsSettings& settings);
    FilterKind kind() const override { return FilterKind::Levels; }
    bool isIdentity() const override { return settings_.isIdentity(); }
    const LevelsSettings& settings() const { return settings_; }

private:
    LevelsSettings settings_;
};

} // namespace pict
