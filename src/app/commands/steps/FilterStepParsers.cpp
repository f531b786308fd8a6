// The batch steps of the Adjustments and Filter menus: each parser builds the filter its
// dialog would confirm, which the filter command checks, skips when it changes nothing, and
// records.
#include "app/commands/StepArguments.h"
#include "app/commands/steps/StepParsers.h"
#include "imageops/BrightnessContrastFilter.h"
#include "imageops/ColorBalanceFilter.h"
#include "imageops/CurvesFilter.h"
#include "imageops/GaussianBlurFilter.h"
#include "imageops/HueSaturationFilter.h"
#include "imageops/LevelsFilter.h"

#include <array>

namespace pict {

namespace {

constexpr std::array<std::string_view, kToneChannelCount> kToneKeywords = {"rgb", "red", "green", "blue"};
constexpr std::array<std::string_view, kHueRangeCount> kHueRangeKeywords = {
    "master", "reds", "yellows", "greens", "cyans", "blues", "magentas"};

template <class Filter, class... Args>
void setFilter(StepInput& input, Args&&... args) {
    input.params = FilterParams{std::make_shared<Filter>(std::forward<Args>(args)...), nullptr};
}

// Each channel may be named once in a slash-separated list.
bool noteChannel(std::array<bool, 8>& seen, int32_t index, std::string_view field, std::string& error) {
    if (seen[size_t(index)]) {
        error = "the channel " + std::string(field) + " is given twice";
        return false;
    }
    seen[size_t(index)] = true;
    return true;
}

bool parseLevelsChannel(std::string_view text, LevelsSettings& settings, std::array<bool, 8>& seen,
                        std::string& error) {
    const auto f = splitFields(text, ',');
    int32_t channel = 0;
    LevelsChannel c;
    constexpr auto level = LevelsChannel::kLevel;
    constexpr auto gamma = LevelsChannel::kGamma;
    if (!checkFieldCount(f, 6, 6, "CH,INBLACK,GAMMA,INWHITE,OUTBLACK,OUTWHITE", error) ||
        !readKeyword(f[0], kToneKeywords, "the channel", channel, error) ||
        !noteChannel(seen, channel, f[0], error) ||
        !readInteger(f[1], level.min, level.max, "the input black", c.inputBlack, error) ||
        !readNumber(f[2], gamma.min, gamma.max, "the gamma", c.gamma, error) ||
        !readInteger(f[3], level.min, level.max, "the input white", c.inputWhite, error) ||
        !readInteger(f[4], level.min, level.max, "the output black", c.outputBlack, error) ||
        !readInteger(f[5], level.min, level.max, "the output white", c.outputWhite, error))
        return false;
    if (c.inputBlack >= c.inputWhite) {
        error = "the input black must lie below the input white";
        return false;
    }
    settings.channel[size_t(channel)] = c;
    return true;
}

bool parseCurve(std::string_view text, CurvesSettings& settings, std::array<bool, 8>& seen, std::string& error) {
    const size_t colon = text.find(':');
    int32_t channel = 0;
    if (colon == std::string_view::npos) {
        error = "expected CH:X,Y;X,Y;... for each channel";
        return false;
    }
    if (!readKeyword(text.substr(0, colon), kToneKeywords, "the channel", channel, error) ||
        !noteChannel(seen, channel, text.substr(0, colon), error))
        return false;
    CurvePoints points;
    constexpr auto coordinate = CurvesSettings::kCoordinate;
    for (std::string_view pair : splitFields(text.substr(colon + 1), ';')) {
        const auto xy = splitFields(pair, ',');
        CurvePoint p;
        if (!checkFieldCount(xy, 2, 2, "X,Y points separated by ';'", error) ||
            !readInteger(xy[0], coordinate.min, coordinate.max, "a curve's x", p.x, error) ||
            !readInteger(xy[1], coordinate.min, coordinate.max, "a curve's y", p.y, error))
            return false;
        points.push_back(p);
    }
    if (!isValidCurve(points)) {
        error = "a curve needs 2 to 10 points with x rising strictly from 0 to 255";
        return false;
    }
    settings.channel[size_t(channel)] = std::move(points);
    return true;
}

} // namespace

bool parseGaussianBlur(std::string_view text, StepInput& input, std::string& error) {
    constexpr auto range = GaussianBlurSettings::kRadius;
    GaussianBlurSettings settings;
    if (!readNumber(text, range.min, range.max, "the radius", settings.radius, error))
        return false;
    setFilter<GaussianBlurFilter>(input, settings);
    return true;
}

bool parseBrightnessContrast(std::string_view text, StepInput& input, std::string& error) {
    const auto fields = splitFields(text, ',');
    BrightnessContrastSettings s;
    constexpr auto b = BrightnessContrastSettings::kBrightness;
    constexpr auto c = BrightnessContrastSettings::kContrast;
    if (!checkFieldCount(fields, 2, 2, "B,C", error) ||
        !readInteger(fields[0], b.min, b.max, "the brightness", s.brightness, error) ||
        !readInteger(fields[1], c.min, c.max, "the contrast", s.contrast, error))
        return false;
    setFilter<BrightnessContrastFilter>(input, s);
    return true;
}

bool parseLevels(std::string_view text, StepInput& input, std::string& error) {
    LevelsSettings settings;
    std::array<bool, 8> seen{};
    for (std::string_view part : splitFields(text, '/'))
        if (!parseLevelsChannel(part, settings, seen, error))
            return false;
    setFilter<LevelsFilter>(input, settings);
    return true;
}

bool parseCurves(std::string_view text, StepInput& input, std::string& error) {
    CurvesSettings settings;
    std::array<bool, 8> seen{};
    for (std::string_view part : splitFields(text, '/'))
        if (!parseCurve(part, settings, seen, error))
            return false;
    setFilter<CurvesFilter>(input, settings);
    return true;
}

bool parseColorBalance(std::string_view text, StepInput& input, std::string& error) {
    const auto f = splitFields(text, ',');
    if (!checkFieldCount(f, 9, 10, "SC,SM,SY,MC,MM,MY,HC,HM,HY[,nopreserve]", error))
        return false;
    // Shadows, midtones, highlights; within each cyan-red, magenta-green, yellow-blue.
    static constexpr const char* kNames[9] = {
        "the shadows cyan-red",    "the shadows magenta-green",    "the shadows yellow-blue",
        "the midtones cyan-red",   "the midtones magenta-green",   "the midtones yellow-blue",
        "the highlights cyan-red", "the highlights magenta-green", "the highlights yellow-blue"};
    ColorBalanceSettings s;
    constexpr auto range = ColorBalanceSettings::kValue;
    for (size_t k = 0; k < 9; ++k)
        if (!readNumber(f[k], range.min, range.max, kNames[k], s.value[k % 3][k / 3], error))
            return false;
    if (f.size() == 10) {
        constexpr std::array<std::string_view, 1> kFlag = {"nopreserve"};
        int32_t unused = 0;
        if (!readKeyword(f[9], kFlag, "the last field", unused, error))
            return false;
        s.preserveLuminosity = false;
    }
    setFilter<ColorBalanceFilter>(input, s);
    return true;
}

bool parseHueSaturation(std::string_view text, StepInput& input, std::string& error) {
    HueSaturationSettings s;
    std::array<bool, 8> seen{};
    constexpr auto hue = HueSaturationSettings::kHue;
    constexpr auto saturation = HueSaturationSettings::kSaturation;
    constexpr auto lightness = HueSaturationSettings::kLightness;
    for (std::string_view part : splitFields(text, '/')) {
        const auto f = splitFields(part, ',');
        int32_t range = 0;
        if (!checkFieldCount(f, 4, 4, "RANGE,H,S,L", error) ||
            !readKeyword(f[0], kHueRangeKeywords, "the range", range, error) || !noteChannel(seen, range, f[0], error) ||
            !readInteger(f[1], hue.min, hue.max, "the hue", s.hue[size_t(range)], error) ||
            !readInteger(f[2], saturation.min, saturation.max, "the saturation", s.saturation[size_t(range)], error) ||
            !readInteger(f[3], lightness.min, lightness.max, "the lightness", s.lightness[size_t(range)], error))
            return false;
    }
    setFilter<HueSaturationFilter>(input, s);
    return true;
}

bool parseColorize(std::string_view text, StepInput& input, std::string& error) {
    const auto f = splitFields(text, ',');
    ColorizeSettings s;
    constexpr auto hue = ColorizeSettings::kHue;
    constexpr auto saturation = ColorizeSettings::kSaturation;
    constexpr auto lightness = ColorizeSettings::kLightness;
    if (!checkFieldCount(f, 3, 3, "H,S,L", error) || !readInteger(f[0], hue.min, hue.max, "the hue", s.hue, error) ||
        !readInteger(f[1], saturation.min, saturation.max, "the saturation", s.saturation, error) ||
        !readInteger(f[2], lightness.min, lightness.max, "the lightness", s.lightness, error))
        return false;
    setFilter<ColorizeFilter>(input, s);
    return true;
}

} // namespace pict
