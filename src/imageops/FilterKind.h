#pragma once
// The fixed identity of every filter: one value used by the history (entry name), the
// Filter menu ("Last Filter" text) and the batch tool (step name).

#include <cstdint>
#include <string_view>

namespace pict {

enum class FilterKind : int32_t {
    Blur,
    BlurMore,
    Sharpen,
    SharpenMore,
    GaussianBlur,
    Levels,
    AutoLevels,
    AutoContrast,
    Curves,
    BrightnessContrast,
    ColorBalance,
    HueSaturation,
    Colorize,
    Desaturate,
    Invert,
};

inline constexpr int32_t kFilterKindCount = 15;

struct FilterIdentity {
    FilterKind kind;
    std::string_view name;     // display and history name
    std::string_view stepName; // batch-tool step without the leading "--"; empty when none
    bool neighborhood;         // takes part in Last Filter
};

// Indexed by FilterKind.
inline constexpr FilterIdentity kFilterIdentities[kFilterKindCount] = {
    {FilterKind::Blur, "Blur", "blur", true},
    {FilterKind::BlurMore, "Blur More", "blur-more", true},
    {FilterKind::Sharpen, "Sharpen", "sharpen", true},
    {FilterKind::SharpenMore, "Sharpen More", "sharpen-more", true},
    {FilterKind::GaussianBlur, "Gaussian Blur", "gaussian-blur", true},
    {FilterKind::Levels, "Levels", "levels", false},
    {FilterKind::AutoLevels, "Auto Levels", "auto-levels", false},
    {FilterKind::AutoContrast, "Auto Contrast", "auto-contrast", false},
    {FilterKind::Curves, "Curves", "curves", false},
    {FilterKind::BrightnessContrast, "Brightness/Contrast", "brightness-contrast", false},
    {FilterKind::ColorBalance, "Color Balance", "color-balance", false},
    {FilterKind::HueSaturation, "Hue/Saturation", "hue-saturation", false},
    {FilterKind::Colorize, "Colorize", "colorize", false},
    {FilterKind::Desaturate, "Desaturate", "desaturate", false},
    {FilterKind::Invert, "Invert", "invert", false},
};

constexpr const FilterIdentity& filterIdentity(FilterKind kind) { return kFilterIdentities[static_cast<int32_t>(kind)]; }
constexpr std::string_view filterName(FilterKind kind) { return filterIdentity(kind).name; }

} // namespace pict
